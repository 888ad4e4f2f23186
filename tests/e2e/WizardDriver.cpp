#include "WizardDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwchar>

#include "support/WindowBmp.h"

namespace tessaron::e2e {

namespace {

constexpr char kComponentProperty[] = "TessaronComponent";
constexpr DWORD kMessageTimeoutMs = 10000;

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

bool ClassIs(HWND hwnd, const char* name) { return _stricmp(ClassOf(hwnd).c_str(), name) == 0; }

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// A block of memory inside the program, for messages whose structures carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size) : process_(process), size_(size) {
    address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && WriteProcessMemory(process_, At(offset), data, size, &done) && done == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return offset + size <= size_ && ReadProcessMemory(process_, At(offset), data, size, &done) && done == size;
  }

 private:
  HANDLE process_;
  std::size_t size_;
  void* address_ = nullptr;
};

constexpr std::size_t kTextRoom = 4096;

struct FindNamed {
  std::string name;
  HWND found = nullptr;
};

BOOL CALLBACK FindNamedChild(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<FindNamed*>(lParam);
  if (ComponentName(hwnd) == search->name) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectNames(HWND hwnd, LPARAM lParam) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(lParam);
  std::string name = ComponentName(hwnd);
  if (!name.empty()) names->push_back(std::move(name));
  return TRUE;
}

struct TopLevelSearch {
  DWORD processId;
  std::string formName;  // empty: any visible "#32770" box
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  const bool match = search->formName.empty() ? ClassOf(hwnd) == "#32770" : ComponentName(hwnd) == search->formName;
  if (match) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectButtons(HWND hwnd, LPARAM lParam) {
  auto* box = reinterpret_cast<MessageBoxInfo*>(lParam);
  if (ClassIs(hwnd, "Button") && IsWindowVisible(hwnd)) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    box->buttons.emplace_back(GetDlgCtrlID(hwnd), text);
  }
  return TRUE;
}

std::string BuildEnvironment(const std::map<std::string, std::string>& changes) {
  // Keys compare without regard to case, as Windows treats them; the block is sorted the same way.
  auto less = [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); };
  std::map<std::string, std::string, decltype(less)> vars(less);
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* p = block; *p; p += std::strlen(p) + 1) {
      const char* eq = std::strchr(p + 1, '=');  // names such as "=C:" begin with '='
      if (eq) vars[std::string(p, eq)] = eq + 1;
    }
    FreeEnvironmentStringsA(block);
  }
  for (const auto& [key, value] : changes) {
    if (value.empty())
      vars.erase(key);
    else
      vars[key] = value;
  }
  std::string out;
  for (const auto& [key, value] : vars) out += key + "=" + value + '\0';
  out += '\0';
  return out;
}

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// The environment block in UTF-16, with the changes (UTF-8) on top of this process's own.
std::wstring BuildWideEnvironment(const std::map<std::string, std::string>& changes) {
  auto less = [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; };
  std::map<std::wstring, std::wstring, decltype(less)> vars(less);
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
      const wchar_t* eq = wcschr(p + 1, L'=');
      if (eq) vars[std::wstring(p, eq)] = eq + 1;
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [key, value] : changes) {
    if (value.empty())
      vars.erase(WideFromUtf8(key));
    else
      vars[WideFromUtf8(key)] = WideFromUtf8(value);
  }
  std::wstring out;
  for (const auto& [key, value] : vars) out += key + L"=" + value + L'\0';
  out += L'\0';
  return out;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

std::string ComponentName(HWND hwnd) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(hwnd, kComponentProperty)));
  if (!atom) return {};
  char name[256] = {};
  const UINT n = GlobalGetAtomNameA(atom, name, sizeof name);
  return std::string(name, n);
}

WizardDriver::WizardDriver(std::string formName) : formName_(std::move(formName)) {}

WizardDriver::~WizardDriver() {
  Terminate();
  if (process_) CloseHandle(process_);
}

