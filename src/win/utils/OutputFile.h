// A file that takes lines as they come, so that whatever came is on the disk even if the program is killed, up to
// a size limit past which it only counts what it leaves out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/utils/Handles.h"

namespace Utils {

class BoundedLineFile {
 public:
  static constexpr uint64_t kDefaultLimitBytes = 64ull << 20;

  BoundedLineFile() = default;
  ~BoundedLineFile() { Close(); }
  BoundedLineFile(const BoundedLineFile&) = delete;
  BoundedLineFile& operator=(const BoundedLineFile&) = delete;

  // Creates or replaces the file. False, with nothing open, when it cannot be created.
  bool Open(const std::string& path, uint64_t limitBytes = kDefaultLimitBytes);
  bool IsOpen() const { return file_.Valid(); }
  const std::string& Path() const { return path_; }
  // The line and CR LF, written at once; past the limit only counted. A line is never cut. The rest of a line too
  // long for the reader continues the line before it, as the engine wrote them.
  void Append(std::string_view line, bool continuesLast = false);
  // Ends the file with a line about what was left out, if anything was, and closes it.
  void Close();

 private:
  ScopedHandle file_;
  std::string path_;
  uint64_t limit_ = kDefaultLimitBytes;
  uint64_t written_ = 0;
  uint64_t leftOutLines_ = 0;
  uint64_t leftOutBytes_ = 0;
  bool lastWritten_ = false;
};

}  // namespace Utils
