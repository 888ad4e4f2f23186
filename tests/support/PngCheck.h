// Test helpers around the PNG writer: a strict reader for what EncodePng writes (stored blocks only), and the
// folder where pictures are left for the ImageMagick cross-check that ctest runs after the test program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/Png.h"

namespace tessaron::testsupport {

// Reads a PNG made of IHDR, IDAT and IEND with 8-bit RGB pixels, no filters and stored deflate blocks, checking
// every CRC, the zlib framing and the Adler-32 sum. Empty, with the reason in *why, for anything else.
std::optional<RgbImage> ReadStoredPng(const std::vector<std::uint8_t>& png, std::string* why);

// Leaves NAME.png and NAME.rgb (the expected raw pixels) in the folder named by TESSARON_PNG_CHECK_DIR, for a
// second opinion by a real decoder; does nothing when the variable is not set. False when a file cannot be written.
bool LeaveForDecoderCheck(const std::string& name, const RgbImage& expected, const std::vector<std::uint8_t>& png);

}  // namespace tessaron::testsupport