bool WizardDriver::Launch(const LaunchOptions& options, std::string* error) {
  auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  if (process_) return fail("a program is already running under this driver");

  std::string commandLine = "\"" + options.program + "\"";
  if (!options.arguments.empty()) commandLine += " " + options.arguments;
  std::string environment = BuildEnvironment(options.environment);
  std::string folder = options.currentFolder;
  if (folder.empty()) {
    const auto slash = options.program.find_last_of("\\/");
    if (slash != std::string::npos) folder = options.program.substr(0, slash + 1);
  }

  PROCESS_INFORMATION info{};
  bool created = false;
  if (options.utf8) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring wideCommandLine = WideFromUtf8(commandLine);
    std::wstring wideEnvironment = BuildWideEnvironment(options.environment);
    const std::wstring wideFolder = WideFromUtf8(folder);
    created =
        CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       wideEnvironment.data(), wideFolder.empty() ? nullptr : wideFolder.c_str(), &startup, &info);
  } else {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    created = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                             folder.empty() ? nullptr : folder.c_str(), &startup, &info);
  }
  if (!created) {
    const DWORD code = GetLastError();
    // 740: the manifest asks for elevation and this test runs without it (Windows only; Wine runs as admin).
    return fail("CreateProcess failed with error " + std::to_string(code) + " for " + commandLine);
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;

  bool exited = false;
  const bool shown = WaitUntil([&] {
    exited = !IsRunning();
    return exited || MainWindow() != nullptr;
  });
  if (exited) {
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return fail("the program ended with exit code " + std::to_string(code) + " before showing its window");
  }
  if (!shown) return fail("no window named " + formName_ + " appeared");
  return true;
}

bool WizardDriver::IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool WizardDriver::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(process_, exitCode);
  return true;
}

bool WizardDriver::CloseMainWindow() {
  HWND main = MainWindow();
  return main && PostMessageA(main, WM_CLOSE, 0, 0);
}

void WizardDriver::Terminate() {
  if (IsRunning()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kDefaultTimeoutMs);
  }
}

HWND WizardDriver::MainWindow() const {
  if (!processId_) return nullptr;
  TopLevelSearch search{processId_, formName_};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WizardDriver::Find(const std::string& name) const {
  HWND main = MainWindow();
  if (!main || name.empty()) return nullptr;
  FindNamed search{name};
  EnumChildWindows(main, FindNamedChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<std::string> WizardDriver::ComponentNames() const {
  std::vector<std::string> names;
  if (HWND main = MainWindow()) EnumChildWindows(main, CollectNames, reinterpret_cast<LPARAM>(&names));
  return names;
}

std::string WizardDriver::ClassName(const std::string& name) const {
  HWND hwnd = Find(name);
  return hwnd ? ClassOf(hwnd) : std::string();
}

bool WizardDriver::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, bool wide) const {
  DWORD_PTR answer = 0;
  const LRESULT ok = wide ? SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs, &answer)
                          : SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs, &answer);
  if (result) *result = static_cast<LRESULT>(answer);
  return ok != 0;
}

std::string WizardDriver::Text(const std::string& name) const {
  HWND hwnd = Find(name);
  if (!hwnd) return {};
  LRESULT length = 0;
  if (!Send(hwnd, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  LRESULT copied = 0;
  if (!Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return {};
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

bool WizardDriver::IsVisible(const std::string& name) const {
  HWND hwnd = Find(name);
  return hwnd && IsWindowVisible(hwnd);
}

bool WizardDriver::IsEnabled(const std::string& name) const {
  HWND hwnd = Find(name);
  return hwnd && IsWindowEnabled(hwnd);
}

std::optional<RECT> WizardDriver::ScreenRect(const std::string& name) const {
  HWND hwnd = Find(name);
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) return std::nullopt;
  return r;
}

std::optional<RECT> WizardDriver::RectInParent(const std::string& name) const {
  HWND hwnd = Find(name);
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r)) return std::nullopt;
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string WizardDriver::FocusedComponent() const {
  HWND main = MainWindow();
  if (!main) return {};
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info)) return {};
  // Inner windows of a composite control (the edit of a combo box) carry no name; their owner does.
  for (HWND hwnd = info.hwndFocus; hwnd && hwnd != main; hwnd = GetParent(hwnd)) {
    std::string name = ComponentName(hwnd);
    if (!name.empty()) return name;
  }
  return {};
}

bool WizardDriver::Usable(HWND hwnd) const { return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

bool WizardDriver::Click(const std::string& name) {
  HWND hwnd = Find(name);
  return Usable(hwnd) && Send(hwnd, BM_CLICK, 0, 0);
}

bool WizardDriver::PostClick(const std::string& name) {
  HWND hwnd = Find(name);
  return Usable(hwnd) && PostMessageA(hwnd, BM_CLICK, 0, 0);
}

bool WizardDriver::SetText(const std::string& name, const std::string& text) {
  HWND hwnd = Find(name);
  LRESULT ok = FALSE;
  return Usable(hwnd) && Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &ok) && ok;
}

