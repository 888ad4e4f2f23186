// The machine a Windows test runs on: host paths as Wine shows them, whole files, the computer's name, and the
// product registry the wizard reads (HKLM\Software\Orvo), written afresh by the test.
#pragma once

#include <string>

namespace tessaron::testsupport {

// A path of the Linux file system as Windows programs under Wine see it (drive Z:); a Windows path, as the build
// gives on Windows itself, with its slashes turned round.
std::string HostPath(const std::string& path);

// The file's bytes, or "<path> is missing" when it cannot be opened, so that a comparison names the file.
std::string ReadBytes(const std::string& path);

// Writes the file afresh; false when it cannot be written whole.
bool WriteBytes(const std::string& path, const std::string& bytes);

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
