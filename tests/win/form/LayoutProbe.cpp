// Prints where every control of the wizard window lies, for a test that runs it at another DPI. One line per
// control: name, left, top, width, height (relative to the window's client area), 1 if it sizes itself to its
// text (2 if that text wraps at its parent's edge), and its font's height.
//
// With the argument "texts" it prints instead, for every language and page, what each visible text needs against
// the room it has on the screen (see TextSweep).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "EveryPage.h"
#include "win/LauncherF.h"

namespace {

// The free-space texts of a drive with 99,999 MB free, the longest a drive below 100 GB shows.
const char* const kLargeFreeSpace[] = {"99,999 MB free [100%]", "99,999 MB frei [100%]", "99,999 Mo disp. [100%]",
                                       "99,999 MB libres [100%]"};

RECT ScreenClient(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Whether the window is drawn over its sibling.
bool Above(HWND window, HWND sibling) {
  for (HWND w = GetWindow(sibling, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == window) return true;
  return false;
}

// The text a control shows, and the DrawText flags it is laid out with; false for controls without a text.
bool ShownText(ui::Control& control, std::string& text, UINT& flags, RECT& area) {
  HWND hwnd = control.Handle();
  area = ScreenClient(hwnd);
  const int edge = MulDiv(3, control.OwnerForm().Dpi(), 96);
  if (auto* label = dynamic_cast<ui::Label*>(&control)) {
    text = label->Caption();
    flags = (label->ShowAccelChar() ? 0u : UINT{DT_NOPREFIX}) |
            ((GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT ? UINT{DT_WORDBREAK} : UINT{DT_SINGLELINE});
    return true;
  }
  if (auto* memo = dynamic_cast<ui::Memo*>(&control)) {
    text = memo->Text();
    flags = DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL;
    SendMessageA(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return control.Visible();
  }
  // The drive list draws icons before platform drive names: not ours to fit.
  if (dynamic_cast<ui::DriveComboBox*>(&control)) return false;
  if (auto* combo = dynamic_cast<ui::ComboBox*>(&control)) {
    text = combo->Caption();
    flags = DT_NOPREFIX | DT_SINGLELINE;
    // The drop-down button takes the right end.
    area.left += edge;
    area.right -= GetSystemMetrics(SM_CXVSCROLL) + edge;
    return true;
  }
  if (dynamic_cast<ui::Button*>(&control) || dynamic_cast<ui::Panel*>(&control)) {
    char buffer[512] = "";
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    text = buffer;
    flags = DT_SINGLELINE | (dynamic_cast<ui::Panel*>(&control) ? UINT{DT_NOPREFIX} : 0u);
    InflateRect(&area, -edge, 0);
    return !text.empty();
  }
  return false;
}

// One line per visible text: language, page, control, the width and height its text needs, the width and height
// it has on the screen (its own area cut by every window around it), and the visible control beside it that the
// text would run into, or "-".
void SweepPage(TLauncherForm& form, int language, int page) {
  for (const auto& control : form.Controls()) {
    HWND hwnd = control->Handle();
    if (!IsWindowVisible(hwnd)) continue;
    std::string text;
    UINT flags = 0;
    RECT area;
    if (!ShownText(*control, text, flags, area) || text.empty()) continue;

    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    RECT need{0, 0, area.right - area.left, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &need, flags | DT_CALCRECT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);

    RECT room = area;
    for (HWND outer = GetParent(hwnd); outer; outer = GetParent(outer)) {
      RECT clip = ScreenClient(outer);
      IntersectRect(&room, &room, &clip);
    }
    RECT used{area.left, area.top, area.left + need.right, area.top + need.bottom};
    const char* beside = "-";
    for (const auto& other : form.Controls()) {
      if (other == control || other->Parent() != control->Parent() || !IsWindowVisible(other->Handle())) continue;
      RECT r, overlap;
      GetWindowRect(other->Handle(), &r);
      if (dynamic_cast<ui::Bevel*>(other.get())) {
        // The separator's box lies under the assistance line by design: only its line, at the bottom, is drawn,
        // and it must not cross a text drawn above it.
        r.top = r.bottom - 2;
        if (!Above(other->Handle(), hwnd)) continue;
      }
      if (IntersectRect(&overlap, &used, &r)) beside = other->Name().c_str();
    }
    std::printf("%d %d %s %ld %ld %ld %ld %s\n", language, page, control->Name().c_str(), need.right, need.bottom,
                std::max(0L, room.right - room.left), std::max(0L, room.bottom - room.top), beside);
  }
}

int TextSweep(TLauncherForm& form) {
  using Mode = TLauncherForm::ButtonMode;
  for (int language = 0; language < 4; ++language) {
    // As the operator's choice on the welcome page does.
    form.cbLocale->SetItemIndex(language);
    form.cbLocaleChange(form.cbLocale);
    for (int page = 0; page < form.PageControl1->PageCount(); ++page) {
      form.PageControl1->SetActivePageIndex(page);
      form.SetNavButtons(Mode::Shown, Mode::Shown, Mode::Shown,
                         page == TLauncherForm::Confirmation ? "_Start" : "_Next");
      if (page == TLauncherForm::Snapshot) {
        form.lbSnapshotDriveSizeInfo->SetFontBold(true);
        form.lbSnapshotDriveSizeInfo->SetCaption(kLargeFreeSpace[language]);
      }
      SweepPage(form, language, page);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  ui::MakeProcessDpiAware();
  TLauncherForm form;
  form.Create();
  if (argc > 1 && std::strcmp(argv[1], "texts") == 0) {
    form.Show();
    const int status = TextSweep(form);
    form.Destroy();
    return status;
  }
  formtest::ShowEveryPageOnce(form);
  std::printf("dpi %d\n", form.Dpi());
  std::printf("client %d %d\n", form.ClientWidth(), form.ClientHeight());
  for (const auto& control : form.Controls()) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    auto* label = dynamic_cast<ui::Label*>(control.get());
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    int sizing = 0;
    if (label && label->AutoSize())
      sizing = (GetWindowLongA(control->Handle(), GWL_STYLE) & SS_TYPEMASK) == SS_LEFT ? 2 : 1;
    std::printf("%s %ld %ld %ld %ld %d %ld\n", control->Name().c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top, sizing, font.lfHeight);
  }
  // The window's smallest outer size.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT outer;
  GetWindowRect(form.Handle(), &outer);
  std::printf("smallest %ld %ld\n", outer.right - outer.left, outer.bottom - outer.top);
  form.Destroy();
  return 0;
}
