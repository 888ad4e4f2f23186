// Small text rules shared by the whole wizard: trimming, case folding of a-z,
// line-break normalisation and the integer conversion used for update numbers
// and progress percentages. Texts are 8-bit strings (Windows-1252).
#pragma once

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

// 32-bit signed conversion: optional leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Anything else (trailing blanks included), an empty text or a value outside
// -2147483648..2147483647 gives no number, hexadecimal included.
std::optional<int32_t> ParseInt32(std::string_view text);

// The decimal text of a whole number.
std::string IntToText(int64_t value);

}  // namespace core
