// The layout probe beside the form tests, run in a process of its own: the DPI is read when a process starts, so a
// test sets the user's LogPixels and starts the probe to see the window at that density.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "support/Machine.h"

namespace probe {

// Runs form_layout_probe.exe with the arguments to its end: its standard output, or nothing when it could not
// start or did not end with 0.
inline std::optional<std::string> Run(const std::string& arguments = "") {
  const std::string program = tessaron::testsupport::OwnFolder() + "form_layout_probe.exe";

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return std::nullopt;
  }
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (exitCode != 0) return std::nullopt;
  return output;
}

// Sets the user's LogPixels for the processes started from now on, and puts the old value back at the end.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD type = 0, size = sizeof old_;
    hadOld_ =
        RegQueryValueExA(key_, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS &&
        type == REG_DWORD;
    ok_ = RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
          ERROR_SUCCESS;
  }
  ~ScopedLogPixels() {
    if (!key_) return;
    if (hadOld_)
      RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
      RegDeleteValueA(key_, "LogPixels");
    RegCloseKey(key_);
  }
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;
  bool Ok() const { return ok_; }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadOld_ = false;
  bool ok_ = false;
};

// The probe's output at this density, or nothing.
inline std::optional<std::string> RunAt(DWORD dpi, const std::string& arguments = "") {
  ScopedLogPixels setting(dpi);
  if (!setting.Ok()) return std::nullopt;
  return Run(arguments);
}

}  // namespace probe
