// The update run: installing and starting the engine, following its output, the completion page and the run log.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/EngineCommand.h"
#include "core/EngineProtocol.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/OutputTail.h"
#include "core/PathRules.h"
#include "core/RunLog.h"
#include "core/TextUtils.h"
#include "win/ComponentText.h"
#include "win/LauncherF.h"
#include "win/SystemText.h"
#include "win/utils/Files.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/Paths.h"
#include "win/utils/Clock.h"

namespace {

// One pass of the waiting loop interprets what waits for at most this long before the window gets its turn.
constexpr double kPassBudgetSeconds = 0.030;
// Lines interpreted between two looks at the clock.
constexpr int kLinesPerClockCheck = 16;
// Longest pause of the waiting loop while the engine is silent. After output the pauses start short and double up
// to it, so that an engine writing in bursts does not sit blocked on a full pipe for a whole pause.
constexpr DWORD kIdleWaitMs = 50;

// The progress page as the engine's lines move it. What the lines show is collected and put on the controls by
// Show(): after a single line, or once after a whole burst, so that a chatty engine costs one repaint per pass of
// the waiting loop instead of one per line.
class ProgressPageView : public core::EngineView {
 public:
  explicit ProgressPageView(TLauncherForm& form) : form_(form) {}

  void SetSectionTitle(const std::string& text) override { sectionTitle_ = text; }
  std::string ShowInitializingStep() override {
    step_ = win::GetComponentText(*form_.txtCurrentStep, "_Initializing");
    return *step_;
  }
  void ShowCurrentStep(const std::string& text) override { step_ = text; }
  void ClearDetails() override { details_ = std::string(); }
  void ShowDetails(const std::string& text) override { details_ = text; }
  int32_t SetBarPosition(int32_t position) override {
    // Where the bar will hold it: within its range.
    const int low = form_.sbarProgress->Min();
    barPosition_ = std::clamp(position, low, std::max(low, form_.sbarProgress->Max()));
    return *barPosition_;
  }
  int32_t BarMaximum() const override { return form_.sbarProgress->Max(); }
  void ShowProgressTitle(int32_t percent) override { titlePercent_ = percent; }
  void ShowServerVersion() override { serverVersion_ = true; }

  void Show() {
    if (sectionTitle_) form_.lbCurrentStepTitle->SetCaption(*sectionTitle_);
    if (step_) form_.txtCurrentStep->SetCaption(*step_);
    if (details_) form_.txtProgressDetails->SetCaption(*details_);
    if (barPosition_) form_.sbarProgress->SetPosition(*barPosition_);
    if (titlePercent_) {
      form_.lbProgressTitle->SetCaption(
          core::FormatText(win::GetComponentText(*form_.lbProgressTitle), {*titlePercent_}, win::UserNumberFormat()));
      form_.Taskbar().ShowProgress(*titlePercent_);
    }
    if (serverVersion_) form_.ShowServerVersion();
    sectionTitle_.reset();
    step_.reset();
    details_.reset();
    barPosition_.reset();
    titlePercent_.reset();
    serverVersion_ = false;
  }

