// Prints where every control of the wizard window lies, for a test that runs it at another DPI. One line per
// control: name, left, top, width, height (relative to the window's client area), 1 if it sizes itself to its
// text, and its font's height.
#include <windows.h>

#include <cstdio>

#include "win/LauncherF.h"

int main() {
  ui::MakeProcessDpiAware();
  TLauncherForm form;
  form.Create();
  std::printf("dpi %d\n", form.Dpi());
  std::printf("client %d %d\n", form.ClientWidth(), form.ClientHeight());
  for (const auto& control : form.Controls()) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    auto* label = dynamic_cast<ui::Label*>(control.get());
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    std::printf("%s %ld %ld %ld %ld %d %ld\n", control->Name().c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top, label && label->AutoSize() ? 1 : 0, font.lfHeight);
  }
  // The window's smallest outer size.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT outer;
  GetWindowRect(form.Handle(), &outer);
  std::printf("smallest %ld %ld\n", outer.right - outer.left, outer.bottom - outer.top);
  form.Destroy();
  return 0;
}
