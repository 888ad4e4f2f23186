#include "core/EngineCommand.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace core {
namespace {

TEST(EngineCommand, Arguments) {
  EXPECT_EQ(EngineArguments(true, std::nullopt, "D:\\setup\\"),
            "-zukgui -product tessaron -nosnapshot -dir \"D:\\setup\"");
  EXPECT_EQ(EngineArguments(false, 'e', "D:\\setup"),
            "-zukgui -product tessaron -snapshotlocation \"E:\" -dir \"D:\\setup\"");
  EXPECT_EQ(EngineArguments(false, 'C', "D:\\"), "-zukgui -product tessaron -snapshotlocation \"C:\" -dir \"D:\\.\"");
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
  // A folder holding a double quote cannot be passed soundly and names no folder.
  EXPECT_THROW(EngineArguments(true, std::nullopt, "D:\\a\" -evil \"b"), std::invalid_argument);
}

TEST(EngineCommand, SnapshotDriveIsRequiredForASnapshotRun) {
  EXPECT_THROW(EngineArguments(false, std::nullopt, "D:\\"), std::invalid_argument);
  EXPECT_THROW(EngineArguments(false, '\0', "D:\\"), std::invalid_argument);
  EXPECT_THROW(EngineArguments(false, '1', "D:\\"), std::invalid_argument);
  EXPECT_NO_THROW(EngineArguments(true, '\0', "D:\\"));
}

}  // namespace
}  // namespace core
