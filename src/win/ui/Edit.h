// Text fields: one line, and many.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "win/ui/Control.h"

namespace ui {

// A one-line edit field.
class Edit : public Control {
 public:
  Edit(Form& form, Control* parent, std::string name);

  NotifyEvent OnChange;

  // The content; setting a different text runs OnChange as typing does, also while the field has no window yet.
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  void SetCaption(const std::string& text) override;
  // The content in UTF-16, which keeps a name outside the code page (a folder) as it was typed or set; Text() gives
  // such characters as the code page's nearest.
  std::wstring WideText() const;
  void SetWideText(const std::wstring& text);

  void SetBorder(bool border) { border_ = border; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  bool Command(WORD code) override;
  HBRUSH CtlColor(HDC dc, UINT msg) override;

  bool border_ = true;
  bool readOnly_ = false;
  // The content set in UTF-16 while there is no window yet; caption_ holds its 8-bit form.
  std::optional<std::wstring> wideText_;
};

enum class ScrollBars { None, Horizontal, Vertical, Both };

// A multi-line text box. Without WantReturns, Enter presses the default button and Tab moves on.
class Memo : public Edit {
 public:
  Memo(Form& form, Control* parent, std::string name);

  void SetWordWrap(bool wrap) { wordWrap_ = wrap; }
  void SetScrollBars(ScrollBars bars) { scrollBars_ = bars; }
  void SetWantReturns(bool want) { wantReturns_ = want; }

 protected:
  WindowClass Describe() const override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  ScrollBars scrollBars_ = ScrollBars::None;
};

}  // namespace ui
