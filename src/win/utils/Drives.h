// The drive letters of this machine and the space on them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Utils {

struct PresentDrive {
  char Letter;  // 'A' to 'Z'
  UINT Type;    // the platform's DRIVE_* code for its root
};

// "X:\" for a drive letter.
std::string DriveRoot(char letter);

// Every drive letter the platform reports, from A to Z, with its type.
std::vector<PresentDrive> PresentDrives();

// The present drives a folder can be browsed on: removable, fixed, remote, CD-ROM and RAM disks.
std::vector<PresentDrive> BrowsableDrives();

// Bytes available to this user and the drive's size; -1 each when the drive cannot be asked.
void QueryDriveSpace(char letter, int64_t& freeBytes, int64_t& sizeBytes);

}  // namespace Utils
