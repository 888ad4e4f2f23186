#include "win/ui/Form.h"
#include "win/utils/WideText.h"

namespace ui {

Edit::Edit(Form& form, Control* parent, std::string name) : Control(form, parent, std::move(name)) { SetTabStop(true); }

Control::WindowClass Edit::Describe() const {
  DWORD style = ES_AUTOHSCROLL;
  if (readOnly_) style |= ES_READONLY;
  return {"EDIT", style, border_ ? static_cast<DWORD>(WS_EX_CLIENTEDGE) : 0u};
}

void Edit::AfterCreate() {
  // No length limit beyond the platform's own.
  SendMessageA(hwnd_, EM_SETLIMITTEXT, 0, 0);
  // The window was made with the 8-bit form of the text.
  if (wideText_) SetWindowTextW(hwnd_, wideText_->c_str());
  wideText_.reset();
}

void Edit::SetCaption(const std::string& text) {
  // Compared in UTF-16: the 8-bit form of a name outside the code page may equal another text.
  if (Utils::WideFromAnsi(text) == WideText()) return;
  wideText_.reset();
  caption_ = text;
  // A window reports the change itself (EN_CHANGE).
  if (hwnd_)
    CaptionChanged();
  else if (EventsEnabled() && OnChange)
    OnChange(this);
}

std::wstring Edit::WideText() const {
  if (!hwnd_) return wideText_ ? *wideText_ : Utils::WideFromAnsi(caption_);
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
  return text;
}

void Edit::SetWideText(const std::wstring& text) {
  if (text == WideText()) return;
  caption_ = Utils::AnsiFromWide(text);
  if (hwnd_) {
    SetWindowTextW(hwnd_, text.c_str());
    return;
  }
  wideText_ = text;
  if (EventsEnabled() && OnChange) OnChange(this);
}

void Edit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (hwnd_) SendMessageA(hwnd_, EM_SETREADONLY, readOnly, 0);
}

bool Edit::Command(WORD code) {
  if (code != EN_CHANGE) return false;
  if (EventsEnabled() && OnChange) OnChange(this);
  return true;
}

HBRUSH Edit::CtlColor(HDC dc, UINT) {
  COLORREF background = GetColor().Resolve(GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, EffectiveFontColor());
  SetBkColor(dc, background);
  return form_.BrushFor(background);
}

Memo::Memo(Form& form, Control* parent, std::string name) : Edit(form, parent, std::move(name)) {}

Control::WindowClass Memo::Describe() const {
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL;
  if (!wordWrap_) style |= ES_AUTOHSCROLL;
  if (wantReturns_) style |= ES_WANTRETURN;
  if (readOnly_) style |= ES_READONLY;
  if (scrollBars_ == ScrollBars::Vertical || scrollBars_ == ScrollBars::Both) style |= WS_VSCROLL;
  if (scrollBars_ == ScrollBars::Horizontal || scrollBars_ == ScrollBars::Both) style |= WS_HSCROLL;
  return {"EDIT", style, border_ ? static_cast<DWORD>(WS_EX_CLIENTEDGE) : 0u};
}

LRESULT Memo::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE && !wantReturns_) {
    // Enter goes to the default button and Tab to the next control, as in a one-line field.
    LRESULT code = Edit::Message(msg, wParam, lParam);
    return code & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
  }
  return Edit::Message(msg, wParam, lParam);
}

}  // namespace ui
