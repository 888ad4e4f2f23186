#include "support/Png.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace tessaron::testsupport {

RgbImage::RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}

std::uint32_t RgbImage::Pixel(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
  return std::uint32_t{rgb.at(at)} << 16 | std::uint32_t{rgb.at(at + 1)} << 8 | rgb.at(at + 2);
}

void RgbImage::SetPixel(int x, int y, std::uint32_t rrggbb) {
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
  rgb.at(at) = static_cast<std::uint8_t>(rrggbb >> 16);
  rgb.at(at + 1) = static_cast<std::uint8_t>(rrggbb >> 8);
  rgb.at(at + 2) = static_cast<std::uint8_t>(rrggbb);
}

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr auto kCrcTable = MakeCrcTable();

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t crcFrom = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + crcFrom, out.size() - crcFrom));
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
  constexpr std::uint32_t kMod = 65521;
  std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
  while (size > 0) {
    // 5552 bytes is the most that cannot overflow the sums before the modulo.
    const std::size_t n = size < 5552 ? size : 5552;
    for (std::size_t i = 0; i < n; ++i) {
      a += data[i];
      b += a;
    }
    a %= kMod;
    b %= kMod;
    data += n;
    size -= n;
  }
  return b << 16 | a;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0)
    throw std::invalid_argument("PNG: the image has no pixels");
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  if (image.rgb.size() != stride * static_cast<std::size_t>(image.height))
    throw std::invalid_argument("PNG: the pixel buffer does not match the image size");

  // Scanlines, each behind filter type 0.
  std::vector<std::uint8_t> raw;
  raw.reserve((stride + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), image.rgb.begin() + y * stride, image.rgb.begin() + (y + 1) * stride);
  }

  // zlib stream: header for deflate with a 32K window, stored blocks of at most 65535 bytes, Adler-32.
  std::vector<std::uint8_t> z{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
    at += n;
  } while (at < raw.size());
  PutBe32(z, Adler32(raw.data(), raw.size()));

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBe32(header, static_cast<std::uint32_t>(image.width));
  PutBe32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter method, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePngFile(const RgbImage& image, const std::string& path) {
  const std::vector<std::uint8_t> png = EncodePng(image);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  const bool closed = std::fclose(f) == 0;
  if (!(written && closed)) {
    std::remove(path.c_str());
    return false;
  }
  return true;
}

}  // namespace tessaron::testsupport
