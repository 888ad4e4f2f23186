#include "win/ui/SelectDirectory.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/TextUtils.h"
#include "win/ui/Application.h"
#include "win/ui/Bitmaps.h"
#include "win/utils/Drives.h"
#include "win/utils/Files.h"
#include "win/utils/WideText.h"

namespace ui {

namespace {

// --------------------------------------------------------------------------------- the dialog template in memory

// Predefined window classes of a dialog item, by their atoms.
enum ItemClass : WORD {
  ButtonClass = 0x0080,
  EditClass = 0x0081,
  StaticClass = 0x0082,
  ListBoxClass = 0x0083,
  ComboBoxClass = 0x0085
};

class DialogTemplate {
 public:
  DialogTemplate(const char* title, short width, short height, const char* font, WORD pointSize) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    AddDword(style);
    AddDword(0);  // extended style
    countAt_ = bytes_.size();
    AddWord(0);  // item count, filled as items come
    AddShort(0);
    AddShort(0);
    AddShort(width);
    AddShort(height);
    AddWord(0);  // no menu
    AddWord(0);  // the standard dialog class
    AddText(title);
    AddWord(pointSize);
    AddText(font);
  }

  void Add(ItemClass itemClass, WORD id, DWORD style, short x, short y, short cx, short cy, const char* text = "") {
    while (bytes_.size() % 4) bytes_.push_back(0);
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    AddShort(x);
    AddShort(y);
    AddShort(cx);
    AddShort(cy);
    AddWord(id);
    AddWord(0xFFFF);
    AddWord(itemClass);
    AddText(text);
    AddWord(0);  // no creation data
    WORD count;
    std::memcpy(&count, &bytes_[countAt_], sizeof count);
    ++count;
    std::memcpy(&bytes_[countAt_], &count, sizeof count);
  }

  // DialogBoxIndirect wants the template on a DWORD boundary: the vector's storage is.
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void AddWord(WORD value) {
    bytes_.push_back(static_cast<BYTE>(value & 0xFF));
    bytes_.push_back(static_cast<BYTE>(value >> 8));
  }
  void AddShort(short value) { AddWord(static_cast<WORD>(value)); }
  void AddDword(DWORD value) {
    AddWord(static_cast<WORD>(value & 0xFFFF));
    AddWord(static_cast<WORD>(value >> 16));
  }
  // The library's own texts are ASCII, so widening each byte is the conversion.
  void AddText(const char* text) {
    for (; *text; ++text) AddWord(static_cast<unsigned char>(*text));
    AddWord(0);
  }

  std::vector<BYTE> bytes_;
  size_t countAt_ = 0;
};

// ---------------------------------------------------------------------------------------------- the dialog's state

struct Folder {
  std::string Label;
  std::string Path;
  int Level = 0;
  bool Open = false;  // on the way from the root to the current folder, or the current folder itself
};

struct DialogState {
  std::string Start;
  std::string Current;
  std::vector<Folder> Folders;
  std::vector<char> Drives;
  std::optional<std::string> Result;
  HICON ClosedIcon = nullptr;
  HICON OpenIcon = nullptr;
};

// A drive that is not ready gives a failure here, never the platform's error box.
bool ChangeDirectory(const std::string& path) {
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  const bool ok = SetCurrentDirectoryA(path.c_str()) != FALSE;
  SetErrorMode(previous);
  return ok;
}

// The root of a path with its trailing backslash: "C:\" or "\\server\share\"; empty when it has neither.
std::string RootOf(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos) return path + "\\";
    const size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
  }
  return {};
}

bool LessIgnoringCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

