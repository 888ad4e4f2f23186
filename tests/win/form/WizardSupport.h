// What the tests of the wizard's pages share: a server as the wizard finds it (product registry, environment,
// folders with update packages), message boxes answered from a script, the Shift key, drives of any type.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "support/Machine.h"
#include "core/LangRes.h"
#include "win/ui/TestWindows.h"
#include "win/utils/UtilsTestSupport.h"

namespace wizardtest {

using tessaron::testsupport::ComputerName;
using tessaron::testsupport::DeleteProductRegistry;
using tessaron::testsupport::HostPath;
using tessaron::testsupport::WriteBytes;
using tessaron::testsupport::WriteProductRegistry;

// ------------------------------------------------------------------------------------------------ files

// Files in a folder, each holding its own name.
inline void MakeFiles(const std::string& folder, const std::vector<std::string>& names) {
  for (const auto& name : names) ASSERT_TRUE(WriteBytes(folder + name, name)) << folder + name;
}

inline std::string CurrentDirectory() {
  char folder[MAX_PATH + 1] = "";
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  return std::string(folder, length <= MAX_PATH ? length : 0);
}

inline std::string OwnFolder() { return UtilsTest::OwnFolder(); }

// ------------------------------------------------------------------------------------------ product registry

// HKLM\Software\Orvo as the wizard reads it: {UpdateLevel, PrimaryNodeName, OriginalPrimaryNodeName,
// MaintenanceMode}. The fixture removes it at the end.
using Registry = tessaron::testsupport::ProductRegistry;

// The standard server of these tests: this machine is the primary, in maintenance mode.
inline Registry PrimaryAt(const std::string& level) { return {level, ComputerName(), "", "ON"}; }

// ----------------------------------------------------------------------------------------------- environment

// A variable of this process set (or removed, for nothing) for the scope.
class EnvironmentVariable {
 public:
  EnvironmentVariable(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    char buffer[32768];
    const DWORD length = GetEnvironmentVariableA(name_.c_str(), buffer, sizeof buffer);
    if (length > 0 && length < sizeof buffer) old_ = std::string(buffer, length);
    Set(value);
  }
  ~EnvironmentVariable() { Set(old_); }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

