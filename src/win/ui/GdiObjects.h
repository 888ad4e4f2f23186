// Owners for the drawing objects the controls make, so that each is released once on every path out.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "win/utils/Handles.h"

namespace ui {

template <class Object>
struct GdiObjectTraits {
  using Type = Object;
  static void Close(Object object) { DeleteObject(object); }
};

using ScopedFont = Utils::ScopedResource<GdiObjectTraits<HFONT>>;
using ScopedBrush = Utils::ScopedResource<GdiObjectTraits<HBRUSH>>;
using ScopedPen = Utils::ScopedResource<GdiObjectTraits<HPEN>>;
using ScopedBitmap = Utils::ScopedResource<GdiObjectTraits<HBITMAP>>;
using ScopedRegion = Utils::ScopedResource<GdiObjectTraits<HRGN>>;

struct MemoryDcTraits {
  using Type = HDC;
  static void Close(HDC dc) { DeleteDC(dc); }
};
// A device context of CreateCompatibleDC.
using MemoryDC = Utils::ScopedResource<MemoryDcTraits>;

struct IconTraits {
  using Type = HICON;
  static void Close(HICON icon) { DestroyIcon(icon); }
};
// An icon loaded without LR_SHARED.
using ScopedIcon = Utils::ScopedResource<IconTraits>;

struct ImageListTraits {
  using Type = HIMAGELIST;
  static void Close(HIMAGELIST images) { ImageList_Destroy(images); }
};
using ScopedImageList = Utils::ScopedResource<ImageListTraits>;

// The device context of a window's client area (GetDC), given back to the window.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// The painting of WM_PAINT, between BeginPaint and EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintDC() { EndPaint(hwnd_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;

  HDC Get() const { return dc_; }
  // The whole client area (not only the part to repaint).
  RECT Client() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    return r;
  }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context for the owner's lifetime; the one it replaced goes back afterwards, so
// that the object can be deleted and the context is left as it was found.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ui
