// How a run of the wizard ended, and the exit code a deployment tool reads from it: the values Windows Installer
// uses, which those tools already understand.
#pragma once

#include <cstdint>
#include <string_view>

namespace core {

enum class RunOutcome {
  Succeeded,             // the engine reported success
  RestartNeeded,         // success, and the engine asked for a restart
  Failed,                // no success from the engine, the engine crashed or could not start, a copy failed
  EngineAlreadyRunning,  // refused: an update engine runs already
  NothingApplicable,     // refused: no package, or none applicable to the installed update level
  Refused,               // refused by any other check, or a question answered No
  BadSwitch,             // a switch on the command line is unknown or malformed
};

int32_t ExitCodeOf(RunOutcome outcome);

// The outcome of a run that reached the completion page.
RunOutcome CompletionOutcome(bool succeeded, bool needReboot);

// The log text of a check-only run that found the server ready, in the language with this index (0..3; English for
// any other).
std::string_view CheckOnlyReadyText(int32_t language);

}  // namespace core
