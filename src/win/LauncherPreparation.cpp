// Preparing an update: the checks before a run, the update packages, the updates folder and the snapshot drive.
#include "win/LauncherF.h"

#include <objbase.h>
#include <shlobj.h>

#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "core/DriveSpace.h"
#include "core/EngineCommand.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/PackageRules.h"
#include "core/PathRules.h"
#include "win/SystemText.h"
#include "win/ui/ComApartment.h"
#include "win/utils/Drives.h"
#include "win/utils/Files.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/Paths.h"
#include "win/utils/SystemLibrary.h"
#include "win/utils/Utils.h"
#include "win/utils/WideText.h"

namespace {

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

// The shell and COM are loaded when the folder browser first opens, not with the program: loading them costs the
// start of the wizard time that its welcome page does not need. They stay loaded once there.
template <class Function>
Function* RequiredSystemFunction(const char* module, const char* name) {
  Function* function = Utils::SystemFunction<Function>(module, name);
  if (!function) throw win::EOSError(GetLastError());
  return function;
}

// The refusal of a folder that no 8-bit name reaches.
std::string FolderNameNotSupported(const std::string& shown) {
  return core::FormatText(core::GetText("str_Message_Folder_Name_Not_Supported"), {shown});
}

}  // namespace

// ------------------------------------------------------------------------------------------ pre-flight checks

bool TLauncherForm::PreflightCheck() {
  const std::string title = core::GetText("str_Title_Error");
  const std::string generic = core::GetText("str_Message_Generic_Error");

  // The server is held from before the first look at it, so that no other wizard can pass the same checks before
  // this one has started its engine. A refusal gives it up before its box, which may stay up for long.
  Utils::UpdateLock lock;
  auto refuse = [&](const std::string& text, core::RunOutcome outcome) {
    lock.Release();
    MsgBox(text, title, 0, outcome);
    return false;
  };
  auto systemError = [&](DWORD code) {
    return core::FormatText("%s\r\r[%d] %s",
                            {generic, static_cast<unsigned long long>(code), win::SystemErrorMessage(code)});
  };

  try {
    lock = Utils::UpdateLock::TryTake();
  } catch (const Utils::EInOutError& error) {
    return refuse(systemError(error.ErrorCode), core::RunOutcome::WizardError);
  }
  if (!lock.Held())
    return refuse(core::GetText("str_Message_Cant_Start_Another_Update_Wizard_Running"),
                  core::RunOutcome::AnotherWizard);

  DWORD runningEngine = 0;
  try {
    runningEngine = Utils::FindProcessByExeName(std::string(core::EngineFileName));
  } catch (const Utils::EInOutError& error) {
    // Not knowing whether an engine runs refuses the start like any other fault of the machine's set-up.
    return refuse(systemError(error.ErrorCode), core::RunOutcome::ProcessListUnreadable);
  }
  if (runningEngine != 0)
    return refuse(core::FormatText(core::GetText("str_Message_Cant_Start_Update_Utility_Engine_Already_Running"),
                                   {core::EngineFileName}),
                  core::RunOutcome::EngineRunning);

  // Read in UTF-16, as the folder names: the 8-bit value would name a look-alike of a name outside the code page.
  const std::wstring home = Utils::ReadEnvVarWide("ZelmoHome");
  if (home.empty()) {
    const DWORD code = GetLastError();
    HomeFolder.clear();
    return refuse(core::FormatText("%s\r\r[%d] %s: \"ZelmoHome\"",
                                   {generic, static_cast<int>(code), win::SystemErrorMessage(code)}),
                  core::RunOutcome::ProductHomeMissing);
  }

  if (!Utils::IsExistingFolder(home)) {
    const DWORD code = GetLastError();
    HomeFolder = Utils::AnsiFromWide(home);
    return refuse(core::FormatText("%s\r\r[%d] %s: %s",
                                   {generic, static_cast<int>(code), win::SystemErrorMessage(code), HomeFolder}),
                  core::RunOutcome::ProductHomeMissing);
  }

  const Utils::CodePagePath homePath = Utils::InCodePage(home);
  HomeFolder = homePath.Path;
  if (!homePath.Usable()) return refuse(FolderNameNotSupported(homePath.Shown), core::RunOutcome::ProductHomeMissing);

  if (!UnusableAppFolder.empty())
    return refuse(FolderNameNotSupported(UnusableAppFolder), core::RunOutcome::EngineMissing);
  if (!Utils::IsExistingFile(AppFolder + std::string(core::EngineFileName)))
    return refuse(core::FormatText(core::GetText("str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder"),
                                   {core::EngineFileName, AppFolder}),
                  core::RunOutcome::EngineMissing);

  switch (Utils::GetMaintenanceMode()) {
    case Utils::MaintenanceOn:
      break;
    case Utils::MaintenanceOff:
      return refuse(core::GetText("str_Message_Cant_Start_System_Not_In_MaintenanceMode"),
                    core::RunOutcome::MaintenanceModeOff);
    default:
      if (Utils::GetServerRole() != Utils::RolePrimary)
        return refuse(core::FormatText(core::GetText("str_Message_Cant_Determine_Remote_MaintenanceMode"),
                                       {Utils::ReadPrimaryNodeName()}),
                      core::RunOutcome::MaintenanceModeUnknown);
      break;
  }

  // The folder accepted on its page may have gone since.
  const std::wstring updates = edUpdateFilesPath->WideText();
  if (!Utils::IsExistingFolder(updates)) {
    return refuse(lbUpdateFilesPathTitle->Caption() + "\r\r" + Utils::AnsiFromWide(updates),
                  core::RunOutcome::UpdatesFolderMissing);
  }

  // Without both pipes the engine would run with nothing to talk to: the start-up error already said why.
  if (!Engine.EngineOutput || !Engine.EngineInput) return refuse(generic, core::RunOutcome::WizardError);

  ServerLock = std::move(lock);
  return true;
}

