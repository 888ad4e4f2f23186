// The plumbing of a small window program of our own, made with the platform's calls alone (the driver's test
// window, the start-up benchmark's minimal window): class registration, the end of the main window, the message loop.
#pragma once

#include <windows.h>

namespace tessaron::testsupport {

// Registers a window class of this program with the arrow cursor; false when the platform refuses it.
inline bool RegisterWindowClass(const char* name, WNDPROC procedure, HBRUSH background, HICON icon = nullptr) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name;
  return RegisterClassA(&windowClass) != 0;
}

// The default handling of a main window's messages, where its end ends the message loop.
inline LRESULT MainWindowDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Handles messages until the loop is told to quit; the code it was told. With a dialog window given, Tab and Enter
// move and press in that window as in a dialog box.
inline int RunMessageLoop(HWND dialog = nullptr) {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (dialog && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tessaron::testsupport
