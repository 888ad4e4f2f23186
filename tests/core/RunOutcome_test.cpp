#include "core/RunOutcome.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(RunOutcome, ExitCodesAreTheInstallerValues) {
  EXPECT_EQ(ExitCodeOf(RunOutcome::Succeeded), 0);
  EXPECT_EQ(ExitCodeOf(RunOutcome::RestartNeeded), 3010);
  EXPECT_EQ(ExitCodeOf(RunOutcome::Failed), 1603);
  EXPECT_EQ(ExitCodeOf(RunOutcome::EngineAlreadyRunning), 1618);
  EXPECT_EQ(ExitCodeOf(RunOutcome::NothingApplicable), 1642);
  EXPECT_EQ(ExitCodeOf(RunOutcome::Refused), 1);
  EXPECT_EQ(ExitCodeOf(RunOutcome::BadSwitch), 87);

  // A restart request counts only for a run that succeeded.
  EXPECT_EQ(CompletionOutcome(true, false), RunOutcome::Succeeded);
  EXPECT_EQ(CompletionOutcome(true, true), RunOutcome::RestartNeeded);
  EXPECT_EQ(CompletionOutcome(false, true), RunOutcome::Failed);
  EXPECT_EQ(CompletionOutcome(false, false), RunOutcome::Failed);
}

}  // namespace
}  // namespace core
