// The controls' own behaviour: lists, the grid, the progress bar, edit fields, pages, timers, names.
#include <gtest/gtest.h>

#include <set>

#include "win/ui/TestWindows.h"

namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void TearDown() override { form.Destroy(); }

  ui::Form form{"ControlsForm", "TessaronControlsTest"};
};

// The text of an entry as the window shows it.
std::string ListText(HWND combo, int index) {
  char text[64] = "";
  SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(ControlsTest, DriveListShowsPresentDrivesUpperCaseAndReportsChanges) {
  auto* drives = form.Add<ui::DriveComboBox>(nullptr, "cbDrive");
  drives->Place(8, 8, 153, 19);
  int changes = 0;
  drives->OnChange = [&](ui::Component*) { ++changes; };
  form.Create();

  // Present drives of the listed types only, in letter order, as upper-case letters with a colon.
  std::vector<std::string> expected;
  for (int i = 0; i < 26; ++i) {
    char root[] = {static_cast<char>('A' + i), ':', '\\', '\0'};
    UINT type = GetDriveTypeA(root);
    if ((GetLogicalDrives() & (1u << i)) && type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK)
      expected.push_back(std::string(root, 2));
  }
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(drives->ItemCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < drives->ItemCount(); ++i) {
    EXPECT_EQ(drives->Item(i), expected[static_cast<size_t>(i)]);
    EXPECT_EQ(ListText(drives->Handle(), i), expected[static_cast<size_t>(i)]);
  }
  // Before anything is chosen it holds the drive of the current directory.
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_EQ(current[1], ':');
  EXPECT_EQ(drives->Drive(), current[0] >= 'a' ? current[0] - 'a' + 'A' : current[0]);

  // The program chooses another drive; lower case selects the same drive.
  const char start = drives->Drive();
  const char other = expected.front()[0] == start ? expected.back()[0] : expected.front()[0];
  drives->SetDrive(static_cast<char>(other | 0x20));
  drives->SetDrive(other);  // no change, no event
  drives->SetDrive('?');    // not listed: the selection stays
  EXPECT_EQ(drives->Drive(), other);
  EXPECT_EQ(changes, other == start ? 0 : 1);
  EXPECT_EQ(ListText(drives->Handle(), static_cast<int>(SendMessageA(drives->Handle(), CB_GETCURSEL, 0, 0))),
            std::string(1, other) + ":");

  // The operator's choice raises the change event as well.
  changes = 0;
  SendMessageA(drives->Handle(), CB_SETCURSEL, static_cast<WPARAM>(drives->ItemCount() - 1), 0);
  SendMessageA(GetParent(drives->Handle()), WM_COMMAND, MAKEWPARAM(drives->Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives->Handle()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drives->Drive(), expected.back()[0]);
  // The closed list is as high as the layout says.
  EXPECT_EQ(drives->BoundsPx().Height, 19);
}

TEST_F(ControlsTest, GridKeepsTitleRowCellsAndColumnWidth) {
  auto* grid = form.Add<ui::StringGrid>(nullptr, "grdList");
  grid->Place(8, 8, 288, 165);
  grid->SetDefaultColWidth(190);
  grid->SetDefaultRowHeight(16);
  form.Create();
  HWND list = grid->Handle();
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(ListView_GetItemCount(list), 1);
  EXPECT_EQ(grid->ColWidth(0), 190);

  grid->SetRowCount(4);
  grid->SetCell(0, 0, "Updates");
  grid->SetCell(0, 1, "Tessaron-2.3.1.1");
  grid->SetCell(0, 3, "Tessaron-2.3.1.3");
  EXPECT_EQ(ListView_GetItemCount(list), 3);
  char text[64] = "";
  ListView_GetItemText(list, 2, 0, text, sizeof text);
  EXPECT_STREQ(text, "Tessaron-2.3.1.3");
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = text;
  column.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(text, "Updates");
  EXPECT_EQ(grid->Cell(0, 2), "");
  EXPECT_EQ(grid->Cell(0, 9), "");  // outside the grid

  // Rows are 16 pixels high.
  RECT first, second;
  ListView_GetItemRect(list, 0, &first, LVIR_BOUNDS);
  ListView_GetItemRect(list, 1, &second, LVIR_BOUNDS);
  EXPECT_EQ(second.top - first.top, 16);

  // Whole rows are selected, one at a time.
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & LVS_SINGLESEL);
  EXPECT_FALSE(GetWindowLongPtrA(list, GWL_STYLE) & LVS_EDITLABELS);

  // A column wider than the grid brings no horizontal scroll bar.
  grid->SetColWidth(0, grid->ClientWidth() + 200);
  testui::Pump();
  EXPECT_EQ(grid->ColWidth(0), grid->ClientWidth() + 200);
  EXPECT_FALSE(GetWindowLongPtrA(list, GWL_STYLE) & WS_HSCROLL);
  grid->SetColWidth(0, grid->ClientWidth());
  EXPECT_EQ(grid->ColWidth(0), grid->ClientWidth());
}

// Rows the grid's list asked for, seen on their way to the form.
int rowRequests = 0;
WNDPROC formProcedure = nullptr;
LRESULT CALLBACK CountRowRequests(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
    if (code == LVN_GETDISPINFOA || code == LVN_GETDISPINFOW) ++rowRequests;
  }
  return CallWindowProcA(formProcedure, hwnd, msg, wParam, lParam);
}