std::vector<std::string> Subfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += '*';
  // Listed in UTF-16: the 8-bit listing gives a name outside the code page as a look-alike, which may name another
  // folder. Such a folder is offered by its short name, or not at all.
  WIN32_FIND_DATAW found;
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  HANDLE search = FindFirstFileW(Utils::WideFromAnsi(pattern).c_str(), &found);
  SetErrorMode(previous);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::optional<std::string> name = Utils::ExactAnsi(found.cFileName);
    if (!name && found.cAlternateFileName[0]) name = Utils::ExactAnsi(found.cAlternateFileName);
    if (!name || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || *name == "." || *name == "..") continue;
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    names.push_back(*name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

// The folder list: the root, each folder down to the current one, then the current folder's subfolders.
std::vector<Folder> FolderList(const std::string& current) {
  std::vector<Folder> folders;
  const std::string root = RootOf(current);
  if (root.empty()) return folders;
  std::string rootLabel = root;
  if (rootLabel.size() > 3) rootLabel.pop_back();  // a share reads \\server\share, a drive C:\ as usual
  folders.push_back({rootLabel, root, 0, true});
  std::string path = root;
  size_t position = root.size();
  while (position < current.size()) {
    size_t end = current.find('\\', position);
    if (end == std::string::npos) end = current.size();
    if (end > position) {
      const std::string name = current.substr(position, end - position);
      if (path.back() != '\\') path += '\\';
      path += name;
      folders.push_back({name, path, static_cast<int>(folders.size()), true});
    }
    position = end + 1;
  }
  const int childLevel = static_cast<int>(folders.size());
  for (const std::string& name : Subfolders(path)) {
    std::string child = path;
    if (child.back() != '\\') child += '\\';
    folders.push_back({name, child + name, childLevel, false});
  }
  return folders;
}

// Shows what the current directory now is: the path, the folder list and the drive.
void ShowCurrent(HWND dialog, DialogState& state) {
  state.Current = Utils::CurrentDirectory();
  SetDlgItemTextA(dialog, SelectDirectoryPathId, state.Current.c_str());

  state.Folders = FolderList(state.Current);
  HWND list = GetDlgItem(dialog, SelectDirectoryFolderListId);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int currentIndex = -1;
  for (size_t i = 0; i < state.Folders.size(); ++i) {
    const Folder& folder = state.Folders[i];
    const auto index =
        static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.Label.c_str())));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i));
    if (folder.Open) currentIndex = index;
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(currentIndex), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);

  const char letter = state.Current.size() >= 2 && state.Current[1] == ':' ? core::UpperAZ(state.Current[0]) : '\0';
  const auto found = std::find(state.Drives.begin(), state.Drives.end(), letter);
  const int driveIndex = found == state.Drives.end() ? -1 : static_cast<int>(found - state.Drives.begin());
  SendDlgItemMessageA(dialog, SelectDirectoryDriveListId, CB_SETCURSEL, static_cast<WPARAM>(driveIndex), 0);
}

void GoTo(HWND dialog, DialogState& state, const std::string& path) {
  if (!ChangeDirectory(path)) MessageBeep(MB_ICONHAND);
  ShowCurrent(dialog, state);
}

// The folder of the list's selected entry, or nothing.
const Folder* SelectedFolder(HWND dialog, const DialogState& state) {
  HWND list = GetDlgItem(dialog, SelectDirectoryFolderListId);
  const auto index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  if (index < 0) return nullptr;
  const auto entry = static_cast<size_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  return entry < state.Folders.size() ? &state.Folders[entry] : nullptr;
}