// ------------------------------------------------------------------------------------------- update packages

bool TLauncherForm::ScanUpdatePackages() {
  // The field holds the full path its page accepted; a name outside the code page is searched by its short name.
  const std::wstring folder = edUpdateFilesPath->WideText();
  const Utils::CodePagePath searched = Utils::InCodePage(folder);
  txtUpdateFilesPathEcho->SetWideText(folder);

  grdUpdateFileList->SetRowCount(2);
  grdUpdateFileList->SetCell(0, 0, core::GetText("str_Title_Column_Updates"));
  grdUpdateFileList->SetCell(
      0, 1, core::FormatText(core::GetText("str_Message_No_Files_Matching"), {core::PackagePlaceholderPattern}));
  TabSheet2Resize(grdUpdateFileList);

  std::vector<std::string> names;
  const std::string pattern = core::WithTrailingBackslash(searched.Path) + std::string(core::PackageSearchPattern);
  WIN32_FIND_DATAA entry;
  HANDLE search = searched.Usable() ? FindFirstFileA(pattern.c_str(), &entry) : INVALID_HANDLE_VALUE;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
      names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }

  core::PackageScan scan = core::ScanPackageNames(names);
  FoundUpdates = scan.FoundUpdates;
  PackageFiles = scan.Files;
  ExpectedSections = scan.ExpectedSections;
  UpdatesMissing = scan.UpdatesMissing;
  if (scan.Rows.empty()) return false;

  grdUpdateFileList->SetRowCount(static_cast<int>(scan.Rows.size()) + 1);
  for (size_t row = 0; row < scan.Rows.size(); ++row)
    grdUpdateFileList->SetCell(0, static_cast<int>(row) + 1, scan.Rows[row]);
  return true;
}

bool TLauncherForm::UpdatesApplicable() { return core::UpdatesApplicable(Utils::ReadUpdateLevel(), FoundUpdates); }