 private:
  TLauncherForm& form_;
  std::optional<std::string> sectionTitle_;
  std::optional<std::string> step_;
  std::optional<std::string> details_;
  std::optional<int32_t> barPosition_;
  std::optional<int32_t> titlePercent_;
  bool serverVersion_ = false;
};

// One engine line: kept in the output tail, then interpreted. Kept first, so that a line whose interpretation
// fails still reaches the log.
void TakeLine(TLauncherForm& form, ProgressPageView& view, const std::string& line) {
  const bool continued = form.EngineOutput && form.EngineOutput->LastLineContinued();
  form.EngineOutputFile.Append(line, continued);
  core::AppendOutputLine(form.OutputBuffer, line);
  // The rest of a line too long for the reader is never the start of a tagged line; nor is what an engine left
  // without a line end when it ended: it may have died in the middle of writing it ("[Result]:Upd").
  if (continued || (form.EngineOutput && form.EngineOutput->LastLineUnterminated())) {
    core::HandleContinuedEngineLine(form.Run, view, line);
  } else {
    core::HandleEngineLine(form.Run, view, line);
  }
}

// Takes lines with next(line) until it gives none or until stop(); the page shows the outcome once at the end.
// True if any line was taken.
template <class Next, class Stop>
bool TakeLines(TLauncherForm& form, Next next, Stop stop) {
  ProgressPageView view(form);
  std::string line;
  bool any = false;
  try {
    while (next(line)) {
      any = true;
      TakeLine(form, view, line);
      if (stop()) break;
    }
  } catch (...) {
    view.Show();
    throw;
  }
  view.Show();
  return any;
}

// Interprets the complete lines waiting, until none waits or the pass has used its time.
bool DrainWaitingLines(TLauncherForm& form) {
  if (!form.EngineOutput) return false;
  const double deadline = Utils::MonotonicSeconds() + kPassBudgetSeconds;
  int count = 0;
  return TakeLines(
      form, [&](std::string& line) { return form.EngineOutput->ReadLine(line); },
      [&] { return ++count % kLinesPerClockCheck == 0 && Utils::MonotonicSeconds() >= deadline; });
}

// At the end of a run the engine has gone and nothing more will arrive: every line still waiting is taken, an
// unterminated last one included (as output only).
void DrainRemainingLines(TLauncherForm& form) {
  if (!form.EngineOutput) return;
  TakeLines(
      form, [&](std::string& line) { return form.EngineOutput->ReadLineOrRest(line); }, [] { return false; });
}

// Runs each step of a sequence that must go on to its end, keeping the message of every step that fails.
class StepErrors {
 public:
  template <class Step>
  void Attempt(Step&& step) {
    try {
      step();
    } catch (const std::exception& error) {
      Keep(error.what());
    } catch (...) {
      Keep("Unexpected error");
    }
  }
  // Each failure in the default error box, once per run.
  void Report(TLauncherForm& form) const {
    for (const std::string& message : messages_) form.ReportRunError(message);
  }

 private:
  void Keep(const std::string& message) {
    if (std::find(messages_.begin(), messages_.end(), message) == messages_.end()) messages_.push_back(message);
  }

  std::vector<std::string> messages_;
};

// The step line shows its new text at once, before the window is busy copying or starting.
void ShowStepNow(TLauncherForm& form, const std::string& text) {
  form.txtCurrentStep->SetCaption(text);
  if (form.txtCurrentStep->Handle()) UpdateWindow(form.txtCurrentStep->Handle());
  form.Run.CurrentStep = form.txtCurrentStep->Caption();
}

}  // namespace

// ------------------------------------------------------------------ pages

void TLauncherForm::EnterProgressPage() {
  SetNavButtons(ButtonMode::Hidden, ButtonMode::Hidden, ButtonMode::Disabled, "_Next");
  EngineStartPending = true;
  LaunchFailure.reset();
  ReportedRunErrors.clear();
  const std::string ownName = core::FileNamePart(Utils::OwnExecutablePath());
  // A file that cannot be held is left for the copy to report.
  HeldSources.clear();
  for (const std::string& name : {std::string(core::EngineFileName), ownName})
    HeldSources.push_back(Utils::HoldFileUnchanged(AppFolder + name));
  InstallFile(std::string(core::EngineFileName));
  InstallFile(ownName);
  RunEngine();
  ui::App().BringToFront();
}

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

  errors.Attempt([&] { memZUKOutput->SetText(core::RunLogText(shown, OutputBuffer)); });
  SaveLog(memZUKOutput, Switches.LogFile.value_or(std::string()));
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

// ------------------------------------------------------------ engine launch

