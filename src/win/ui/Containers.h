// Controls that hold other controls: panels and pages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/ui/Control.h"

namespace ui {

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

}  // namespace ui
