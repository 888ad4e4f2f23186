// Screenshots of windows for people to look at: what the window shows now, frame included, saved as a BMP file
// (scripts/png-screenshots turns them into PNG after the tests).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaron::testsupport {

// Pixels as a BMP file holds them: 24-bit blue-green-red, rows from the bottom up, each padded to four bytes.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;

  static constexpr std::uint32_t kOutside = 0xFFFFFFFF;
  std::uint32_t Pixel(int x, int y) const;  // 0xRRGGBB, y counted from the top; kOutside beyond the edges
};

// The window's pixels, frame included. A window of this process is read from its own surface, so windows lying
// over it do not matter. A window of another process is brought to the top and repainted, then read from the
// screen once two reads in a row agree (its process draws asynchronously); its owned windows, such as a message
// box it shows, stay above it and are part of the picture. Empty when the window does not exist or is not shown.
std::optional<Bitmap> CaptureWindow(HWND hwnd);

// CaptureWindow, written as a BMP file; false when there was nothing to capture or the file cannot be written.
bool SaveWindowBmp(HWND hwnd, const std::string& path);

// A BMP file as SaveWindowBmp writes it (24-bit, uncompressed); empty for anything else.
std::optional<Bitmap> ReadBmpFile(const std::string& path);

}  // namespace tessaron::testsupport