void TLauncherForm::InstallFile(const std::string& name) {
  const std::string source = AppFolder + name;
  const std::string target = HomeFolder + std::string(core::SupportBinFolder) + name;
  // Started from the support bin folder itself: the file is already in place.
  if (core::SameTextAZ(Utils::FullPath(source), Utils::FullPath(target)) || Utils::IsSameFile(source, target)) return;

  ShowStepNow(*this,
              core::FormatText(win::GetComponentText(*txtCurrentStep, "_Updating"), {target}, win::UserNumberFormat()));
  if (HomeFolder.empty()) {
    // The pre-flight checks set the product home before a run can start; without it the copy would land in the
    // root of the current drive.
    Run.ErrorText = "The product home folder is not known.";
    LaunchFailure = core::RunOutcome::WizardError;
    throw std::logic_error(Run.ErrorText);
  }
  if (CopyFileOver(source, target)) return;

  const DWORD code = GetLastError();
  LaunchFailure = core::RunOutcome::CopyFailed;
  Run.ErrorText = core::FormatText("%s\r\r[%d] %s:\r\r%s\r\r%s",
                                   {core::GetText("str_Message_Generic_Error"), static_cast<unsigned long long>(code),
                                    win::SystemErrorMessage(code), source, target},
                                   win::UserNumberFormat());
  throw win::EOSError(code);
}

bool TLauncherForm::CopyFileOver(const std::string& source, const std::string& target) {
  const size_t slash = target.find_last_of("\\/");
  if (slash != std::string::npos) Utils::ForceDirectories(target.substr(0, slash + 1));
  // A read-only target could not be replaced; there may be no target yet, which is fine.
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) return false;
  // The copy keeps none of the source's attributes (read-only from a CD, for one).
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  return true;
}

