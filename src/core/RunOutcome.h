// Why a run of the wizard ended, one value per cause, and what a deployment tool reads from it: the class of the
// outcome, a stable English key, and the exit code (the values Windows Installer uses, which those tools already
// understand).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace core {

enum class RunOutcome {
  // succeeded
  Updated,               // the engine reported success
  UpdatedRestartNeeded,  // success, and the engine asked for a restart
  CheckPassed,           // a check-only run found the server ready
  // failed
  EngineFailed,       // the engine ran but reported no success (or crashed)
  EngineStartFailed,  // the engine could not be started
  CopyFailed,         // the engine or the wizard could not be copied into the support folder
  WizardError,        // the wizard itself failed before the engine ran
  // refused
  EngineRunning,              // an update engine runs already
  AnotherWizard,              // another update wizard holds this server
  UpdatesFolderMissing,       // the updates folder does not exist
  UpdatesFolderUnusable,      // the updates folder's name cannot be handed to the engine
  NoPackage,                  // the updates folder holds no package file
  UpToDate,                   // packages exist, but none applies to the installed update level
  MaintenanceModeOff,         // the system is not in maintenance mode
  MaintenanceModeUnknown,     // maintenance mode cannot be read, on a server that is not the primary
  ProductHomeMissing,         // ZelmoHome unset or no existing folder
  EngineMissing,              // zuk.exe is not beside the wizard
  ProcessListUnreadable,      // whether an engine runs cannot be told
  PackagesMissingInSequence,  // the question about missing updates was answered No
  UpdatesFolderNotFixed,      // the question about a folder on no fixed drive was answered No
  SnapshotDriveRefused,       // the snapshot drive is no fixed drive or too small
  // the rest
  BadSwitch,    // a switch on the command line is unknown or malformed
  ClosedByHand  // the window was closed before the run came to its end
};

// The class of an outcome, as scripts read it.
enum class OutcomeClass { Running, Succeeded, Failed, Refused, Cancelled, BadSwitch };

OutcomeClass ClassOf(RunOutcome outcome);
// "running", "succeeded", "failed", "refused", "cancelled", "bad-switch".
std::string_view ClassKey(OutcomeClass outcomeClass);
// The stable key of the cause, such as "up-to-date".
std::string_view ReasonKey(RunOutcome outcome);
int32_t ExitCodeOf(RunOutcome outcome);

// The outcome of a run that reached the completion page. A failed run failed for the reason its launch gave, when
// the launch failed, and otherwise in the engine.
RunOutcome CompletionOutcome(bool succeeded, bool needReboot, std::optional<RunOutcome> launchFailure = std::nullopt);

// The log text of a check-only run that found the server ready, in the language with this index (0..3; English for
// any other).
std::string_view CheckOnlyReadyText(int32_t language);

}  // namespace core