void Initialise(HWND dialog, DialogState& state) {
  // The shell's closed and open folder pictures.
  const int iconSize = GetSystemMetrics(SM_CXSMICON);
  state.ClosedIcon = LoadShellIcon(4, iconSize);
  state.OpenIcon = LoadShellIcon(5, iconSize);
  for (const Utils::PresentDrive& drive : Utils::BrowsableDrives()) state.Drives.push_back(drive.Letter);
  HWND drives = GetDlgItem(dialog, SelectDirectoryDriveListId);
  for (char letter : state.Drives) {
    const char text[] = {letter, ':', '\0'};
    SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  if (Utils::IsExistingFolder(state.Start)) ChangeDirectory(state.Start);
  ShowCurrent(dialog, state);
  SetFocus(GetDlgItem(dialog, SelectDirectoryFolderListId));
}

void DrawFolder(const DRAWITEMSTRUCT& item, const DialogState& state) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const auto entry = static_cast<size_t>(item.itemData);
  if (item.itemID != static_cast<UINT>(-1) && entry < state.Folders.size()) {
    const Folder& folder = state.Folders[entry];
    const int iconSize = GetSystemMetrics(SM_CXSMICON);
    const int step = iconSize * 3 / 4;
    const int x = r.left + 2 + folder.Level * step;
    if (HICON icon = folder.Open ? state.OpenIcon : state.ClosedIcon)
      DrawIconEx(dc, x, r.top + (r.bottom - r.top - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    RECT text = r;
    text.left = x + iconSize + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, folder.Label.c_str(), static_cast<int>(folder.Label.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void Command(HWND dialog, DialogState& state, WORD id, WORD code) {
  switch (id) {
    case IDOK: {
      // Enter in the folder list opens the folder chosen there; the dialog ends on the folder shown.
      const Folder* chosen = SelectedFolder(dialog, state);
      if (GetFocus() == GetDlgItem(dialog, SelectDirectoryFolderListId) && chosen &&
          lstrcmpiA(chosen->Path.c_str(), state.Current.c_str()) != 0) {
        GoTo(dialog, state, chosen->Path);
        return;
      }
      state.Result = state.Current;
      EndDialog(dialog, IDOK);
      return;
    }
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
    case SelectDirectoryFolderListId:
      if (code == LBN_DBLCLK)
        if (const Folder* chosen = SelectedFolder(dialog, state)) GoTo(dialog, state, chosen->Path);
      return;
    case SelectDirectoryDriveListId:
      if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
        if (index >= 0 && index < static_cast<int>(state.Drives.size())) {
          // "X:" is that drive's own current directory, as the command processor keeps it.
          const char drive[] = {state.Drives[static_cast<size_t>(index)], ':', '\0'};
          GoTo(dialog, state, drive);
        }
      }
      return;
    default:
      return;
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR handled = FALSE;
  Guarded([&] {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      Initialise(dialog, *reinterpret_cast<DialogState*>(lParam));
      handled = FALSE;  // the focus was set here
      return;
    }
    if (message == WM_MEASUREITEM) {
      // Asked while the list is made, before the dialog's state is known: the height depends on the icons only.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      item->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYSMICON) + 2);
      handled = TRUE;
      return;
    }
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!state) return;
    switch (message) {
      case WM_DRAWITEM:
        if (wParam == static_cast<WPARAM>(SelectDirectoryFolderListId)) {
          DrawFolder(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), *state);
          handled = TRUE;
        }
        break;
      case WM_COMMAND:
        Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
        handled = TRUE;
        break;
      default:
        break;
    }
  });
  return handled;
}

}  // namespace

std::optional<std::string> SelectDirectory(const std::string& start) {
  DialogTemplate dialog(SelectDirectoryCaption, 214, 170, "MS Shell Dlg", 8);
  dialog.Add(StaticClass, static_cast<WORD>(-1), SS_LEFT, 7, 6, 200, 8, "Directory Name:");
  dialog.Add(EditClass, SelectDirectoryPathId, ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 7, 16,
             200, 12);
  dialog.Add(StaticClass, static_cast<WORD>(-1), SS_LEFT, 7, 33, 200, 8, "&Directories:");
  dialog.Add(
      ListBoxClass, SelectDirectoryFolderListId,
      LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7,
      43, 200, 90);
  dialog.Add(StaticClass, static_cast<WORD>(-1), SS_LEFT, 7, 139, 80, 8, "Dri&ves:");
  dialog.Add(ComboBoxClass, SelectDirectoryDriveListId, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7, 149, 110, 100);
  dialog.Add(ButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 122, 149, 40, 14, "OK");
  dialog.Add(ButtonClass, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 167, 149, 40, 14, "Cancel");

  DialogState state;
  state.Start = start;
  const INT_PTR answer = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), App().MainWindow(),
                                                 DialogProc, reinterpret_cast<LPARAM>(&state));
  if (state.ClosedIcon) DestroyIcon(state.ClosedIcon);
  if (state.OpenIcon) DestroyIcon(state.OpenIcon);
  if (answer != IDOK) return std::nullopt;
  return state.Result;
}

}  // namespace ui
