#include "support/Png.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "support/PngCheck.h"

namespace tessaron::testsupport {
namespace {

std::uint32_t Crc32Of(const std::string& s) {
  return Crc32(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::uint32_t Adler32Of(const std::string& s) {
  return Adler32(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

// Every pixel different from its neighbours, so a shifted row or a swapped channel shows.
RgbImage Pattern(int width, int height) {
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.SetPixel(x, y,
                     static_cast<std::uint32_t>((x * 7 + y * 13) & 0xFF) << 16 |
                         (static_cast<std::uint32_t>(((x * 3) ^ (y * 5)) & 0xFF) << 8) |
                         static_cast<std::uint32_t>((x + y * 31) & 0xFF));
  return image;
}

TEST(Png, ChecksumsMatchTheirDefinitions) {
  EXPECT_EQ(Crc32Of("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32Of(""), 0u);
  EXPECT_EQ(Crc32Of("IEND"), 0xAE426082u);  // the CRC every PNG ends with
  EXPECT_EQ(Adler32Of("Wikipedia"), 0x11E60398u);
  EXPECT_EQ(Adler32Of(""), 1u);

  // Continued sums equal the sum over the whole.
  const std::string a = "Tessaron ", b = "Update Utility";
  EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), Crc32Of(a)), Crc32Of(a + b));
  EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), Adler32Of(a)), Adler32Of(a + b));

  // Long runs of 0xFF are where a deferred modulo would overflow; compare with the step-by-step definition.
  const std::string ones(200000, '\xFF');
  std::uint32_t s1 = 1, s2 = 0;
  for (unsigned char c : ones) {
    s1 = (s1 + c) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  EXPECT_EQ(Adler32Of(ones), s2 << 16 | s1);
}

TEST(Png, EncodesPixelsExactlyAcrossStoredBlockBoundaries) {
  // Raw scanline bytes: 1456x15 fills exactly one stored block (65535), 85x256 needs a second block of one byte,
  // 300x250 several blocks; 1x1 is the smallest picture.
  const std::pair<int, int> sizes[] = {{1456, 15}, {85, 256}, {300, 250}, {1, 1}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const RgbImage image = Pattern(w, h);
    const auto png = EncodePng(image);
    std::string why;
    const auto back = ReadStoredPng(png, &why);
    ASSERT_TRUE(back) << why;
    EXPECT_EQ(back->width, w);
    EXPECT_EQ(back->height, h);
    EXPECT_TRUE(back->rgb == image.rgb);
    EXPECT_TRUE(LeaveForDecoderCheck("pattern-" + std::to_string(w) + "x" + std::to_string(h), image, png));
  }
}

TEST(Png, RejectsImagesWithoutPixelsOrWithAWrongBuffer) {
  EXPECT_THROW(EncodePng(RgbImage{}), std::invalid_argument);
  RgbImage wrong(4, 4);
  wrong.rgb.pop_back();
  EXPECT_THROW(EncodePng(wrong), std::invalid_argument);
  RgbImage negative;
  negative.width = -2;
  negative.height = -3;
  negative.rgb.resize(18);
  EXPECT_THROW(EncodePng(negative), std::invalid_argument);
}

TEST(Png, WritingIntoAMissingFolderFailsAndLeavesNothing) {
  const std::string path = "Z:\\no-such-folder-for-tessaron\\shot.png";
  EXPECT_FALSE(WritePngFile(Pattern(4, 4), path));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  EXPECT_EQ(f, nullptr);
  if (f) std::fclose(f);
}

TEST(Png, TheStrictReaderRefusesDamagedFiles) {
  const auto good = EncodePng(Pattern(20, 10));
  std::string why;
  ASSERT_TRUE(ReadStoredPng(good, &why)) << why;

  auto flipped = good;
  flipped[60] ^= 0x01;  // a pixel byte inside IDAT: the chunk CRC no longer matches
  EXPECT_FALSE(ReadStoredPng(flipped, &why));
  EXPECT_EQ(why, "chunk CRC mismatch");

  auto cut = good;
  cut.resize(cut.size() - 12);  // IEND gone
  EXPECT_FALSE(ReadStoredPng(cut, &why));
}

}  // namespace
}  // namespace tessaron::testsupport
