// Starting, following and finding processes.

// Utils.h brings windows.h, whose types the system header after it needs.
#include "win/utils/Utils.h"
// (kept apart so that include sorting leaves the order alone)
#include <winternl.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "win/utils/WideText.h"

namespace Utils {

namespace {

constexpr NTSTATUS StatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

// Equal with only a-z folded, as for 8-bit names.
bool SameTextAZ(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

namespace {

// The child's attribute list naming the only handles it may inherit. Without it a child inherits every inheritable
// handle of this process, pipe ends of earlier children included.
class InheritedHandleList {
 public:
  explicit InheritedHandleList(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    if (size == 0) return;
    storage_.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    initialised_ = true;
    if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                  handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      list_ = list;
    }
  }
  ~InheritedHandleList() {
    if (initialised_) DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data()));
  }
  InheritedHandleList(const InheritedHandleList&) = delete;
  InheritedHandleList& operator=(const InheritedHandleList&) = delete;

  // Null where the platform offers no handle list.
  LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::vector<char> storage_;
  bool initialised_ = false;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

}  // namespace

TStartedProcess StartChildProcess(const std::string& path, const std::string& arguments, bool showConsole, HANDLE input,
                                  HANDLE output, HANDLE error) {
  // Unquoted, "C:\Program Files\x.exe" would first be tried as C:\Program.exe.
  std::string commandLine = "\"" + path + "\" " + arguments;
  std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
  mutableCommandLine.push_back('\0');

  STARTUPINFOEXA startup{};
  startup.StartupInfo.cb = sizeof(startup.StartupInfo);
  startup.StartupInfo.wShowWindow = showConsole ? SW_SHOWMINIMIZED : SW_HIDE;
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  BOOL inheritHandles = FALSE;
  DWORD flags = CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM;
  std::vector<HANDLE> inherited;
  for (HANDLE handle : {input, output, error}) {
    if (handle != nullptr && std::find(inherited.begin(), inherited.end(), handle) == inherited.end())
      inherited.push_back(handle);
  }
  std::optional<InheritedHandleList> handleList;
  if (!inherited.empty()) {
    startup.StartupInfo.dwFlags |= STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input;
    startup.StartupInfo.hStdOutput = output;
    startup.StartupInfo.hStdError = error;
    inheritHandles = TRUE;
    handleList.emplace(std::move(inherited));
    if (handleList->Get() != nullptr) {
      startup.lpAttributeList = handleList->Get();
      startup.StartupInfo.cb = sizeof(startup);
      flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
  }

  PROCESS_INFORMATION created{};
  if (!CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, inheritHandles, flags, nullptr, nullptr,
                      &startup.StartupInfo, &created)) {
    return {};
  }
  ScopedHandle thread(created.hThread);
  TStartedProcess started;
  started.Id = created.dwProcessId;
  started.Process.Reset(created.hProcess);
  return started;
}

bool IsProcessHandleAlive(HANDLE process) {
  return process != nullptr && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

DWORD FindProcessInList(const ProcessListQuery& query, const std::string& name) {
  if (name.empty()) return 0;
  std::wstring wanted = WideFromAnsi(name);
  std::vector<ULONGLONG> buffer(256 * 1024 / sizeof(ULONGLONG));  // 8-byte aligned records
  for (int attempt = 0;; ++attempt) {
    ULONG needed = 0;
    const ULONG size = static_cast<ULONG>(buffer.size() * sizeof(ULONGLONG));
    const NTSTATUS status = query(buffer.data(), size, &needed);
    if (status == StatusInfoLengthMismatch && attempt < 8) {
      // Room for processes started meanwhile.
      size_t bytes = std::max<size_t>(needed + 64 * 1024, buffer.size() * sizeof(ULONGLONG) * 2);
      buffer.assign(bytes / sizeof(ULONGLONG) + 1, 0);
      continue;
    }
    // Not knowing whether an engine runs must not read as "none runs".
    if (status < 0) {
      const DWORD code = RtlNtStatusToDosError(status);
      throw EInOutError("The list of running processes cannot be read.", code);
    }
    break;
  }

  const char* base = reinterpret_cast<const char*>(buffer.data());
  const size_t size = buffer.size() * sizeof(ULONGLONG);
  size_t offset = 0;
  // Every entry, however many: an engine may be anywhere in a busy terminal server's list.
  while (offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= size) {
    const auto* process = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(base + offset);
    std::wstring_view image;
    if (process->ImageName.Buffer != nullptr) {
      image = std::wstring_view(process->ImageName.Buffer, process->ImageName.Length / sizeof(wchar_t));
    }
    size_t slash = image.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) image.remove_prefix(slash + 1);
    if (SameTextAZ(image, wanted)) {
      return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(process->UniqueProcessId));
    }
    if (process->NextEntryOffset == 0) break;
    offset += process->NextEntryOffset;
  }
  return 0;
}

DWORD FindProcessByExeName(const std::string& name) {
  // The system's process information carries every executable's name, so no
  // process is opened: engines of other accounts or of a higher integrity
  // level, whose modules cannot be read, are found too. It is the listing
  // behind EnumProcesses and the toolhelp snapshot, asked for once with a
  // buffer of the size it reports, where those two ask again and again with
  // a doubled buffer.
  return FindProcessInList(
      [](void* buffer, ULONG size, ULONG* needed) {
        return NtQuerySystemInformation(SystemProcessInformation, buffer, size, needed);
      },
      name);
}

}  // namespace Utils
