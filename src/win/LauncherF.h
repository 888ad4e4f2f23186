// The wizard's main window: its controls, its state and its event handlers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/EngineProtocol.h"
#include "core/LaunchSwitches.h"
#include "core/RunLog.h"
#include "core/RunOutcome.h"
#include "core/RunResult.h"
#include "win/ui/Application.h"
#include "win/ui/Form.h"

#include "win/utils/OutputFile.h"
#include "win/utils/UpdateLock.h"
#include "win/utils/Utils.h"

// The engine's side of the run: its process, the flags that follow it from the progress page to the wind-up, and the
// pipes to it. One value, reset as one.
struct TEngineRun {
  DWORD EngineProcessId = 0;
  // The engine's process handle, kept from its start until the run is wound up: liveness comes from it, so a reused
  // process identifier can never be taken for the engine.
  Utils::ScopedHandle EngineProcess;
  // The engine's exit code, read at the wind-up; none when no engine ran or the code could not be read.
  std::optional<uint32_t> EngineExitCode;
  bool EngineRunning = false;
  bool EngineStartPending = false;
  std::unique_ptr<Utils::TPipeStream> EngineOutput;
  // Closed once the engine has been started: nothing is ever written to it.
  std::unique_ptr<Utils::TPipeStream> EngineInput;

  // No engine and no pipes; then, with a buffer size, new pipes to the next engine (a pipe that cannot be made
  // raises and leaves none).
  void Reset(std::optional<DWORD> pipeBufferSize = std::nullopt);
};

class TLauncherForm : public ui::Form {
 public:
  // Describes the window and its controls; Create() makes the windows and runs FormCreate.
  TLauncherForm();
  ~TLauncherForm() override;

  // ------------------------------------------------------------ controls
  // On the window.
  ui::Label* lbServerVersionTitle;
  ui::Label* lbServerVersion;
  ui::Bevel* Bevel1;
  ui::Label* lbResponceCenter;
  ui::Image* Image1;
  ui::PageControl* PageControl1;
  ui::Panel* pnlImage;
  ui::Button* btPrev;
  ui::Button* btNext;
  ui::Button* btExit;
  ui::Timer* Timer1;
  // Moves an unattended run on by one page at each tick; idle otherwise.
  ui::Timer* UnattendedTimer;
  // Inside pnlImage.
  ui::Image* imgImage1;
  // The pages, in page order.
  ui::TabSheet* TabSheet0;
  ui::TabSheet* TabSheet1;
  ui::TabSheet* TabSheet2;
  ui::TabSheet* TabSheet3;
  ui::TabSheet* TabSheet5;
  ui::TabSheet* TabSheet6;
  ui::TabSheet* TabSheet7;
  // Welcome page.
  ui::Label* lbUpdateSystemTitle;
  ui::Label* lbUpdateSystemInfo;
  ui::Button* btUpdateSystem;
  ui::ComboBox* cbLocale;
  // Updates folder page.
  ui::Label* lbUpdateFilesPathTitle;
  ui::Label* lbUpdateFilesPathInfo;
  ui::Edit* edUpdateFilesPath;
  ui::Button* btUpdateFilesPathBrowse;
  // Update list page.
  ui::Label* lbUpdateFilesPathEchoTitle;
  ui::Label* lbUpdateFileListTitle;
  ui::Memo* txtUpdateFilesPathEcho;
  ui::StringGrid* grdUpdateFileList;
  // Snapshot page.
  ui::Label* lbSnapshotDriveTitle;
  ui::Label* lbSnapshotDriveInfo;
  ui::Label* lbSnapshotDriveSizeInfo;
  ui::DriveComboBox* cbSnapshotDrive;
  // Confirmation page.
  ui::Label* lbAboutToInstallInfo1;
  ui::Label* lbAboutToInstallInfo2;
  // Progress page.
  ui::Label* lbCurrentStepTitle;
  ui::Panel* txtCurrentStep;
  ui::Label* lbProgressTitle;
  ui::ProgressBar* sbarProgress;
  ui::Label* lbProgressDetailsTitle;
  ui::Panel* txtProgressDetails;
  ui::Label* lbProgressInfo;
  ui::Edit* edZUKInput;
  ui::Memo* memZUKOutput;
  // Completion page.
  ui::Memo* txtCompletionStatusInfo;

