#include <algorithm>
#include <utility>

#include "core/TextUtils.h"
#include "win/ui/Bitmaps.h"
#include "win/ui/Form.h"
#include "win/utils/Drives.h"
#include "win/utils/Files.h"

namespace ui {

// ------------------------------------------------------------------ ComboBox

ComboBox::ComboBox(Form& form, Control* parent, std::string name) : Control(form, parent, std::move(name)) {
  SetTabStop(true);
}

Control::WindowClass ComboBox::Describe() const { return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0}; }

int ComboBox::WindowHeight(int height) const {
  // The window's height includes the dropped-down list.
  return height + Scale(8 * 16);
}

void ComboBox::AfterCreate() {
  for (const auto& item : items_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (itemHeight_ > 0) SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, Scale(itemHeight_));
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  FitSelectionHeight();
}

void ComboBox::FitSelectionHeight() {
  // The closed height follows the selection field's height by a fixed margin that differs between list kinds and
  // platforms; the height asked back is not always the one set, so the value set is the one corrected.
  const int wanted = Scale(Design().Height);
  auto field = static_cast<int>(SendMessageA(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT r;
    GetWindowRect(hwnd_, &r);
    int difference = wanted - (r.bottom - r.top);
    if (difference == 0 || field + difference < 1) return;
    field += difference;
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void ComboBox::Clear() {
  items_.clear();
  itemIndex_ = -1;
  if (hwnd_) SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}

void ComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  if (hwnd_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ComboBox::ItemIndex() const {
  if (!hwnd_) return itemIndex_;
  return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= ItemCount()) index = -1;
  itemIndex_ = index;
  if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string ComboBox::Caption() const {
  int index = ItemIndex();
  return index >= 0 && index < ItemCount() ? items_[static_cast<size_t>(index)] : std::string();
}

bool ComboBox::Command(WORD code) {
  if (code != CBN_SELCHANGE) return false;
  itemIndex_ = ItemIndex();
  ItemSelected();
  if (EventsEnabled() && OnChange) OnChange(this);
  return true;
}

// ------------------------------------------------------------- DriveComboBox

namespace {

// Icons of shell32 for the drive types, by resource id.
int DriveIconId(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE:
      return 8;
    case DRIVE_FIXED:
      return 9;
    case DRIVE_REMOTE:
      return 10;
    case DRIVE_CDROM:
      return 12;
    case DRIVE_RAMDISK:
      return 13;
    default:
      return 0;
  }
}

}  // namespace

DriveComboBox::DriveComboBox(Form& form, Control* parent, std::string name) : ComboBox(form, parent, std::move(name)) {
  Fill();
  // Until something is chosen, the list shows the drive of the current directory (none for a network path).
  const std::string current = Utils::CurrentDirectory();
  if (current.size() >= 2 && current[1] == ':') {
    const char letter = core::UpperAZ(current[0]);
    for (int i = 0; i < ItemCount(); ++i)
      if (Item(i)[0] == letter) itemIndex_ = i;
  }
}

Control::WindowClass DriveComboBox::Describe() const {
  return {"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, 0};
}

void DriveComboBox::Fill() {
  items_.clear();
  types_.clear();
  for (const Utils::PresentDrive& drive : Utils::BrowsableDrives()) {
    items_.push_back(std::string{drive.Letter, ':'});
    types_.push_back(drive.Type);
  }
}

char DriveComboBox::Drive() const {
  int index = ItemIndex();
  return index >= 0 && index < ItemCount() ? Item(index)[0] : '\0';
}

void DriveComboBox::SetDrive(char letter) {
  letter = core::UpperAZ(letter);
  for (int i = 0; i < ItemCount(); ++i) {
    if (Item(i)[0] != letter) continue;
    if (i == ItemIndex()) return;
    SetItemIndex(i);
    if (EventsEnabled() && OnChange) OnChange(this);
    return;
  }
}

std::vector<Utils::PresentDrive> DriveComboBox::ListedDrives() const {
  std::vector<Utils::PresentDrive> drives;
  for (int i = 0; i < ItemCount() && i < static_cast<int>(types_.size()); ++i)
    drives.push_back({Item(i)[0], types_[static_cast<size_t>(i)]});
  return drives;
}

void DriveComboBox::Refresh() {
  char selected = Drive();
  Fill();
  itemIndex_ = -1;
  for (int i = 0; i < ItemCount(); ++i)
    if (Item(i)[0] == selected) itemIndex_ = i;
  if (!hwnd_) return;
  SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const auto& item : items_) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

HICON DriveComboBox::DriveIcon(UINT type) {
  if (type >= std::size(icons_)) return nullptr;
  if (!icons_[type]) {
    if (const int id = DriveIconId(type)) icons_[type].Reset(LoadShellIcon(id, Scale(16)));
  }
  return icons_[type].Get();
}

bool DriveComboBox::MeasureItem(MEASUREITEMSTRUCT* item) {
  item->itemHeight = static_cast<UINT>(Scale(16));
  return true;
}

bool DriveComboBox::DrawItem(DRAWITEMSTRUCT* item) {
  HDC dc = item->hDC;
  RECT r = item->rcItem;
  bool selected = (item->itemState & ODS_SELECTED) != 0;
  bool disabled = (item->itemState & ODS_DISABLED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int index = static_cast<int>(item->itemID);
  if (index >= 0 && index < ItemCount()) {
    int iconSize = Scale(16);
    int x = r.left + Scale(2);
    if (HICON icon = DriveIcon(types_[static_cast<size_t>(index)]))
      DrawIconEx(dc, x, r.top + (r.bottom - r.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    RECT text = r;
    text.left = x + iconSize + Scale(4);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string& label = Item(index);
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  }
  if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
  return true;
}

// ---------------------------------------------------------------- StringGrid

StringGrid::StringGrid(Form& form, Control* parent, std::string name) : Control(form, parent, std::move(name)) {
  SetTabStop(true);
  cells_.assign(2, std::vector<std::string>(1));
  colWidths_.assign(1, -1);
}

Control::WindowClass StringGrid::Describe() const {
  // Owner data: the list asks for the rows it shows, so that filling it costs the same for any number of rows.
  return {WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_OWNERDATA,
          WS_EX_CLIENTEDGE};
}

void StringGrid::AfterCreate() {
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT);
  FitRowHeight();
  for (int col = 0; col < ColCount(); ++col) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    int design = colWidths_[static_cast<size_t>(col)];
    column.cx = Scale(design < 0 ? defaultColWidth_ : design);
    column.pszText = const_cast<char*>(cells_[0][static_cast<size_t>(col)].c_str());
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&column));
  }
  SyncItems();
}

void StringGrid::FitRowHeight() {
  // A row is as high as the small images of the list plus a margin of the platform's, measured here on a row.
  const int wanted = Scale(rowHeight_);
  int imageHeight = wanted;
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, 1, 0);
  for (int attempt = 0; attempt < 3; ++attempt) {
    ScopedImageList images(ImageList_Create(1, imageHeight, ILC_COLOR, 1, 0));
    if (!images) break;
    ListView_SetImageList(hwnd_, images.Get(), LVSIL_SMALL);
    rowHeightImages_ = std::move(images);
    RECT row{};
    ListView_GetItemRect(hwnd_, 0, &row, LVIR_BOUNDS);
    int difference = wanted - (row.bottom - row.top);
    if (difference == 0 || imageHeight + difference < 1) break;
    imageHeight += difference;
  }
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, 0, 0);
}

void StringGrid::SyncItems() {
  if (!hwnd_) return;
  // New rows start unselected, as rows put in anew would.
  ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(RowCount() - 1), 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
  repaintPending_ = true;
}

void StringGrid::SetRowCount(int rows) {
  rows = std::max(rows, 1);
  if (rows == RowCount()) return;
  cells_.resize(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(ColCount())));
  SyncItems();
}

