// The engine's output file: on the disk line by line, and bounded.
#include "win/utils/OutputFile.h"

#include <gtest/gtest.h>

#include <string>

#include "UtilsTestSupport.h"

using UtilsTest::ScratchFolder;

namespace {

// As a reader that lets the writer go on writing (type, Get-Content) opens it.
std::string ReadBytes(const std::string& path) {
  Utils::ScopedHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string bytes(4096, '\0');
  DWORD got = 0;
  ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  return bytes;
}

}  // namespace

TEST(BoundedLineFile, LinesAreOnTheDiskAsTheyComeAndPastTheLimitOnlyCounted) {
  ScratchFolder scratch("output-file");
  const std::string path = scratch.Path + "run.output.log";
  Utils::BoundedLineFile file;
  ASSERT_TRUE(file.Open(path, 20));
  file.Append("[SECTION]:a");  // 13 bytes with CR LF
  file.Append("");             // 2
  // Readable by others while open, with what came so far.
  EXPECT_EQ(ReadBytes(path), "[SECTION]:a\r\n\r\n");
  file.Append("123456");  // 8: past 20, left out whole
  file.Append("x");       // 3: behind a left-out line, left out too
  EXPECT_EQ(ReadBytes(path), "[SECTION]:a\r\n\r\n");
  file.Close();
  EXPECT_EQ(ReadBytes(path),
            "[SECTION]:a\r\n\r\n** 2 more lines (11 bytes) left out: this file holds at most 20 bytes **\r\n");

  // Opened again, the file starts anew; the rest of an overlong line joins its start; under the limit nothing is
  // added at the close.
  ASSERT_TRUE(file.Open(path, 20));
  file.Append("x");
  file.Append("yz", true);
  file.Close();
  file.Append("after the close");
  EXPECT_EQ(ReadBytes(path), "xyz\r\n");
  EXPECT_FALSE(file.Open(scratch.Path + "missing\\run.output.log"));
  EXPECT_FALSE(file.IsOpen());
}