bool TLauncherForm::ValidatePage() {
  const std::string warning = core::GetText("str_Title_Warning");
  switch (PageControl1->ActivePageIndex()) {
    case UpdatesFolder: {
      // Made a full path once, here: a relative folder or a drive's current folder would mean another folder for
      // the engine, which runs elsewhere. The pages after this one and the engine take the field as it now reads.
      const std::wstring full = Utils::FullPath(core::FolderToResolve(edUpdateFilesPath->WideText()));
      if (full.empty()) {
        MsgBox(lbUpdateFilesPathTitle->Caption(), core::GetText("str_Title_Error"), 0,
               core::RunOutcome::UpdatesFolderMissing);
        return false;
      }
      const Utils::CodePagePath folder = Utils::InCodePage(full);
      if (!folder.Usable()) {
        const bool exists = Utils::IsExistingFolder(full);
        MsgBox(FolderNameNotSupported(folder.Shown), core::GetText("str_Title_Error"), 0,
               exists ? core::RunOutcome::UpdatesFolderUnusable : core::RunOutcome::UpdatesFolderMissing);
        return false;
      }
      const std::string root = core::WithTrailingBackslash(core::DrivePart(folder.Path));
      // Fleets keep their media on a central share; a deployment tool says so in advance.
      const bool acceptedAnywhere = Switches.Unattended && Switches.AcceptNetworkFolder;
      if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED && !acceptedAnywhere &&
          MsgBox(core::GetText("str_Message_Recommend_Updates_On_Local_Server_Query_Continue"), warning,
                 MB_YESNO | MB_DEFBUTTON2, core::RunOutcome::UpdatesFolderNotFixed) != IDYES)
        return false;
      edUpdateFilesPath->SetWideText(full);
      return true;
    }
    case UpdateList:
      if (!UpdatesApplicable()) {
        MsgBox(
            core::FormatText(core::GetText("str_Message_No_Applicable_Updates_Available"), {Utils::ReadUpdateLevel()}),
            warning, 0, core::RunOutcome::UpToDate);
        return false;
      }
      if (UpdatesMissing)
        return MsgBox(core::GetText("str_Message_Missing_Update_Files_Continue"), warning, MB_YESNO | MB_DEFBUTTON2,
                      core::RunOutcome::PackagesMissingInSequence) == IDYES;
      return true;
    case Confirmation:
      return PreflightCheck();
    default:
      return true;
  }
}

void TLauncherForm::TabSheet2Resize(ui::Component*) {
  grdUpdateFileList->SetColWidth(0, grdUpdateFileList->ClientWidth());
}

// --------------------------------------------------------------------------------------------- updates folder

void TLauncherForm::btUpdateFilesPathBrowseClick(ui::Component*) {
  const std::string start = edUpdateFilesPath->Text();
  Utils::CurrentDirectoryKeeper keeper;
  // A start that is no folder leaves the current directory as it was; the dialogs cope with that.
  SetCurrentDirectoryA(start.c_str());
  const bool shiftDown = GetKeyState(VK_SHIFT) < 0;
  const FolderDialog kind = core::UseFolderBrowser(shiftDown, start, keeper.Saved()) ? FolderDialog::FolderBrowser
                                                                                     : FolderDialog::DirectoryDialog;
  if (std::optional<std::wstring> chosen = RunFolderDialog(kind, start)) edUpdateFilesPath->SetWideText(*chosen);
}

std::string TLauncherForm::UpdatesFolderPath() const {
  const Utils::CodePagePath folder = Utils::InCodePage(edUpdateFilesPath->WideText());
  if (!folder.Usable()) throw std::runtime_error(FolderNameNotSupported(folder.Shown));
  return folder.Path;
}

