// Files, paths, drives and the program's own executable, on this prefix's real file system.
#include <gtest/gtest.h>

#include <string>

#include "UtilsTestSupport.h"
#include "win/utils/Drives.h"
#include "win/utils/Files.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/Paths.h"

using namespace Utils;
using UtilsTest::ScratchFolder;

TEST(Files, FoldersFilesAndTheCurrentDirectory) {
  ScratchFolder scratch("tessaron-files");
  const std::string file = scratch.Path + "file.txt";
  ASSERT_TRUE(CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  EXPECT_TRUE(IsExistingFolder(scratch.Path));
  EXPECT_FALSE(IsExistingFile(scratch.Path));
  EXPECT_TRUE(IsExistingFile(file));
  EXPECT_FALSE(IsExistingFolder(file));
  EXPECT_FALSE(IsExistingFolder(scratch.Path + "missing"));
  EXPECT_FALSE(IsExistingFile(scratch.Path + "missing"));

  ForceDirectories(scratch.Path + "a\\b\\c\\");
  EXPECT_TRUE(IsExistingFolder(scratch.Path + "a\\b\\c"));

  const std::string before = CurrentDirectory();
  ASSERT_FALSE(before.empty());
  {
    CurrentDirectoryKeeper keeper;
    EXPECT_EQ(keeper.Saved(), before);
    ASSERT_TRUE(SetCurrentDirectoryA((scratch.Path + "a\\b").c_str()));
    EXPECT_EQ(CurrentDirectory(), scratch.Path + "a\\b");
  }
  EXPECT_EQ(CurrentDirectory(), before);
}

TEST(Paths, FullPathResolvesOrGivesThePathBack) {
  ScratchFolder scratch("tessaron-paths");
  CurrentDirectoryKeeper keeper;
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path.c_str()));
  EXPECT_EQ(FullPath("sub\\..\\file.txt"), scratch.Path + "file.txt");
  EXPECT_EQ(FullPath("C:\\Orvo\\.\\bin\\zuk.exe"), "C:\\Orvo\\bin\\zuk.exe");
  EXPECT_EQ(FullPath("c:/Orvo/bin/"), "c:\\Orvo\\bin\\");

  // Unresolvable paths come back as they were, so two of them never compare equal by accident.
  EXPECT_EQ(FullPath(""), "");
  const std::string overlong = "C:\\" + std::string(400, 'x') + "\\zuk.exe";
  EXPECT_EQ(FullPath(overlong), overlong);
}

TEST(Drives, PresentDrivesWithTheirTypesAndSpace) {
  EXPECT_EQ(DriveRoot('D'), "D:\\");

  const std::vector<PresentDrive> drives = PresentDrives();
  ASSERT_FALSE(drives.empty());
  bool sawC = false;
  for (size_t i = 0; i < drives.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(drives[i - 1].Letter, drives[i].Letter);
    }
    if (drives[i].Letter == 'C') {
      sawC = true;
      EXPECT_EQ(drives[i].Type, static_cast<UINT>(DRIVE_FIXED));
    }
  }
  EXPECT_TRUE(sawC);
  for (const PresentDrive& drive : BrowsableDrives()) {
    EXPECT_TRUE(drive.Type >= DRIVE_REMOVABLE && drive.Type <= DRIVE_RAMDISK) << drive.Letter << drive.Type;
  }

  int64_t freeBytes = 0, sizeBytes = 0;
  QueryDriveSpace('C', freeBytes, sizeBytes);
  EXPECT_GT(sizeBytes, 0);
  EXPECT_GE(freeBytes, 0);
  EXPECT_LE(freeBytes, sizeBytes);

  char absent = '\0';
  for (int i = 25; i >= 0 && !absent; --i)
    if (!(GetLogicalDrives() & (1u << i))) absent = static_cast<char>('A' + i);
  ASSERT_NE(absent, '\0');
  QueryDriveSpace(absent, freeBytes, sizeBytes);
  EXPECT_EQ(freeBytes, -1);
  EXPECT_EQ(sizeBytes, -1);
}

TEST(OwnExecutable, PathOfTheRunningProgram) {
  const std::string path = OwnExecutablePath();
  ASSERT_GT(path.size(), std::string("\\utils_tests.exe").size());
  EXPECT_EQ(path.substr(path.size() - 16), "\\utils_tests.exe");
  EXPECT_TRUE(IsExistingFile(path));
}

TEST(Files, OneFileUnderTwoNamesAndAHeldFileStaysAsItIs) {
  ScratchFolder scratch("tessaron-identity");
  const std::string file = scratch.Path + "zuk.exe";
  const std::string other = scratch.Path + "other.exe";
  for (const std::string& path : {file, other})
    ASSERT_TRUE(CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  ASSERT_TRUE(CreateDirectoryA((scratch.Path + "sub").c_str(), nullptr));
  ASSERT_TRUE(CreateHardLinkA((scratch.Path + "sub\\linked.exe").c_str(), file.c_str(), nullptr));
  EXPECT_TRUE(IsSameFile(file, scratch.Path + "sub\\linked.exe"));
  EXPECT_TRUE(IsSameFile(file, scratch.Path + "sub\\..\\ZUK.EXE"));
  EXPECT_FALSE(IsSameFile(file, other));
  EXPECT_FALSE(IsSameFile(file, scratch.Path + "missing.exe"));

  {
    ScopedHandle held = HoldFileUnchanged(file);
    ASSERT_TRUE(held);
    EXPECT_FALSE(DeleteFileA(file.c_str()));
    EXPECT_FALSE(CopyFileA(other.c_str(), file.c_str(), FALSE));
    EXPECT_FALSE(MoveFileExA(file.c_str(), (scratch.Path + "moved.exe").c_str(), 0));
    EXPECT_TRUE(CopyFileA(file.c_str(), (scratch.Path + "copy.exe").c_str(), FALSE)) << "reading stays allowed";
  }
  EXPECT_TRUE(CopyFileA(other.c_str(), file.c_str(), FALSE));
  EXPECT_FALSE(HoldFileUnchanged(scratch.Path + "missing.exe"));
}
