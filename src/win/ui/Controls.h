// The controls of the UI layer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win/ui/Control.h"
#include "win/ui/GdiObjects.h"

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

// A push button, optionally showing a picture instead of its caption.
class Button : public Control {
 public:
  Button(Form& form, Control* parent, std::string name);

  NotifyEvent OnClick;
  // Runs the click handler as a click would, whatever the button's state.
  void Click();

  // The default button is pressed by Enter unless another button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);

  // A bitmap resource shown instead of the caption; its lower-left pixel's colour is transparent.
  void SetPicture(std::string resourceName) { picture_ = std::move(resourceName); }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  bool Command(WORD code) override;

 private:
  friend class Form;
  void ShowAsDefault(bool asDefault);

  bool default_ = false;
  std::string picture_;
  ScopedBitmap pictureBitmap_;
};

// A one-line edit field.
class Edit : public Control {
 public:
  Edit(Form& form, Control* parent, std::string name);

  NotifyEvent OnChange;
  // Every character typed; a handler may change or clear it. Enter reaches this field only when a handler is set.
  KeyPressEvent OnKeyPress;

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
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;
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

// A drop-down list the operator cannot type into.
class ComboBox : public Control {
 public:
  ComboBox(Form& form, Control* parent, std::string name);

  // The operator picked another entry (not raised when the program sets ItemIndex).
  NotifyEvent OnChange;

  void Clear();
  void AddItem(const std::string& text);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
  // The selected entry, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // The text of the selected entry, empty for none.
  std::string Caption() const override;
  void SetCaption(const std::string&) override {}

  // Height of the list's entries at 96 DPI.
  void SetItemHeight(int height) { itemHeight_ = height; }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  bool Command(WORD code) override;
  int WindowHeight(int height) const override;
  // Makes the closed list as high as its bounds say.
  void FitSelectionHeight();
  virtual void ItemSelected() {}

  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int itemHeight_ = 0;
};

// The drives present of the types removable, fixed, remote, CD-ROM and RAM disk, in letter order, each with its
// drive-type icon, letters upper case.
class DriveComboBox : public ComboBox {
 public:
  DriveComboBox(Form& form, Control* parent, std::string name);

  // The selected drive letter (upper case), or 0 for none.
  char Drive() const;
  // Selects the drive of that letter if it is listed; runs OnChange when the selection changes.
  void SetDrive(char letter);
  // Reads the drives again, keeping the selection if that drive is still there.
  void Refresh();

 protected:
  WindowClass Describe() const override;
  bool DrawItem(DRAWITEMSTRUCT* item) override;
  bool MeasureItem(MEASUREITEMSTRUCT* item) override;

 private:
  void Fill();
  HICON DriveIcon(UINT type);

  std::vector<UINT> types_;
  ScopedIcon icons_[7];
};

// A text grid of one or more columns whose first row is a fixed title row: a report list with a header. The rows
// live here; the list shows them on demand.
class StringGrid : public Control {
 public:
  StringGrid(Form& form, Control* parent, std::string name);

  // Rows including the title row (at least 1).
  int RowCount() const { return static_cast<int>(cells_.size()); }
  void SetRowCount(int rows);
  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  // Row 0 is the title row.
  std::string Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  // Width of a column in pixels.
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  // Design values at 96 DPI, scaled at creation.
  void SetDefaultColWidth(int width) { defaultColWidth_ = width; }
  void SetDefaultRowHeight(int height) { rowHeight_ = height; }
  void SetColCount(int cols);
  // The selected row (1.. for body rows), 0 for none.
  int Row() const;

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  bool Notify(NMHDR* header, LRESULT& result) override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void SyncItems();
  void FitRowHeight();
  // The list's questions about the rows it shows: a cell's text into its buffer, a row by its first letters.
  void GiveCellText(int item, int subItem, char* text, int room) const;
  void GiveCellText(int item, int subItem, wchar_t* text, int room) const;
  int FindRow(const std::string& typed, int start, bool partial, bool wrap) const;