std::optional<std::wstring> TLauncherForm::BrowseForFolder(const std::string& start) {
  // The platform's folder browser wants COM on this thread.
  ui::ComApartment com;
  // Wide throughout: the folder chosen may lie outside the code page.
  const std::wstring instruction = Utils::WideFromAnsi(lbUpdateFilesPathTitle->Caption());
  const std::wstring preselected = Utils::IsExistingFolder(start) ? Utils::WideFromAnsi(start) : std::wstring();
  wchar_t displayName[MAX_PATH + 1] = L"";
  BROWSEINFOW info{};
  info.hwndOwner = Handle();
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = instruction.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = preselected.empty() ? 0 : reinterpret_cast<LPARAM>(preselected.c_str());

  auto browse = RequiredSystemFunction<decltype(SHBrowseForFolderW)>("shell32.dll", "SHBrowseForFolderW");
  auto pathFromList = RequiredSystemFunction<decltype(SHGetPathFromIDListW)>("shell32.dll", "SHGetPathFromIDListW");
  auto freeList = RequiredSystemFunction<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  // A drive that is not ready must not bring up the platform's own error box in the middle of browsing.
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  PIDLIST_ABSOLUTE chosen = browse(&info);
  SetErrorMode(previousMode);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH + 1] = L"";
  const bool ok = pathFromList(chosen, path) != FALSE;
  freeList(chosen);
  if (!ok) return std::nullopt;
  return std::wstring(path);
}

// --------------------------------------------------------------------------------------------- snapshot drive

void TLauncherForm::InitPreparationDefaults() {
  std::vector<core::DriveCandidate> drives;
  // The list read the drives when it was made, and every fixed drive is in it: asking the platform again would
  // cost the start-up a second look at every drive.
  for (const Utils::PresentDrive& present : cbSnapshotDrive->ListedDrives()) {
    core::DriveCandidate drive;
    drive.Letter = present.Letter;
    drive.Type = present.Type;
    // Only fixed drives are asked: a floppy or CD drive without a medium would make the platform wait.
    if (drive.Type == core::DriveFixed) {
      int64_t size = 0;
      Utils::QueryDriveSpace(drive.Letter, drive.FreeBytes, size);
    }
    drives.push_back(drive);
  }
  if (std::optional<char> best = core::ChooseDefaultDrive(drives)) cbSnapshotDrive->SetDrive(*best);

  // The wizard's own folder by its true name, also where only its short name reaches it.
  const std::wstring own = Utils::OwnExecutable().Wide;
  edUpdateFilesPath->SetWideText(own.substr(0, own.rfind(L'\\') + 1));
}

void TLauncherForm::cbSnapshotDriveChange(ui::Component*) {
  const char letter = cbSnapshotDrive->Drive();
  SetButtonMode(btNext, ButtonMode::Disabled);
  lbSnapshotDriveSizeInfo->SetEnabled(false);
  lbSnapshotDriveSizeInfo->SetFontBold(false);
  if (!letter) {
    // Nothing selected (no fixed drive with space and a network current directory): no drive, no snapshot.
    lbSnapshotDriveSizeInfo->SetCaption(std::string(core::DriveTypeMark(core::DriveUnknown)));
    return;
  }
  const UINT type = GetDriveTypeA(Utils::DriveRoot(letter).c_str());
  if (type != DRIVE_FIXED) {
    lbSnapshotDriveSizeInfo->SetCaption(std::string(core::DriveTypeMark(type)));
    return;
  }
  int64_t freeBytes = -1;
  int64_t sizeBytes = -1;
  Utils::QueryDriveSpace(letter, freeBytes, sizeBytes);
  const core::FixedDriveSpace space = core::EvaluateFixedDrive(freeBytes, sizeBytes);
  lbSnapshotDriveSizeInfo->SetCaption(core::FormatText(core::GetComponentText("lbSnapshotDriveSizeInfo"),
                                                       {space.Megabytes, space.Percent}, win::UserNumberFormat()));
  if (space.Enough) {
    lbSnapshotDriveSizeInfo->SetEnabled(true);
    lbSnapshotDriveSizeInfo->SetFontBold(true);
    SetButtonMode(btNext, ButtonMode::Shown);
  }
}
