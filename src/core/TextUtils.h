// Small text rules shared by the whole wizard: trimming, case folding of a-z,
// line-break normalisation and the integer conversion used for update numbers
// and progress percentages. Texts are 8-bit strings (Windows-1252).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Removes every character with a code from 0 to 32 at both ends.
std::string Trim(std::string_view text);

// Maps only the letters a-z / A-Z; every other byte is kept as it is.
std::string UpperAZ(std::string_view text);
char UpperAZ(char letter);
std::string LowerAZ(std::string_view text);
bool SameTextAZ(std::string_view a, std::string_view b);

// Every CR LF pair, lone CR and lone LF becomes one CR LF pair.
std::string NormaliseLineBreaks(std::string_view text);

// Lines longer than this are broken for display: a text control that wraps words spends time growing with the
// square of a line's length, seconds for a line of some ten thousand characters.
inline constexpr size_t kShownLineLimit = 256;

// Every line longer than limit (at least 1) is broken by CR LF into pieces of at most limit characters, each after
// the last blank or tab of its closing quarter where one lies there, else hard after limit characters. The blank
// stays at the end of its piece, so removing the inserted breaks gives the text back. Line breaks already there
// (CR LF, lone CR, lone LF) and shorter lines are kept byte for byte.
std::string BreakLongLines(std::string_view text, size_t limit = kShownLineLimit);

// 32-bit signed conversion: optional leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Anything else (trailing blanks included), an empty text or a value outside
// -2147483648..2147483647 gives no number, hexadecimal included.
std::optional<int32_t> ParseInt32(std::string_view text);

// The decimal text of a whole number.
std::string IntToText(int64_t value);

}  // namespace core
