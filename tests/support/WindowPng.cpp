#include "support/WindowPng.h"

#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

using tessaron::testsupport::RgbImage;

namespace {

// Copies a rectangle of a device context into an image through a 32-bit top-down DIB section.
std::optional<RgbImage> Grab(HDC source, int x, int y, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return std::nullopt;
  HDC memory = CreateCompatibleDC(source);
  std::optional<RgbImage> result;
  if (memory) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      RgbImage image(width, height);
      const auto* bgrx = static_cast<const std::uint8_t*>(bits);
      for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        image.rgb[i * 3] = bgrx[i * 4 + 2];
        image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        image.rgb[i * 3 + 2] = bgrx[i * 4];
      }
      result = std::move(image);
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

std::optional<RgbImage> GrabScreen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  if (!screen) return std::nullopt;
  auto image = Grab(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return image;
}

}  // namespace

std::optional<RgbImage> CaptureWindow(HWND hwnd) {
  RECT r{};
  if (!IsWindow(hwnd) || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r) || r.right <= r.left ||
      r.bottom <= r.top)
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
  std::optional<RgbImage> last = GrabScreen(r);
  int agreeing = 0;
  const DWORD start = GetTickCount();
  while (last && agreeing < 2 && GetTickCount() - start < 5000) {
    Sleep(20);
    auto next = GrabScreen(r);
    if (!next) break;
    agreeing = next->rgb == last->rgb ? agreeing + 1 : 0;
    last = std::move(next);
  }
  return last;
}

bool SaveWindowPng(HWND hwnd, const std::string& path) {
  const auto image = CaptureWindow(hwnd);
  return image && tessaron::testsupport::WritePngFile(*image, path);
}