  // --------------------------------------------------------------- state
  std::string AppFolder;
  // The wizard's own folder as messages show it, when no 8-bit name reaches it (AppFolder is empty then).
  std::string UnusableAppFolder;
  std::string HomeFolder;
  bool NoSnapshot = false;
  std::string FoundUpdates;
  // The package files the last scan found, by number: what a run hands the engine.
  std::vector<std::string> PackageFiles;
  // The engine's process, its flags and the pipes to it.
  TEngineRun Engine;
  // Held from pre-flight checks that passed until the run is wound up, so that no other wizard prepares or runs an
  // update on this server meanwhile.
  Utils::UpdateLock ServerLock;
  // The engine and the wizard's own executable, held unchanged from before the first copy until the engine has
  // started, so that the files copied are the files started.
  std::vector<Utils::ScopedHandle> HeldSources;
  // Messages already shown in the default error box during this run: a cause that fails on every pass of the
  // waiting loop is reported once.
  std::vector<std::string> ReportedRunErrors;
  // CurrentSection, ErrorText, ResultText, StatusStep, CurrentStep, ProgressDetails, NeedReboot, SectionIndex and
  // SectionPercent: what the engine's lines and the launch fill during a run.
  core::RunState Run;
  // Why the launch failed, when it did: the completion page ends the run with it.
  std::optional<core::RunOutcome> LaunchFailure;
  std::string OutputBuffer;
  int32_t ExpectedSections = 0;
  bool UpdatesMissing = false;

  // ------------------------------------------------------ event handlers
  void FormCreate(ui::Component* Sender);
  void FormDestroy(ui::Component* Sender);
  void FormCloseQuery(ui::Component* Sender, bool& CanClose);
  void btNextClick(ui::Component* Sender);
  void btPrevClick(ui::Component* Sender);
  void btExitClick(ui::Component* Sender);
  void edUpdateFilesPathChange(ui::Component* Sender);
  void cbLocaleChange(ui::Component* Sender);
  void TabSheet2Resize(ui::Component* Sender);
  void btUpdateFilesPathBrowseClick(ui::Component* Sender);
  void cbSnapshotDriveChange(ui::Component* Sender);
  void Timer1Timer(ui::Component* Sender);

  // The one way to show a message box (flags 0 or MB_YESNO | MB_DEFBUTTON2); returns the button pressed. In an
  // unattended run no box is shown: a question is answered No, and the box's text ends the run with the outcome
  // given (or Refused), unless an engine is under way.
  int MsgBox(const std::string& text, const std::string& caption, unsigned flags);
  int MsgBox(const std::string& text, const std::string& caption, unsigned flags, core::RunOutcome outcome);

  // ------------------------------------------- texts (LauncherTexts.cpp)
  void ApplyTexts();
  void ShowServerVersion();
  // Gives texts that are too long for their place in the chosen language the room they need.
  void FitTexts();
  void FitUpdatesFolderRow();

  // ------------------------------------------ page flow (LauncherPages.cpp)
  // The pages by their index in PageControl1.
  enum Page {
    Welcome = 0,
    UpdatesFolder = 1,
    UpdateList = 2,
    Snapshot = 3,
    Confirmation = 4,
    Progress = 5,
    Completion = 6
  };
  // What a navigation button shows: usable, greyed, or nothing.
  enum class ButtonMode { Shown, Disabled, Hidden };
  void EnterPage();
  void SetButtonMode(ui::Button* button, ButtonMode mode);
  void SetNavButtons(ButtonMode prevMode, ButtonMode nextMode, ButtonMode exitMode, const std::string& nextVariant);

  // ------------------------------ update preparation (LauncherPreparation.cpp)
  bool PreflightCheck();
  bool ScanUpdatePackages();
  bool UpdatesApplicable();
  bool ValidatePage();
  void InitPreparationDefaults();
  // The two folder dialogs of the browse button.
  enum class FolderDialog { FolderBrowser, DirectoryDialog };
  // Runs the chosen dialog at the start folder: the folder chosen (in UTF-16, as a name outside the code page is),
  // or nothing when cancelled. Tests replace it.
  std::function<std::optional<std::wstring>(FolderDialog kind, const std::string& start)> RunFolderDialog;
  // The platform's folder browser, with the instruction text and the start folder preselected.
  std::optional<std::wstring> BrowseForFolder(const std::string& start);
  // The updates folder of the field as the 8-bit calls reach it (its short name where the code page cannot write
  // its name); raises with the refusal's text when none does.
  std::string UpdatesFolderPath() const;

