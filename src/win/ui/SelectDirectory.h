// The library's modal "Select Directory" dialog: the current folder's path, the folder list (the path from the root
// down to the current folder, then its subfolders), the drive list, OK and Cancel. It never offers to create a
// folder and has no help button.
#pragma once

#include <optional>
#include <string>

namespace ui {

inline constexpr const char* SelectDirectoryCaption = "Select Directory";

// Control ids inside the dialog, for tools that drive it.
inline constexpr int SelectDirectoryPathId = 1101;
inline constexpr int SelectDirectoryFolderListId = 1102;
inline constexpr int SelectDirectoryDriveListId = 1103;

// Opens the dialog, modal over the application's main window, at start when that names an existing folder and at
// the process's current directory otherwise. Browsing moves the process's current directory along (the caller
// puts it back). OK yields the folder shown, Cancel nothing.
std::optional<std::string> SelectDirectory(const std::string& start);

}  // namespace ui
