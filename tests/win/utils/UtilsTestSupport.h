// Shared pieces of the Utils tests: the child program, scratch folders and
// waiting on a condition.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/Machine.h"
#include "win/utils/Utils.h"

namespace UtilsTest {

using tessaron::testsupport::OwnFolder;

// The helper child built beside the tests.
inline std::string ChildPath() { return OwnFolder() + "utils_child.exe"; }

// Writes the text and CR LF to a child's input, all of it (a child that reads nothing blocks it).
inline void SendLine(const Utils::TPipeStream& input, const std::string& text) {
  const std::string bytes = text + "\r\n";
  for (size_t sent = 0; sent < bytes.size();) {
    DWORD written = 0;
    if (!WriteFile(input.WriteHandle(), bytes.data() + sent, static_cast<DWORD>(bytes.size() - sent), &written,
                   nullptr) ||
        written == 0) {
      ADD_FAILURE() << "the child's input took no more";
      return;
    }
    sent += written;
  }
}

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
