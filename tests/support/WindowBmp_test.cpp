#include "support/WindowBmp.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace tessaron::testsupport;

// A window with three solid blocks of known colour.
class ColourWindow {
 public:
  ColourWindow(int x, int y) {
    static const bool registered = [] {
      WNDCLASSA block{};
      block.lpfnWndProc = BlockProc;
      block.hInstance = GetModuleHandleA(nullptr);
      block.lpszClassName = "TessaronCaptureBlock";
      WNDCLASSA frame = block;
      frame.lpfnWndProc = DefWindowProcA;
      frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      frame.lpszClassName = "TessaronCaptureFrame";
      return RegisterClassA(&block) && RegisterClassA(&frame);
    }();
    EXPECT_TRUE(registered);
    hwnd = CreateWindowExA(0, "TessaronCaptureFrame", "Capture", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, 320, 200,
                           nullptr, nullptr, nullptr, nullptr);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
      blocks[i] = CreateWindowExA(0, "TessaronCaptureBlock", "", WS_CHILD | WS_VISIBLE, 10 + i * 90, 10, 80, 60, hwnd,
                                  nullptr, nullptr, nullptr);
      SetWindowLongPtrA(blocks[i], GWLP_USERDATA, static_cast<LONG_PTR>(colours[i]));
    }
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
  }
  ~ColourWindow() { DestroyWindow(hwnd); }

  // Centre of a block in window coordinates (origin at the outer top-left corner).
  POINT BlockCentre(int i) const {
    RECT outer{}, block{};
    GetWindowRect(hwnd, &outer);
    GetWindowRect(blocks[i], &block);
    return {(block.left + block.right) / 2 - outer.left, (block.top + block.bottom) / 2 - outer.top};
  }

  HWND hwnd = nullptr;
  HWND blocks[3] = {};

 private:
  static LRESULT CALLBACK BlockProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(h, GWLP_USERDATA)));
      FillRect(dc, &r, brush);
      DeleteObject(brush);
      EndPaint(h, &ps);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }
};

void ExpectBlocks(const Bitmap& image, const ColourWindow& window) {
  const std::uint32_t expected[] = {0xFF0000, 0x00A000, 0x0000FF};
  for (int i = 0; i < 3; ++i) {
    const POINT c = window.BlockCentre(i);
    ASSERT_TRUE(c.x >= 0 && c.y >= 0 && c.x < image.width && c.y < image.height);
    EXPECT_EQ(image.Pixel(c.x, c.y), expected[i]) << "block " << i;
  }
}

TEST(WindowBmp, CapturesTheWholeWindowWithItsFrameEvenWhenCovered) {
  ColourWindow window(60, 50);
  RECT outer{}, client{};
  GetWindowRect(window.hwnd, &outer);
  GetClientRect(window.hwnd, &client);
  ASSERT_GT(outer.right - outer.left, client.right) << "the window should have a frame";

  auto image = CaptureWindow(window.hwnd);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, outer.right - outer.left);
  EXPECT_EQ(image->height, outer.bottom - outer.top);
  ExpectBlocks(*image, window);
  // The caption bar is drawn too: its row differs from the button-face client background.
  const std::uint32_t face = GetSysColor(COLOR_BTNFACE);
  const std::uint32_t faceRgb = (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF);
  POINT caption{(outer.right - outer.left) / 2, GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
  EXPECT_NE(image->Pixel(caption.x, caption.y), faceRgb);

  // Another top-level window lying over the blocks does not get into the picture.
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, outer.left, outer.top,
                               outer.right - outer.left, 120, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(cover);
  UpdateWindow(cover);
  image = CaptureWindow(window.hwnd);
  DestroyWindow(cover);
  ASSERT_TRUE(image);
  ExpectBlocks(*image, window);
}

TEST(WindowBmp, NothingToSaveForAHiddenOrDestroyedWindow) {
  HWND hwnd;
  {
    ColourWindow window(80, 80);
    hwnd = window.hwnd;
    ShowWindow(hwnd, SW_HIDE);
    EXPECT_FALSE(CaptureWindow(hwnd));
    EXPECT_FALSE(SaveWindowBmp(hwnd, "Z:\\tmp\\tessaron-hidden.bmp"));
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(SaveWindowBmp(hwnd, "Z:\\tmp\\tessaron-destroyed.bmp"));
}

TEST(WindowBmp, SavesABmpThatReadsBackAsTheCapture) {
  ColourWindow window(100, 100);
  char folder[MAX_PATH] = {};
  ASSERT_TRUE(GetTempPathA(MAX_PATH, folder));
  const std::string path = std::string(folder) + "tessaron-window.bmp";
  ASSERT_TRUE(SaveWindowBmp(window.hwnd, path));
  const auto back = ReadBmpFile(path);
  ASSERT_TRUE(back);
  RECT outer{};
  GetWindowRect(window.hwnd, &outer);
  EXPECT_EQ(back->width, outer.right - outer.left);
  EXPECT_EQ(back->height, outer.bottom - outer.top);
  ExpectBlocks(*back, window);

  // The headers every BMP reader expects: 14 + 40 bytes, 24 bits per pixel, rows padded to four bytes.
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_TRUE(f);
  unsigned char head[30] = {};
  ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
  std::fseek(f, 0, SEEK_END);
  const long size = std::ftell(f);
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_EQ(head[0], 'B');
  EXPECT_EQ(head[1], 'M');
  EXPECT_EQ(head[2] | head[3] << 8 | head[4] << 16, size);
  EXPECT_EQ(head[10], 54);
  EXPECT_EQ(head[14], 40);
  EXPECT_EQ(head[28], 24);
  const long rowBytes = ((outer.right - outer.left) * 3 + 3) / 4 * 4;
  EXPECT_EQ(size, 54 + rowBytes * (outer.bottom - outer.top));
}

}  // namespace