  void Set(const std::optional<std::string>& value) {
    SetEnvironmentVariableA(name_.c_str(), value ? value->c_str() : nullptr);
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// The Shift key held down, as this thread's keyboard state says, for the scope.
class ShiftDown {
 public:
  ShiftDown() { Press(true); }
  ~ShiftDown() { Press(false); }
  ShiftDown(const ShiftDown&) = delete;
  ShiftDown& operator=(const ShiftDown&) = delete;

 private:
  static void Press(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
};

// The process's current directory put back at the end.
class CurrentDirectoryScope {
 public:
  CurrentDirectoryScope() : saved_(CurrentDirectory()) {}
  ~CurrentDirectoryScope() { SetCurrentDirectoryA(saved_.c_str()); }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::string saved_;
};

// ----------------------------------------------------------------------------------------------- message boxes

// Records every message box and answers from a script; once the script is used up, IDOK for an OK box and IDNO
// for a question.
class ScriptedBoxes : public testui::BoxRecorder {
 public:
  ScriptedBoxes() {
    ui::SetMessageBoxHandler([this](const std::string& text, const std::string& caption, unsigned flags) {
      Boxes.push_back({text, caption, flags});
      if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
      }
      return (flags & MB_YESNO) ? IDNO : IDOK;
    });
  }

  void Answer(int answer) { answers_.push_back(answer); }

 private:
  std::deque<int> answers_;
};

// -------------------------------------------------------------------------------------------------- drives

// Wine's mount manager defines a drive letter of any type at once (Wine's own request and layout).
inline constexpr DWORD DefineUnixDriveRequest =
    CTL_CODE(static_cast<DWORD>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveDefinition {
  ULONG Size;
  ULONG Type;
  ULONG FsType;
  DWORD Serial;
  ULONGLONG UnixDevice;
  WCHAR Letter;
  USHORT MountPointOffset;
  USHORT DeviceOffset;
  USHORT LabelOffset;
};

// Defines the letter as a drive of that type (DRIVE_REMOVABLE, ...) on a host folder; DRIVE_NO_ROOT_DIR removes it.
inline bool DefineDrive(char letter, UINT type, const std::string& unixFolder = "/tmp") {
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  std::vector<char> request(sizeof(UnixDriveDefinition) + unixFolder.size() + 1, '\0');
  UnixDriveDefinition definition{};
  definition.Size = sizeof definition;
  definition.Type = type;
  definition.Letter = static_cast<WCHAR>(letter | 0x20);
  if (type != DRIVE_NO_ROOT_DIR) {
    definition.MountPointOffset = sizeof definition;
    std::memcpy(request.data() + sizeof definition, unixFolder.c_str(), unixFolder.size() + 1);
  }
  std::memcpy(request.data(), &definition, sizeof definition);
  DWORD returned = 0;
  const bool ok = DeviceIoControl(manager, DefineUnixDriveRequest, request.data(), static_cast<DWORD>(request.size()),
                                  nullptr, 0, &returned, nullptr) != FALSE;
  CloseHandle(manager);
  return ok;
}

// Drives of the given types under free letters for the scope.
class ExtraDrives {
 public:
  ~ExtraDrives() {
    for (char letter : letters_) DefineDrive(letter, DRIVE_NO_ROOT_DIR);
  }
  // The letter of a new drive of that type, or 0 when none could be made.
  char Add(UINT type) {
    const DWORD present = GetLogicalDrives();
    for (char letter = 'P'; letter <= 'Y'; ++letter) {
      if (present & (1u << (letter - 'A'))) continue;
      if (!DefineDrive(letter, type)) return 0;
      letters_.push_back(letter);
      return letter;
    }
    return 0;
  }

 private:
  std::vector<char> letters_;
};

// A network share as Wine resolves one: \\server\share is the folder dosdevices\unc\server\share of the prefix.
class NetworkShare {
 public:
  NetworkShare(const std::string& server, const std::string& share) {
    const std::string c = UnixPathOf("C:\\");  // <prefix>/dosdevices/c:/ or <prefix>/drive_c/
    std::string prefix =
        c.substr(0, c.find("/dosdevices/") != std::string::npos ? c.find("/dosdevices/") : c.find("/drive_c"));
    unc_ = HostPath(prefix + "/dosdevices/unc");
    serverFolder_ = unc_ + "\\" + server;
    CreateDirectoryA(unc_.c_str(), nullptr);
    CreateDirectoryA(serverFolder_.c_str(), nullptr);
    CreateDirectoryA((serverFolder_ + "\\" + share).c_str(), nullptr);
    Path = "\\\\" + server + "\\" + share;
  }
  ~NetworkShare() { tessaron::testsupport::RemoveTree(serverFolder_); }
  NetworkShare(const NetworkShare&) = delete;
  NetworkShare& operator=(const NetworkShare&) = delete;

  std::string Path;  // \\server\share

 private:
  static std::string UnixPathOf(const std::string& windowsPath) {
    using UnixNameFn = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixName(wide.c_str());
    if (!name) return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
  }

  std::string unc_;
  std::string serverFolder_;
};

// ------------------------------------------------------------------------------------------- modal dialogs

// Acts on the first dialog box this thread shows, from inside its modal loop.
struct DialogAction {
  std::function<void(HWND)> Act;
  // Whether the dialog has settled enough to be acted on (some dialogs finish their set-up after they show).
  std::function<bool(HWND)> Ready;
  bool Done = false;
  UINT_PTR Timer = 0;
  int Ticks = 0;

  static DialogAction*& Current() {
    static DialogAction* current = nullptr;
    return current;
  }
  static HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM result) -> BOOL {
          char name[32] = "";
          GetClassNameA(hwnd, name, sizeof name);
          if (std::string(name) == "#32770" && IsWindowVisible(hwnd)) {
            *reinterpret_cast<HWND*>(result) = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogAction* action = Current();
    if (!action || action->Done) return;
    HWND dialog = FindDialog();
    // A dialog that never settles is acted on after about 10 s, so that the test fails instead of hanging.
    if (!dialog || (action->Ready && !action->Ready(dialog) && ++action->Ticks < 100)) return;
    action->Done = true;
    KillTimer(nullptr, action->Timer);
    action->Act(dialog);
  }

  explicit DialogAction(std::function<void(HWND)> act, std::function<bool(HWND)> ready = {})
      : Act(std::move(act)), Ready(std::move(ready)) {
    Current() = this;
    Timer = SetTimer(nullptr, 0, 100, Tick);
  }
  ~DialogAction() {
    if (!Done) KillTimer(nullptr, Timer);
    Current() = nullptr;
  }
};

// ------------------------------------------------------------------------------------------------- a run

// What Start needs to run: a media folder, made the wizard's own folder, holding the scripted engine (playing the
// given scenario) and this test program as the wizard's program, which the run installs; an existing product home.
// The run logs that the completion page writes beside this program go at the end.
class StartableRun {
 public:
  StartableRun(TLauncherForm& form, const std::string& homeFolder, const std::string& scenario)
      : home_("ZelmoHome", homeFolder), scenario_("ZUK_SCENARIO", scenario) {
    CreateDirectoryA(homeFolder.c_str(), nullptr);
    EXPECT_TRUE(CopyFileA(HostPath(TESSARON_ZUK_EXE).c_str(), (media.Path + "zuk.exe").c_str(), FALSE));
    const std::string ownPath = tessaron::testsupport::OwnPath();
    EXPECT_TRUE(
        CopyFileA(ownPath.c_str(), (media.Path + ownPath.substr(ownPath.find_last_of('\\') + 1)).c_str(), FALSE));
    form.AppFolder = media.Path;
  }
  ~StartableRun() {
    for (const auto& log : tessaron::testsupport::FilesMatching(OwnFolder() + "form_tests.*.log"))
      DeleteFileA(log.c_str());
  }
  StartableRun(const StartableRun&) = delete;
  StartableRun& operator=(const StartableRun&) = delete;

  UtilsTest::ScratchFolder media{"wizard-start"};

 private:
  EnvironmentVariable home_;
  EnvironmentVariable scenario_;
};

// ------------------------------------------------------------------------------------------------- fixture

// The wizard window on a prepared server: registry at the given level with this machine as primary in maintenance
// mode, ZelmoHome naming an existing folder, a scratch updates folder, English texts, message boxes scripted.
class WizardTest : public LauncherFormTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteProductRegistry(PrimaryAt("2.2.1")));
    core::SelectLanguage(0);
    LauncherFormTest::SetUp();
    updates = scratch.Path + "Updates\\";
    CreateDirectoryA(updates.c_str(), nullptr);
  }
  void TearDown() override {
    LauncherFormTest::TearDown();
    core::SelectLanguage(0);
    DeleteProductRegistry();
  }

