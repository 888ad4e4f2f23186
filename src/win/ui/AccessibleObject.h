// Accessible names that the program gives its controls, for screen readers.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The answer to WM_GETOBJECT for a window's client object: the platform's standard object for the window, which
// reads name (Windows-1252) as its own. 0 when the object cannot be made; the platform then answers alone.
LRESULT NamedClientObject(HWND hwnd, WPARAM wParam, const std::string& name);

// A label's text as a screen reader should say it: without the ampersands that mark accelerators.
std::string WithoutAccelerators(const std::string& text);

}  // namespace ui
