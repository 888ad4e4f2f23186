// The result file: what a run ended with, as JSON that deployment scripts read instead of the run log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/RunOutcome.h"

namespace core {

// A moment in UTC, as the platform reports it.
struct UtcTime {
  int Year = 0;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

// "2026-12-09T06:48:05Z".
std::string IsoUtcText(const UtcTime& time);

// The wizard's texts are Windows-1252; JSON is UTF-8. The five codes 1252 leaves unassigned map to the C1 controls
// of the same value, as the platform does.
std::string Utf8FromWindows1252(std::string_view text);

struct EngineRecord {
  uint32_t ProcessId = 0;
  std::optional<uint32_t> ExitCode;  // none when the engine's end could not be read
  std::string Started;               // IsoUtcText
  std::optional<std::string> Ended;  // none while it runs
};

// Every text below is Windows-1252, as the wizard holds it.
struct RunResult {
  std::optional<RunOutcome> Outcome;  // none while the run is under way
  int32_t ExitCode = 0;               // the code the wizard ends with
  std::string Message;                // the text shown or logged
  std::optional<std::string> LevelBefore;
  std::optional<std::string> LevelAfter;
  bool RestartNeeded = false;
  std::vector<std::string> Packages;  // package file names, in order
  std::string UpdatesFolder;
  std::optional<char> SnapshotDrive;
  std::optional<EngineRecord> Engine;
  std::string Started;
  std::optional<std::string> Ended;
  std::string Computer;
  std::string Version;
  std::string CommandLine;
  std::optional<std::string> Log;  // the run log actually written
};

// The Application event record of an outcome, numbered as Windows Installer numbers its own: 1000 succeeded, 1001
// succeeded with a restart needed, 1002 failed, 1003 refused, cancelled or a bad switch.
enum class EventLevel { Information, Warning, Error };
struct OutcomeEvent {
  uint32_t Id = 0;
  EventLevel Level = EventLevel::Information;
};
OutcomeEvent OutcomeEventOf(RunOutcome outcome);

// The record as UTF-8 JSON without a byte-order mark, one key a line, ending with a line break.
std::string RunResultJson(const RunResult& result);

}  // namespace core
