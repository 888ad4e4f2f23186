// The wizard window's start-up, its close rules and its message box.
#include "win/LauncherF.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/EngineCommand.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/PathRules.h"
#include "core/TextUtils.h"
#include "win/ui/SelectDirectory.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/WideText.h"

namespace {

// Generous enough that the engine never waits on a full pipe while the wizard sleeps between reads.
constexpr DWORD PipeBufferSize = 65536;

// The value of the first argument that begins with the prefix (a switch name compared without regard to case), as
// given in UTF-16. The first is the one the switches took; a repeated one is an error.
std::wstring SwitchValue(const std::vector<std::string>& arguments, const std::vector<std::wstring>& wideArguments,
                         std::string_view prefix) {
  for (size_t i = 1; i < arguments.size(); ++i)
    if (core::SameTextAZ(std::string_view(arguments[i]).substr(0, prefix.size()), prefix))
      return wideArguments[i].substr(prefix.size());
  return {};
}

}  // namespace

TLauncherForm::TLauncherForm() : ui::Form("LauncherForm", "TLauncherForm") {
  BuildLayout();
  // The windows are made with the texts of the starting language rather than placeholders, so that the start does
  // not measure and lay out every text twice. A text that is missing is reported by FormCreate.
  try {
    ApplyTexts();
    startingTextsApplied_ = true;
  } catch (const std::exception&) {
  }
  RunFolderDialog = [this](FolderDialog kind, const std::string& start) -> std::optional<std::wstring> {
    if (kind == FolderDialog::FolderBrowser) return BrowseForFolder(start);
    if (std::optional<std::string> chosen = ui::SelectDirectory(start)) return Utils::WideFromAnsi(*chosen);
    return std::nullopt;
  };
}

// The handlers use this class's members, so the windows go (running FormDestroy) before they do.
TLauncherForm::~TLauncherForm() { Destroy(); }

int TLauncherForm::MsgBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MsgBox(text, caption, flags, core::RunOutcome::WizardError);
}

int TLauncherForm::MsgBox(const std::string& text, const std::string& caption, unsigned flags,
                          core::RunOutcome outcome) {
  if (!Switches.Unattended) return ui::MsgBox(text, caption, flags);
  // An engine under way is never left alone: its run ends on the completion page.
  if (!Engine.EngineRunning && !Engine.EngineStartPending) StopUnattendedRun(outcome, text);
  return (flags & MB_YESNO) ? IDNO : IDOK;
}

void TLauncherForm::FormCreate(ui::Component*) {
  // Read in UTF-16: the 8-bit command line gives a name outside the code page as a look-alike, another folder.
  const std::vector<std::wstring> wideArguments = core::SplitCommandLine(std::wstring_view(GetCommandLineW()));
  std::vector<std::string> arguments;
  for (const std::wstring& argument : wideArguments) arguments.push_back(Utils::AnsiFromWide(argument));
  Switches = core::ParseLaunchSwitches(std::span(arguments).subspan(std::min<size_t>(arguments.size(), 1)));
  NoSnapshot = Switches.NoSnapshot;
  if (Switches.UpdatesFolder) UpdatesSwitchFolder = SwitchValue(arguments, wideArguments, "~updates=");
  if (Switches.LogFile) {
    // A log file outside the code page is written through its folder's short name; failing that, beside the wizard.
    const std::wstring log = SwitchValue(arguments, wideArguments, "~log=");
    if (!Utils::ExactAnsi(log)) {
      const size_t slash = log.find_last_of(L"\\/");
      const std::optional<std::string> name = Utils::ExactAnsi(log.substr(slash + 1));
      const Utils::CodePagePath folder = Utils::InCodePage(log.substr(0, slash + 1));
      Switches.LogFile.reset();
      if (slash != std::wstring::npos && name && folder.Usable()) {
        Switches.LogFile = core::WithTrailingBackslash(folder.Path) + *name;
      } else {
        Switches.Errors.push_back("The switch \"~log=" + Utils::AnsiFromWide(log) +
                                  "\" names a file that cannot be reached: its name holds characters (shown as ?) "
                                  "outside this system's code page.");
      }
    }
  }

  const Utils::CodePagePath own = Utils::OwnExecutable();
  AppFolder = core::FolderOf(own.Path);
  if (!own.Usable()) UnusableAppFolder = core::FolderOf(own.Shown);

  // The run state's defaults are the start values: no texts, no reboot asked, no section seen yet.
  Run = core::RunState();
  ExpectedSections = 0;

  PageControl1->SetActivePageIndex(0);

  cbLocale->Clear();
  for (std::string_view name : core::LanguageNames()) cbLocale->AddItem(std::string(name));
  cbLocale->SetItemIndex(0);

  InitPreparationDefaults();
  ApplyLaunchSwitches();
  // The windows hold the starting language's texts already: only another language, or a text that was missing then
  // (and is reported now), applies them again.
  if (!startingTextsApplied_ || Switches.Language) ApplyTexts();
  ShowServerVersion();
  EnterPage();

  // A pipe that cannot be made raises; the error box reports it and the window stays on the welcome page. Start
  // refuses to run without both streams (PreflightCheck).
  Engine.Reset(PipeBufferSize);
}

void TEngineRun::Reset(std::optional<DWORD> pipeBufferSize) {
  *this = TEngineRun();
  if (!pipeBufferSize) return;
  EngineOutput = std::make_unique<Utils::TPipeStream>(Utils::PipeReadEnd, *pipeBufferSize);
  EngineInput = std::make_unique<Utils::TPipeStream>(Utils::PipeWriteEnd, *pipeBufferSize);
}

void TLauncherForm::FormDestroy(ui::Component*) {
  ui::App().OnException = nullptr;
  Engine.Reset();
}

void TLauncherForm::FormCloseQuery(ui::Component*, bool& CanClose) {
  const bool runUnderWay =
      (Engine.EngineRunning || Engine.EngineStartPending) && PageControl1->ActivePageIndex() == Progress;
  if (Engine.EngineRunning && EngineAlive()) {
    CanClose = false;
    MsgBox(core::FormatText(core::GetText("str_Message_Cant_Close_Application_Update_Utility_Engine_Still_Running"),
                            {core::EngineFileName}),
           core::GetText("str_Title_Information"), 0);
  } else if (runUnderWay) {
    // Started, but no engine runs (a copy failed, the start failed, or the engine has just ended): the run is
    // wound up now, with its completion page and log, instead of at the next tick that would never come.
    ui::Guarded([&] { Timer1Timer(Timer1); });
  } else if (Switches.Unattended && !Outcome && PageControl1->ActivePageIndex() < Progress) {
    StopUnattendedRun(core::RunOutcome::ClosedByHand, "The wizard was closed before the run came to its end.");
  }
  // The wizard never reboots anything itself; it only reminds the operator. An unattended run says it in its exit
  // code instead.
  if (CanClose && Run.NeedReboot && !Switches.Unattended)
    MsgBox(core::GetText("str_Message_Server_Needs_Reboot"), core::GetText("str_Title_Information"), 0);
}

void TLauncherForm::btExitClick(ui::Component*) {
  if (CloseQuery()) ui::App().Terminate();
}