  // -------------------------------------------- update run (LauncherRun.cpp, LauncherEngineOutput.cpp)
  // The entry action of the progress page: the start of a run.
  void EnterProgressPage();
  void InstallFile(const std::string& name);
  static bool CopyFileOver(const std::string& source, const std::string& target);
  void RunEngine();
  // Whether the engine started by this run is still running.
  bool EngineAlive() const;
  // Shows the message in the default error box unless this run has shown it already.
  void ReportRunError(const std::string& message);

  // ------------------------------------------------ completion page (LauncherCompletion.cpp)
  // Judges the run, shows its text, writes the run log and the run's records.
  void EnterCompletionPage();

  // ------------------------------- launch switches and unattended runs (LauncherUnattended.cpp)
  core::LaunchSwitches Switches;
  // The value of ~updates= as given, in UTF-16: a folder name outside the code page stays what it is.
  std::wstring UpdatesSwitchFolder;
  // How an unattended run ended, once it has.
  std::optional<core::RunOutcome> Outcome;
  // Presets the fields the switches name; a drive that does not exist becomes a switch error.
  void ApplyLaunchSwitches();
  // Reports switch errors, then presses Next (Start) for an unattended run, or ends it where Next cannot go on.
  void UnattendedTimerTimer(ui::Component* Sender);
  // Ends an unattended run before the engine starts: the text is the run log's status part.
  void StopUnattendedRun(core::RunOutcome outcome, const std::string& text);
  // Ends an unattended run; its log is written already.
  void EndUnattendedRun(core::RunOutcome outcome);
  // The process's exit code: the outcome of an unattended run; 0 in interactive use.
  int ExitCode() const;

  // ------------------------------- records of the run: result file, output file, events (LauncherRecords.cpp)
  // What the result file says, kept as the run goes.
  core::RunResult Result;
  // Every line the engine wrote, beside the run log.
  Utils::BoundedLineFile EngineOutputFile;
  // The time in the run log's name, taken when the engine starts so that the output file's name matches it; until
  // then the time of the save.
  std::optional<core::LogTime> RunLogTime;
  // The run log that SaveLog last wrote; empty when none.
  std::string WrittenLogPath;
  // The status part of the run log (the text shown or logged), and the result file's message.
  std::string LoggedStatus;
  bool OutcomeRecorded = false;
  // Checks the files that ~log and ~result name (one that cannot be written becomes a switch error) and writes the
  // result file's first record: the run is under way.
  void BeginRunRecords();
  // The engine has started: its output file opens, and the result file names its process.
  void RecordEngineStart();
  // Beside the run log and named after it: the asked-for log's place as it is, elsewhere a number that neither the
  // log nor its output file has yet, which the log will take too.
  void OpenEngineOutputFile();
  // Once per program: the result file's record of the outcome, and with eventRecord an Application event record.
  // The message is the run log's status text.
  void RecordOutcome(core::RunOutcome outcome, bool eventRecord);
  // The program ends: a run that recorded no outcome was closed by hand.
  void RecordEndOfProgram();
  // Saves the run log's text; an empty file name selects the run log's name. False on any failure.
  bool SaveLog(const std::string& text, const std::string& fileName);
  // Writes the run log: to the file asked for (replaced), else under the run log's name; where that fails, beside
  // the wizard's copy in the support bin folder, then in the temporary folder. The path written, or empty.
  std::string WriteRunLog(const std::string& text, const std::string& askedFor);
  // Writes the result file, when one is asked for. False when it could not be written.
  bool WriteResultFile();

 private:
  // Builds the controls as the window's layout describes them (LauncherLayout.cpp).
  void BuildLayout();

  // The constructor applied every text of the starting language.
  bool startingTextsApplied_ = false;
};