void StringGrid::SetColCount(int cols) {
  if (hwnd_) return;  // fixed once the window exists
  cols = std::max(cols, 1);
  colWidths_.resize(static_cast<size_t>(cols), -1);
  for (auto& row : cells_) row.resize(static_cast<size_t>(cols));
}

std::string StringGrid::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) return std::string();
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::SetCell(int col, int row, const std::string& text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount()) return;
  std::string& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (cell == text) return;
  cell = text;
  if (!hwnd_) return;
  if (row == 0) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd_, LVM_SETCOLUMNA, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&column));
    return;
  }
  // The rows in view are asked for again at the next painting; one request to the window covers every cell set
  // until then, so that filling many rows costs no more than filling a few.
  if (repaintPending_) return;
  InvalidateRect(hwnd_, nullptr, FALSE);
  repaintPending_ = true;
}

void StringGrid::GiveCellText(int item, int subItem, char* text, int room) const {
  if (!text || room <= 0) return;
  const std::string cell = Cell(subItem, item + 1);
  lstrcpynA(text, cell.c_str(), room);
}

void StringGrid::GiveCellText(int item, int subItem, wchar_t* text, int room) const {
  if (!text || room <= 0) return;
  const std::string cell = Cell(subItem, item + 1);
  int length = MultiByteToWideChar(CP_ACP, 0, cell.data(), static_cast<int>(cell.size()), text, room - 1);
  // A text longer than the room is cut: the call then converts nothing, so convert what fits.
  if (length == 0 && !cell.empty()) {
    std::string shortened = cell.substr(0, static_cast<size_t>(room - 1));
    length = MultiByteToWideChar(CP_ACP, 0, shortened.data(), static_cast<int>(shortened.size()), text, room - 1);
  }
  text[std::max(length, 0)] = L'\0';
}