void TLauncherForm::RunEngine() {
  ShowStepNow(*this, win::GetComponentText(*txtCurrentStep, "_Initializing"));

  std::string arguments;
  try {
    const char drive = cbSnapshotDrive->Drive();
    arguments =
        core::EngineArguments(NoSnapshot, drive ? std::optional<char>(drive) : std::nullopt, UpdatesFolderPath());
  } catch (const std::exception& error) {
    // No engine runs; the next tick ends the run as failed, with this reason.
    Run.ErrorText = error.what();
    LaunchFailure = core::RunOutcome::WizardError;
    throw;
  }
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;

  const std::string engine = AppFolder + std::string(core::EngineFileName);
  EngineProcessId = 0;
  EngineProcess.Reset();
  // The pre-flight checks were passed a while ago, and an engine started by hand or by a wizard of an older
  // version takes no lock: one more look just before the start.
  DWORD runningEngine = 0;
  try {
    runningEngine = Utils::FindProcessByExeName(std::string(core::EngineFileName));
  } catch (const Utils::EInOutError& error) {
    Run.ErrorText = core::FormatText(
        "%s\r\r[%d] %s", {core::GetText("str_Message_Generic_Error"), static_cast<unsigned long long>(error.ErrorCode),
                          win::SystemErrorMessage(error.ErrorCode)});
    LaunchFailure = core::RunOutcome::ProcessListUnreadable;
  }
  if (runningEngine != 0) {
    Run.ErrorText = core::FormatText(core::GetText("str_Message_Cant_Start_Update_Utility_Engine_Already_Running"),
                                     {core::EngineFileName});
    LaunchFailure = core::RunOutcome::EngineRunning;
  }
  if (!EngineInput || !EngineOutput) {
    if (!LaunchFailure) LaunchFailure = core::RunOutcome::EngineStartFailed;
  } else if (!LaunchFailure) {
    Utils::TStartedProcess started =
        Utils::StartChildProcess(engine, arguments, shift && control, EngineInput->OtherEndHandle(),
                                 EngineOutput->OtherEndHandle(), EngineOutput->OtherEndHandle());
    EngineProcessId = started.Id;
    EngineProcess = std::move(started.Process);
    if (EngineProcessId != 0) {
      RecordEngineStart();
    } else {
      // Reported on the completion page, which would otherwise name no reason.
      const DWORD code = GetLastError();
      LaunchFailure = core::RunOutcome::EngineStartFailed;
      Run.ErrorText =
          core::FormatText("%s\r\r[%d] %s:\r\r%s",
                           {core::GetText("str_Message_Generic_Error"), static_cast<unsigned long long>(code),
                            win::SystemErrorMessage(code, engine), engine},
                           win::UserNumberFormat());
    }
  }
  // Nothing is ever written to the engine: with the wizard's end of its input closed, an engine that reads gets the
  // end of its input at once instead of waiting for good. There is one run per start of the wizard.
  EngineInput.reset();
  HeldSources.clear();
  EngineRunning = true;
  EngineStartPending = false;

  // The nested event loop. The run is wound up from inside it by the timer's handler: at a tick, or as soon as
  // the loop finds the pipe quiet and the engine gone, which saves the operator up to a second.
  DWORD idleWait = 1;
  while (EngineRunning && !ui::App().Terminated()) {
    bool any = false;
    try {
      any = DrainWaitingLines(*this);
    } catch (const std::exception& error) {
      // The lines behind the failing one are taken on the next pass.
      any = true;
      ReportRunError(error.what());
    }
    ui::App().ProcessMessages();
    if (!EngineRunning || ui::App().Terminated()) break;
    if (any) {
      idleWait = 1;
      continue;
    }
    if (!EngineAlive()) {
      ui::Guarded([&] { Timer1Timer(Timer1); });
      continue;
    }
    // Wakes early for any window message, the timer's included.
    MsgWaitForMultipleObjectsEx(0, nullptr, idleWait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    idleWait = std::min(idleWait * 2, kIdleWaitMs);
  }
}

// ------------------------------------------------------------ monitoring

bool TLauncherForm::EngineAlive() const { return Utils::IsProcessHandleAlive(EngineProcess.Get()); }

void TLauncherForm::ReportRunError(const std::string& message) {
  if (std::find(ReportedRunErrors.begin(), ReportedRunErrors.end(), message) != ReportedRunErrors.end()) return;
  ReportedRunErrors.push_back(message);
  ui::App().ShowException(message);
}

void TLauncherForm::Timer1Timer(ui::Component*) {
  if (!EngineRunning && !EngineStartPending) return;
  // Only a run on the progress page is wound up: a tick that comes while the completion page is composed (from
  // the loop of a box it shows) finds the run leaving it already.
  if (PageControl1->ActivePageIndex() != Progress) return;
  if (EngineAlive()) return;

  EngineRunning = false;
  HeldSources.clear();
  DWORD exitCode = 0;
  if (EngineProcess && GetExitCodeProcess(EngineProcess.Get(), &exitCode)) EngineExitCode = exitCode;
  EngineProcess.Reset();
  // Every waiting line is taken, also those behind one whose interpretation fails.
  StepErrors errors;
  for (bool done = false; !done;) {
    done = true;
    errors.Attempt([&] {
      done = false;
      DrainRemainingLines(*this);
      done = true;
    });
  }
  {
    // Even when the completion page fails, the run is over: later ticks must not wind it up again.
    struct EndPending {
      bool& flag;
      ~EndPending() { flag = false; }
    } endPending{EngineStartPending};
    errors.Attempt([&] { btNext->Click(); });
    errors.Attempt([&] { ShowServerVersion(); });
  }
  errors.Report(*this);
}

bool TLauncherForm::SaveLog(ui::Memo* memo, const std::string& fileName) {
  if (!memo) return false;
  try {
    WrittenLogPath = WriteRunLog(memo->Text(), fileName);
    return !WrittenLogPath.empty();
  } catch (...) {
    return false;
  }
}
