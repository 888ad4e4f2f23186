#include "core/RunLog.h"

#include <array>
#include <stdexcept>

#include "core/TextUtils.h"

namespace core {

namespace {

constexpr std::array<std::string_view, 12> kEnglishMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string ZeroPadded(int value, size_t width) {
  std::string digits = std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

bool IsFolderSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// A locale's month name goes into a file name: it must not add a folder
// level or a character the file system refuses.
std::string FileNameSafe(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  return out;
}

std::string MonthText(int month, std::string_view abbreviation) {
  if (!abbreviation.empty()) return FileNameSafe(abbreviation);
  if (month >= 1 && month <= 12) return std::string(kEnglishMonths[static_cast<size_t>(month - 1)]);
  return ZeroPadded(month, 2);
}

}  // namespace

std::string RunLogName(std::string_view exePath, const LogTime& time, std::string_view monthAbbreviation) {
  if (exePath.empty() || IsFolderSeparator(exePath.back()))
    throw std::invalid_argument("The run log needs the path of a file, not \"" + std::string(exePath) + "\".");
  size_t nameStart = exePath.size();
  while (nameStart > 0 && !IsFolderSeparator(exePath[nameStart - 1])) --nameStart;
  const size_t dot = exePath.substr(nameStart).rfind('.');
  const std::string_view stem = dot == std::string_view::npos ? exePath : exePath.substr(0, nameStart + dot);

  std::string name(stem);
  name += '.';
  name += ZeroPadded(time.Year, 4);
  name += MonthText(time.Month, monthAbbreviation);
  name += ZeroPadded(time.Day, 2);
  name += '_';
  name += ZeroPadded(time.Hour, 2);
  name += '_';
  name += ZeroPadded(time.Minute, 2);
  name += ".log";
  return name;
}

std::string NumberedLogName(std::string_view logName, int number) {
  if (number <= 1) return std::string(logName);
  constexpr std::string_view ending = ".log";
  const bool hasEnding = logName.size() >= ending.size() && SameTextAZ(logName.substr(logName.size() - 4), ending);
  const size_t stem = hasEnding ? logName.size() - ending.size() : logName.size();
  return std::string(logName.substr(0, stem)) + "_" + std::to_string(number) + std::string(logName.substr(stem));
}

std::string OutputLogName(std::string_view logName) {
  const size_t nameStart = logName.find_last_of("\\/:");
  const size_t dot = logName.rfind('.');
  const bool hasExtension = dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
  const size_t stem = hasExtension ? dot : logName.size();
  return std::string(logName.substr(0, stem)) + ".output" + std::string(logName.substr(stem));
}

std::string OutputLeftOutLine(uint64_t lines, uint64_t bytes, uint64_t limitBytes) {
  return "** " + std::to_string(lines) + " more lines (" + std::to_string(bytes) +
         " bytes) left out: this file holds at most " + std::to_string(limitBytes) + " bytes **";
}

std::string RunLogText(std::string_view statusText, std::string_view outputBuffer) {
  std::string text;
  text.reserve(statusText.size() + kOutputSeparator.size() + outputBuffer.size());
  text += statusText;
  text += kOutputSeparator;
  text += outputBuffer;
  return text;
}

std::string FailureMessage(std::string_view errorText, std::string_view outputBuffer) {
  if (!errorText.empty()) return std::string(errorText);
  return NormaliseLineBreaks(outputBuffer);
}

}  // namespace core
