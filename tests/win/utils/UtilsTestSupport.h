// Shared pieces of the Utils tests: the child program, scratch folders and
// waiting on a condition.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/Machine.h"

namespace UtilsTest {

using tessaron::testsupport::OwnFolder;

// The helper child built beside the tests.
inline std::string ChildPath() { return OwnFolder() + "utils_child.exe"; }

// Polls until the condition holds; false once a generous limit has passed,
// so that a fault fails the test instead of hanging it.
inline bool WaitFor(const std::function<bool()>& condition, DWORD limitMs = 20000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > limitMs) return false;
    Sleep(1);
  }
}

// A scratch folder of this process in the temporary folder, removed with
// everything in it at the end.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    Path = std::string(temp, length) + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(Path.c_str(), nullptr);
  }
  ~ScratchFolder() { tessaron::testsupport::RemoveTree(Path); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path;
};

}  // namespace UtilsTest
