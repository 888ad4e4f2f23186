// The scripted update engine's scenario language and the player that runs it.
//
// One command per line; blank lines and lines starting with "#" are ignored,
// leading blanks and a trailing CR are dropped:
//   print <text>            the text followed by CR LF
//   raw <text>              the text as it is, no line terminator
//   sleep <ms>              pause
//   repeat <n> <text>       n lines (CR LF each); {i} becomes 1..n, {n} becomes n
//   readline                read one line from standard input, print "console: <line>"
//   exit <code>             end now with this exit code (default at the end: 0)
//   crash                   end abnormally at once, without flushing anything
//   level <text>            record the installed update level in the product registry, as a real run does
//   await <path>            wait until the file exists: a test holds the run at a step for as long as it looks
// Texts are taken from the first character after the single blank that ends
// the keyword, so leading and trailing blanks are kept. Escapes: \r \n \t \\ \xNN.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zuk {

enum class Op { Print, Raw, Sleep, Repeat, ReadLine, Exit, Crash, Level, Await };

struct Command {
  Op op = Op::Print;
  std::string text;     // print, raw, repeat, level, await: escapes already resolved
  uint32_t number = 0;  // sleep: ms; repeat: count; exit: the code's 32 bits
  int line = 0;         // line in the scenario text, for messages
};

using Scenario = std::vector<Command>;

class ScenarioError : public std::runtime_error {
 public:
  ScenarioError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Resolves the escapes; throws std::invalid_argument for an unknown or incomplete one.
std::string Unescape(std::string_view text);

// Throws ScenarioError naming the first bad line.
Scenario ParseScenario(std::string_view text);

// What the player needs from its process: the standard streams, the clock and the way to die.
class EngineHost {
 public:
  virtual ~EngineHost() = default;
  virtual void Write(std::string_view bytes) = 0;
  virtual void Flush() = 0;
  // One line without its terminator (LF, CR LF); nothing at the end of input.
  virtual std::optional<std::string> ReadLine() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Ends the process abnormally; returns only in tests.
  virtual void Crash() = 0;
  // Records the installed update level where the wizard reads it; false when that fails.
  virtual bool SetUpdateLevel(const std::string& level) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

struct RunOutcome {
  int exitCode = 0;
  bool crashed = false;
};

RunOutcome RunScenario(const Scenario& scenario, EngineHost& host);

// Scenarios built into the engine, also shipped as files in scenarios/<name>.scenario.
std::optional<std::string_view> BuiltinScenario(std::string_view name);
std::vector<std::string_view> BuiltinScenarioNames();

}  // namespace zuk