  std::vector<std::vector<std::string>> cells_;
  std::vector<int> colWidths_;  // pixels once created, design units before
  int defaultColWidth_ = 64;
  int rowHeight_ = 16;
  ScopedImageList rowHeightImages_;
  bool repaintPending_ = false;  // the list is to be painted anew; set cells are shown then
};

class ProgressBar : public Control {
 public:
  using Control::Control;

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  void SetMax(int max) { SetRange(min_, max); }
  // The position as the bar reports it.
  int Position() const;
  void SetPosition(int position);

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

enum class BevelCut { None, Lowered, Raised };
enum class Alignment { Left, Center };

// A rectangle with bevels and a one-line caption that may hold other controls.
class Panel : public Control {
 public:
  using Control::Control;

  void SetBevelOuter(BevelCut cut) { bevelOuter_ = cut; }
  void SetBevelInner(BevelCut cut) { bevelInner_ = cut; }
  void SetBevelWidth(int width) { bevelWidth_ = width; }
  // Space between the bevels and the caption.
  void SetBorderWidth(int width) { borderWidth_ = width; }
  void SetAlignment(Alignment alignment) { alignment_ = alignment; }
  // The caption shows an ampersand as it is: panels show texts from outside the program, such as engine output.

 protected:
  WindowClass Describe() const override;
  bool IsContainer() const override { return true; }
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void CaptionChanged() override;
  void Paint(HDC dc);

  BevelCut bevelOuter_ = BevelCut::Raised;
  BevelCut bevelInner_ = BevelCut::None;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  Alignment alignment_ = Alignment::Center;
};

class PageControl;

// One page of a PageControl; the program shows one page at a time.
class TabSheet : public Control {
 public:
  // The parent must be a PageControl; use PageControl::AddPage.
  TabSheet(Form& form, Control* parent, std::string name);

  // Next and Prev step over a skipped page: the wizard decides which pages a run needs.
  bool Skipped() const { return skipped_; }
  void SetSkipped(bool skipped) { skipped_ = skipped; }

  NotifyEvent OnResize;
  // The page's windows were just made: when it was first shown, or with the form for the page shown then.
  NotifyEvent OnCreate;
  SIZE DesignClientSize() const override;

 protected:
  WindowClass Describe() const override;
  bool IsContainer() const override { return true; }
  Bounds InitialBounds() const override;
  void Resized() override;

 private:
  friend class PageControl;
  friend class Form;
  bool windowsMade_ = false;
  bool skipped_ = false;
};

// Pages without tabs and without a frame.
class PageControl : public Control {
 public:
  using Control::Control;

  TabSheet* AddPage(std::string name);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const { return active_ >= 0 ? pages_[static_cast<size_t>(active_)] : nullptr; }
  // Shows that page and hides the others.
  void SetActivePageIndex(int index);
  // Focuses the active page's first tab stop, or else the default button, or else the window's first tab stop; the
  // window itself when nothing can take the focus.
  void FocusActivePage();

  // Page margins inside the container, at 96 DPI.
  static constexpr RECT PageInset{4, 6, 4, 4};

 protected:
  WindowClass Describe() const override;
  bool IsContainer() const override { return true; }

 private:
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

// A bitmap from the resources, drawn from the top-left corner without stretching (beyond the screen's scale), the
// colour of its lower-left pixel transparent.
class Image : public Control {
 public:
  using Control::Control;

  void SetPicture(std::string resourceName) { picture_ = std::move(resourceName); }
  // The control takes the picture's size.
  void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string picture_;
  bool autoSize_ = false;
  ScopedBitmap bitmap_;
  SIZE size_{0, 0};
};

// An etched line along the bottom edge of its box.
class Bevel : public Control {
 public:
  using Control::Control;

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ClipToLine();
};

}  // namespace ui
