// The tail of the engine's output that the completion page and the run log
// keep: lines joined by CR LF, cut back whenever it grows too long.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// Once the tail is longer than this, it is cut back ...
inline constexpr size_t kOutputTailLimit = 8192;
// ... to this many of its last characters (the cut may fall inside a line).
inline constexpr size_t kOutputTailKeep = 4097;

// Appends CR LF and the line, then applies the cut.
void AppendOutputLine(std::string& outputBuffer, std::string_view line);

}  // namespace core
