#include "support/WindowBmp.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

namespace tessaron::testsupport {

namespace {

std::size_t RowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

BITMAPINFOHEADER Header(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // positive: bottom-up, the layout every BMP reader knows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(RowBytes(width) * height);
  return header;
}

// Copies a rectangle of a device context through a DIB section laid out as the BMP file's pixels.
std::optional<Bitmap> Grab(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = Header(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return std::nullopt;
  HDC memory = CreateCompatibleDC(source);
  std::optional<Bitmap> result;
  if (memory) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      const auto* first = static_cast<const std::uint8_t*>(bits);
      result = Bitmap{width, height, std::vector<std::uint8_t>(first, first + info.bmiHeader.biSizeImage)};
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
  return result;
}

BOOL CALLBACK CollectOwned(HWND candidate, LPARAM lParam) {
  auto* search = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(lParam);
  if (!IsWindowVisible(candidate)) return TRUE;
  for (HWND owner = GetWindow(candidate, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
    if (owner == search->first) {
      search->second.push_back(candidate);
      break;
    }
  return TRUE;
}

// Puts the window on top, with the windows it owns (a message box, say) above it in their present order. Wine
// raises a window of another process alone, leaving what it owns below it, so those follow one by one, the
// topmost last, and only that one is activated.
void BringToTop(HWND hwnd) {
  std::pair<HWND, std::vector<HWND>> owned{hwnd, {}};
  EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&owned));  // topmost first
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, owned.second.empty() ? keep : keep | SWP_NOACTIVATE);
  for (auto it = owned.second.rbegin(); it != owned.second.rend(); ++it)
    SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, std::next(it) == owned.second.rend() ? keep : keep | SWP_NOACTIVATE);
}

std::optional<Bitmap> GrabScreen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  if (!screen) return std::nullopt;
  auto image = Grab(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace

std::optional<Bitmap> CaptureWindow(HWND hwnd) {
  RECT r{};
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top)
    return std::nullopt;

  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == GetCurrentProcessId()) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return std::nullopt;
    auto image = Grab(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ReleaseDC(hwnd, dc);
    return image;
  }

  // Another process: its window is only on the screen, and only where nothing covers it.
  BringToTop(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  GetWindowRect(hwnd, &r);
  // Two reads in a row that agree twice: the repaint has reached the screen and nothing is moving.
  std::optional<Bitmap> last = GrabScreen(r);
  int agreeing = 0;
  const DWORD start = GetTickCount();
  while (last && agreeing < 2 && GetTickCount() - start < 5000) {
    Sleep(20);
    auto next = GrabScreen(r);
    if (!next) break;
    agreeing = next->bits == last->bits ? agreeing + 1 : 0;
    last = std::move(next);
  }
  return last;
}

bool SaveWindowBmp(HWND hwnd, const std::string& path) {
  const auto image = CaptureWindow(hwnd);
  if (!image) return false;
  const BITMAPINFOHEADER header = Header(image->width, image->height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + image->bits.size());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&header, sizeof header, 1, f) == 1 &&
                       std::fwrite(image->bits.data(), 1, image->bits.size(), f) == image->bits.size();
  if (std::fclose(f) == 0 && written) return true;
  std::remove(path.c_str());
  return false;
}

std::optional<Bitmap> ReadBmpFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  std::optional<Bitmap> image;
  if (std::fread(&file, sizeof file, 1, f) == 1 && std::fread(&header, sizeof header, 1, f) == 1 &&
      file.bfType == 0x4D42 && file.bfOffBits == sizeof file + sizeof header && header.biBitCount == 24 &&
      header.biCompression == BI_RGB && header.biWidth > 0 && header.biHeight > 0) {
    Bitmap read{header.biWidth, header.biHeight, std::vector<std::uint8_t>(RowBytes(header.biWidth) * header.biHeight)};
    if (std::fread(read.bits.data(), 1, read.bits.size(), f) == read.bits.size() && std::fgetc(f) == EOF)
      image = std::move(read);
  }
  std::fclose(f);
  return image;
}

std::uint32_t Bitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return kOutside;
  const std::uint8_t* bgr = bits.data() + RowBytes(width) * (height - 1 - y) + static_cast<std::size_t>(x) * 3;
  return std::uint32_t{bgr[2]} << 16 | std::uint32_t{bgr[1]} << 8 | bgr[0];
}

}  // namespace tessaron::testsupport
