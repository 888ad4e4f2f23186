#include "core/Format.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace core {

FormatArg::FormatArg(const char* text) : kind_(Kind::Text), text_(text != nullptr ? text : "") {}
FormatArg::FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}
FormatArg::FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}
FormatArg::FormatArg(int value) : kind_(Kind::Whole) { SetWhole(static_cast<long long>(value)); }
FormatArg::FormatArg(long value) : kind_(Kind::Whole) { SetWhole(static_cast<long long>(value)); }
FormatArg::FormatArg(long long value) : kind_(Kind::Whole) { SetWhole(value); }
FormatArg::FormatArg(unsigned value) : kind_(Kind::Whole) { SetWhole(static_cast<unsigned long long>(value)); }
FormatArg::FormatArg(unsigned long value) : kind_(Kind::Whole) { SetWhole(static_cast<unsigned long long>(value)); }
FormatArg::FormatArg(unsigned long long value) : kind_(Kind::Whole) { SetWhole(value); }
FormatArg::FormatArg(double value) : kind_(Kind::Floating), floating_(value) {}

void FormatArg::SetWhole(long long value) {
  negative_ = value < 0;
  // Negating in unsigned arithmetic keeps the lowest value representable.
  magnitude_ = negative_ ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
}

void FormatArg::SetWhole(unsigned long long value) {
  negative_ = false;
  magnitude_ = value;
}

namespace {

[[noreturn]] void ThrowInvalid(std::string_view pattern) {
  throw FormatError("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

std::string Digits(uint64_t magnitude) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
  return std::string(buffer, result.ptr);
}

// Digits of a finite double already rounded to a whole number; the sign is
// reported separately.
std::string WholeDigits(double rounded, bool& negative) {
  negative = rounded < 0;  // false for -0.0, which prints as 0
  // The largest double has 309 integer digits.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(rounded), std::chars_format::fixed);
  if (result.ec != std::errc()) throw FormatError("Number too large to format");
  return std::string(buffer, result.ptr);
}

// Halves away from zero. Not std::round: some C runtimes compute floor(x + 0.5),
// which turns the largest double below 0.5 into 1.
double RoundHalfAway(double value) {
  const double whole = std::trunc(value);
  // The fraction value - whole is exact for every finite double.
  if (std::fabs(value - whole) >= 0.5) return whole + std::copysign(1.0, value);
  return whole;
}

std::string Grouped(const std::string& digits, const std::string& separator) {
  if (separator.empty() || digits.size() <= 3) return digits;
  std::string out;
  out.reserve(digits.size() + (digits.size() / 3) * separator.size());
  const std::size_t head = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits, 0, head);
  for (std::size_t i = head; i < digits.size(); i += 3) out.append(separator).append(digits, i, 3);
  return out;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

enum class Placeholder { None, Percent, Text, Whole, Number };

// Recognises a placeholder at pattern[pos] (which is "%") and its length.
Placeholder Recognise(std::string_view pattern, std::size_t pos, std::size_t& length) {
  const std::string_view rest = pattern.substr(pos + 1);
  if (rest.empty()) return Placeholder::None;
  length = 2;
  switch (LowerAscii(rest[0])) {
    case '%':
      return Placeholder::Percent;
    case 's':
      return Placeholder::Text;
    case 'd':
      return Placeholder::Whole;
    default:
      break;
  }
  if (rest.size() >= 4 && rest.substr(0, 3) == "0.0") {
    length = 5;
    const char type = LowerAscii(rest[3]);
    if (type == 'd') return Placeholder::Whole;
    if (type == 'n') return Placeholder::Number;
  }
  return Placeholder::None;
}

}  // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<FormatArg> args,
                       const NumberFormatSettings& settings) {
  std::string out;
  out.reserve(pattern.size() + 16);
  const FormatArg* next = args.begin();
  auto take = [&]() -> const FormatArg& {
    if (next == args.end()) ThrowInvalid(pattern);
    return *next++;
  };

  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const std::size_t percent = pattern.find('%', pos);
    if (percent == std::string_view::npos) {
      out.append(pattern.substr(pos));
      break;
    }
    out.append(pattern.substr(pos, percent - pos));
    std::size_t length = 1;
    switch (Recognise(pattern, percent, length)) {
      case Placeholder::None:
        length = 1;
        out.push_back('%');
        break;
      case Placeholder::Percent:
        out.push_back('%');
        break;
      case Placeholder::Text: {
        const FormatArg& arg = take();
        if (arg.kind() != FormatArg::Kind::Text) ThrowInvalid(pattern);
        out.append(arg.text());
        break;
      }
      case Placeholder::Whole: {
        const FormatArg& arg = take();
        if (arg.kind() != FormatArg::Kind::Whole) ThrowInvalid(pattern);
        if (arg.negative()) out.push_back('-');
        out.append(Digits(arg.magnitude()));
        break;
      }
      case Placeholder::Number: {
        const FormatArg& arg = take();
        bool negative = false;
        std::string digits;
        if (arg.kind() == FormatArg::Kind::Whole) {
          negative = arg.negative();
          digits = Digits(arg.magnitude());
        } else if (arg.kind() == FormatArg::Kind::Floating && std::isfinite(arg.floating())) {
          digits = WholeDigits(RoundHalfAway(arg.floating()), negative);
        } else {
          ThrowInvalid(pattern);
        }
        if (negative) out.push_back('-');
        out.append(Grouped(digits, settings.thousandSeparator));
        break;
      }
    }
    pos = percent + length;
  }
  return out;
}

std::string FillSystemMessageInserts(std::string_view message, std::string_view name) {
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  std::string out;
  out.reserve(message.size() + name.size());
  size_t pos = 0;
  while (pos < message.size()) {
    const char c = message[pos];
    if (c != '%' || pos + 1 >= message.size() || message[pos + 1] < '1' || message[pos + 1] > '9') {
      out += c;
      ++pos;
      continue;
    }
    size_t end = pos + 2;
    if (end < message.size() && isDigit(message[end])) ++end;
    const bool first = end == pos + 2 && message[pos + 1] == '1';
    if (end < message.size() && message[end] == '!') {
      const size_t close = message.find('!', end + 1);
      if (close != std::string_view::npos) end = close + 1;
    }
    pos = end;
    if (first && !name.empty()) {
      out.append(name);
      continue;
    }
    const bool blankBefore = out.empty() || out.back() == ' ';
    if (blankBefore && pos < message.size() && message[pos] == ' ') {
      ++pos;
    } else if (!out.empty() && out.back() == ' ' &&
               (pos >= message.size() || std::string_view(".,;:!?)").find(message[pos]) != std::string_view::npos)) {
      out.pop_back();
    }
  }
  return out;
}

}  // namespace core
