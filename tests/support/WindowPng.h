// Screenshots of windows for people to look at: what the window shows now, frame included, saved as a PNG.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "support/Png.h"

// The window's pixels, frame included. A window of this process is read from its own surface, so windows lying
// over it do not matter. A window of another process is brought to the top and repainted, then read from the
// screen once two reads in a row agree (its process draws asynchronously); its owned windows, such as a message
// box it shows, stay above it and are part of the picture. Empty when the window does not exist or is not shown.
std::optional<tessaron::testsupport::RgbImage> CaptureWindow(HWND hwnd);

// CaptureWindow, written as a PNG file; false when there was nothing to capture or the file cannot be written.
bool SaveWindowPng(HWND hwnd, const std::string& path);
