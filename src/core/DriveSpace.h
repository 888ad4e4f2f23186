// Free-space rules of the snapshot drive: rounding, the evaluation of a fixed
// drive, the marks of other drive types and the default drive.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace core {

// Drive types as the platform reports them for a root path.
inline constexpr unsigned DriveUnknown = 0;
inline constexpr unsigned DriveNoRootDir = 1;
inline constexpr unsigned DriveRemovable = 2;
inline constexpr unsigned DriveFixed = 3;
inline constexpr unsigned DriveRemote = 4;
inline constexpr unsigned DriveCdRom = 5;
inline constexpr unsigned DriveRamDisk = 6;

inline constexpr double BytesPerMegabyte = 1048576.0;
// A snapshot needs at least this many (rounded) megabytes free.
inline constexpr double SnapshotMinimumMegabytes = 600.0;

// Nearest whole number, halves to the even neighbour (598.5 -> 598, 599.5 -> 600).
double RoundHalfEven(double value);

struct FixedDriveSpace {
  double Megabytes = 0;  // free space in whole megabytes
  int32_t Percent = 0;   // free share of the size, 0 to 100
  bool Enough = false;   // Megabytes reaches the snapshot minimum
};

// Free and size are the query's bytes, each -1 when the query failed.
FixedDriveSpace EvaluateFixedDrive(int64_t freeBytes, int64_t sizeBytes);

// Label text for a drive that is not fixed: "[FLOPPY]", "[NETWORK]",
// "[CD-ROM]", "[RAM]", or "[]" for any other type. A fixed drive shows its free
// space instead.
std::string_view DriveTypeMark(unsigned driveType);

struct DriveCandidate {
  char Letter = 'C';
  unsigned Type = DriveUnknown;
  int64_t FreeBytes = -1;
};

// The fixed drive with the most free space, the earliest letter on a tie;
// none when no fixed drive has free space.
std::optional<char> ChooseDefaultDrive(std::span<const DriveCandidate> drives);

}  // namespace core
