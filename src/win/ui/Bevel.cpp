#include <algorithm>

#include "win/ui/Form.h"

namespace ui {

Control::WindowClass Bevel::Describe() const { return {"Tessaron.Bevel", 0, 0}; }

void Bevel::AfterCreate() { ClipToLine(); }

void Bevel::ClipToLine() {
  // Only the line belongs to the window, so that it never paints over what lies in the rest of its box.
  RECT r;
  GetClientRect(hwnd_, &r);
  ScopedRegion line(CreateRectRgn(0, std::max(0L, r.bottom - 2), r.right, r.bottom));
  // The window owns the region once it takes it.
  if (line && SetWindowRgn(hwnd_, line.Get(), TRUE)) line.Release();
}

LRESULT Bevel::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      ClipToLine();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDC paint(hwnd_);
      RECT r = paint.Client();
      RECT dark{r.left, r.bottom - 2, r.right, r.bottom - 1};
      RECT light{r.left, r.bottom - 1, r.right, r.bottom};
      FillRect(paint.Get(), &dark, GetSysColorBrush(COLOR_BTNSHADOW));
      FillRect(paint.Get(), &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
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
