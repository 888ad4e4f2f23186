#include "core/PackageRules.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>

#include "core/TextUtils.h"

namespace core {

void SequenceAppend(std::string& sequence, std::string_view item, char delimiter) {
  if (item.find(delimiter) != std::string_view::npos)
    throw std::invalid_argument("A sequence item must not contain the sequence delimiter.");
  if (sequence.empty()) sequence += delimiter;
  sequence += item;
  sequence += delimiter;
}

bool SequenceContains(std::string_view sequence, std::string_view item, char delimiter) {
  // An item holding the delimiter could otherwise match two neighbours (5:6 in :5:6:).
  if (item.empty() || item.find(delimiter) != std::string_view::npos) return false;
  std::string needle;
  needle.reserve(item.size() + 2);
  needle += delimiter;
  needle += item;
  needle += delimiter;
  return sequence.find(needle) != std::string_view::npos;
}

namespace {

// Removes bracketed tags from the left while the first "]" follows the first
// "[". Once a tag is removed nothing before it can hold a bracket, so one
// pass from the left gives the same text as repeated searches from the start.
std::string RemoveBracketedTags(std::string_view text) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t open = text.find('[', pos);
    const size_t close = text.find(']', pos);
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) break;
    out.append(text.substr(pos, open - pos));
    pos = close + 1;
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace

int32_t PackageNumber(std::string_view fileName) {
  constexpr std::string_view prefix = "tessaron-";
  constexpr std::string_view extension = ".zuk";
  constexpr std::string_view release = "2.3.1.";

  const std::string lower = LowerAZ(fileName);
  std::string_view rest = lower;
  if (rest.substr(0, prefix.size()) != prefix) return -1;
  rest.remove_prefix(prefix.size());

  const size_t ext = rest.find(extension);
  if (ext == std::string_view::npos || ext + extension.size() != rest.size()) return -1;
  rest.remove_suffix(extension.size());

  const std::string untagged = RemoveBracketedTags(rest);
  std::string_view number = untagged;
  if (number.substr(0, release.size()) != release) return -1;
  number.remove_prefix(release.size());

  return ParseInt32(number).value_or(-1);
}

std::string_view ReleasePart(std::string_view updateLevel) { return updateLevel.substr(0, 5); }

std::string_view BuildPart(std::string_view updateLevel) {
  return updateLevel.size() > 6 ? updateLevel.substr(6) : std::string_view();
}

bool UpdatesApplicable(std::string_view updateLevel, std::string_view foundUpdates) {
  const std::string_view release = ReleasePart(updateLevel);
  if (!SequenceContains(KnownUpdateLevels, release, SequenceDelimiter)) return false;
  if (release != TargetRelease) return SequenceContains(foundUpdates, "0", SequenceDelimiter);

  const std::optional<int32_t> build = ParseInt32(BuildPart(updateLevel));
  // No update level below 0 exists; a negative build must not ask for update 0.
  if (!build || *build < 0) return false;
  // 64-bit, so that build 2147483647 asks for a number no package can carry.
  return SequenceContains(foundUpdates, IntToText(int64_t{*build} + 1), SequenceDelimiter);
}

PackageScan ScanPackageNames(std::span<const std::string> entryNames) {
  PackageScan scan;
  std::set<int32_t> numbers;
  std::vector<std::pair<int32_t, std::string>> files;
  for (const std::string& name : entryNames) {
    const int32_t n = PackageNumber(name);
    if (n < 0) continue;
    files.emplace_back(n, name);
    if (!numbers.insert(n).second) continue;
    SequenceAppend(scan.FoundUpdates, IntToText(n), SequenceDelimiter);
  }
  if (numbers.empty()) return scan;
  std::sort(files.begin(), files.end());
  for (auto& [number, name] : files) scan.Files.push_back(std::move(name));

  scan.ExpectedSections = static_cast<int32_t>(numbers.size());
  // Distinct numbers fill the range from lowest to highest exactly when there
  // are as many of them as the range is wide; no walk over the range needed.
  const int64_t width = int64_t{*numbers.rbegin()} - int64_t{*numbers.begin()} + 1;
  scan.UpdatesMissing = width != static_cast<int64_t>(numbers.size());
  scan.Rows.reserve(numbers.size());
  for (const int32_t n : numbers) scan.Rows.push_back(std::string(PackageRowPrefix) + IntToText(n));
  return scan;
}

}  // namespace core