TEST_F(ControlsTest, GridOf50000RowsHoldsThemItselfAndTheListAsksOnlyForThoseInView) {
  auto* grid = form.Add<ui::StringGrid>(nullptr, "grdList");
  grid->Place(8, 8, 288, 165);
  form.Create();
  form.Show();
  HWND list = grid->Handle();
  formProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountRowRequests)));
  rowRequests = 0;
  grid->SetRowCount(50001);
  for (int row = 1; row <= 50000; ++row) grid->SetCell(0, row, "Tessaron-2.3.1." + std::to_string(row - 1));
  UpdateWindow(list);
  testui::Pump();
  EXPECT_GT(rowRequests, 0);
  EXPECT_LT(rowRequests, 100);  // ten rows in view
  // A cell set after the list was painted is shown at the next painting.
  rowRequests = 0;
  grid->SetCell(0, 2, "changed");
  UpdateWindow(list);
  EXPECT_GT(rowRequests, 0);
  SetWindowLongPtrA(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProcedure));

  EXPECT_TRUE(GetWindowLongPtrA(list, GWL_STYLE) & LVS_OWNERDATA);
  EXPECT_EQ(ListView_GetItemCount(list), 50000);
  char text[64] = "";
  ListView_GetItemText(list, 49999, 0, text, sizeof text);
  EXPECT_STREQ(text, "Tessaron-2.3.1.49999");
  wchar_t wide[64] = L"";
  LVITEMW item{};
  item.pszText = wide;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, 7, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(wide, L"Tessaron-2.3.1.7");
  EXPECT_EQ(grid->Cell(0, 50000), "Tessaron-2.3.1.49999");

  // Typing the start of a name finds its row, from the given row on and round to the start.
  LVFINDINFOA find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = "TESSARON-2.3.1.4999";
  EXPECT_EQ(ListView_FindItem(list, -1, &find), 4999);
  EXPECT_EQ(ListView_FindItem(list, 5000, &find), 49990);
  find.psz = "Tessaron-2.3.1.12";
  EXPECT_EQ(ListView_FindItem(list, 49000, &find), 12);
  find.psz = "Update";
  EXPECT_EQ(ListView_FindItem(list, -1, &find), -1);
  find.flags = LVFI_STRING | LVFI_WRAP;  // the whole name
  find.psz = "tessaron-2.3.1.2";
  EXPECT_EQ(ListView_FindItem(list, 5, &find), 2);

  // Fewer rows: the list follows, and nothing stays selected.
  ListView_SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(grid->Row(), 4);
  grid->SetRowCount(3);
  EXPECT_EQ(ListView_GetItemCount(list), 2);
  EXPECT_EQ(grid->Row(), 0);
}

