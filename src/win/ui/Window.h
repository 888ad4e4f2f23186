// The base of everything in the UI layer that has a Win32 window: the form and its controls.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/Component.h"
#include "win/ui/Types.h"

namespace ui {

// A component with a window once it is created. The window carries the component's name for tools in other
// processes, and its messages reach Message inside the dispatcher's exception guard.
class Window : public Component {
 public:
  using Component::Component;
  // A window left over loses its link to this object before it goes.
  ~Window() override;

  HWND Handle() const { return hwnd_; }
  bool Created() const { return hwnd_ != nullptr; }

  // The window's text (what the operator typed, in an edit field); the caption set so far before it exists.
  std::string Caption() const override;
  void SetCaption(const std::string& text) override;

  int ClientWidth() const;
  int ClientHeight() const;

  // The module whose resources hold the pictures and whose window classes these are.
  static HINSTANCE Instance() { return GetModuleHandleA(nullptr); }
  // A window class of our own, whose windows are made by CreateHandle. Registered once.
  static void RegisterWindowClass(const char* className, UINT style, HICON icon = nullptr, HICON smallIcon = nullptr);

 protected:
  // Makes the window: of one of our own classes, or of a native class (edit, button, ...), which is subclassed.
  // False when the platform refuses.
  bool CreateHandle(const char* className, DWORD style, DWORD exStyle, const Bounds& bounds, HWND parent, HMENU menu,
                    bool native);
  bool IsSubclassed() const { return native_; }

  virtual LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The caption changed while the window exists.
  virtual void CaptionChanged();
  // The client size before the window exists.
  virtual SIZE ClientSizeBeforeCreation() const = 0;

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref);
  LRESULT GuardedMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void WindowGone();

  ATOM nameAtom_ = 0;
  bool native_ = false;
};

// The window property that names a component for tools in other processes: a global atom holding the name.
inline constexpr const char* ComponentProperty = "TessaronComponent";

}  // namespace ui
