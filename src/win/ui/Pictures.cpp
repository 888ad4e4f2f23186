#include "win/ui/Bitmaps.h"
#include "win/ui/Form.h"

namespace ui {

// --------------------------------------------------------------------- Image

Image::~Image() {
  if (bitmap_) DeleteObject(bitmap_);
}

Control::WindowClass Image::Describe() const { return {"Tessaron.Image", 0, 0}; }

void Image::AfterCreate() {
  if (picture_.empty()) return;
  COLORREF background = parent_ ? parent_->EffectiveColor() : form_.EffectiveColor();
  bitmap_ = LoadTransparentBitmap(form_.Instance(), picture_, background, form_.Dpi(), size_);
  if (bitmap_ && autoSize_) {
    Bounds b = BoundsPx();
    SetBoundsPx({b.Left, b.Top, size_.cx, size_.cy});
  }
}

LRESULT Image::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(dc, &client, form_.BrushFor(EffectiveColor()));
      if (bitmap_) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap_);
        BitBlt(dc, 0, 0, size_.cx, size_.cy, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
      }
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Control::Message(msg, wParam, lParam);
  }
}

// --------------------------------------------------------------------- Bevel

Control::WindowClass Bevel::Describe() const { return {"Tessaron.Bevel", 0, 0}; }

void Bevel::AfterCreate() { ClipToLine(); }

void Bevel::ClipToLine() {
  // Only the line belongs to the window, so that it never paints over what lies in the rest of its box.
  RECT r;
  GetClientRect(hwnd_, &r);
  HRGN line = CreateRectRgn(0, std::max(0L, r.bottom - 2), r.right, r.bottom);
  if (line && !SetWindowRgn(hwnd_, line, TRUE)) DeleteObject(line);
}

LRESULT Bevel::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      ClipToLine();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT r;
      GetClientRect(hwnd_, &r);
      RECT dark{r.left, r.bottom - 2, r.right, r.bottom - 1};
      RECT light{r.left, r.bottom - 1, r.right, r.bottom};
      FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
      FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      break;
  }
  return Control::Message(msg, wParam, lParam);
}

}  // namespace ui
