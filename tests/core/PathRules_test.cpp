#include "core/PathRules.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace core {
namespace {

using Args = std::vector<std::string>;

TEST(PathRules, DriveLetterAndDialogChoice) {
  EXPECT_FALSE(LacksDriveLetter("C:\\Updates"));
  EXPECT_FALSE(LacksDriveLetter("c:"));
  EXPECT_FALSE(LacksDriveLetter("C:relative"));
  EXPECT_TRUE(LacksDriveLetter("\\\\server\\share\\updates"));
  EXPECT_TRUE(LacksDriveLetter("updates"));
  EXPECT_TRUE(LacksDriveLetter("C"));
  EXPECT_TRUE(LacksDriveLetter(""));

  const std::string local = "C:\\Updates";
  const std::string share = "\\\\server\\share\\updates";
  // Both with drive letters, or only one of them: the directory dialog, unless Shift.
  EXPECT_FALSE(UseFolderBrowser(false, local, "D:\\work"));
  EXPECT_TRUE(UseFolderBrowser(true, local, "D:\\work"));
  EXPECT_FALSE(UseFolderBrowser(false, share, "D:\\work"));
  EXPECT_FALSE(UseFolderBrowser(false, local, "\\\\server\\share"));
  EXPECT_FALSE(UseFolderBrowser(false, "", "C:\\"));
  // Neither has one: the folder browser, Shift or not.
  EXPECT_TRUE(UseFolderBrowser(false, share, "\\\\server\\share"));
  EXPECT_TRUE(UseFolderBrowser(true, share, "\\\\server\\share"));
  EXPECT_TRUE(UseFolderBrowser(false, "", "\\\\server\\share"));
}

TEST(PathRules, DrivePart) {
  EXPECT_EQ(DrivePart("C:\\Updates\\x"), "C:");
  EXPECT_EQ(DrivePart("d:"), "d:");
  EXPECT_EQ(DrivePart("\\\\server\\share\\updates\\"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(DrivePart("\\\\server\\"), "\\\\server");
  EXPECT_EQ(DrivePart("\\\\server"), "\\\\server");
  EXPECT_EQ(DrivePart("\\\\server\\\\x"), "\\\\server");
  EXPECT_EQ(DrivePart("\\Updates"), "");
  EXPECT_EQ(DrivePart("Updates"), "");
  EXPECT_EQ(DrivePart(""), "");
  // The platform wants the root with its backslash.
  EXPECT_EQ(WithTrailingBackslash(DrivePart("C:\\x")), "C:\\");
  EXPECT_EQ(WithTrailingBackslash(DrivePart("\\\\srv\\sh\\x")), "\\\\srv\\sh\\");
}

TEST(PathRules, TrailingBackslashAndFolder) {
  EXPECT_EQ(WithTrailingBackslash("C:\\Updates"), "C:\\Updates\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\Updates\\"), "C:\\Updates\\");
  EXPECT_EQ(WithTrailingBackslash(""), "\\");

  EXPECT_EQ(FolderOf("C:\\Program Files\\Tessaron\\Launcher.exe"), "C:\\Program Files\\Tessaron\\");
  EXPECT_EQ(FolderOf("C:\\Launcher.exe"), "C:\\");
  EXPECT_EQ(FolderOf("C:\\dir\\"), "C:\\dir\\");
  EXPECT_EQ(FolderOf("Launcher.exe"), "");
  EXPECT_EQ(FileNamePart("C:\\Program Files\\Tessaron\\Launcher.exe"), "Launcher.exe");
  EXPECT_EQ(FileNamePart("D:Launcher.exe"), "Launcher.exe");
  EXPECT_EQ(FileNamePart("tools/zuk.exe"), "zuk.exe");
  EXPECT_EQ(FileNamePart("zuk.exe"), "zuk.exe");
  EXPECT_EQ(FileNamePart("C:\\dir\\"), "");
}

TEST(CommandLine, SplitLikeThePascalRuntime) {
  EXPECT_EQ(SplitCommandLine("Launcher.exe ~nosnapshot"), (Args{"Launcher.exe", "~nosnapshot"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\T\\Launcher.exe\"  a\tb\x01"
                             "c "),
            (Args{"C:\\Program Files\\T\\Launcher.exe", "a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("p a\"b c\"d"), (Args{"p", "ab cd"}));  // quotes group inside a token
  EXPECT_EQ(SplitCommandLine("p \"\" x"), (Args{"p", "x"}));         // empty pairs are skipped
  EXPECT_EQ(SplitCommandLine("p \"\"\"\"x"), (Args{"p", "x"}));
  EXPECT_EQ(SplitCommandLine("p \"open to end"), (Args{"p", "open to end"}));
  EXPECT_EQ(SplitCommandLine("p \""), (Args{"p"}));
  EXPECT_EQ(SplitCommandLine("p a\\\"b"), (Args{"p", "a\\b"}));          // no backslash escapes
  EXPECT_EQ(SplitCommandLine("p \xE9t\xE9"), (Args{"p", "\xE9t\xE9"}));  // high bytes are text
  EXPECT_EQ(SplitCommandLine(std::string_view("p a\0b", 5)), (Args{"p", "a"}));
  EXPECT_EQ(SplitCommandLine("   "), Args{});
  EXPECT_EQ(SplitCommandLine(""), Args{});
}

// The UTF-16 command line splits by the same rules and keeps what the code page cannot write.
TEST(CommandLine, TheUtf16LineSplitsAlike) {
  using WideArgs = std::vector<std::wstring>;
  constexpr wchar_t line[] = L"\"C:\\\u016Apdate Media\\L.exe\" ~updates=C:\\\u041E \"\" a\"b c\"d\tx\0y";
  EXPECT_EQ(SplitCommandLine(std::wstring_view(line, std::size(line) - 1)),
            (WideArgs{L"C:\\\u016Apdate Media\\L.exe", L"~updates=C:\\\u041E", L"ab cd", L"x"}));
  EXPECT_EQ(SplitCommandLine(std::wstring_view(L"p \"open")), (WideArgs{L"p", L"open"}));
  EXPECT_EQ(SplitCommandLine(std::wstring_view(L" ")), WideArgs{});
}

TEST(PathRules, ADriveAloneIsTakenAsItsRoot) {
  EXPECT_EQ(FolderToResolve(L"C:"), L"C:\\");
  EXPECT_EQ(FolderToResolve(L"d:"), L"d:\\");
  // Everything else is resolved as it is, against the current folders.
  EXPECT_EQ(FolderToResolve(L"C:Updates"), L"C:Updates");
  EXPECT_EQ(FolderToResolve(L"..\\Updates"), L"..\\Updates");
  EXPECT_EQ(FolderToResolve(L"C:\\"), L"C:\\");
  EXPECT_EQ(FolderToResolve(L""), L"");
}

}  // namespace
}  // namespace core
