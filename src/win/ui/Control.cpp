#include "win/ui/Control.h"

#include <algorithm>
#include <stdexcept>

#include "win/ui/AccessibleObject.h"
#include "win/ui/Application.h"
#include "win/ui/Form.h"

namespace ui {

Control::Control(Form& form, Control* parent, std::string name)
    : Window(std::move(name)), form_(form), parent_(parent), id_(0) {}

int Control::Scale(int value) const { return form_.Scale(value); }

bool Control::IsNative() const {
  if (hwnd_) return IsSubclassed();
  // Before its window exists, the class name tells: our own classes are all registered as "Tessaron.<kind>".
  return std::string_view(Describe().ClassName).substr(0, 9) != "Tessaron.";
}

Bounds Control::InitialBounds() const {
  return {Scale(design_.Left), Scale(design_.Top), Scale(design_.Width), Scale(design_.Height)};
}

Bounds Control::BoundsPx() const {
  if (!hwnd_) return InitialBounds();
  RECT r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetBoundsPx(const Bounds& bounds) {
  if (!hwnd_) {
    design_ = {MulDiv(bounds.Left, 96, form_.Dpi()), MulDiv(bounds.Top, 96, form_.Dpi()),
               MulDiv(bounds.Width, 96, form_.Dpi()), MulDiv(bounds.Height, 96, form_.Dpi())};
    return;
  }
  MoveWindow(hwnd_, bounds.Left, bounds.Top, bounds.Width, WindowHeight(bounds.Height), TRUE);
  UpdateAnchorBase();
}

void Control::UpdateAnchorBase() {
  if (!hwnd_) return;
  base_ = BoundsPx();
  RECT parent;
  GetClientRect(GetParent(hwnd_), &parent);
  baseParent_ = {parent.right, parent.bottom};
}

std::optional<Bounds> Control::AnchoredBounds(int width, int height) const {
  if (!hwnd_) return std::nullopt;
  int dx = width - baseParent_.cx;
  int dy = height - baseParent_.cy;
  Bounds b = base_;
  if ((anchors_ & akLeft) && (anchors_ & akRight))
    b.Width += dx;
  else if (anchors_ & akRight)
    b.Left += dx;
  if ((anchors_ & akTop) && (anchors_ & akBottom))
    b.Height += dy;
  else if (anchors_ & akBottom)
    b.Top += dy;
  b.Width = std::max(b.Width, 0);
  b.Height = std::max(b.Height, 0);
  if (b == BoundsPx()) return std::nullopt;
  return b;
}

SIZE Control::DesignClientSize() const { return {Scale(design_.Width), Scale(design_.Height)}; }

SIZE Control::ClientSizeBeforeCreation() const {
  Bounds b = InitialBounds();
  return {b.Width, b.Height};
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) {
    EnableWindow(hwnd_, enabled);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void Control::SetFont(const FontInfo& font) {
  font_ = font;
  if (hwnd_) FontChanged();
}

void Control::SetFontBold(bool bold) {
  FontInfo font = font_;
  font.Bold = bold;
  SetFont(font);
}

void Control::SetFontColor(Color color) {
  fontColor_ = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetColor(Color color) {
  color_ = color;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

COLORREF Control::EffectiveColor() const {
  if (!color_.IsDefault()) return color_.Resolve(0);
  return parent_ ? parent_->EffectiveColor() : form_.EffectiveColor();
}

COLORREF Control::EffectiveFontColor() const { return fontColor_.Resolve(GetSysColor(COLOR_WINDOWTEXT)); }

void Control::SetTabStop(bool stop) {
  tabStop_ = stop;
  if (!hwnd_) return;
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  SetWindowLongPtrA(hwnd_, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
}

void Control::SetFocus() {
  if (hwnd_ && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) ::SetFocus(hwnd_);
}

bool Control::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

std::string Control::AccessibleName() const {
  if (!accessibleLabel_) return accessibleName_;
  const std::string text = accessibleLabel_->Caption();
  return accessibleLabel_->ShowAccelChar() ? WithoutAccelerators(text) : text;
}

bool Control::HasNonClientArea() const {
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

void Control::FontChanged() { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE); }

HFONT Control::FontHandle() const { return form_.FontFor(font_); }

bool Control::EventsEnabled() const { return form_.Created() && !form_.creating_ && !form_.destroying_; }

HBRUSH Control::CtlColor(HDC, UINT) { return nullptr; }

LRESULT Control::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS) form_.FocusChanged(this);
  if (msg == WM_GETFONT && !IsSubclassed()) return reinterpret_cast<LRESULT>(FontHandle());
  // Most controls have no frame: their non-client area is empty, and painting it would only cost a device context.
  if (msg == WM_NCPAINT && !HasNonClientArea()) return 0;
  // Asked afresh each time a reader looks, so the name follows the label's text in every language.
  if (msg == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
    const std::string name = AccessibleName();
    if (!name.empty()) {
      if (!form_.readerApartment_) form_.readerApartment_.emplace();
      if (LRESULT object = NamedClientObject(hwnd_, wParam, name)) return object;
    }
  }
  if (IsContainer()) {
    LRESULT result = 0;
    if (RouteChildMessage(msg, wParam, lParam, result)) return result;
    if (msg == WM_ERASEBKGND) {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, form_.BrushFor(EffectiveColor()));
      return 1;
    }
    if (msg == WM_SIZE) {
      form_.LayoutChildren(this, LOWORD(lParam), HIWORD(lParam));
      Resized();
    }
  }
  return DefaultProc(msg, wParam, lParam);
}

bool Control::RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return form_.RouteChildMessage(msg, wParam, lParam, result);
}

void Control::CreateWindowNow() {
  WindowClass wc = Describe();
  HWND parentWindow = parent_ ? parent_->Handle() : form_.Handle();
  if (!parentWindow) throw std::logic_error("Control " + Name() + " is created before its parent");
  Bounds b = InitialBounds();
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | wc.Style;
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  if (tabStop_) style |= WS_TABSTOP;
  DWORD exStyle = wc.ExStyle;
  if (IsContainer()) {
    style |= WS_CLIPCHILDREN;
    exStyle |= WS_EX_CONTROLPARENT;
  }
  auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
  if (!CreateHandle(wc.ClassName, style, exStyle, {b.Left, b.Top, b.Width, WindowHeight(b.Height)}, parentWindow, menu,
                    IsNative()))
    throw std::runtime_error("Cannot create the window of " + Name());
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  AfterCreate();
  // Anchored to the parent's design client size: the form lays the children out for the size it has now.
  base_ = BoundsPx();
  baseParent_ = parent_ ? parent_->DesignClientSize() : form_.ClientSizeBeforeCreation();
}

}  // namespace ui