int StringGrid::FindRow(const std::string& typed, int start, bool partial, bool wrap) const {
  // Type-ahead: the first row from start on whose first cell begins with (or is) the typed text, regardless of case.
  const int rows = RowCount() - 1;
  if (rows <= 0 || typed.empty()) return -1;
  if (start < 0) start = 0;
  if (start >= rows) {
    if (!wrap) return -1;
    start = 0;
  }
  for (int step = 0; step < rows; ++step) {
    const int item = start + step;
    if (item >= rows && !wrap) break;
    const int wrapped = item % rows;
    const std::string& cell = cells_[static_cast<size_t>(wrapped) + 1][0];
    if (cell.size() < typed.size() || (!partial && cell.size() != typed.size())) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell.data(), static_cast<int>(typed.size()), typed.data(),
                       static_cast<int>(typed.size())) == CSTR_EQUAL)
      return wrapped;
  }
  return -1;
}

int StringGrid::ColWidth(int col) const {
  if (col < 0 || col >= ColCount()) return 0;
  if (hwnd_) return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col), 0));
  int design = colWidths_[static_cast<size_t>(col)];
  return Scale(design < 0 ? defaultColWidth_ : design);
}

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  if (hwnd_)
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(std::max(width, 0), 0));
  else
    colWidths_[static_cast<size_t>(col)] = MulDiv(width, 96, form_.Dpi());
}

int StringGrid::Row() const {
  if (!hwnd_) return 0;
  auto index = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return index + 1;
}

bool StringGrid::Notify(NMHDR* header, LRESULT& result) {
  // The list asks in the form its parent answered WM_NOTIFYFORMAT with; either is served.
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
      if (item.mask & LVIF_TEXT) GiveCellText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
      return true;
    }
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
      if (item.mask & LVIF_TEXT) GiveCellText(item.iItem, item.iSubItem, item.pszText, item.cchTextMax);
      return true;
    }
    case LVN_ODFINDITEMA: {
      const LVFINDINFOA& find = reinterpret_cast<NMLVFINDITEMA*>(header)->lvfi;
      const int start = reinterpret_cast<NMLVFINDITEMA*>(header)->iStart;
      const bool byText = (find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz;
      result = byText ? FindRow(find.psz, start, (find.flags & LVFI_PARTIAL) != 0, (find.flags & LVFI_WRAP) != 0) : -1;
      return true;
    }
    case LVN_ODFINDITEMW: {
      const LVFINDINFOW& find = reinterpret_cast<NMLVFINDITEMW*>(header)->lvfi;
      const int start = reinterpret_cast<NMLVFINDITEMW*>(header)->iStart;
      std::string typed;
      if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz) {
        const int size = WideCharToMultiByte(CP_ACP, 0, find.psz, -1, nullptr, 0, nullptr, nullptr);
        if (size > 1) {
          typed.resize(static_cast<size_t>(size));
          WideCharToMultiByte(CP_ACP, 0, find.psz, -1, typed.data(), size, nullptr, nullptr);
          typed.resize(static_cast<size_t>(size - 1));
        }
      }
      result = FindRow(typed, start, (find.flags & LVFI_PARTIAL) != 0, (find.flags & LVFI_WRAP) != 0);
      return true;
    }
    default:
      break;
  }
  if (header->code != NM_CUSTOMDRAW) return false;
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYPOSTPAINT;
    return true;
  }
  if (draw->nmcd.dwDrawStage == CDDS_POSTPAINT) {
    // Vertical grid lines at the right edge of each column; no lines between rows.
    HDC dc = draw->nmcd.hdc;
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = 0;
    if (HWND headerWindow = reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETHEADER, 0, 0))) {
      RECT h;
      GetWindowRect(headerWindow, &h);
      top = h.bottom - h.top;
    }
    int x = -GetScrollPos(hwnd_, SB_HORZ);
    ScopedPen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
    SelectedObject linePen(dc, pen.Get());
    for (int col = 0; col < ColCount(); ++col) {
      x += ColWidth(col);
      MoveToEx(dc, x - 1, top, nullptr);
      LineTo(dc, x - 1, client.bottom);
    }
    result = CDRF_DODEFAULT;
    return true;
  }
  return false;
}

LRESULT StringGrid::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) repaintPending_ = false;
  if (msg == WM_NCCALCSIZE) {
    // Vertical scroll bar only: a column wider than the list is cut off instead.
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    if (style & WS_HSCROLL) SetWindowLongPtrA(hwnd_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL));
  }
  return Control::Message(msg, wParam, lParam);
}

}  // namespace ui