  void SetLevel(const std::string& level) { ASSERT_TRUE(WriteProductRegistry(PrimaryAt(level))); }

  // Types the folder and walks from the welcome page to the update list page.
  void GoToUpdateList(const std::string& folder) {
    form->PageControl1->SetActivePageIndex(0);
    form->EnterPage();
    form->btNextClick(form->btNext);
    ASSERT_EQ(Page(), 1);
    form->edUpdateFilesPath->SetText(folder);
    form->btNextClick(form->btNext);
    ASSERT_EQ(Page(), 2);
  }

  // Walks to the confirmation page, where Start waits, with update 0 in the updates folder and no snapshot.
  void GoToConfirmation() {
    form->NoSnapshot = true;
    MakeFiles(updates, {"Tessaron-2.3.1.0.zuk"});
    GoToUpdateList(updates);
    ASSERT_TRUE(PressNext());
    ASSERT_EQ(Page(), 4);
  }

  // Next as the operator presses it: only when it is shown and enabled.
  bool PressNext() {
    if (!IsWindowVisible(form->btNext->Handle()) || !IsWindowEnabled(form->btNext->Handle())) return false;
    form->btNext->Click();
    return true;
  }
  bool PressPrev() {
    if (!IsWindowVisible(form->btPrev->Handle()) || !IsWindowEnabled(form->btPrev->Handle())) return false;
    form->btPrev->Click();
    return true;
  }

  // "shown", "disabled" or "hidden", as the operator sees the button.
  static std::string Mode(const ui::Button* button) {
    if (!IsWindowVisible(button->Handle())) return "hidden";
    return IsWindowEnabled(button->Handle()) ? "shown" : "disabled";
  }
  std::string Buttons() const { return Mode(form->btPrev) + "/" + Mode(form->btNext) + "/" + Mode(form->btExit); }

  std::vector<std::string> GridRows() const {
    std::vector<std::string> rows;
    for (int row = 0; row < form->grdUpdateFileList->RowCount(); ++row)
      rows.push_back(form->grdUpdateFileList->Cell(0, row));
    return rows;
  }

  UtilsTest::ScratchFolder scratch{"wizard-pages"};
  std::string updates;
  ScriptedBoxes boxes;
};

}  // namespace wizardtest
