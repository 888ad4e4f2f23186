// Pictures from the program's resources and the shell's.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/GdiObjects.h"

namespace ui {

// Loads a bitmap resource and paints it over a solid background, the colour of its lower-left pixel letting the
// background show, scaled by dpi / 96. Null (and size 0 x 0) when the resource is missing.
ScopedBitmap LoadTransparentBitmap(HINSTANCE instance, const std::string& name, COLORREF background, int dpi,
                                   SIZE& size);

// One of the shell's own icons by its resource id in shell32.dll, size x size pixels; null when it is missing. The
// caller owns the icon.
HICON LoadShellIcon(int resourceId, int size);

}  // namespace ui
