// Files and folders of this machine, and the process's current directory.
#pragma once

#include <string>

#include "win/utils/Handles.h"

namespace Utils {

// Whether the path names an existing folder, or an existing file (anything but a folder); false for a path the
// platform cannot look at.
bool IsExistingFolder(const std::string& path);
bool IsExistingFile(const std::string& path);
// The same for a name the platform gave in UTF-16; the platform's last error tells why not.
bool IsExistingFolder(const std::wstring& path);

// Creates the folder and every missing folder above it. What cannot be created is left for the next operation on
// the folder to report.
void ForceDirectories(std::string folder);

// Whether both paths name one and the same existing file (the same volume and file index), however they are
// spelled: an 8.3 name, a substituted drive, a share on this machine, a hard link. False when either cannot be
// opened.
bool IsSameFile(const std::string& a, const std::string& b);

// Opens an existing file for reading and denies everyone else writing, renaming and deleting it for as long as the
// handle is held, so that the file that was checked is the file that is used. No handle when it cannot be opened.
ScopedHandle HoldFileUnchanged(const std::string& path);

// The user's folder for temporary files, with its trailing backslash; empty when the platform names none.
std::string TemporaryFolder();

// The process's current directory, whatever its length; empty when it cannot be read.
std::string CurrentDirectory();

// Puts the process's current directory back, however the scope it guards ends.
class CurrentDirectoryKeeper {
 public:
  CurrentDirectoryKeeper();
  ~CurrentDirectoryKeeper();
  CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
  CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

  // The directory it was made in, and puts back.
  const std::string& Saved() const { return saved_; }

 private:
  std::string saved_;
};

}  // namespace Utils