TEST_F(ControlsTest, ProgressBarEditAndComboReportWhatTheyShow) {
  auto* bar = form.Add<ui::ProgressBar>(nullptr, "sbar");
  bar->Place(8, 8, 200, 17);
  auto* edit = form.Add<ui::Edit>(nullptr, "edText");
  edit->Place(8, 30, 200, 21);
  auto* combo = form.Add<ui::ComboBox>(nullptr, "cbList");
  combo->Place(8, 60, 105, 21);
  combo->AddItem("English");
  combo->SetItemIndex(0);
  form.Create();

  EXPECT_EQ(bar->Position(), 0);
  bar->SetMax(300);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 150);
  EXPECT_EQ(static_cast<int>(SendMessageA(bar->Handle(), PBM_GETRANGE, FALSE, 0)), 300);

  int changes = 0;
  std::string seen;
  edit->OnChange = [&](ui::Component* sender) {
    ++changes;
    seen = static_cast<ui::Edit*>(sender)->Text();
  };
  edit->SetText("C:\\Updates\\");
  edit->SetText("C:\\Updates\\");  // the same text again: no change
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(seen, "C:\\Updates\\");
  SendMessageA(edit->Handle(), EM_SETSEL, 11, 11);
  SendMessageA(edit->Handle(), WM_CHAR, 'x', 1);  // typing at the end
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(edit->Text(), "C:\\Updates\\x");

  EXPECT_EQ(combo->Caption(), "English");
  combo->Clear();
  for (const char* name : {"English", "Deutsch",
                           "Fran\xE7"
                           "ais",
                           "Espa\xF1"
                           "ol"})
    combo->AddItem(name);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Caption(),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(ListText(combo->Handle(), 3),
            "Espa\xF1"
            "ol");
  EXPECT_EQ(combo->BoundsPx().Height, 21);
}

TEST_F(ControlsTest, PagesShowOneAtATimeAndTimersTick) {
  auto* pages = form.Add<ui::PageControl>(nullptr, "Pages");
  pages->Place(10, 10, 304, 247);
  std::vector<ui::TabSheet*> sheets;
  for (const char* name : {"Page0", "Page1", "Page2"}) sheets.push_back(pages->AddPage(name));
  auto* onSecond = form.Add<ui::Button>(sheets[1], "btOnSecond");
  onSecond->Place(8, 8, 75, 25);
  auto* timer = form.AddTimer("tmTest");
  timer->SetInterval(10);
  int ticks = 0;
  timer->OnTimer = [&](ui::Component*) { ++ticks; };
  form.Create();
  form.Show();

  // Each page fills the container but its frame margins; no tab strip.
  EXPECT_EQ(sheets[0]->BoundsPx(), (ui::Bounds{4, 6, 296, 237}));
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  for (int shown = 0; shown < 3; ++shown) {
    pages->SetActivePageIndex(shown);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowVisible(sheets[static_cast<size_t>(i)]->Handle()) != 0, i == shown);
  }
  EXPECT_TRUE(IsWindowVisible(onSecond->Handle()) == FALSE);
  pages->SetActivePageIndex(7);  // no such page: none shows
  EXPECT_EQ(pages->ActivePage(), nullptr);

  ASSERT_TRUE(testui::PumpUntil([&] { return ticks >= 3; }));
  timer->SetEnabled(false);
  int stopped = ticks;
  testui::PumpUntil([] { return false; }, 5);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(ControlsTest, EveryWindowCarriesItsComponentNameAndAUniqueId) {
  auto* panel = form.Add<ui::Panel>(nullptr, "pnlOuter");
  panel->Place(0, 0, 100, 100);
  form.Add<ui::Label>(panel, "lbInside")->Place(4, 4, 50, 13);
  form.Add<ui::Bevel>(nullptr, "Bevel1")->Place(0, 100, 100, 17);
  form.Add<ui::Image>(nullptr, "imgMissing")->Place(0, 120, 10, 10);  // no such picture: stays empty
  form.Create();
  std::set<int> ids;
  auto nameOf = [](HWND hwnd) {
    auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(hwnd, ui::ComponentProperty)));
    char name[256] = "";
    GlobalGetAtomNameA(atom, name, sizeof name);
    return std::string(name);
  };
  EXPECT_EQ(nameOf(form.Handle()), "ControlsForm");
  for (const auto& control : form.Controls()) {
    EXPECT_EQ(nameOf(control->Handle()), control->Name());
    int id = GetDlgCtrlID(control->Handle());
    EXPECT_GT(id, IDHELP);
    EXPECT_TRUE(ids.insert(id).second) << control->Name();
  }
  EXPECT_EQ(form.FindComponent("LBINSIDE"), form.Controls()[1].get());
  char className[64] = "";
  GetClassNameA(form.Handle(), className, sizeof className);
  EXPECT_STREQ(className, "TessaronControlsTest");
}

}  // namespace
