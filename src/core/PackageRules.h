// Update package names, version sequences and the bookkeeping of a package
// scan. The window layer lists the folder; everything decided from the names
// lives here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Releases from which the wizard can update.
inline constexpr std::string_view KnownUpdateLevels = ":2.0.7:2.1.0:2.2.0:2.2.1:2.3.0:2.3.1:";
// The release whose numbered updates are installed.
inline constexpr std::string_view TargetRelease = "2.3.1";
// Pattern handed to the folder search; looser than PackageNumber.
inline constexpr std::string_view PackageSearchPattern = "Tessaron-*.zuk";
// Shown in the grid when no package was found.
inline constexpr std::string_view PackagePlaceholderPattern = "Tessaron-2.3.1.*.zuk";
// Every grid row is this prefix followed by the update number.
inline constexpr std::string_view PackageRowPrefix = "Tessaron-2.3.1.";
// Delimiter of FoundUpdates.
inline constexpr char SequenceDelimiter = ':';

// Adds one item to a delimited sequence such as :5:6:8:. An item holding the
// delimiter would corrupt the sequence and raises std::invalid_argument.
void SequenceAppend(std::string& sequence, std::string_view item, char delimiter);

// Whether the item is one of the sequence's items (exact comparison). An
// empty item, or one holding the delimiter, is never contained.
bool SequenceContains(std::string_view sequence, std::string_view item, char delimiter);

// The update number of a package file name, -1 when the name is not that of a
// 2.3.1 package. A negative number written in the name is returned as it is;
// callers accept only numbers of 0 or more.
int32_t PackageNumber(std::string_view fileName);

// Parts of an update level such as 2.3.1.12: the release (first five
// characters, "2.3.1") and the build (from the seventh character on, "12").
std::string_view ReleasePart(std::string_view updateLevel);
std::string_view BuildPart(std::string_view updateLevel);

// Whether the found updates hold the next update for the installed level.
bool UpdatesApplicable(std::string_view updateLevel, std::string_view foundUpdates);

struct PackageScan {
  std::string FoundUpdates;       // distinct numbers, in search order
  int32_t ExpectedSections = 0;   // count of distinct numbers
  bool UpdatesMissing = false;    // a gap between the lowest and the highest
  std::vector<std::string> Rows;  // grid rows, ascending; empty when none found
  std::vector<std::string> Files;  // the package files, by ascending number, then name
};

// Evaluates the entry names a folder search returned (folders, hidden and
// system entries already left out), in the search's order.
PackageScan ScanPackageNames(std::span<const std::string> entryNames);

}  // namespace core
