// The update run: installing and starting the engine, waiting for it in the run's own loop, and the wind-up once
// it has gone.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/EngineCommand.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/PathRules.h"
#include "core/TextUtils.h"
#include "win/ComponentText.h"
#include "win/LauncherEngineOutput.h"
#include "win/LauncherF.h"
#include "win/StepErrors.h"
#include "win/SystemText.h"
#include "win/utils/Files.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/Paths.h"

namespace {

// Longest pause of the waiting loop while the engine is silent. After output the pauses start short and double up
// to it, so that an engine writing in bursts does not sit blocked on a full pipe for a whole pause.
constexpr DWORD kIdleWaitMs = 50;

// The step line shows its new text at once, before the window is busy copying or starting.
void ShowStepNow(TLauncherForm& form, const std::string& text) {
  form.txtCurrentStep->SetCaption(text);
  if (form.txtCurrentStep->Handle()) UpdateWindow(form.txtCurrentStep->Handle());
  form.Run.CurrentStep = form.txtCurrentStep->Caption();
}

}  // namespace

void TLauncherForm::EnterProgressPage() {
  SetNavButtons(ButtonMode::Hidden, ButtonMode::Hidden, ButtonMode::Disabled, "_Next");
  Engine.EngineStartPending = true;
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
  // A service engineer who holds Shift and Ctrl while pressing Start gets the engine's console window, minimized, to
  // watch it; everyone else never sees it.
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;

  const std::string engine = AppFolder + std::string(core::EngineFileName);
  Engine.EngineProcessId = 0;
  Engine.EngineProcess.Reset();
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
  if (!Engine.EngineInput || !Engine.EngineOutput) {
    if (!LaunchFailure) LaunchFailure = core::RunOutcome::EngineStartFailed;
  } else if (!LaunchFailure) {
    Utils::TStartedProcess started =
        Utils::StartChildProcess(engine, arguments, shift && control, Engine.EngineInput->OtherEndHandle(),
                                 Engine.EngineOutput->OtherEndHandle(), Engine.EngineOutput->OtherEndHandle());
    Engine.EngineProcessId = started.Id;
    Engine.EngineProcess = std::move(started.Process);
    if (Engine.EngineProcessId != 0) {
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
  Engine.EngineInput.reset();
  HeldSources.clear();
  Engine.EngineRunning = true;
  Engine.EngineStartPending = false;

  // The nested event loop. The run is wound up from inside it by the timer's handler: at a tick, or as soon as
  // the loop finds the pipe quiet and the engine gone, which saves the operator up to a second.
  DWORD idleWait = 1;
  while (Engine.EngineRunning && !ui::App().Terminated()) {
    bool any = false;
    try {
      any = DrainWaitingLines(*this);
    } catch (const std::exception& error) {
      // The lines behind the failing one are taken on the next pass.
      any = true;
      ReportRunError(error.what());
    }
    ui::App().ProcessMessages();
    if (!Engine.EngineRunning || ui::App().Terminated()) break;
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

bool TLauncherForm::EngineAlive() const { return Utils::IsProcessHandleAlive(Engine.EngineProcess.Get()); }

void TLauncherForm::ReportRunError(const std::string& message) {
  if (std::find(ReportedRunErrors.begin(), ReportedRunErrors.end(), message) != ReportedRunErrors.end()) return;
  ReportedRunErrors.push_back(message);
  ui::App().ShowException(message);
}

void TLauncherForm::Timer1Timer(ui::Component*) {
  if (!Engine.EngineRunning && !Engine.EngineStartPending) return;
  // Only a run on the progress page is wound up: a tick that comes while the completion page is composed (from
  // the loop of a box it shows) finds the run leaving it already.
  if (PageControl1->ActivePageIndex() != Progress) return;
  if (EngineAlive()) return;

  Engine.EngineRunning = false;
  HeldSources.clear();
  DWORD exitCode = 0;
  if (Engine.EngineProcess && GetExitCodeProcess(Engine.EngineProcess.Get(), &exitCode))
    Engine.EngineExitCode = exitCode;
  Engine.EngineProcess.Reset();
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
    } endPending{Engine.EngineStartPending};
    errors.Attempt([&] { btNext->Click(); });
    errors.Attempt([&] { ShowServerVersion(); });
  }
  errors.Report(*this);
}
