// The wizard window's layout: every control where the description puts it, and how the window follows resizing.
#include <initializer_list>
#include <map>
#include <string>

#include "FormFixture.h"
#include "LayoutTable.h"

namespace {

using testui::RectInForm;

std::map<std::string, RECT> AllRects(const TLauncherForm& form) {
  std::map<std::string, RECT> rects;
  for (const auto& control : form.Controls()) rects[control->Name()] = RectInForm(form, control->Handle());
  return rects;
}

TEST_F(LauncherFormTest, EveryControlHasItsNameParentAndPlace) {
  EXPECT_EQ(form->ClientWidth(), 472);
  EXPECT_EQ(form->ClientHeight(), 352);
  ASSERT_EQ(form->Controls().size(), std::size(layout::Controls));
  for (const auto& expected : layout::Controls) {
    SCOPED_TRACE(expected.Name);
    ui::Control* control = Get(expected.Name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Name(), expected.Name);
    std::string parent = control->Parent() ? control->Parent()->Name() : "";
    EXPECT_EQ(parent, expected.Parent);
    ui::Bounds b = control->BoundsPx();
    EXPECT_EQ(b.Left, expected.Left);
    EXPECT_EQ(b.Top, expected.Top);
    if (!expected.AutoSize) {
      EXPECT_EQ(b.Width, expected.Width);
      EXPECT_EQ(b.Height, expected.Height);
    }
  }
  // The window is centred on the desktop.
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_LE(std::abs((outer.left + outer.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

// Grows the window by dx or by dy: exactly the controls anchored that way move or stretch by it, along that axis only.
void ExpectGrowthFollowsTheAnchors(TLauncherForm& form, int dx, int dy) {
  const auto before = AllRects(form);
  testui::GrowWindow(form.Handle(), dx, dy);
  ASSERT_EQ(form.ClientWidth(), 472 + dx);
  ASSERT_EQ(form.ClientHeight(), 352 + dy);
  const auto after = AllRects(form);
  for (const auto& expected : layout::Controls) {
    SCOPED_TRACE(expected.Name);
    const RECT& a = before.at(expected.Name);
    const RECT& b = after.at(expected.Name);
    const layout::Follow follow = dx ? expected.Wider : expected.Taller;
    const int moved = follow == layout::Moves ? dx + dy : 0;
    const int grown = follow == layout::Stays ? 0 : dx + dy;
    EXPECT_EQ(b.left - a.left, dx ? moved : 0);
    EXPECT_EQ(b.right - a.right, dx ? grown : 0);
    EXPECT_EQ(b.top - a.top, dy ? moved : 0);
    EXPECT_EQ(b.bottom - a.bottom, dy ? grown : 0);
  }
}

TEST_F(LauncherFormTest, WiderWindowStretchesAndMovesExactlyTheAnchoredControls) {
  ShowEveryPageOnce();
  ExpectGrowthFollowsTheAnchors(*form, 100, 0);
}

TEST_F(LauncherFormTest, TallerWindowMovesTheBottomRowAndGrowsTheLongNotes) {
  ShowEveryPageOnce();
  ExpectGrowthFollowsTheAnchors(*form, 0, 100);
}

// Only the first page has windows at the start; the others get theirs when first shown, in the window's size then.
TEST_F(LauncherFormTest, PagesFirstShownInAResizedWindowLieWhereTheyWouldHaveBeen) {
  EXPECT_TRUE(form->TabSheet0->Created() && form->cbLocale->Created());
  for (ui::Control* later : std::initializer_list<ui::Control*>{form->TabSheet1, form->edUpdateFilesPath,
                                                                form->grdUpdateFileList, form->lbProgressInfo})
    EXPECT_FALSE(later->Created()) << later->Name();

  ShowEveryPageOnce();
  testui::GrowWindow(form->Handle(), 100, 60);
  const auto resizedAfter = AllRects(*form);

  form.reset();
  form = std::make_unique<TLauncherForm>();
  form->Create();
  form->Show();
  testui::Pump();
  testui::GrowWindow(form->Handle(), 100, 60);
  ShowEveryPageOnce();
  const auto resizedBefore = AllRects(*form);
  for (const auto& expected : layout::Controls) {
    SCOPED_TRACE(expected.Name);
    const RECT& a = resizedAfter.at(expected.Name);
    const RECT& b = resizedBefore.at(expected.Name);
    EXPECT_EQ(b.left, a.left);
    EXPECT_EQ(b.top, a.top);
    // A label that sizes itself to its text measures it against the room it has when its page is made.
    if (expected.AutoSize) continue;
    EXPECT_EQ(b.right, a.right);
    EXPECT_EQ(b.bottom, a.bottom);
  }
}

// The icons belong to the window class, so they must outlive every window of it, a second window included.
TEST_F(LauncherFormTest, EveryWindowOfTheClassHasItsIcons) {
  form.reset();
  form = std::make_unique<TLauncherForm>();
  form->Create();
  for (int which : {GCLP_HICON, GCLP_HICONSM}) {
    ICONINFO info{};
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), which));
    ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << which;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
}

TEST_F(LauncherFormTest, WindowKeepsItsMinimumSizeWithoutScrollBars) {
  testui::GrowWindow(form->Handle(), -1000, -1000);
  SIZE outer = testui::OuterSize(form->Handle());
  EXPECT_EQ(outer.cx, 400);
  EXPECT_EQ(outer.cy, 350);
  EXPECT_FALSE(GetWindowLongPtrA(form->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  LONG_PTR style = GetWindowLongPtrA(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  // At the smallest size the bottom row is still inside the window and in its order.
  RECT client;
  GetClientRect(form->Handle(), &client);
  RECT prev = RectInForm(*form, form->btPrev->Handle());
  RECT exit = RectInForm(*form, form->btExit->Handle());
  EXPECT_LE(exit.right, client.right);
  EXPECT_LE(exit.bottom, client.bottom);
  EXPECT_LT(prev.right, exit.left);
}

TEST_F(LauncherFormTest, EnterInTheFolderFieldPressesNext) {
  SendMessageA(form->btNext->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(Page(), 1);
  form->edUpdateFilesPath->SetText("C:\\");  // a fixed drive: Next asks nothing
  form->edUpdateFilesPath->SetFocus();
  testui::Pump();
  ASSERT_EQ(GetFocus(), form->edUpdateFilesPath->Handle());
  testui::PressKey(form->edUpdateFilesPath->Handle(), VK_RETURN);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), "C:\\");  // Enter is no character of the field
  // No packages there: Next is disabled, and Enter on the grid no longer moves on.
  EXPECT_FALSE(IsWindowEnabled(form->btNext->Handle()));
  HWND focus = GetFocus();
  ASSERT_TRUE(focus && IsChild(form->Handle(), focus));
  testui::PressKey(focus, VK_RETURN);
  EXPECT_EQ(Page(), 2);
}

TEST_F(LauncherFormTest, PictureButtonDoesWhatNextDoes) {
  ASSERT_EQ(Page(), 0);
  SendMessageA(form->btUpdateSystem->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Page(), 1);
  SendMessageA(form->btNext->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Page(), 2);

  // From the keyboard too: the picture button is the first stop of the welcome page, and Enter presses it.
  form->PageControl1->SetActivePageIndex(0);
  form->btUpdateSystem->SetFocus();
  testui::PressKey(form->btUpdateSystem->Handle(), VK_RETURN);
  EXPECT_EQ(Page(), 1);
  EXPECT_NE(SendMessageA(form->btUpdateSystem->Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(LauncherFormTest, TabVisitsThePageThenTheButtonsAndSkipsTheReadOnlyText) {
  auto sequence = [&](int page) {
    form->PageControl1->SetActivePageIndex(page);
    using enum TLauncherForm::ButtonMode;
    form->SetNavButtons(Shown, Shown, Shown, "_Next");  // every button in the sequence, whatever the page's own rule
    std::vector<std::string> names;
    HWND first = GetNextDlgTabItem(form->Handle(), nullptr, FALSE);
    HWND current = first;
    do {
      names.push_back(form->FindControl(GetDlgCtrlID(current))->Name());
      current = GetNextDlgTabItem(form->Handle(), current, FALSE);
    } while (current && current != first && names.size() < 20);
    return names;
  };
  EXPECT_EQ(sequence(0), (std::vector<std::string>{"btUpdateSystem", "cbLocale", "btPrev", "btNext", "btExit"}));
  EXPECT_EQ(sequence(1),
            (std::vector<std::string>{"edUpdateFilesPath", "btUpdateFilesPathBrowse", "btPrev", "btNext", "btExit"}));
  EXPECT_EQ(sequence(2), (std::vector<std::string>{"grdUpdateFileList", "btPrev", "btNext", "btExit"}));
  EXPECT_EQ(sequence(3), (std::vector<std::string>{"cbSnapshotDrive", "btPrev", "btNext", "btExit"}));
  EXPECT_EQ(sequence(6), (std::vector<std::string>{"btPrev", "btNext", "btExit"}));

  // A label's accelerator focuses the control it is for.
  form->PageControl1->SetActivePageIndex(1);
  form->lbUpdateFilesPathTitle->SetCaption("&Folder");
  form->btNext->SetFocus();
  PostMessageA(form->btNext->Handle(), WM_SYSCHAR, 'f', static_cast<LPARAM>(1u << 29));
  testui::Pump();
  EXPECT_EQ(GetFocus(), form->edUpdateFilesPath->Handle());
}

TEST_F(LauncherFormTest, GridColumnStaysAsWideAsTheGridsClientArea) {
  form->PageControl1->SetActivePageIndex(2);
  auto* grid = form->grdUpdateFileList;
  EXPECT_EQ(grid->ColWidth(0), 190);
  EXPECT_EQ(grid->Cell(0, 0), "");
  EXPECT_EQ(grid->RowCount(), 2);
  grid->SetRowCount(40);  // enough rows for a vertical scroll bar
  for (int row = 1; row < 40; ++row) grid->SetCell(0, row, "Tessaron-2.3.1." + std::to_string(row));
  for (auto [dx, dy] : {std::pair{100, 0}, std::pair{-60, 40}, std::pair{37, -40}, std::pair{-77, 0}}) {
    testui::GrowWindow(form->Handle(), dx, dy);
    EXPECT_EQ(grid->ColWidth(0), grid->ClientWidth());
    EXPECT_LT(grid->ClientWidth(), grid->BoundsPx().Width);
  }
  EXPECT_FALSE(GetWindowLongPtrA(grid->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(LauncherFormTest, StartsOnTheWelcomePageWithTheDescribedState) {
  ShowEveryPageOnce();
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(form->PageControl1->PageCount(), 7);
  EXPECT_EQ(form->Caption(), "Tessaron Update Utility");
  EXPECT_EQ(form->DefaultButton(), form->btNext);
  EXPECT_FALSE(IsWindowVisible(form->edZUKInput->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->memZUKOutput->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->btPrev->Handle()));
  for (ui::Button* button : {form->btNext, form->btExit}) {
    EXPECT_TRUE(IsWindowVisible(button->Handle()));
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));
  }
  EXPECT_EQ(form->sbarProgress->Position(), 0);
  EXPECT_EQ(static_cast<int>(SendMessageA(form->sbarProgress->Handle(), PBM_GETRANGE, FALSE, 0)), 100);
  EXPECT_EQ(form->cbLocale->ItemCount(), 4);
  EXPECT_EQ(form->cbLocale->Caption(), "English");
  EXPECT_EQ(form->btUpdateFilesPathBrowse->Caption(), "...");
  EXPECT_EQ(form->txtUpdateFilesPathEcho->Text(), "J:\\Updates");

  // Literal ampersands where the layout says so, accelerators elsewhere.
  for (const char* literal : {"lbServerVersion", "lbResponceCenter", "lbSnapshotDriveSizeInfo", "lbProgressInfo"})
    EXPECT_TRUE(GetWindowLongPtrA(Get(literal)->Handle(), GWL_STYLE) & SS_NOPREFIX) << literal;
  EXPECT_FALSE(GetWindowLongPtrA(form->lbUpdateFilesPathTitle->Handle(), GWL_STYLE) & SS_NOPREFIX);
}

TEST_F(LauncherFormTest, ExitEndsTheApplicationAndClosingAsksTheCloseQuery) {
  int asked = 0;
  bool allow = false;
  form->OnCloseQuery = [&](ui::Component*, bool& canClose) {
    ++asked;
    canClose = allow;
  };
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  SendMessageA(form->btExit->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(ui::App().Terminated());
  allow = true;
  SendMessageA(form->btExit->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(asked, 3);
  EXPECT_TRUE(ui::App().Terminated());
}

}  // namespace
