#include "core/TextUtils.h"

#include <gtest/gtest.h>

using namespace core;

TEST(TextUtils, TrimRemovesControlCharactersAndBlanksOnly) {
  EXPECT_EQ(Trim(std::string(" \t\r\n\x01 abc \x1F\0", 11)), "abc");
  EXPECT_EQ(Trim("a b"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // no-break space is above 32 and stays
}

TEST(TextUtils, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperAZ("zuk.exe\xE4"), "ZUK.EXE\xE4");
  EXPECT_EQ(UpperAZ('d'), 'D');
  EXPECT_EQ(UpperAZ('\xE4'), '\xE4');
  EXPECT_EQ(LowerAZ("TESSARON-\xC4"), "tessaron-\xC4");
  EXPECT_TRUE(SameTextAZ("Str_Title_Error", "STR_TITLE_ERROR"));
  EXPECT_FALSE(SameTextAZ("\xE4", "\xC4"));
  EXPECT_FALSE(SameTextAZ("abc", "abcd"));
}

TEST(TextUtils, EveryKindOfLineBreakBecomesCrLf) {
  EXPECT_EQ(NormaliseLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(NormaliseLineBreaks("\r\r"), "\r\n\r\n");
  EXPECT_EQ(NormaliseLineBreaks("\n\r"), "\r\n\r\n");
  EXPECT_EQ(NormaliseLineBreaks(""), "");
}

TEST(TextUtils, LongLinesAreBrokenForDisplayAtABlankNearTheEndOrHard) {
  // 32,000 characters without a blank: 125 pieces of 256.
  std::string hard;
  for (int piece = 0; piece < 125; ++piece) hard += (piece ? "\r\n" : "") + std::string(256, 'x');
  EXPECT_EQ(BreakLongLines(std::string(32000, 'x')), hard);

  // Words of nine letters and a blank: the last blank of a piece's closing quarter ends it, 25 words to a piece.
  std::string words, broken;
  for (int word = 0; word < 3200; ++word) words += "xxxxxxxxx ";
  for (int piece = 0; piece < 128; ++piece) {
    if (piece) broken += "\r\n";
    for (int word = 0; word < 25; ++word) broken += "xxxxxxxxx ";
  }
  EXPECT_EQ(BreakLongLines(words), broken);

  EXPECT_EQ(BreakLongLines("aaaaaaa bbbbbbbbb", 10), "aaaaaaa \r\nbbbbbbbbb");
  EXPECT_EQ(BreakLongLines("aaaaaaaa\tbbb", 10), "aaaaaaaa\t\r\nbbb");
  EXPECT_EQ(BreakLongLines("aaa bbbbbbbbbbbb", 10), "aaa bbbbbb\r\nbbbbbb");  // the blank lies too far back
}

TEST(TextUtils, BreakingForDisplayKeepsLineBreaksAndShortLines) {
  EXPECT_EQ(BreakLongLines("abcdefgh\rij\r\n\r\nklmnop\nq", 4), "abcd\r\nefgh\rij\r\n\r\nklmn\r\nop\nq");
  EXPECT_EQ(BreakLongLines("abcd\r\nefgh\r\r\n", 4), "abcd\r\nefgh\r\r\n");
  const std::string success = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.3.1.2.";
  EXPECT_EQ(BreakLongLines(success), success);
  EXPECT_EQ(BreakLongLines(std::string(256, 'x') + "\r"), std::string(256, 'x') + "\r");
  EXPECT_EQ(BreakLongLines(""), "");
}

TEST(TextUtils, IntegerConversionAcceptsSignBlanksAndHex) {
  EXPECT_EQ(ParseInt32("42"), 42);
  EXPECT_EQ(ParseInt32("  -7"), -7);
  EXPECT_EQ(ParseInt32("+0"), 0);
  EXPECT_EQ(ParseInt32("$1F"), 31);
  EXPECT_EQ(ParseInt32("x10"), 16);
  EXPECT_EQ(ParseInt32("0X10"), 16);
  EXPECT_EQ(ParseInt32("-$10"), -16);
  EXPECT_EQ(ParseInt32("$7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseInt32("-$80000000"), INT32_MIN);
  EXPECT_EQ(ParseInt32("2147483647"), 2147483647);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInt32("0x"), std::nullopt);
}

TEST(TextUtils, IntegerConversionRejectsEverythingElse) {
  for (const char* bad : {"", " ", "-", "12 ", "1.5", "2147483648", "-2147483649", "$100000000", "$80000000",
                          "$FFFFFFFF", "-$FFFFFFFF", "-$80000001", "1e3", "\t1", "0x1G"})
    EXPECT_EQ(ParseInt32(bad), std::nullopt) << '"' << bad << '"';
}
