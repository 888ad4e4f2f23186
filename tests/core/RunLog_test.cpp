#include "core/RunLog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace core;

namespace {
const LogTime kDecember7{2026, 12, 7, 14, 5};
}

TEST(RunLog, NameReplacesTheExtensionWithTheTimestamp) {
  EXPECT_EQ(RunLogName("C:\\Media\\Launcher.exe", kDecember7, "Dec"), "C:\\Media\\Launcher.2026Dec07_14_05.log");
  EXPECT_EQ(RunLogName("C:\\Media\\Launcher.exe", LogTime{2027, 1, 31, 0, 0}, "Jan"),
            "C:\\Media\\Launcher.2027Jan31_00_00.log");
  EXPECT_EQ(RunLogName("C:\\Media\\Launcher.exe", LogTime{2026, 3, 1, 23, 59}, "M\xE4r"),
            "C:\\Media\\Launcher.2026M\xE4r01_23_59.log");
  EXPECT_EQ(RunLogName("\\\\srv\\share\\Launcher.EXE", kDecember7, "dic"),
            "\\\\srv\\share\\Launcher.2026dic07_14_05.log");
}

TEST(RunLog, NameTakesTheExtensionOnlyFromTheFileNamePart) {
  // Only the last dot counts.
  EXPECT_EQ(RunLogName("C:\\Media\\Launcher.v2.exe", kDecember7, "Dec"), "C:\\Media\\Launcher.v2.2026Dec07_14_05.log");
  // A dot in a folder name is no extension.
  EXPECT_EQ(RunLogName("C:\\Setup.2026\\Launcher", kDecember7, "Dec"), "C:\\Setup.2026\\Launcher.2026Dec07_14_05.log");
  EXPECT_EQ(RunLogName("C:/Setup.2026/Launcher", kDecember7, "Dec"), "C:/Setup.2026/Launcher.2026Dec07_14_05.log");
  EXPECT_EQ(RunLogName("C:Launcher", kDecember7, "Dec"), "C:Launcher.2026Dec07_14_05.log");
  // A trailing dot is an empty extension.
  EXPECT_EQ(RunLogName("C:\\Media\\Launcher.", kDecember7, "Dec"), "C:\\Media\\Launcher.2026Dec07_14_05.log");
}

TEST(RunLog, NameMonthFromTheLocaleIsMadeSafeForAFileName) {
  // French abbreviations carry a dot; it stays.
  EXPECT_EQ(RunLogName("C:\\L.exe", kDecember7, "d\xE9\x63."), "C:\\L.2026d\xE9\x63.07_14_05.log");
  // A folder separator or a reserved character must not leak into the name.
  EXPECT_EQ(RunLogName("C:\\L.exe", kDecember7, "a\\b/c:d*e?f\"g<h>i|j\tk"),
            "C:\\L.2026a_b_c_d_e_f_g_h_i_j_k07_14_05.log");
  // No name from the locale: the English one.
  EXPECT_EQ(RunLogName("C:\\L.exe", kDecember7, ""), "C:\\L.2026Dec07_14_05.log");
  EXPECT_EQ(RunLogName("C:\\L.exe", LogTime{2026, 5, 7, 14, 5}, ""), "C:\\L.2026May07_14_05.log");
}

TEST(RunLog, NameNeedsAFilePath) {
  EXPECT_THROW(RunLogName("", kDecember7, "Dec"), std::invalid_argument);
  EXPECT_THROW(RunLogName("C:\\Media\\", kDecember7, "Dec"), std::invalid_argument);
}

TEST(RunLog, LaterLogsOfTheSameMinuteAreNumbered) {
  EXPECT_EQ(NumberedLogName("C:\\Media\\Launcher.2026Dec07_14_05.log", 1), "C:\\Media\\Launcher.2026Dec07_14_05.log");
  EXPECT_EQ(NumberedLogName("C:\\Media\\Launcher.2026Dec07_14_05.log", 2), "C:\\Media\\Launcher.2026Dec07_14_05_2.log");
  EXPECT_EQ(NumberedLogName("C:\\Media\\Launcher.2026Dec07_14_05.LOG", 13),
            "C:\\Media\\Launcher.2026Dec07_14_05_13.LOG");
  EXPECT_EQ(NumberedLogName("D:\\run.txt", 3), "D:\\run.txt_3");
}

TEST(RunLog, TextIsStatusSeparatorAndOutputWithoutAnythingAdded) {
  EXPECT_EQ(kOutputSeparator.size(), 2u + 10u + 42u + 2u);
  EXPECT_EQ(kOutputSeparator, "\r\n** output " + std::string(42, '*') + "\r\n");
  EXPECT_EQ(RunLogText("Done.", "\r\nline 1\r\nline 2"),
            "Done.\r\n** output ******************************************\r\n\r\nline 1\r\nline 2");
  // An engine that printed nothing: the log ends with the separator.
  EXPECT_EQ(RunLogText("Failed", ""), "Failed" + std::string(kOutputSeparator));
}

TEST(RunLog, FailureMessageFallsBackToTheNormalisedOutput) {
  EXPECT_EQ(FailureMessage("\rdisk full", "\r\nignored"), "\rdisk full");
  EXPECT_EQ(FailureMessage("", "\r\nfirst\nsecond\rthird"), "\r\nfirst\r\nsecond\r\nthird");
  EXPECT_EQ(FailureMessage("", ""), "");
}
