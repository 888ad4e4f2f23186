#include <algorithm>
#include <stdexcept>

#include "win/ui/Form.h"

namespace ui {

// --------------------------------------------------------------------- Panel

Control::WindowClass Panel::Describe() const { return {"Tessaron.Container", 0, 0}; }

void Panel::CaptionChanged() {
  Control::CaptionChanged();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Panel::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PaintDC paint(hwnd_);
    Paint(paint.Get());
    return 0;
  }
  if (msg == WM_SIZE) InvalidateRect(hwnd_, nullptr, TRUE);
  return Control::Message(msg, wParam, lParam);
}

void Panel::Paint(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  const int width = std::max(1, Scale(bevelWidth_));
  auto frame = [&](BevelCut cut) {
    if (cut == BevelCut::None) return;
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH dark = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH topLeft = cut == BevelCut::Raised ? light : dark;
    HBRUSH bottomRight = cut == BevelCut::Raised ? dark : light;
    for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
      RECT top{r.left, r.top, r.right - 1, r.top + 1};
      RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
      RECT right{r.right - 1, r.top, r.right, r.bottom};
      RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
      FillRect(dc, &top, topLeft);
      FillRect(dc, &left, topLeft);
      FillRect(dc, &right, bottomRight);
      FillRect(dc, &bottom, bottomRight);
      InflateRect(&r, -1, -1);
    }
  };
  frame(bevelOuter_);
  frame(bevelInner_);
  if (caption_.empty()) return;
  SelectedObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Enabled() ? EffectiveFontColor() : GetSysColor(COLOR_GRAYTEXT));
  InflateRect(&r, -Scale(borderWidth_), -Scale(borderWidth_));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (alignment_ == Alignment::Left ? DT_LEFT : DT_CENTER);
  DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
}

// ------------------------------------------------------------------ TabSheet

TabSheet::TabSheet(Form& form, Control* parent, std::string name) : Control(form, parent, std::move(name)) {
  if (!dynamic_cast<PageControl*>(parent)) throw std::logic_error("Page " + Name() + " needs a page control");
  SetAnchors(akAll);
  SetVisible(false);
}

Control::WindowClass TabSheet::Describe() const { return {"Tessaron.Container", 0, 0}; }

Bounds TabSheet::InitialBounds() const {
  Bounds pages = Parent()->BoundsPx();
  const RECT inset = PageControl::PageInset;
  return {Scale(inset.left), Scale(inset.top), pages.Width - Scale(inset.left) - Scale(inset.right),
          pages.Height - Scale(inset.top) - Scale(inset.bottom)};
}

SIZE TabSheet::DesignClientSize() const {
  const SIZE pages = Parent()->DesignClientSize();
  const RECT inset = PageControl::PageInset;
  return {pages.cx - Scale(inset.left) - Scale(inset.right), pages.cy - Scale(inset.top) - Scale(inset.bottom)};
}

void TabSheet::Resized() {
  if (OnResize && EventsEnabled()) OnResize(this);
}

// --------------------------------------------------------------- PageControl

Control::WindowClass PageControl::Describe() const { return {"Tessaron.Container", 0, 0}; }

void PageControl::FocusActivePage() {
  // On a page without a tab stop the default button takes the focus, so that Enter still goes on.
  auto usable = [](HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); };
  if (TabSheet* page = ActivePage()) {
    HWND first = GetNextDlgTabItem(page->Handle(), nullptr, FALSE);
    if (usable(first) && IsChild(page->Handle(), first) && (GetWindowLongPtrA(first, GWL_STYLE) & WS_TABSTOP)) {
      ::SetFocus(first);
      return;
    }
  }
  Button* fallback = form_.DefaultButton();
  if (fallback && usable(fallback->Handle())) {
    ::SetFocus(fallback->Handle());
    return;
  }
  HWND first = GetNextDlgTabItem(form_.Handle(), nullptr, FALSE);
  // Never a hidden or disabled control: keys would reach what the operator cannot see or use.
  ::SetFocus(usable(first) ? first : form_.Handle());
}

TabSheet* PageControl::AddPage(std::string name) {
  TabSheet* page = form_.Add<TabSheet>(this, std::move(name));
  pages_.push_back(page);
  if (active_ < 0) SetActivePageIndex(0);
  return page;
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) index = -1;
  TabSheet* old = ActivePage();
  HWND focus = GetFocus();
  bool hadFocus = old && old->Created() && focus && (focus == old->Handle() || IsChild(old->Handle(), focus));
  active_ = index;
  if (TabSheet* page = ActivePage()) {
    form_.CreatePage(page);
    page->SetVisible(true);
  }
  for (TabSheet* page : pages_)
    if (page != ActivePage()) page->SetVisible(false);
  // The focus was on the page that went away.
  if (hadFocus) FocusActivePage();
}

}  // namespace ui
