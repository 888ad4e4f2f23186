// A small window that the driver's own tests drive: named controls of every kind the wizard uses, two pages,
// a question box, and labels that report what the window received. It names its windows the way the wizard does,
// with a global atom in the "TessaronComponent" property.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "support/PlainWindow.h"

namespace {

enum : int { kNext = 101, kPrev, kExit, kAsk, kName, kLocale, kDrive, kDisabled };

HWND g_main, g_pages[2], g_status;
int g_page = 0;
int g_nextClicks = 0;

void Name(HWND hwnd, const char* name) {
  SetPropA(hwnd, "TessaronComponent", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomA(name))));
}

HWND Make(const char* cls, const char* name, const char* text, DWORD style, int x, int y, int w, int h, HWND parent,
          int id = 0, DWORD exStyle = 0) {
  HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  Name(hwnd, name);
  return hwnd;
}

void Report(const std::string& text) { SetWindowTextA(g_status, text.c_str()); }

void ShowPage(int page) {
  g_page = page;
  ShowWindow(g_pages[0], page == 0 ? SW_SHOW : SW_HIDE);
  ShowWindow(g_pages[1], page == 1 ? SW_SHOW : SW_HIDE);
}

void OnCommand(int id, int code, HWND control) {
  switch (id) {
    case kNext:
      ShowPage(1);
      Report("Next " + std::to_string(++g_nextClicks));
      break;
    case kPrev:
      ShowPage(0);
      Report("Prev");
      break;
    case kExit:
      PostQuitMessage(7);
      break;
    case kAsk: {
      const int answer =
          MessageBoxA(g_main, "Go on with the test?\r\rThe second line.", "Question", MB_YESNO | MB_DEFBUTTON2);
      Report("Answer " + std::to_string(answer));
      if (answer == IDYES) MessageBoxA(g_main, "You said yes.", "Information", MB_OK);
      break;
    }
    case kName:
      if (code == EN_CHANGE) {
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        Report(std::string("Name ") + text);
      }
      break;
    case kLocale:
    case kDrive:
      if (code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
        Report(std::string(id == kLocale ? "Locale " : "Drive ") + std::to_string(index));
      }
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kNext, DC_HASDEFID);
    default:
      return tessaron::testsupport::MainWindowDefault(hwnd, message, wParam, lParam);
  }
}

