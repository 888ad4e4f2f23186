// A small PNG writer for screenshots taken by tests: 8-bit RGB, no filters, zlib stored blocks. It depends on
// nothing but the standard library, so every test program can save what it sees for a person to look at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaron::testsupport {

// Pixels row by row from the top, three bytes (red, green, blue) each.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  RgbImage() = default;
  RgbImage(int w, int h);
  std::uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
  void SetPixel(int x, int y, std::uint32_t rrggbb);
};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

// The whole PNG file. Throws std::invalid_argument for an empty image or one whose buffer does not match its size.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

// Writes EncodePng's result; false when the file cannot be written (a partly written file is removed).
bool WritePngFile(const RgbImage& image, const std::string& path);

}  // namespace tessaron::testsupport