bool WizardDriver::PressKey(const std::string& name, WORD virtualKey) {
  HWND hwnd = Find(name);
  if (!Usable(hwnd)) return false;
  // Posted, not sent: the program's message loop must see the key as it sees a real one (default button, tab
  // navigation); its TranslateMessage makes the character message where the key has one.
  const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
  const LPARAM up = down | static_cast<LPARAM>(1) << 30 | static_cast<LPARAM>(1) << 31;
  return PostMessageA(hwnd, WM_KEYDOWN, virtualKey, down) && PostMessageA(hwnd, WM_KEYUP, virtualKey, up);
}

int WizardDriver::ItemCount(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT n = CB_ERR;
  if (!hwnd || !Send(hwnd, CB_GETCOUNT, 0, 0, &n)) return -1;
  return static_cast<int>(n);
}

std::string WizardDriver::ItemText(const std::string& name, int index) const {
  HWND hwnd = Find(name);
  if (!hwnd || index < 0) return {};
  if (ClassIs(hwnd, WC_COMBOBOXEXA)) {
    // Its items live in the program's memory: ask for the text through a buffer there.
    RemoteBuffer remote(process_, sizeof(COMBOBOXEXITEMA) + kTextRoom);
    if (!remote) return {};
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = remote.At(sizeof item);
    item.cchTextMax = kTextRoom;
    LRESULT ok = 0;
    if (!remote.Write(0, &item, sizeof item) ||
        !Send(hwnd, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.At(0)), &ok) || !ok)
      return {};
    std::string text(kTextRoom, '\0');
    if (!remote.Read(sizeof item, text.data(), text.size())) return {};
    text.resize(std::strlen(text.c_str()));
    return text;
  }
  // Sent as the wide message: Wine hands the ANSI one back in UTF-16 across processes.
  LRESULT length = CB_ERR;
  if (!Send(hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, &length, true) || length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT copied = CB_ERR;
  if (!Send(hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()), &copied, true) ||
      copied == CB_ERR)
    return {};
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return Narrow(text);
}

std::vector<std::string> WizardDriver::Items(const std::string& name) const {
  std::vector<std::string> items;
  for (int i = 0, n = ItemCount(name); i < n; ++i) items.push_back(ItemText(name, i));
  return items;
}

int WizardDriver::SelectedIndex(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT index = CB_ERR;
  if (!hwnd || !Send(hwnd, CB_GETCURSEL, 0, 0, &index)) return -1;
  return static_cast<int>(index);
}

std::string WizardDriver::SelectedText(const std::string& name) const {
  const int index = SelectedIndex(name);
  return index < 0 ? std::string() : ItemText(name, index);
}

bool WizardDriver::SelectIndex(const std::string& name, int index) {
  HWND hwnd = Find(name);
  if (!Usable(hwnd) || index < 0 || index >= ItemCount(name)) return false;
  LRESULT result = CB_ERR;
  if (!Send(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &result) || result != index) return false;
  // CB_SETCURSEL itself notifies nobody; a choice made with the mouse ends with CBN_SELCHANGE to the parent.
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(hwnd), CBN_SELCHANGE);
  return Send(GetParent(hwnd), WM_COMMAND, command, reinterpret_cast<LPARAM>(hwnd));
}

bool WizardDriver::SelectText(const std::string& name, const std::string& text) {
  const auto items = Items(name);
  const auto it = std::find(items.begin(), items.end(), text);
  return it != items.end() && SelectIndex(name, static_cast<int>(it - items.begin()));
}

int WizardDriver::GridRowCount(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT n = -1;
  if (!hwnd || !Send(hwnd, LVM_GETITEMCOUNT, 0, 0, &n)) return -1;
  return static_cast<int>(n);
}

int WizardDriver::GridColumnCount(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT header = 0, n = -1;
  if (!hwnd || !Send(hwnd, LVM_GETHEADER, 0, 0, &header) || !header ||
      !Send(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &n))
    return -1;
  return static_cast<int>(n);
}

std::string WizardDriver::GridHeader(const std::string& name, int column) const {
  HWND hwnd = Find(name);
  if (!hwnd || column < 0) return {};
  RemoteBuffer remote(process_, sizeof(LVCOLUMNA) + kTextRoom);
  if (!remote) return {};
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT;
  col.pszText = remote.At(sizeof col);
  col.cchTextMax = kTextRoom;
  LRESULT ok = FALSE;
  if (!remote.Write(0, &col, sizeof col) ||
      !Send(hwnd, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(remote.At(0)), &ok) || !ok)
    return {};
  std::string text(kTextRoom, '\0');
  if (!remote.Read(sizeof col, text.data(), text.size())) return {};
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string WizardDriver::GridCell(const std::string& name, int row, int column) const {
  HWND hwnd = Find(name);
  if (!hwnd || row < 0 || column < 0) return {};
  RemoteBuffer remote(process_, sizeof(LVITEMA) + kTextRoom);
  if (!remote) return {};
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = remote.At(sizeof item);
  item.cchTextMax = kTextRoom;
  LRESULT length = 0;
  if (!remote.Write(0, &item, sizeof item) ||
      !Send(hwnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote.At(0)), &length))
    return {};
  std::string text(static_cast<std::size_t>(std::clamp<LRESULT>(length, 0, kTextRoom - 1)), '\0');
  if (!text.empty() && !remote.Read(sizeof item, text.data(), text.size())) return {};
  return text;
}

