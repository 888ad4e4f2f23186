// The machine a Windows test runs on: host paths as Wine shows them, folders and whole files, the computer's name,
// and the product registry the wizard reads (HKLM\Software\Orvo), written afresh by the test.
#pragma once

#include <string>
#include <vector>

namespace tessaron::testsupport {

// A path of the Linux file system as Windows programs under Wine see it (drive Z:); a Windows path, as the build
// gives on Windows itself, with its slashes turned round.
std::string HostPath(const std::string& path);

// This program's own path, and its folder with a trailing backslash.
std::string OwnPath();
std::string OwnFolder();

// The file's bytes, or "<path> is missing" when it cannot be opened, so that a comparison names the file.
std::string ReadBytes(const std::string& path);

// Writes the file afresh; false when it cannot be written whole.
bool WriteBytes(const std::string& path, const std::string& bytes);

// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// Copies a file into a folder (made when missing) under its own name, replacing an older copy.
bool CopyFileInto(const std::string& source, const std::string& folder);

// Removes a folder (with or without its trailing backslash) and everything in it, read-only files included.
void RemoveTree(const std::string& folder);

// The files a pattern such as C:\Media\Launcher.*.log matches, each with the pattern's folder in front.
std::vector<std::string> FilesMatching(const std::string& pattern);

std::string ComputerName();

// The product registry under HKEY_LOCAL_MACHINE\Software\Orvo\Zelmo. Empty texts are not written, so a test can
// leave any value out.
struct ProductRegistry {
  std::string updateLevel;              // Products\Tessaron\UpdateLevel
  std::string primaryNodeName;          // <release>\Default\System\PrimaryNodeName
  std::string originalPrimaryNodeName;  // ...\OriginalPrimaryNodeName
  std::string maintenanceMode;          // ...\MaintenanceMode
  std::string release = "Release";      // CurrentRelease, the name of the release key below Zelmo
};

// Removes HKLM\Software\Orvo and writes the values; false when a key or value cannot be written.
bool WriteProductRegistry(const ProductRegistry& registry);
bool DeleteProductRegistry();

}  // namespace tessaron::testsupport
