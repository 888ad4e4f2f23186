// Files and folders of this machine, and the process's current directory.
#pragma once

#include <string>

namespace Utils {

// Whether the path names an existing folder, or an existing file (anything but a folder); false for a path the
// platform cannot look at.
bool IsExistingFolder(const std::string& path);
bool IsExistingFile(const std::string& path);

// Creates the folder and every missing folder above it. What cannot be created is left for the next operation on
// the folder to report.
void ForceDirectories(std::string folder);

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