std::vector<std::string> WizardDriver::GridColumn(const std::string& name, int column) const {
  std::vector<std::string> cells;
  for (int row = 0, n = GridRowCount(name); row < n; ++row) cells.push_back(GridCell(name, row, column));
  return cells;
}

int WizardDriver::GridSelectedRow(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT row = -1;
  if (!hwnd || !Send(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, &row)) return -1;
  return static_cast<int>(row);
}

int WizardDriver::ProgressPosition(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT pos = -1;
  if (!hwnd || !Send(hwnd, PBM_GETPOS, 0, 0, &pos)) return -1;
  return static_cast<int>(pos);
}

std::optional<std::pair<int, int>> WizardDriver::ProgressRange(const std::string& name) const {
  HWND hwnd = Find(name);
  LRESULT low = 0, high = 0;
  // With no structure to fill, PBM_GETRANGE answers one limit at a time.
  if (!hwnd || !Send(hwnd, PBM_GETRANGE, TRUE, 0, &low) || !Send(hwnd, PBM_GETRANGE, FALSE, 0, &high))
    return std::nullopt;
  return std::make_pair(static_cast<int>(low), static_cast<int>(high));
}

std::optional<MessageBoxInfo> WizardDriver::CurrentMessageBox() const {
  if (!processId_) return std::nullopt;
  TopLevelSearch search{processId_, ""};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return std::nullopt;
  MessageBoxInfo box;
  box.hwnd = search.found;
  char text[4096] = {};
  GetWindowTextA(box.hwnd, text, sizeof text);
  box.caption = text;
  text[0] = '\0';
  if (HWND body = GetDlgItem(box.hwnd, 0xFFFF)) {
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(body, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kMessageTimeoutMs,
                        &copied);
  }
  box.text = text;
  EnumChildWindows(box.hwnd, CollectButtons, reinterpret_cast<LPARAM>(&box));
  return box;
}

std::optional<MessageBoxInfo> WizardDriver::WaitForMessageBox(DWORD timeoutMs) const {
  std::optional<MessageBoxInfo> box;
  WaitUntil([&] { return (box = CurrentMessageBox()).has_value() && !box->buttons.empty(); }, timeoutMs);
  return box && !box->buttons.empty() ? box : std::nullopt;
}

bool WizardDriver::AnswerMessageBox(const MessageBoxInfo& box, int buttonId) {
  HWND button = GetDlgItem(box.hwnd, buttonId);
  if (!button || !IsWindowVisible(button)) return false;
  // Posted: the box's handler returns from a modal loop, and the program may at once show the next box.
  if (!PostMessageA(button, BM_CLICK, 0, 0)) return false;
  return WaitUntil([&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); });
}

bool WizardDriver::WaitForControl(const std::string& name, DWORD timeoutMs) const {
  return WaitUntil([&] { return Find(name) != nullptr; }, timeoutMs);
}

bool WizardDriver::WaitForText(const std::string& name, const std::string& text, DWORD timeoutMs) const {
  return WaitUntil([&] { return Find(name) && Text(name) == text; }, timeoutMs);
}

bool WizardDriver::WaitForVisible(const std::string& name, bool visible, DWORD timeoutMs) const {
  return WaitUntil([&] { return Find(name) && IsVisible(name) == visible; }, timeoutMs);
}

bool WizardDriver::WaitForEnabled(const std::string& name, bool enabled, DWORD timeoutMs) const {
  return WaitUntil([&] { return Find(name) && IsEnabled(name) == enabled; }, timeoutMs);
}

bool WizardDriver::Sync() const {
  HWND main = MainWindow();
  return main && Send(main, WM_NULL, 0, 0);
}

bool WizardDriver::SaveScreenshot(const std::string& path) const {
  HWND main = MainWindow();
  return main && testsupport::SaveWindowBmp(main, path);
}

}  // namespace tessaron::e2e
