#include "core/OutputTail.h"

#include <gtest/gtest.h>

#include <string>

using namespace core;

TEST(OutputTail, LinesAreJoinedByCrLfAndKeptRaw) {
  std::string buffer;
  AppendOutputLine(buffer, "x");
  EXPECT_EQ(buffer, "\r\nx");
  AppendOutputLine(buffer, "");
  AppendOutputLine(buffer, "  [STATUS]:a,b,5 ");
  EXPECT_EQ(buffer, "\r\nx\r\n\r\n  [STATUS]:a,b,5 ");
}

TEST(OutputTail, CutToTheLast4097OnlyWhenLongerThan8192) {
  std::string buffer;
  // 8190 characters: "\r\n" + 8188.
  AppendOutputLine(buffer, std::string(8188, 'a'));
  ASSERT_EQ(buffer.size(), 8190u);
  AppendOutputLine(buffer, "");  // exactly 8192: no cut
  ASSERT_EQ(buffer.size(), 8192u);
  EXPECT_EQ(buffer.substr(0, 2), "\r\n");

  AppendOutputLine(buffer, "");  // 8194 > 8192
  EXPECT_EQ(buffer.size(), kOutputTailKeep);
  EXPECT_EQ(buffer.substr(buffer.size() - 4), "\r\n\r\n");
  EXPECT_EQ(buffer.substr(0, 4093), std::string(4093, 'a'));

  // It grows again until it passes the limit once more.
  std::string expected = buffer;
  for (int i = 0; expected.size() + 6 <= kOutputTailLimit; ++i) {
    AppendOutputLine(buffer, "line");
    expected += "\r\nline";
    ASSERT_EQ(buffer, expected) << i;
  }
  AppendOutputLine(buffer, "line");
  expected += "\r\nline";
  ASSERT_GT(expected.size(), kOutputTailLimit);
  EXPECT_EQ(buffer, expected.substr(expected.size() - kOutputTailKeep));
}

TEST(OutputTail, ReachingExactly8193CharactersCuts) {
  std::string buffer;
  AppendOutputLine(buffer, std::string(8191, 'b'));  // 2 + 8191 = 8193
  EXPECT_EQ(buffer, std::string(4097, 'b'));
}

TEST(OutputTail, OneHugeLineKeepsOnlyItsEnd) {
  std::string buffer = "\r\nearlier";
  std::string line(100000, 'c');
  line.replace(line.size() - 3, 3, "end");
  AppendOutputLine(buffer, line);
  EXPECT_EQ(buffer.size(), 4097u);
  EXPECT_EQ(buffer.substr(4094), "end");
  EXPECT_EQ(buffer.find("earlier"), std::string::npos);
}