// Pages and the page container pass commands up to the main window, as the wizard's pages do.
LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message == WM_NOTIFY) return SendMessageA(g_main, message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TealProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
    FillRect(reinterpret_cast<HDC>(wParam), &r, teal);
    DeleteObject(teal);
    return 1;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Build() {
  using tessaron::testsupport::RegisterWindowClass;
  const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  RegisterWindowClass("TessaronDriverTestForm", MainProc, face, icon);
  RegisterWindowClass("TessaronDriverTestPage", PageProc, face, icon);
  RegisterWindowClass("TessaronDriverTestTeal", TealProc, nullptr, icon);

  const int width = 480, height = 360;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  g_main = CreateWindowExA(WS_EX_CONTROLPARENT, "TessaronDriverTestForm", "Driver Test Window",
                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  Name(g_main, "LauncherForm");

  HWND panel = Make("TessaronDriverTestTeal", "pnlImage", "", 0, 8, 8, 136, 268, g_main);
  Make("STATIC", "imgImage1", "ILLUSTRATION", SS_BITMAP, 4, 4, 128, 230, panel);
  Make("STATIC", "Image1", "LOGO", SS_BITMAP, 8, 286, 65, 22, g_main);
  HWND container = Make("TessaronDriverTestPage", "PageControl1", "", WS_CLIPCHILDREN, 152, 8, 312, 268, g_main, 0,
                        WS_EX_CONTROLPARENT);
  g_pages[0] = Make("TessaronDriverTestPage", "TabSheet0", "", WS_CLIPCHILDREN, 0, 0, 312, 268, container, 0,
                    WS_EX_CONTROLPARENT);
  g_pages[1] = Make("TessaronDriverTestPage", "TabSheet1", "", WS_CLIPCHILDREN, 0, 0, 312, 268, container, 0,
                    WS_EX_CONTROLPARENT);
  ShowWindow(g_pages[1], SW_HIDE);

  HWND picture = Make("BUTTON", "btUpdateSystem", "", BS_PUSHBUTTON | BS_BITMAP, 0, 0, 49, 49, g_pages[0]);
  SendMessageA(picture, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(LoadImageA(GetModuleHandleA(nullptr), "BUTTONPICTURE", IMAGE_BITMAP, 0, 0,
                                                   LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS)));
  Make("STATIC", "lbTitle",
       "Fran\xE7"
       "ais & more",
       SS_NOPREFIX, 56, 0, 200, 16, g_pages[0]);
  Make("BUTTON", "btAsk", "&Ask", BS_PUSHBUTTON | WS_TABSTOP, 56, 20, 75, 23, g_pages[0], kAsk);
  Make("BUTTON", "btDisabled", "Disabled", BS_PUSHBUTTON | WS_DISABLED, 136, 20, 75, 23, g_pages[0], kDisabled);
  Make("EDIT", "edName", "", ES_AUTOHSCROLL | WS_TABSTOP, 0, 56, 200, 21, g_pages[0], kName, WS_EX_CLIENTEDGE);
  HWND locale = Make("COMBOBOX", "cbLocale", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 84, 140, 120,
                     g_pages[0], kLocale);
  for (const char* item : {"English", "Deutsch",
                           "Fran\xE7"
                           "ais",
                           "Espa\xF1"
                           "ol"})
    SendMessageA(locale, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageA(locale, CB_SETCURSEL, 0, 0);
  HWND drive =
      Make(WC_COMBOBOXEXA, "cbDrive", "", CBS_DROPDOWNLIST | WS_TABSTOP, 150, 84, 150, 120, g_pages[0], kDrive);
  const char* drives[] = {"C:\\", "D:\\", "Z:\\"};
  for (int i = 0; i < 3; ++i) {
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(drives[i]);
    SendMessageA(drive, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(drive, CB_SETCURSEL, 2, 0);

  HWND grid = Make(WC_LISTVIEWA, "grdList", "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, 0, 114,
                   300, 100, g_pages[0], 0, WS_EX_CLIENTEDGE);
  SendMessageA(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 190;
  column.pszText = const_cast<char*>("Update files");
  SendMessageA(grid, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = 100;
  column.pszText = const_cast<char*>("Size");
  SendMessageA(grid, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  const char* files[] = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.3.zuk"};
  for (int i = 0; i < 3; ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(files[i]);
    SendMessageA(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    std::string size = std::to_string((i + 1) * 1024) + " KB";
    item.iSubItem = 1;
    item.pszText = size.data();
    SendMessageA(grid, LVM_SETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  LVITEMA selected{};
  selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(grid, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));

  HWND progress = Make(PROGRESS_CLASSA, "sbarProgress", "", 0, 0, 222, 300, 17, g_pages[0]);
  SendMessageA(progress, PBM_SETRANGE32, 0, 300);
  SendMessageA(progress, PBM_SETPOS, 120, 0);

  Make("STATIC", "lbSecondPage", "The second page", 0, 0, 0, 200, 16, g_pages[1]);

  g_status = Make("STATIC", "lbStatus", "Ready", SS_NOPREFIX, 8, 312, 200, 16, g_main);
  std::string args = GetCommandLineA();
  char probe[256] = {}, folder[MAX_PATH] = {};
  GetEnvironmentVariableA("TESSARON_DRIVER_PROBE", probe, sizeof probe);
  GetCurrentDirectoryA(MAX_PATH, folder);
  Make("STATIC", "lbCommandLine", args.c_str(), SS_NOPREFIX, 8, 290, 0, 0, g_main);
  Make("STATIC", "lbProbe", probe, SS_NOPREFIX, 8, 290, 0, 0, g_main);
  Make("STATIC", "lbFolder", folder, SS_NOPREFIX, 8, 290, 0, 0, g_main);

  Make("BUTTON", "btPrev", "< &Prev", BS_PUSHBUTTON | WS_TABSTOP, 222, 292, 75, 25, g_main, kPrev);
  Make("BUTTON", "btNext", "&Next >", BS_DEFPUSHBUTTON | WS_TABSTOP, 302, 292, 75, 25, g_main, kNext);
  Make("BUTTON", "btExit", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 382, 292, 75, 25, g_main, kExit);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&controls);
  Build();
  ShowWindow(g_main, SW_SHOW);
  UpdateWindow(g_main);
  return tessaron::testsupport::RunMessageLoop(g_main);
}
