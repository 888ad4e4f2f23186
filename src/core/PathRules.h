// Windows path and command-line rules that need no platform call: drive-letter
// and drive parts, folder parts, the choice of folder dialog and the switches
// read from the program's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// True unless the second character is a colon (C:\Updates has a drive letter;
// \\server\share, relative paths and the empty text lack one).
bool LacksDriveLetter(std::string_view path);

// The platform's folder browser is used when Shift is down, or when neither the
// start folder nor the saved current directory has a drive letter; otherwise
// the directory dialog.
bool UseFolderBrowser(bool shiftDown, std::string_view start, std::string_view savedCurrentDir);

// Drive part of a full path: "C:" for a drive-letter path, "\\server\share" for
// a UNC path, empty otherwise.
std::string DrivePart(std::string_view fullPath);

// The path with a backslash appended unless it ends in one already.
std::string WithTrailingBackslash(std::string_view path);

// The folder part up to and including the last backslash; empty without one.
std::string FolderOf(std::string_view path);

// What follows the last backslash, slash or drive colon; the whole path without any.
std::string FileNamePart(std::string_view path);

// Splits a command line as the classic Pascal runtime does for its parameter
// list: bytes 1 to 32 separate, double quotes group blanks and are removed,
// empty quoted pairs are skipped, a NUL ends the text. The first token is the
// program.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// The same for the UTF-16 command line, which keeps names outside the code page.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// The folder a typed updates folder names, before it is made a full path: a drive alone ("C:") is taken as its
// root, as the operator means it, not as the drive's current folder.
std::wstring FolderToResolve(std::wstring_view typed);

}  // namespace core
