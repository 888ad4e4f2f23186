#include "core/RunOutcome.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(RunOutcome, EachCauseHasItsClassKeyAndInstallerExitCode) {
  struct Expected {
    RunOutcome outcome;
    const char* outcomeClass;
    const char* reason;
    int32_t exitCode;
  };
  const Expected table[] = {
      {RunOutcome::Updated, "succeeded", "updated", 0},
      {RunOutcome::UpdatedRestartNeeded, "succeeded", "updated-restart-needed", 3010},
      {RunOutcome::CheckPassed, "succeeded", "check-passed", 0},
      {RunOutcome::EngineFailed, "failed", "engine-failed", 1603},
      {RunOutcome::EngineStartFailed, "failed", "engine-start-failed", 1603},
      {RunOutcome::CopyFailed, "failed", "copy-failed", 1603},
      {RunOutcome::WizardError, "failed", "wizard-error", 1603},
      {RunOutcome::EngineRunning, "refused", "engine-running", 1618},
      {RunOutcome::AnotherWizard, "refused", "another-wizard", 1618},
      {RunOutcome::UpdatesFolderMissing, "refused", "updates-folder-missing", 1619},
      {RunOutcome::UpdatesFolderUnusable, "refused", "updates-folder-unusable", 1},
      {RunOutcome::NoPackage, "refused", "no-package", 1619},
      {RunOutcome::UpToDate, "refused", "up-to-date", 1642},
      {RunOutcome::MaintenanceModeOff, "refused", "maintenance-mode-off", 1},
      {RunOutcome::MaintenanceModeUnknown, "refused", "maintenance-mode-unknown", 1},
      {RunOutcome::ProductHomeMissing, "refused", "product-home-missing", 1},
      {RunOutcome::EngineMissing, "refused", "engine-missing", 1},
      {RunOutcome::ProcessListUnreadable, "refused", "process-list-unreadable", 1},
      {RunOutcome::PackagesMissingInSequence, "refused", "packages-missing-in-sequence", 1},
      {RunOutcome::UpdatesFolderNotFixed, "refused", "updates-folder-not-fixed", 1},
      {RunOutcome::SnapshotDriveRefused, "refused", "snapshot-drive-refused", 1},
      {RunOutcome::BadSwitch, "bad-switch", "bad-switch", 87},
      {RunOutcome::ClosedByHand, "cancelled", "closed-by-hand", 1602},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.reason);
    EXPECT_EQ(ClassKey(ClassOf(e.outcome)), e.outcomeClass);
    EXPECT_EQ(ReasonKey(e.outcome), e.reason);
    EXPECT_EQ(ExitCodeOf(e.outcome), e.exitCode);
  }
  EXPECT_EQ(ClassKey(OutcomeClass::Running), "running");
}

TEST(RunOutcome, ACompletedRunIsJudgedByTheEngineUnlessItsLaunchFailed) {
  // A restart request counts only for a run that succeeded.
  EXPECT_EQ(CompletionOutcome(true, false), RunOutcome::Updated);
  EXPECT_EQ(CompletionOutcome(true, true), RunOutcome::UpdatedRestartNeeded);
  EXPECT_EQ(CompletionOutcome(false, true), RunOutcome::EngineFailed);
  EXPECT_EQ(CompletionOutcome(false, false, RunOutcome::CopyFailed), RunOutcome::CopyFailed);
  EXPECT_EQ(CompletionOutcome(false, false, RunOutcome::EngineStartFailed), RunOutcome::EngineStartFailed);
}

}  // namespace
}  // namespace core
