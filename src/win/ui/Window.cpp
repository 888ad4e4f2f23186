#include "win/ui/Window.h"

#include <commctrl.h>

#include <stdexcept>

#include "win/ui/Application.h"

namespace ui {

Window::~Window() {
  if (!hwnd_ || !IsWindow(hwnd_)) return;
  HWND hwnd = hwnd_;
  if (native_)
    RemoveWindowSubclass(hwnd, SubclassProc, 0);
  else
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  WindowGone();
  DestroyWindow(hwnd);
}

void Window::RegisterWindowClass(const char* className, UINT style, HICON icon, HICON smallIcon) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(Instance(), className, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  wc.lpszClassName = className;
  if (!RegisterClassExA(&wc)) throw std::runtime_error(std::string("Cannot register the window class ") + className);
}

bool Window::CreateHandle(const char* className, DWORD style, DWORD exStyle, const Bounds& bounds, HWND parent,
                          HMENU menu, bool native) {
  native_ = native;
  // Our own classes link the window to this object from WM_NCCREATE on, so that no message of theirs is missed.
  HWND hwnd = CreateWindowExA(exStyle, className, caption_.c_str(), style, bounds.Left, bounds.Top, bounds.Width,
                              bounds.Height, parent, menu, Instance(), native ? nullptr : this);
  if (!hwnd) {
    hwnd_ = nullptr;
    return false;
  }
  hwnd_ = hwnd;
  if (native) SetWindowSubclass(hwnd_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  nameAtom_ = GlobalAddAtomA(Name().c_str());
  if (nameAtom_) SetPropA(hwnd_, ComponentProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
  return true;
}

void Window::WindowGone() {
  if (nameAtom_) {
    RemovePropA(hwnd_, ComponentProperty);
    GlobalDeleteAtom(nameAtom_);
    nameAtom_ = 0;
  }
  hwnd_ = nullptr;
}

std::string Window::Caption() const {
  if (!hwnd_) return caption_;
  int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), length + 1)));
  return text;
}

void Window::SetCaption(const std::string& text) {
  if (text == Caption()) return;
  caption_ = text;
  if (hwnd_) CaptionChanged();
}

void Window::CaptionChanged() { SetWindowTextA(hwnd_, caption_.c_str()); }

int Window::ClientWidth() const {
  if (!hwnd_) return ClientSizeBeforeCreation().cx;
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right;
}

int Window::ClientHeight() const {
  if (!hwnd_) return ClientSizeBeforeCreation().cy;
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom;
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (native_) return DefSubclassProc(hwnd_, msg, wParam, lParam);
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT Window::GuardedMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  Guarded([&] { result = Message(msg, wParam, lParam); });
  return result;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* window;
  if (msg == WM_NCCREATE) {
    window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    if (window) window->hwnd_ = hwnd;
  } else {
    window = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!window) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    window->WindowGone();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  return window->GuardedMessage(msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  auto* window = reinterpret_cast<Window*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SubclassProc, 0);
    window->WindowGone();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  return window->GuardedMessage(msg, wParam, lParam);
}

}  // namespace ui
