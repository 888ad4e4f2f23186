#include "win/ui/Bitmaps.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "win/utils/SystemLibrary.h"

namespace ui {

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A 32-bit DIB section holding the pixels, or null.
ScopedBitmap MakeBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
  GdiFlush();
  return bitmap;
}

}  // namespace

ScopedBitmap LoadTransparentBitmap(HINSTANCE instance, const std::string& name, COLORREF background, int dpi,
                                   SIZE& size) {
  size = {0, 0};
  ScopedBitmap source(
      static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!source) return {};
  BITMAP bm{};
  GetObjectA(source.Get(), sizeof bm, &bm);
  const int width = bm.bmWidth;
  const int height = std::abs(bm.bmHeight);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO info = TopDown32(width, height);
  int lines = GetDIBits(WindowDC(nullptr).Get(), source.Get(), 0, static_cast<UINT>(height), pixels.data(), &info,
                        DIB_RGB_COLORS);
  source.Reset();
  if (lines != height || pixels.empty()) return {};

  const uint32_t key = pixels[static_cast<size_t>(height - 1) * static_cast<size_t>(width)] & 0xFFFFFFu;
  const uint32_t fill = (static_cast<uint32_t>(GetRValue(background)) << 16) |
                        (static_cast<uint32_t>(GetGValue(background)) << 8) | GetBValue(background);
  for (uint32_t& pixel : pixels)
    if ((pixel & 0xFFFFFFu) == key) pixel = fill;
  ScopedBitmap plain = MakeBitmap(pixels, width, height);
  if (!plain || dpi == 96) {
    if (plain) size = {width, height};
    return plain;
  }

  // Scaled after the background is in, so that the smoothing blends with the background and not with the key.
  const int scaledWidth = MulDiv(width, dpi, 96);
  const int scaledHeight = MulDiv(height, dpi, 96);
  BITMAPINFO scaledInfo = TopDown32(scaledWidth, scaledHeight);
  void* bits = nullptr;
  ScopedBitmap scaled(CreateDIBSection(nullptr, &scaledInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scaled) {
    size = {width, height};
    return plain;
  }
  {
    MemoryDC from(CreateCompatibleDC(nullptr));
    MemoryDC to(CreateCompatibleDC(nullptr));
    SelectedObject fromPicture(from.Get(), plain.Get());
    SelectedObject toPicture(to.Get(), scaled.Get());
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    StretchBlt(to.Get(), 0, 0, scaledWidth, scaledHeight, from.Get(), 0, 0, width, height, SRCCOPY);
  }
  size = {scaledWidth, scaledHeight};
  return scaled;
}

HICON LoadShellIcon(int resourceId, int size) {
  // A program that does not link the shell has it loaded on first use.
  HMODULE shell = Utils::SystemModule("shell32.dll");
  if (!shell) return nullptr;
  return static_cast<HICON>(LoadImageA(shell, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace ui
