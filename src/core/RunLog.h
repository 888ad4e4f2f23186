// The run log: its name beside the wizard's executable and its content, the
// completion page's status text followed by the engine's output tail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Local time of the save, as the platform reports it.
struct LogTime {
  int Year = 0;
  int Month = 1;  // 1..12
  int Day = 1;
  int Hour = 0;  // 0..23
  int Minute = 0;
};

inline constexpr std::string_view kOutputSeparator = "\r\n** output ******************************************\r\n";

// The executable's full path with its extension (from the last dot of the
// file-name part on) replaced by ".yyyymmmdd_hh_nn.log", e.g.
// C:\Media\Launcher.exe -> C:\Media\Launcher.2026Dec07_14_05.log.
// monthAbbreviation is the locale's abbreviated month name; when it is empty
// the English one is used. Characters that a file name cannot hold become "_".
// Throws std::invalid_argument for an empty path or one that ends in a folder separator.
std::string RunLogName(std::string_view exePath, const LogTime& time, std::string_view monthAbbreviation);

// The name a run log takes when the earlier ones exist: number 1 is logName
// itself, numbers 2 and up insert "_2", "_3", ... before its ".log" ending, so
// that a second run within the same minute keeps the first one's log.
std::string NumberedLogName(std::string_view logName, int number);

// The name of the file beside a run log that holds the engine's complete output: ".output" before the name's last
// extension (C:\Media\Launcher.2026Dec07_14_05.log -> C:\Media\Launcher.2026Dec07_14_05.output.log), or after a
// name that has none.
std::string OutputLogName(std::string_view logName);

// The last line of an output file that reached its size limit: how much of the engine's output it left out.
std::string OutputLeftOutLine(uint64_t lines, uint64_t bytes, uint64_t limitBytes);

// The memo's text, written to the log unchanged: status text, separator, output tail.
std::string RunLogText(std::string_view statusText, std::string_view outputBuffer);

// The message part of the failure text: the collected errors, or the output
// tail with normalised line breaks when there were none.
std::string FailureMessage(std::string_view errorText, std::string_view outputBuffer);

}  // namespace core
