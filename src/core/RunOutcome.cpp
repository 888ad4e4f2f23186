#include "core/RunOutcome.h"

#include <array>

namespace core {

OutcomeClass ClassOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Updated:
    case RunOutcome::UpdatedRestartNeeded:
    case RunOutcome::CheckPassed:
      return OutcomeClass::Succeeded;
    case RunOutcome::EngineFailed:
    case RunOutcome::EngineStartFailed:
    case RunOutcome::CopyFailed:
    case RunOutcome::WizardError:
      return OutcomeClass::Failed;
    case RunOutcome::BadSwitch:
      return OutcomeClass::BadSwitch;
    case RunOutcome::ClosedByHand:
      return OutcomeClass::Cancelled;
    default:
      return OutcomeClass::Refused;
  }
}

std::string_view ClassKey(OutcomeClass outcomeClass) {
  switch (outcomeClass) {
    case OutcomeClass::Running:
      return "running";
    case OutcomeClass::Succeeded:
      return "succeeded";
    case OutcomeClass::Failed:
      return "failed";
    case OutcomeClass::Refused:
      return "refused";
    case OutcomeClass::Cancelled:
      return "cancelled";
    case OutcomeClass::BadSwitch:
      return "bad-switch";
  }
  return "failed";
}

std::string_view ReasonKey(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Updated:
      return "updated";
    case RunOutcome::UpdatedRestartNeeded:
      return "updated-restart-needed";
    case RunOutcome::CheckPassed:
      return "check-passed";
    case RunOutcome::EngineFailed:
      return "engine-failed";
    case RunOutcome::EngineStartFailed:
      return "engine-start-failed";
    case RunOutcome::CopyFailed:
      return "copy-failed";
    case RunOutcome::WizardError:
      return "wizard-error";
    case RunOutcome::EngineRunning:
      return "engine-running";
    case RunOutcome::AnotherWizard:
      return "another-wizard";
    case RunOutcome::UpdatesFolderMissing:
      return "updates-folder-missing";
    case RunOutcome::UpdatesFolderUnusable:
      return "updates-folder-unusable";
    case RunOutcome::NoPackage:
      return "no-package";
    case RunOutcome::UpToDate:
      return "up-to-date";
    case RunOutcome::MaintenanceModeOff:
      return "maintenance-mode-off";
    case RunOutcome::MaintenanceModeUnknown:
      return "maintenance-mode-unknown";
    case RunOutcome::ProductHomeMissing:
      return "product-home-missing";
    case RunOutcome::EngineMissing:
      return "engine-missing";
    case RunOutcome::ProcessListUnreadable:
      return "process-list-unreadable";
    case RunOutcome::PackagesMissingInSequence:
      return "packages-missing-in-sequence";
    case RunOutcome::UpdatesFolderNotFixed:
      return "updates-folder-not-fixed";
    case RunOutcome::SnapshotDriveRefused:
      return "snapshot-drive-refused";
    case RunOutcome::BadSwitch:
      return "bad-switch";
    case RunOutcome::ClosedByHand:
      return "closed-by-hand";
  }
  return "wizard-error";
}

int32_t ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Updated:
    case RunOutcome::CheckPassed:
      return 0;
    case RunOutcome::UpdatedRestartNeeded:
      return 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
    case RunOutcome::EngineRunning:
    case RunOutcome::AnotherWizard:
      return 1618;  // ERROR_INSTALL_ALREADY_RUNNING
    case RunOutcome::UpdatesFolderMissing:
    case RunOutcome::NoPackage:
      return 1619;  // ERROR_INSTALL_PACKAGE_OPEN_FAILED
    case RunOutcome::UpToDate:
      return 1642;  // ERROR_PATCH_TARGET_NOT_FOUND
    case RunOutcome::ClosedByHand:
      return 1602;  // ERROR_INSTALL_USEREXIT
    case RunOutcome::BadSwitch:
      return 87;  // ERROR_INVALID_PARAMETER
    default:
      break;
  }
  return ClassOf(outcome) == OutcomeClass::Failed ? 1603 : 1;  // ERROR_INSTALL_FAILURE, or any other refusal
}

RunOutcome CompletionOutcome(bool succeeded, bool needReboot, std::optional<RunOutcome> launchFailure) {
  if (!succeeded) return launchFailure.value_or(RunOutcome::EngineFailed);
  return needReboot ? RunOutcome::UpdatedRestartNeeded : RunOutcome::Updated;
}

std::string_view CheckOnlyReadyText(int32_t language) {
  // Windows-1252, as the string tables.
  static constexpr std::array<std::string_view, 4> kTexts = {
      "Every check passed: the update could start now.",
      "Alle Pr\xFC"
      "fungen bestanden: das Update k\xF6nnte jetzt starten.",
      "Toutes les v\xE9rifications sont pass\xE9"
      "es : la mise \xE0 jour pourrait d\xE9marrer maintenant.",
      "Todas las comprobaciones son correctas: la actualizaci\xF3n podr\xED"
      "a iniciarse ahora.",
  };
  return language >= 0 && language < static_cast<int32_t>(kTexts.size()) ? kTexts[language] : kTexts[0];
}

}  // namespace core
