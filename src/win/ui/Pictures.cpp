#include "win/ui/Bitmaps.h"
#include "win/ui/Form.h"

namespace ui {

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
      PaintDC paint(hwnd_);
      RECT client = paint.Client();
      FillRect(paint.Get(), &client, form_.BrushFor(EffectiveColor()));
      if (bitmap_) {
        MemoryDC memory(CreateCompatibleDC(paint.Get()));
        SelectedObject picture(memory.Get(), bitmap_.Get());
        BitBlt(paint.Get(), 0, 0, size_.cx, size_.cy, memory.Get(), 0, 0, SRCCOPY);
      }
      return 0;
    }
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Control::Message(msg, wParam, lParam);
  }
}

}  // namespace ui
