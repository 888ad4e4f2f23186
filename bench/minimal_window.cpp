// The smallest window the start-up benchmark compares the wizard with: one top-level window that paints a line of
// text and closes on WM_CLOSE. Linked the same way as the wizard (statically), started from the same folder.
//
// With a number as its argument it also holds that many plain child windows (labels, buttons and one drop-down
// list, as the wizard's first page has), made with nothing but the platform's own classes: what a window of that
// many controls costs before any program logic.
#include <windows.h>

#include <cstdlib>

#include "support/PlainWindow.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      static const char kText[] = "Minimal window";
      TextOutA(dc, 8, 8, kText, static_cast<int>(sizeof kText - 1));
      EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      return tessaron::testsupport::MainWindowDefault(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int show) {
  if (!tessaron::testsupport::RegisterWindowClass("MinimalWindow", WindowProc,
                                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
    return 1;
  HWND hwnd = CreateWindowExA(0, "MinimalWindow", "Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              480, 360, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  const int children = std::atoi(arguments);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < children; ++i) {
    // Every fourth a button, the last a drop-down list, the others labels.
    const bool list = i == children - 1;
    const char* kind = list ? "COMBOBOX" : i % 4 == 3 ? "BUTTON" : "STATIC";
    HWND child = CreateWindowExA(0, kind, "A control's text", WS_CHILD | WS_VISIBLE | (list ? CBS_DROPDOWNLIST : 0),
                                 8 + (i % 4) * 116, 40 + (i / 4) * 32, 108, list ? 150 : 24, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  return tessaron::testsupport::RunMessageLoop();
}
