#include "Scenario.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace zuk {

namespace {

constexpr size_t kRepeatChunk = 64 * 1024;
constexpr uint32_t kAwaitPollMs = 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view StripBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

template <typename Int>
std::optional<Int> ParseWhole(std::string_view text) {
  Int value{};
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

uint32_t ParseCount(std::string_view text, int line, const char* what) {
  const auto value = ParseWhole<uint32_t>(StripBlanks(text));
  if (!value) throw ScenarioError(line, std::string(what) + " must be a whole number from 0 to 4294967295");
  return *value;
}

// Exit codes are 32 bits on Windows: accept them signed or unsigned.
uint32_t ParseExitCode(std::string_view text, int line) {
  const auto value = ParseWhole<int64_t>(StripBlanks(text));
  if (!value || *value < INT32_MIN || *value > UINT32_MAX)
    throw ScenarioError(line, "exit code must be a whole number from -2147483648 to 4294967295");
  return static_cast<uint32_t>(*value);
}

std::string UnescapeAt(std::string_view text, int line) {
  try {
    return Unescape(text);
  } catch (const std::invalid_argument& error) {
    throw ScenarioError(line, error.what());
  }
}

Command ParseCommand(std::string_view statement, int line) {
  const size_t keywordEnd = std::min(statement.find_first_of(" \t"), statement.size());
  const std::string_view keyword = statement.substr(0, keywordEnd);
  // The argument starts after exactly one separator so that texts may begin with blanks.
  const std::string_view argument = statement.substr(std::min(keywordEnd + 1, statement.size()));

  Command command;
  command.line = line;
  if (keyword == "print" || keyword == "raw") {
    command.op = keyword == "print" ? Op::Print : Op::Raw;
    command.text = UnescapeAt(argument, line);
  } else if (keyword == "sleep") {
    command.op = Op::Sleep;
    command.number = ParseCount(argument, line, "sleep time");
  } else if (keyword == "repeat") {
    command.op = Op::Repeat;
    const size_t countEnd = std::min(argument.find_first_of(" \t"), argument.size());
    command.number = ParseCount(argument.substr(0, countEnd), line, "repeat count");
    command.text = UnescapeAt(argument.substr(std::min(countEnd + 1, argument.size())), line);
  } else if (keyword == "readline" || keyword == "crash") {
    command.op = keyword == "readline" ? Op::ReadLine : Op::Crash;
    if (!StripBlanks(argument).empty()) throw ScenarioError(line, std::string(keyword) + " takes no argument");
  } else if (keyword == "level" || keyword == "await") {
    command.op = keyword == "level" ? Op::Level : Op::Await;
    command.text = UnescapeAt(argument, line);
    if (command.text.empty())
      throw ScenarioError(line, keyword == "level" ? "level needs an update level" : "await needs a file");
  } else if (keyword == "exit") {
    command.op = Op::Exit;
    command.number = ParseExitCode(argument, line);
  } else {
    throw ScenarioError(line, "unknown command \"" + std::string(keyword) + "\"");
  }
  return command;
}

// Writes the lines of a repeat command in large chunks: a flood of lines must
// not cost one write call each.
void WriteRepeated(const Command& command, EngineHost& host) {
  const std::string count = std::to_string(command.number);
  std::string chunk;
  chunk.reserve(kRepeatChunk + command.text.size() * 2 + 64);
  for (uint32_t i = 1; i <= command.number && i != 0; ++i) {
    const std::string counter = std::to_string(i);
    for (size_t pos = 0; pos < command.text.size();) {
      if (command.text.compare(pos, 3, "{i}") == 0) {
        chunk += counter;
        pos += 3;
      } else if (command.text.compare(pos, 3, "{n}") == 0) {
        chunk += count;
        pos += 3;
      } else {
        chunk += command.text[pos++];
      }
    }
    chunk += "\r\n";
    if (chunk.size() >= kRepeatChunk) {
      host.Write(chunk);
      chunk.clear();
    }
  }
  host.Write(chunk);
  host.Flush();
}

}  // namespace

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) throw std::invalid_argument("a backslash at the end of a text must be written \\\\");
    switch (text[i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) throw std::invalid_argument("\\x needs two hexadecimal digits");
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw std::invalid_argument(std::string("unknown escape \\") + text[i] + " (use \\\\ for a backslash)");
    }
  }
  return out;
}

Scenario ParseScenario(std::string_view text) {
  Scenario scenario;
  int line = 0;
  while (!text.empty()) {
    ++line;
    const size_t end = text.find('\n');
    std::string_view statement = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!statement.empty() && statement.back() == '\r') statement.remove_suffix(1);
    while (!statement.empty() && IsBlank(statement.front())) statement.remove_prefix(1);
    if (statement.empty() || statement.front() == '#') continue;
    scenario.push_back(ParseCommand(statement, line));
  }
  return scenario;
}

RunOutcome RunScenario(const Scenario& scenario, EngineHost& host) {
  for (const Command& command : scenario) {
    switch (command.op) {
      case Op::Print:
        host.Write(command.text + "\r\n");
        host.Flush();
        break;
      case Op::Raw:
        host.Write(command.text);
        host.Flush();
        break;
      case Op::Sleep:
        host.Sleep(command.number);
        break;
      case Op::Repeat:
        WriteRepeated(command, host);
        break;
      case Op::ReadLine:
        if (const auto input = host.ReadLine()) {
          host.Write("console: " + *input + "\r\n");
          host.Flush();
        }
        break;
      case Op::Exit:
        host.Flush();
        return {static_cast<int>(command.number), false};
      case Op::Crash:
        host.Crash();
        return {0, true};
      case Op::Level:
        if (!host.SetUpdateLevel(command.text)) {
          host.Write("[Error]:cannot record update level " + command.text + "\r\n");
          host.Flush();
        }
        break;
      case Op::Await:
        while (!host.FileExists(command.text)) host.Sleep(kAwaitPollMs);
        break;
    }
  }
  host.Flush();
  return {0, false};
}

}  // namespace zuk
