// Lists: the drop-down list, the drive list and the text grid.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/ui/Control.h"
#include "win/ui/GdiObjects.h"
#include "win/utils/Drives.h"

namespace ui {

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
  // The drives listed, in letter order, with their types.
  std::vector<Utils::PresentDrive> ListedDrives() const;

 protected:
  WindowClass Describe() const override;
  bool DrawItem(DRAWITEMSTRUCT* item) override;
  bool MeasureItem(MEASUREITEMSTRUCT* item) override;

 private:
  void Fill();
  HICON DriveIcon(UINT type);

  std::vector<UINT> types_;
  // One for each drive type GetDriveType answers, DRIVE_UNKNOWN (0) to DRIVE_RAMDISK (6), loaded when first drawn.
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
  // Widths set before the window exists, in design units (-1: the default); the window keeps them afterwards.
  std::vector<int> colWidths_;
  int defaultColWidth_ = 64;
  int rowHeight_ = 16;
  ScopedImageList rowHeightImages_;
  bool repaintPending_ = false;  // the list is to be painted anew; set cells are shown then
};

}  // namespace ui
