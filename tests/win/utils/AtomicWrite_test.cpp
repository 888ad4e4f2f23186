// Whole-file writes: complete or absent, numbered instead of replaced, and a folder that refuses gives way.
#include "win/utils/AtomicWrite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UtilsTestSupport.h"
#include "win/utils/Handles.h"

using namespace Utils;
using UtilsTest::ScratchFolder;

namespace {

std::string Contents(const std::string& path) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  return bytes;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

TEST(AtomicWrite, ReplacesOrKeepsAndLeavesNoTemporaryFile) {
  ScratchFolder scratch("tessaron-atomic");
  const std::string path = scratch.Path + "run.log";
  EXPECT_EQ(WriteFileAtomically(path, "first\r\n", false), 0u);
  EXPECT_EQ(WriteFileAtomically(path, "second", false), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(Contents(path), "first\r\n");
  EXPECT_EQ(WriteFileAtomically(path, "third", true), 0u);
  EXPECT_EQ(Contents(path), "third");
  EXPECT_EQ(FolderEntries(scratch.Path), std::vector<std::string>{"run.log"});

  EXPECT_NE(WriteFileAtomically(scratch.Path + "no such folder\\run.log", "x", true), 0u);
  EXPECT_EQ(FolderEntries(scratch.Path), std::vector<std::string>{"run.log"});
}

TEST(AtomicWrite, NumberedNamesAndFallbackFolders) {
  ScratchFolder scratch("tessaron-numbered");
  const std::string base = scratch.Path + "Launcher.2026Dec07_14_05.log";
  EXPECT_EQ(WriteNewNumberedFile({base}, "one"), base);
  EXPECT_EQ(WriteNewNumberedFile({base}, "two"), scratch.Path + "Launcher.2026Dec07_14_05_2.log");
  EXPECT_EQ(WriteNewNumberedFile({base}, "three"), scratch.Path + "Launcher.2026Dec07_14_05_3.log");
  EXPECT_EQ(Contents(base), "one");
  EXPECT_EQ(Contents(scratch.Path + "Launcher.2026Dec07_14_05_2.log"), "two");

  // A folder that cannot take the file gives way to the next candidate; none at all gives no name.
  const std::string refused = scratch.Path + "missing\\Launcher.2026Dec07_14_05.log";
  const std::string fallback = scratch.Path + "Launcher.2026Dec07_14_06.log";
  EXPECT_EQ(WriteNewNumberedFile({refused, "", fallback}, "four"), fallback);
  EXPECT_EQ(Contents(fallback), "four");
  EXPECT_EQ(WriteNewNumberedFile({refused}, "five"), "");
}

}  // namespace
