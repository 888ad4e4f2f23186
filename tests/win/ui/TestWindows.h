// Helpers for tests that create windows in their own process.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/ui/Application.h"
#include "win/ui/Form.h"

namespace testui {

// Records every message box instead of showing it, answering with a fixed button.
class BoxRecorder {
 public:
  struct Box {
    std::string Text;
    std::string Caption;
    unsigned Flags;
  };

  explicit BoxRecorder(int answer = IDOK) {
    ui::SetMessageBoxHandler([this, answer](const std::string& text, const std::string& caption, unsigned flags) {
      Boxes.push_back({text, caption, flags});
      return answer;
    });
  }
  ~BoxRecorder() { ui::SetMessageBoxHandler({}); }
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  void Clear() { Boxes.clear(); }
  // Exactly one box was shown since the last Clear, and this one.
  void ExpectOnly(const std::string& text, const std::string& caption, unsigned flags) const {
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, text);
    EXPECT_EQ(Boxes[0].Caption, caption);
    EXPECT_EQ(Boxes[0].Flags, flags);
  }

  std::vector<Box> Boxes;
};

// Handles every message waiting.
inline void Pump() { ui::App().ProcessMessages(); }

// Handles messages until the condition holds; false if it never does within a generous number of rounds.
template <class Condition>
bool PumpUntil(Condition condition, int rounds = 2000) {
  for (int i = 0; i < rounds; ++i) {
    Pump();
    if (condition()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return condition();
}

// A key as the keyboard would bring it: posted to the window and taken through the application's message loop.
inline void PressKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
  Pump();
}

// A click of the left mouse button in the middle of a window, taken through the application's message loop: the
// window sees the button go down and up as from the mouse, and a button takes the focus as it does then.
inline void ClickWithMouse(HWND target) {
  RECT r;
  GetClientRect(target, &r);
  const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  PostMessageA(target, WM_LBUTTONUP, 0, middle);
  Pump();
}

// A control's rectangle relative to the form's client area, whatever its parent.
inline RECT RectInForm(const ui::Form& form, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Resizes a window's outer frame by the given amounts.
inline void GrowWindow(HWND window, int dx, int dy) {
  RECT r;
  GetWindowRect(window, &r);
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

inline SIZE OuterSize(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace testui
