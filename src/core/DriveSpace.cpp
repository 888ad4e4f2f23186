#include "core/DriveSpace.h"

#include <cmath>
#include <limits>

namespace core {

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) result = floor + 1.0;
  return result + 0.0;  // no negative zero in labels
}

FixedDriveSpace EvaluateFixedDrive(int64_t freeBytes, int64_t sizeBytes) {
  FixedDriveSpace space;
  if (sizeBytes > 0) {
    // The product is a 64-bit integer as long as it fits; beyond that (free
    // space in the tens of petabytes) only a floating-point product is sound.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 100;
    const double hundredFree = (freeBytes <= limit && freeBytes >= -limit) ? static_cast<double>(freeBytes * 100)
                                                                           : 100.0 * static_cast<double>(freeBytes);
    const double percent = RoundHalfEven(hundredFree / static_cast<double>(sizeBytes));
    // A share of the size lies in 0..100; inconsistent figures must not overflow.
    space.Percent = static_cast<int32_t>(std::fmin(100.0, std::fmax(0.0, percent)));
  }
  space.Megabytes = RoundHalfEven(static_cast<double>(freeBytes) / BytesPerMegabyte);
  space.Enough = space.Megabytes >= SnapshotMinimumMegabytes;
  return space;
}

std::string_view DriveTypeMark(unsigned driveType) {
  switch (driveType) {
    case DriveRemovable:
      return "[FLOPPY]";
    case DriveRemote:
      return "[NETWORK]";
    case DriveCdRom:
      return "[CD-ROM]";
    case DriveRamDisk:
      return "[RAM]";
    default:
      return "[]";
  }
}

std::optional<char> ChooseDefaultDrive(std::span<const DriveCandidate> drives) {
  int64_t best = 0;
  std::optional<char> chosen;
  for (const DriveCandidate& drive : drives) {
    if (drive.Type != DriveFixed) continue;
    // Only strictly more space replaces the best; the letter check keeps the
    // earliest letter on a tie even if the list is not in letter order.
    if (drive.FreeBytes > best || (drive.FreeBytes == best && chosen && drive.Letter < *chosen)) {
      best = drive.FreeBytes;
      chosen = drive.Letter;
    }
  }
  return chosen;
}

}  // namespace core
