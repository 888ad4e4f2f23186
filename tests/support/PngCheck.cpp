#include "support/PngCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tessaron::testsupport {

namespace {

std::uint32_t Be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

bool WriteAll(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

std::optional<RgbImage> ReadStoredPng(const std::vector<std::uint8_t>& png, std::string* why) {
  auto fail = [why](const char* reason) -> std::optional<RgbImage> {
    if (why) *why = reason;
    return std::nullopt;
  };
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || std::memcmp(png.data(), kSignature, 8) != 0) return fail("bad signature");

  std::vector<std::string> order;
  std::vector<std::uint8_t> header, z;
  std::size_t at = 8;
  while (at < png.size()) {
    if (png.size() - at < 12) return fail("truncated chunk");
    const std::uint32_t length = Be32(&png[at]);
    if (length > png.size() - at - 12) return fail("chunk longer than the file");
    const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
    if (Crc32(&png[at + 4], length + 4) != Be32(&png[at + 8 + length])) return fail("chunk CRC mismatch");
    const std::uint8_t* data = &png[at + 8];
    if (type == "IHDR") header.assign(data, data + length);
    if (type == "IDAT") z.insert(z.end(), data, data + length);
    order.push_back(type);
    at += 12 + length;
  }
  if (order != std::vector<std::string>{"IHDR", "IDAT", "IEND"}) return fail("unexpected chunk sequence");
  if (header.size() != 13) return fail("IHDR size");
  const std::uint32_t width = Be32(&header[0]), height = Be32(&header[4]);
  if (width == 0 || height == 0 || width > 1u << 15 || height > 1u << 15) return fail("image size");
  if (header[8] != 8 || header[9] != 2 || header[10] || header[11] || header[12]) return fail("IHDR format");

  if (z.size() < 6 || (z[0] << 8 | z[1]) % 31 != 0 || (z[0] & 0x0F) != 8) return fail("zlib header");
  std::vector<std::uint8_t> raw;
  std::size_t p = 2;
  for (bool last = false; !last;) {
    if (z.size() - p < 5 + 4) return fail("truncated deflate block");
    if (z[p] & ~1u) return fail("not a stored block");
    last = z[p] & 1;
    const unsigned len = z[p + 1] | z[p + 2] << 8, nlen = z[p + 3] | z[p + 4] << 8;
    if ((len ^ 0xFFFFu) != nlen) return fail("stored block length check");
    p += 5;
    if (z.size() - p < len + std::size_t{4}) return fail("stored block past the end");
    raw.insert(raw.end(), z.begin() + p, z.begin() + p + len);
    p += len;
  }
  if (z.size() - p != 4) return fail("data after the Adler-32 sum");
  if (Adler32(raw.data(), raw.size()) != Be32(&z[p])) return fail("Adler-32 mismatch");

  const std::size_t stride = std::size_t{width} * 3;
  if (raw.size() != (stride + 1) * height) return fail("pixel data size");
  RgbImage image(static_cast<int>(width), static_cast<int>(height));
  for (std::size_t y = 0; y < height; ++y) {
    if (raw[y * (stride + 1)] != 0) return fail("filtered scanline");
    std::memcpy(&image.rgb[y * stride], &raw[y * (stride + 1) + 1], stride);
  }
  return image;
}

bool LeaveForDecoderCheck(const std::string& name, const RgbImage& expected, const std::vector<std::uint8_t>& png) {
  const char* dir = std::getenv("TESSARON_PNG_CHECK_DIR");
  if (!dir || !*dir) return true;
  const std::string base = std::string(dir) + "\\" + name;
  const std::string size = std::to_string(expected.width) + "x" + std::to_string(expected.height) + "\n";
  return WriteAll(base + ".png", png.data(), png.size()) &&
         WriteAll(base + ".rgb", expected.rgb.data(), expected.rgb.size()) &&
         WriteAll(base + ".size", reinterpret_cast<const std::uint8_t*>(size.data()), size.size());
}

}  // namespace tessaron::testsupport
