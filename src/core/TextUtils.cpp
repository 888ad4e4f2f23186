#include "core/TextUtils.h"

namespace core {

namespace {
bool IsTrimmed(unsigned char c) { return c <= 32; }
char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string Trim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsTrimmed(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && IsTrimmed(static_cast<unsigned char>(text[last - 1]))) --last;
  return std::string(text.substr(first, last - first));
}

std::string UpperAZ(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperChar(c);
  return out;
}

char UpperAZ(char letter) { return UpperChar(letter); }

std::string LowerAZ(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar(c);
  return out;
}

bool SameTextAZ(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

std::string NormaliseLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string BreakLongLines(std::string_view text, size_t limit) {
  limit = limit < 1 ? 1 : limit;
  // The search for a blank looks this far back from the hard break.
  const size_t reach = limit - limit * 3 / 4;
  std::string out;
  out.reserve(text.size() + text.size() / limit * 2);
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find_first_of("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    while (line.size() > limit) {
      size_t cut = limit;
      const size_t blank = line.substr(limit - reach, reach).find_last_of(" \t");
      if (blank != std::string_view::npos) cut = limit - reach + blank + 1;
      out.append(line.substr(0, cut));
      out += "\r\n";
      line.remove_prefix(cut);
    }
    out.append(line);
    // The line's own break, CR, LF or both, as it is.
    const size_t next = text.find_first_not_of("\r\n", lineEnd);
    const size_t breakEnd = next == std::string_view::npos ? text.size() : next;
    out.append(text.substr(lineEnd, breakEnd - lineEnd));
    lineStart = breakEnd;
  }
  return out;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexValue(text[i]) : ((text[i] >= '0' && text[i] <= '9') ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * (hex ? 16u : 10u) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  }
  // Hexadecimal obeys the same signed range as decimal: "$FFFFFFFF" read as -1, or "-$FFFFFFFF" as 1, would
  // turn a meaningless number into a plausible update number.
  if (negative) {
    if (magnitude > 0x80000000ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  }
  if (magnitude > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int32_t>(magnitude);
}

std::string IntToText(int64_t value) { return std::to_string(value); }

}  // namespace core
