#include "win/utils/Drives.h"

namespace Utils {

std::string DriveRoot(char letter) { return std::string{letter, ':', '\\'}; }

std::vector<PresentDrive> PresentDrives() {
  std::vector<PresentDrive> drives;
  const DWORD present = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(present & (1u << i))) continue;
    const char letter = static_cast<char>('A' + i);
    drives.push_back({letter, GetDriveTypeA(DriveRoot(letter).c_str())});
  }
  return drives;
}

std::vector<PresentDrive> BrowsableDrives() {
  std::vector<PresentDrive> drives = PresentDrives();
  std::erase_if(drives, [](const PresentDrive& drive) {
    return drive.Type != DRIVE_REMOVABLE && drive.Type != DRIVE_FIXED && drive.Type != DRIVE_REMOTE &&
           drive.Type != DRIVE_CDROM && drive.Type != DRIVE_RAMDISK;
  });
  return drives;
}

void QueryDriveSpace(char letter, int64_t& freeBytes, int64_t& sizeBytes) {
  ULARGE_INTEGER available{}, total{};
  if (GetDiskFreeSpaceExA(DriveRoot(letter).c_str(), &available, &total, nullptr)) {
    freeBytes = static_cast<int64_t>(available.QuadPart);
    sizeBytes = static_cast<int64_t>(total.QuadPart);
  } else {
    freeBytes = sizeBytes = -1;
  }
}

}  // namespace Utils
