#include "win/ui/Control.h"

#include <algorithm>
#include <stdexcept>

#include "win/ui/Application.h"
#include "win/ui/Form.h"

namespace ui {

Control::Control(Form& form, Control* parent, std::string name)
    : Component(std::move(name)), form_(form), parent_(parent), id_(0) {}

Control::~Control() {
  // The form destroys the windows first; a window left over loses its link to this object before it goes.
  if (hwnd_ && IsWindow(hwnd_)) {
    HWND hwnd = hwnd_;
    if (native_)
      RemoveWindowSubclass(hwnd, ControlSubclassProc, 0);
    else
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    WindowGone();
    DestroyWindow(hwnd);
  }
}

int Control::Scale(int value) const { return form_.Scale(value); }

bool Control::IsNative() const {
  if (hwnd_) return native_;
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

void Control::ParentSizeChanged(int width, int height) {
  if (!hwnd_) return;
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
  if (b != BoundsPx()) MoveWindow(hwnd_, b.Left, b.Top, b.Width, WindowHeight(b.Height), TRUE);
}

int Control::ClientWidth() const {
  if (!hwnd_) return InitialBounds().Width;
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right;
}

int Control::ClientHeight() const {
  if (!hwnd_) return InitialBounds().Height;
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom;
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

std::string Control::Caption() const { return caption_; }

void Control::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  if (hwnd_) CaptionChanged();
}

void Control::CaptionChanged() { SetWindowTextA(hwnd_, caption_.c_str()); }

void Control::FontChanged() { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE); }

HFONT Control::FontHandle() const { return form_.FontFor(font_); }

bool Control::EventsEnabled() const { return form_.Created() && !form_.creating_ && !form_.destroying_; }

HBRUSH Control::CtlColor(HDC, UINT) { return nullptr; }

LRESULT Control::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETFOCUS) form_.FocusChanged(this);
  if (msg == WM_GETFONT && !native_) return reinterpret_cast<LRESULT>(FontHandle());
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

LRESULT Control::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (native_) return DefSubclassProc(hwnd_, msg, wParam, lParam);
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
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
  bool native = IsNative();
  native_ = native;
  auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
  HWND hwnd = CreateWindowExA(exStyle, wc.ClassName, caption_.c_str(), style, b.Left, b.Top, b.Width,
                              WindowHeight(b.Height), parentWindow, menu, form_.Instance(), native ? nullptr : this);
  if (!hwnd) throw std::runtime_error("Cannot create the window of " + Name());
  hwnd_ = hwnd;
  if (native) SetWindowSubclass(hwnd_, ControlSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  nameAtom_ = GlobalAddAtomA(Name().c_str());
  if (nameAtom_) SetPropA(hwnd_, ComponentProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  AfterCreate();
  // The form's own children are anchored to its design client size; Form::Create lays them out afterwards.
  base_ = BoundsPx();
  if (parent_) {
    RECT r;
    GetClientRect(parentWindow, &r);
    baseParent_ = {r.right, r.bottom};
  } else {
    baseParent_ = {form_.Scale(form_.clientDesign_.cx), form_.Scale(form_.clientDesign_.cy)};
  }
}

void Control::WindowGone() {
  if (nameAtom_) {
    RemovePropA(hwnd_, ComponentProperty);
    GlobalDeleteAtom(nameAtom_);
    nameAtom_ = 0;
  }
  hwnd_ = nullptr;
}

LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* control;
  if (msg == WM_NCCREATE) {
    control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    if (control) control->hwnd_ = hwnd;
  } else {
    control = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    control->WindowGone();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  Guarded([&] { result = control->Message(msg, wParam, lParam); });
  return result;
}

LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  auto* control = reinterpret_cast<Control*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ControlSubclassProc, 0);
    control->WindowGone();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  Guarded([&] { result = control->Message(msg, wParam, lParam); });
  return result;
}

}  // namespace ui
