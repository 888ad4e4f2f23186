#include "ResourceChecks.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace tessaron::e2e {

namespace {

std::pair<const BYTE*, DWORD> Resource(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {nullptr, 0};
  HGLOBAL loaded = LoadResource(module, found);
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

void ExpectBitmap(HMODULE module, const char* name, int width, int height, int bits, DWORD paletteSize,
                  COLORREF lowerLeft) {
  SCOPED_TRACE(name);
  const auto [data, size] = Resource(module, MAKEINTRESOURCEA(2) /* RT_BITMAP */, name);
  ASSERT_TRUE(data);
  ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  EXPECT_EQ(header.biWidth, width);
  EXPECT_EQ(header.biHeight, height) << "stored bottom-up";
  EXPECT_EQ(header.biBitCount, bits);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
  const DWORD colours = header.biClrUsed ? header.biClrUsed : (bits <= 8 ? 1u << bits : 0u);
  EXPECT_EQ(colours, paletteSize);
  // The first stored pixel is the lower-left one.
  const std::size_t pixels = header.biSize + colours * 4;
  ASSERT_GT(size, pixels + 2);
  COLORREF seen;
  if (bits == 8) {
    const BYTE* entry = data + header.biSize + data[pixels] * 4;
    seen = RGB(entry[2], entry[1], entry[0]);
  } else {
    const WORD p = static_cast<WORD>(data[pixels] | data[pixels + 1] << 8);  // 5-5-5
    seen = RGB((p >> 10 & 31) * 255 / 31, (p >> 5 & 31) * 255 / 31, (p & 31) * 255 / 31);
  }
  EXPECT_EQ(seen, lowerLeft);
}

std::string Version(const std::vector<BYTE>& info, const char* field) {
  char* text = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904E4\\") + field;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return {};
  return std::string(text, length && text[length - 1] == '\0' ? length - 1 : length);
}

}  // namespace

void ExpectWizardResources(const std::string& program) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(module) << program << ": error " << GetLastError();

  // The main icon: a 32x32 and a 16x16 picture of 16 colours.
  const auto [group, groupSize] = Resource(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, "MAINICON");
  ASSERT_TRUE(group) << "MAINICON";
  const WORD count = static_cast<WORD>(group[4] | group[5] << 8);
  ASSERT_GE(groupSize, 6u + count * sizeof(GroupIconEntry));
  std::set<std::pair<int, int>> icons;  // size, bits per pixel
  for (WORD i = 0; i < count; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
    icons.emplace(entry.width, entry.bitCount);
    EXPECT_TRUE(Resource(module, MAKEINTRESOURCEA(3) /* RT_ICON */, MAKEINTRESOURCEA(entry.id)).first);
  }
  EXPECT_EQ(icons, (std::set<std::pair<int, int>>{{16, 4}, {32, 4}}));

  ExpectBitmap(module, "LOGO", 65, 22, 8, 32, RGB(192, 192, 192));
  ExpectBitmap(module, "ILLUSTRATION", 128, 280, 8, 256, RGB(0, 128, 128));
  ExpectBitmap(module, "BUTTONPICTURE", 32, 32, 16, 0, RGB(255, 0, 255));

  const auto [manifest, manifestSize] = Resource(module, MAKEINTRESOURCEA(24) /* RT_MANIFEST */, MAKEINTRESOURCEA(1));
  ASSERT_TRUE(manifest) << "manifest";
  const std::string xml(reinterpret_cast<const char*>(manifest), manifestSize);
  for (const char* needed :
       {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "requireAdministrator", "<dpiAware",
        "<dpiAwareness", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", "e2011457-1546-43c5-a5fe-008deee3d3f0"})
    EXPECT_NE(xml.find(needed), std::string::npos) << needed;
  FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "version information";
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(3, 2)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, 1)));
  EXPECT_EQ(Version(info, "CompanyName"), "Orvo");
  EXPECT_EQ(Version(info, "ProductName"), "Tessaron Update Utility");
  EXPECT_EQ(Version(info, "ProductVersion"), "2.3.1");
  EXPECT_FALSE(Version(info, "FileDescription").empty());
}

}  // namespace tessaron::e2e
