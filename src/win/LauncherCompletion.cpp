// The completion page: the run judged, its text shown, the run log written and the run's records closed.
#include <windows.h>

#include <string>

#include "core/EngineProtocol.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/RunLog.h"
#include "core/TextUtils.h"
#include "win/ComponentText.h"
#include "win/LauncherF.h"
#include "win/StepErrors.h"
#include "win/SystemText.h"

void TLauncherForm::EnterCompletionPage() {
  // Bringing the window forward may be refused while the operator works elsewhere: the taskbar button calls then.
  const bool behindAnotherWindow = GetForegroundWindow() != Handle();
  // Every step runs even when an earlier one fails: the page shows what could be composed, the log is written, and
  // only then are the failures reported.
  StepErrors errors;
  errors.Attempt([&] { SetNavButtons(ButtonMode::Hidden, ButtonMode::Hidden, ButtonMode::Shown, "_Next"); });
  errors.Attempt([&] { ui::App().BringToFront(); });

  const bool succeeded = core::RunSucceeded(Run);
  std::string status;
  if (succeeded) {
    std::string level;
    errors.Attempt([&] { level = Utils::ReadUpdateLevel(); });
    errors.Attempt([&] {
      status = core::FormatText(win::GetComponentText(*txtCompletionStatusInfo, "_Success"), {level},
                                win::UserNumberFormat());
    });
  } else {
    std::string leftOut = "[%d]";
    errors.Attempt([&] { leftOut = core::GetText("str_Message_Error_Messages_Left_Out"); });
    Run.ErrorText = core::FailureMessage(core::CollectedErrorText(Run, leftOut), OutputBuffer);
    Run.LaterErrors.clear();
    Run.LaterErrorBytes = 0;
    MessageBeep(MB_ICONHAND);
    errors.Attempt([&] {
      status = core::FormatText(win::GetComponentText(*txtCompletionStatusInfo, "_Failed"),
                                {Run.CurrentSection, Run.StatusStep, Run.CurrentStep, Run.ErrorText},
                                win::UserNumberFormat());
    });
  }
  // The page shows long lines broken, which keeps it from freezing on them; the log keeps them whole.
  std::string shown;
  errors.Attempt([&] {
    shown = core::NormaliseLineBreaks(status);
    txtCompletionStatusInfo->SetCaption(core::BreakLongLines(shown));
  });
  // The page has no label; screen readers name the result by its kind.
  errors.Attempt([&] {
    txtCompletionStatusInfo->SetAccessibleName(core::GetText(succeeded ? "str_Title_Information" : "str_Title_Error"));
  });
  // A failed run stays red on the taskbar while its page is shown; a good one leaves no bar.
  if (succeeded)
    Taskbar().ClearProgress();
  else
    Taskbar().ShowError();

  LoggedStatus = shown;
  const std::string log = core::RunLogText(shown, OutputBuffer);
  errors.Attempt([&] { memZUKOutput->SetText(log); });
  SaveLog(log, Switches.LogFile.value_or(std::string()));
  const core::RunOutcome outcome = core::CompletionOutcome(succeeded, Run.NeedReboot, LaunchFailure);
  RecordOutcome(outcome, true);
  // The run is over and told: another wizard may have the server now.
  ServerLock.Release();
  errors.Attempt([&] { ui::App().Restore(); });
  errors.Attempt([&] { ui::App().BringToFront(); });
  if (behindAnotherWindow) Taskbar().Flash();
  errors.Report(*this);
  if (Switches.Unattended) EndUnattendedRun(outcome);
}
