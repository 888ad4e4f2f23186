// Turns the bytes read from the engine's output pipe into text lines.
//
// A line ends at CR LF, a lone CR or a lone LF; the terminator is not part of
// the line. NUL bytes are dropped as they arrive. However the byte stream is
// cut into feeds, the same lines come out: a CR that ends one feed completes
// its line at once, and an LF that opens the next feed is then taken as the
// rest of that CR LF. A line that grows past the length limit without a
// terminator is returned in pieces of the limit's length; every piece after
// the first is marked as a continuation, so that a reader never mistakes the
// middle of a long line for the start of a new one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace core {

class LineSplitter {
 public:
  static constexpr size_t DefaultMaxLineLength = 65536;

  // A limit below 1 counts as 1.
  explicit LineSplitter(size_t maxLineLength = DefaultMaxLineLength);

  void Feed(const char* data, size_t size);

  // The next complete line, or nothing while its end has not arrived.
  std::optional<std::string> NextLine();

  // For the end of the stream, when no more bytes will come: the next line,
  // with unterminated bytes counting as a last line; nothing when all is taken.
  std::optional<std::string> TakeRest();

  // Whether the line last returned is a later piece of a line cut at the
  // length limit, not a line of its own.
  bool LastLineContinued() const { return lastContinued_; }

  // Bytes fed and not yet returned as lines.
  size_t PendingSize() const { return buffer_.size() - start_; }

 private:
  void Consume(size_t newStart);
  void Compact();

  size_t maxLineLength_;
  std::string buffer_;
  size_t start_ = 0;  // first byte not yet returned
  // For CR and LF each: the first position at or after start_ holding it
  // (npos when none is known), and how far the buffer has been searched. A
  // line arriving in pieces is thus searched only in its new bytes.
  size_t nextCr_ = std::string::npos;
  size_t nextLf_ = std::string::npos;
  size_t crSearched_ = 0;
  size_t lfSearched_ = 0;
  // The last line ended in a CR that was the last byte fed; an LF arriving
  // next belongs to it.
  bool dropLf_ = false;
  // A piece was cut off at the limit and the rest of its line is still to come.
  bool inLongLine_ = false;
  bool lastContinued_ = false;
};

}  // namespace core
