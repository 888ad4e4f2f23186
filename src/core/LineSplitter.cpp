#include "core/LineSplitter.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace core {

namespace {
constexpr size_t npos = std::string::npos;
// Consumed bytes are erased in bulk once they are at least this many and at
// least half the buffer, so each byte is moved a bounded number of times.
constexpr size_t CompactMinimum = 4096;
}  // namespace

LineSplitter::LineSplitter(size_t maxLineLength) : maxLineLength_(std::max<size_t>(maxLineLength, 1)) {}

void LineSplitter::Compact() {
  if (start_ == buffer_.size()) {
    buffer_.clear();
  } else if (start_ >= CompactMinimum && start_ * 2 >= buffer_.size()) {
    buffer_.erase(0, start_);
  } else {
    return;
  }
  const size_t shift = start_;
  if (nextCr_ != npos) nextCr_ -= shift;
  if (nextLf_ != npos) nextLf_ -= shift;
  crSearched_ -= shift;
  lfSearched_ -= shift;
  start_ = 0;
}

void LineSplitter::Feed(const char* data, size_t size) {
  if (size == 0) return;
  Compact();
  const char* const end = data + size;
  while (data < end) {
    const void* nul = std::memchr(data, '\0', static_cast<size_t>(end - data));
    const char* segmentEnd = nul ? static_cast<const char*>(nul) : end;
    if (data < segmentEnd && dropLf_) {
      dropLf_ = false;
      if (*data == '\n') ++data;
    }
    buffer_.append(data, static_cast<size_t>(segmentEnd - data));
    data = nul ? segmentEnd + 1 : end;
  }
}

void LineSplitter::Consume(size_t newStart) {
  start_ = newStart;
  if (nextCr_ != npos && nextCr_ < start_) nextCr_ = npos;
  if (nextLf_ != npos && nextLf_ < start_) nextLf_ = npos;
  crSearched_ = std::max(crSearched_, start_);
  lfSearched_ = std::max(lfSearched_, start_);
}

std::optional<std::string> LineSplitter::NextLine() {
  const size_t size = buffer_.size();
  const char* const data = buffer_.data();
  if (start_ == size) return std::nullopt;

  if (nextLf_ == npos && lfSearched_ < size) {
    const void* found = std::memchr(data + lfSearched_, '\n', size - lfSearched_);
    nextLf_ = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : npos;
    lfSearched_ = found ? nextLf_ : size;
  }
  // A CR only matters before the LF found; search no further.
  const size_t crLimit = nextLf_ == npos ? size : nextLf_;
  if (nextCr_ == npos && crSearched_ < crLimit) {
    const void* found = std::memchr(data + crSearched_, '\r', crLimit - crSearched_);
    nextCr_ = found ? static_cast<size_t>(static_cast<const char*>(found) - data) : npos;
    crSearched_ = found ? nextCr_ : crLimit;
  }

  const size_t terminator = std::min(nextCr_, nextLf_);
  if (terminator == npos || terminator - start_ > maxLineLength_) {
    // No end within the limit: a long enough run is cut into a line of its own.
    if (size - start_ <= maxLineLength_) return std::nullopt;
    std::string line(data + start_, maxLineLength_);
    Consume(start_ + maxLineLength_);
    lastContinued_ = inLongLine_;
    inLongLine_ = true;
    return line;
  }

  std::string line(data + start_, terminator - start_);
  size_t next = terminator + 1;
  if (data[terminator] == '\r') {
    if (next < size) {
      if (data[next] == '\n') ++next;
    } else {
      dropLf_ = true;
    }
  }
  Consume(next);
  lastContinued_ = std::exchange(inLongLine_, false);
  return line;
}

std::optional<std::string> LineSplitter::TakeRest() {
  if (std::optional<std::string> line = NextLine()) return line;
  if (start_ == buffer_.size()) return std::nullopt;
  std::string rest(buffer_, start_);
  Consume(buffer_.size());
  lastContinued_ = std::exchange(inLongLine_, false);
  return rest;
}

}  // namespace core
