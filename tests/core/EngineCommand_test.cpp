#include "core/EngineCommand.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/PathRules.h"

namespace core {
namespace {

TEST(EngineCommand, Arguments) {
  EXPECT_EQ(EngineArguments(true, std::nullopt, "D:\\setup\\"),
            "-zukgui -product tessaron -nosnapshot -dir \"D:\\setup\"");
  EXPECT_EQ(EngineArguments(false, 'e', "D:\\setup"),
            "-zukgui -product tessaron -snapshotlocation \"E:\" -dir \"D:\\setup\"");
  EXPECT_EQ(EngineArguments(false, 'C', "D:\\"),
            "-zukgui -product tessaron -snapshotlocation \"C:\" -dir \"D:\\.\"");
  // The folder is passed as typed, not expanded.
  EXPECT_EQ(EngineArguments(true, 'C', "..\\pkg"), "-zukgui -product tessaron -nosnapshot -dir \"..\\pkg\"");
  EXPECT_EQ(EngineArguments(true, std::nullopt, "\\\\srv\\share\\upd\\"),
            "-zukgui -product tessaron -nosnapshot -dir \"\\\\srv\\share\\upd\"");
}

TEST(EngineCommand, FolderNeverEscapesTheClosingQuote) {
  EXPECT_EQ(EngineFolderValue("D:\\setup\\"), "D:\\setup");
  EXPECT_EQ(EngineFolderValue("D:\\setup"), "D:\\setup");
  EXPECT_EQ(EngineFolderValue("D:\\"), "D:\\.");  // the root, not drive D's current folder
  EXPECT_EQ(EngineFolderValue("c:\\\\"), "c:\\.");
  EXPECT_EQ(EngineFolderValue("\\"), "\\.");
  EXPECT_EQ(EngineFolderValue("D:"), "D:");  // typed drive-relative: passed as typed
  EXPECT_EQ(EngineFolderValue("D:\\x\\\\"), "D:\\x");
  EXPECT_EQ(EngineFolderValue("D:\\x\\ "), "D:\\x\\ ");

  const std::string line = EngineCommandLine("C:\\Tools\\", true, std::nullopt, "D:\\x\\\\");
  EXPECT_EQ(line, "\"C:\\Tools\\zuk.exe\" -zukgui -product tessaron -nosnapshot -dir \"D:\\x\"");
  // A folder holding a double quote cannot be passed soundly and names no folder.
  EXPECT_THROW(EngineArguments(true, std::nullopt, "D:\\a\" -evil \"b"), std::invalid_argument);
}

TEST(EngineCommand, SnapshotDriveIsRequiredForASnapshotRun) {
  EXPECT_THROW(EngineArguments(false, std::nullopt, "D:\\"), std::invalid_argument);
  EXPECT_THROW(EngineArguments(false, '\0', "D:\\"), std::invalid_argument);
  EXPECT_THROW(EngineArguments(false, '1', "D:\\"), std::invalid_argument);
  EXPECT_NO_THROW(EngineArguments(true, '\0', "D:\\"));
}

TEST(EngineCommand, ProgramPathIsQuoted) {
  const std::string line =
      EngineCommandLine("C:\\Program Files\\Tessaron Tools\\", false, 'D', "E:\\Updates\\2.3.1\\");
  EXPECT_EQ(line,
            "\"C:\\Program Files\\Tessaron Tools\\zuk.exe\" -zukgui -product tessaron "
            "-snapshotlocation \"D:\" -dir \"E:\\Updates\\2.3.1\"");
  // Read back by a parser, the program is one token and each value arrives whole.
  const std::vector<std::string> tokens = SplitCommandLine(line);
  ASSERT_EQ(tokens.size(), 8u);
  EXPECT_EQ(tokens[0], "C:\\Program Files\\Tessaron Tools\\zuk.exe");
  EXPECT_EQ(tokens[5], "D:");
  EXPECT_EQ(tokens[7], "E:\\Updates\\2.3.1");

  EXPECT_EQ(ComposeCommandLine("C:\\a b\\p.exe", ""), "\"C:\\a b\\p.exe\" ");
  EXPECT_THROW(ComposeCommandLine("C:\\a\"b\\p.exe", "-x"), std::invalid_argument);
}

}  // namespace
}  // namespace core
