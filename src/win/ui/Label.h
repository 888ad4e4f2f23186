// A line or block of text.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/Control.h"

namespace ui {

// A line or block of text. Sizes itself to its text on one line unless AutoSize is off.
class Label : public Control {
 public:
  using Control::Control;

  // Sized to its text on one line; a text that would run past the parent's right edge wraps there instead.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  // Words wrap at the label's width and every line break starts a new line.
  void SetWordWrap(bool wrap);
  // The size of the caption in the label's font: on one line, or wrapped at this width.
  SIZE TextExtent(int wrapWidth = 0) const;
  // Off: an ampersand is shown as it is instead of marking an accelerator.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show) { showAccelChar_ = show; }
  // The control that gets the focus when the label's accelerator is used (it follows the label in the tab sequence).
  Control* FocusControl() const { return focusControl_; }
  void SetFocusControl(Control* control) { focusControl_ = control; }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  void CaptionChanged() override;
  void FontChanged() override;
  HBRUSH CtlColor(HDC dc, UINT msg) override;

 private:
  void AdjustSize();
  // The label's window wraps words now (a wrapping label, or an auto-sized one at its parent's edge).
  void SetWrapStyle(bool wrap);

  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  Control* focusControl_ = nullptr;
};

}  // namespace ui
