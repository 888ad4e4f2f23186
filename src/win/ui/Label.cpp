#include "win/ui/Form.h"

namespace ui {

Control::WindowClass Label::Describe() const {
  DWORD style = wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP;
  if (!showAccelChar_) style |= SS_NOPREFIX;
  return {"STATIC", style, 0};
}

void Label::AfterCreate() { AdjustSize(); }

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (hwnd_) AdjustSize();
}

void Label::CaptionChanged() {
  Control::CaptionChanged();
  AdjustSize();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::FontChanged() {
  Control::FontChanged();
  AdjustSize();
}

void Label::AdjustSize() {
  if (!autoSize_ || !hwnd_) return;
  // An empty label keeps the height of a line.
  std::string text = caption_.empty() ? std::string(" ") : caption_;
  RECT r{0, 0, 0, 0};
  {
    WindowDC dc(hwnd_);
    SelectedObject font(dc.Get(), FontHandle());
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_EXPANDTABS | (showAccelChar_ ? 0u : static_cast<UINT>(DT_NOPREFIX)));
  }
  Bounds b = BoundsPx();
  if (b.Width == r.right && b.Height == r.bottom) return;
  SetBoundsPx({b.Left, b.Top, r.right, r.bottom});
}

HBRUSH Label::CtlColor(HDC dc, UINT) {
  SetTextColor(dc, EffectiveFontColor());
  SetBkColor(dc, EffectiveColor());
  return form_.BrushFor(EffectiveColor());
}

}  // namespace ui
