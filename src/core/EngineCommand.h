// The update engine's command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

inline constexpr std::string_view EngineFileName = "zuk.exe";

// The updates folder as the engine receives it: the text as typed, without
// trailing backslashes ("D:\setup\" -> "D:\setup"), since a backslash left
// before the closing quote would escape it for C runtimes. A root becomes
// "D:\." ("\" alone "\."): "D:" would name drive D's current folder.
std::string EngineFolderValue(std::string_view updatesFolder);

// -zukgui -product tessaron, then -nosnapshot or -snapshotlocation "X:", then
// -dir "folder". Raises std::invalid_argument for a folder holding a double
// quote, or a snapshot run without a drive letter A to Z.
std::string EngineArguments(bool noSnapshot, std::optional<char> snapshotDrive,
                            std::string_view updatesFolder);

// The program path in double quotes, so that a path with blanks cannot start
// another program (C:\Program.exe for C:\Program Files\...), one blank and the
// arguments. Raises std::invalid_argument for a path holding a double quote.
std::string ComposeCommandLine(std::string_view programPath, std::string_view arguments);

// The whole engine command line for the engine in appFolder (with its
// trailing backslash).
std::string EngineCommandLine(std::string_view appFolder, bool noSnapshot,
                              std::optional<char> snapshotDrive, std::string_view updatesFolder);

}  // namespace core
