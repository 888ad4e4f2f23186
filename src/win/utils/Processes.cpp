// Starting, following and finding processes.

// Utils.h brings windows.h, whose types the two system headers after it need.
#include "win/utils/Utils.h"
// (kept apart so that include sorting leaves the order alone)
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace Utils {

namespace {

constexpr NTSTATUS StatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

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

DWORD StartProcess(const std::string& path, const std::string& arguments, bool showConsole,
                   HANDLE input, HANDLE output, HANDLE error) {
  // Unquoted, "C:\Program Files\x.exe" would first be tried as C:\Program.exe.
  std::string commandLine = "\"" + path + "\" " + arguments;
  std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
  mutableCommandLine.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.wShowWindow = showConsole ? SW_SHOWMINIMIZED : SW_HIDE;
  BOOL inheritHandles = FALSE;
  if (input != nullptr || output != nullptr || error != nullptr) {
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    inheritHandles = TRUE;
  } else {
    startup.dwFlags = STARTF_USESHOWWINDOW;
  }

  PROCESS_INFORMATION created{};
  if (!CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, inheritHandles,
                      CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM, nullptr, nullptr, &startup, &created)) {
    return 0;
  }
  // The child is followed by its identifier only; a handle kept here would
  // keep an ended child openable.
  ScopedHandle process(created.hProcess);
  ScopedHandle thread(created.hThread);
  return created.dwProcessId;
}

bool IsProcessAlive(DWORD id) {
  if (id == 0) return false;
  // Opening alone proves nothing: an ended process stays openable while any
  // handle to it exists. Its exit state is what counts.
  ScopedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return false;
  return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

int ListProcessIds(DWORD* ids, int highIndex) {
  if (ids == nullptr || highIndex < 0) return 0;
  DWORD bytes = 0;
  if (!EnumProcesses(ids, static_cast<DWORD>(highIndex + 1) * sizeof(DWORD), &bytes)) return 0;
  return static_cast<int>(bytes / sizeof(DWORD));
}

int ListProcessModules(HANDLE process, HMODULE* modules, int highIndex) {
  if (modules == nullptr || highIndex < 0) return 0;
  DWORD needed = 0;
  if (!EnumProcessModules(process, modules, static_cast<DWORD>(highIndex + 1) * sizeof(HMODULE), &needed)) {
    return 0;
  }
  return static_cast<int>(needed / sizeof(HMODULE));
}

std::string GetProcessExeName(DWORD id) {
  ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
  if (!process) return {};

  // A process that is just starting may not list its modules yet.
  HMODULE first = nullptr;
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (ListProcessModules(process.Get(), &first, 0) != 0) break;
    Sleep(5);
  }
  if (ListProcessModules(process.Get(), &first, 0) == 0) return {};

  char name[MAX_PATH];
  DWORD length = GetModuleBaseNameA(process.Get(), first, name, sizeof(name));
  return std::string(name, length);
}

DWORD FindProcessByExeName(const std::string& name) {
  // The system's process information carries every executable's name, so no
  // process is opened: engines of other accounts or of a higher integrity
  // level, whose modules cannot be read, are found too. It is the listing
  // behind EnumProcesses and the toolhelp snapshot, asked for once with a
  // buffer of the size it reports, where those two ask again and again with
  // a doubled buffer.
  if (name.empty()) return 0;
  std::wstring wanted = WideFromAnsi(name);
  std::vector<ULONGLONG> buffer(256 * 1024 / sizeof(ULONGLONG));  // 8-byte aligned records
  for (int attempt = 0;; ++attempt) {
    ULONG needed = 0;
    NTSTATUS status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                               static_cast<ULONG>(buffer.size() * sizeof(ULONGLONG)), &needed);
    if (status == StatusInfoLengthMismatch && attempt < 8) {
      // Room for processes started meanwhile.
      size_t bytes = std::max<size_t>(needed + 64 * 1024, buffer.size() * sizeof(ULONGLONG) * 2);
      buffer.assign(bytes / sizeof(ULONGLONG) + 1, 0);
      continue;
    }
    if (status < 0) return 0;  // an error status; the list cannot be read
    break;
  }

  const char* base = reinterpret_cast<const char*>(buffer.data());
  size_t offset = 0;
  for (int visited = 0; visited < MaxListedProcesses; ++visited) {
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

}  // namespace Utils
