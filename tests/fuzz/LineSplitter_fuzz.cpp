// Feeds one byte stream to the line splitter whole and cut into pieces, and
// checks both against a plain model of the line rules. The input's first
// bytes choose the line-length limit and the cuts; the rest is the stream.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/LineSplitter.h"

namespace {

using Lines = std::vector<std::string>;

// The rules stated directly on the whole stream.
Lines Model(const uint8_t* data, size_t size, size_t maxLine) {
  std::string text;
  for (size_t i = 0; i < size; ++i)
    if (data[i] != 0) text += static_cast<char>(data[i]);
  Lines lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n' && end - start <= maxLine) ++end;
    if (end - start > maxLine) {
      lines.push_back(text.substr(start, maxLine));
      start += maxLine;
    } else if (end == text.size()) {
      lines.push_back(text.substr(start));  // the unterminated rest
      start = end;
    } else {
      lines.push_back(text.substr(start, end - start));
      start = end + 1;
      if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
  }
  return lines;
}

void Take(core::LineSplitter& splitter, Lines& lines) {
  while (std::optional<std::string> line = splitter.NextLine()) lines.push_back(std::move(*line));
}

void Finish(core::LineSplitter& splitter, Lines& lines) {
  while (std::optional<std::string> line = splitter.TakeRest()) lines.push_back(std::move(*line));
  if (splitter.PendingSize() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // Small limits make the cut of long lines reachable with short inputs.
  const size_t maxLine = data[0] % 2 ? size_t{1} + data[0] % 64 : core::LineSplitter::DefaultMaxLineLength;
  const size_t cutCount = data[1] % 16;
  if (size < 2 + cutCount) return 0;
  const uint8_t* cuts = data + 2;
  const uint8_t* stream = cuts + cutCount;
  const size_t streamSize = size - 2 - cutCount;

  core::LineSplitter whole(maxLine);
  Lines wholeLines;
  whole.Feed(reinterpret_cast<const char*>(stream), streamSize);
  Take(whole, wholeLines);
  Finish(whole, wholeLines);

  // Piece sizes cycle through the cut bytes; the top bit says whether lines
  // are taken right after the piece or only later.
  core::LineSplitter split(maxLine);
  Lines splitLines;
  size_t at = 0;
  for (size_t k = 0; at < streamSize; ++k) {
    const uint8_t cut = cutCount ? cuts[k % cutCount] : 0;
    const size_t piece = std::min<size_t>(streamSize - at, (cut & 0x7F) + size_t{1});
    split.Feed(reinterpret_cast<const char*>(stream + at), piece);
    at += piece;
    if (!(cut & 0x80)) Take(split, splitLines);
  }
  Take(split, splitLines);
  Finish(split, splitLines);

  if (splitLines != wholeLines) std::abort();
  if (wholeLines != Model(stream, streamSize, maxLine)) std::abort();
  return 0;
}
