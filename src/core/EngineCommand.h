// The update engine's file name and the arguments it is started with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::string_view EngineFileName = "zuk.exe";
// Where the engine and the wizard are copied before a run, under the product's home folder.
inline constexpr std::string_view SupportBinFolder = "\\OrvoZelmo\\support\\bin\\";

// The updates folder as the engine receives it: the text as typed, without
// trailing backslashes ("D:\setup\" -> "D:\setup"), since a backslash left
// before the closing quote would escape it for C runtimes. A root becomes
// "D:\." ("\" alone "\."): "D:" would name drive D's current folder.
std::string EngineFolderValue(std::string_view updatesFolder);

// -zukgui -product tessaron, then -nosnapshot or -snapshotlocation "X:", then
// -dir "folder". Raises std::invalid_argument for a folder holding a double
// quote, or a snapshot run without a drive letter A to Z.
std::string EngineArguments(bool noSnapshot, std::optional<char> snapshotDrive, std::string_view updatesFolder);

}  // namespace core
