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

void Label::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  SetWrapStyle(wrap);
}

void Label::SetWrapStyle(bool wrap) {
  if (!hwnd_) return;
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  const LONG_PTR wanted = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | (wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  if (wanted == style) return;
  SetWindowLongPtrA(hwnd_, GWL_STYLE, wanted);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

SIZE Label::TextExtent(int wrapWidth) const {
  // An empty label keeps the height of a line.
  std::string text = caption_.empty() ? std::string(" ") : caption_;
  RECT r{0, 0, wrapWidth, 0};
  if (hwnd_) {
    // A memory DC of the screen measures as the window's own DC does, without asking the display for the window.
    MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectedObject font(dc.Get(), FontHandle());
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? UINT{DT_WORDBREAK} : 0u) |
                  (showAccelChar_ ? 0u : UINT{DT_NOPREFIX}));
  }
  return {r.right, r.bottom};
}

void Label::AdjustSize() {
  if (!autoSize_ || !hwnd_) return;
  SIZE size = TextExtent();
  Bounds b = BoundsPx();
  // The room up to the parent's right edge; a text longer than that takes more lines instead of being cut.
  const int room = (parent_ ? parent_->ClientWidth() : form_.ClientWidth()) - b.Left;
  const bool wrap = room > 0 && size.cx > room;
  if (wrap) size = {room, TextExtent(room).cy};
  SetWrapStyle(wrap || wordWrap_);
  if (b.Width == size.cx && b.Height == size.cy) return;
  SetBoundsPx({b.Left, b.Top, size.cx, size.cy});
}

HBRUSH Label::CtlColor(HDC dc, UINT) {
  SetTextColor(dc, EffectiveFontColor());
  SetBkColor(dc, EffectiveColor());
  return form_.BrushFor(EffectiveColor());
}

}  // namespace ui
