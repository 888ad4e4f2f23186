// Anchoring, the minimum size, labels that size themselves, and the keyboard of a form.
#include <gtest/gtest.h>

#include "win/ui/TestWindows.h"

namespace {

using testui::RectInForm;

class LayoutTest : public ::testing::Test {
 protected:
  ui::Button* AddButton(ui::Control* parent, const char* name, ui::Bounds place, ui::Anchors anchors, int tab) {
    auto* button = form.Add<ui::Button>(parent, name);
    button->Place(place.Left, place.Top, place.Width, place.Height);
    button->SetAnchors(anchors);
    button->SetTabOrder(tab);
    button->SetCaption(name);
    button->OnClick = [this, name](ui::Component*) { clicks += std::string(name) + ";"; };
    return button;
  }

  void Build() {
    form.SetClientSize(400, 300);
    form.SetMinOuterSize(150, 150);
    // Created in another order than the tab order.
    right = AddButton(nullptr, "Right", {300, 10, 80, 20}, ui::akRight | ui::akTop, 2);
    stretch = AddButton(nullptr, "Stretch", {10, 10, 200, 20}, ui::akLeft | ui::akRight | ui::akTop, 1);
    bottom = AddButton(nullptr, "Bottom", {10, 260, 80, 20}, ui::akLeft | ui::akBottom, 4);
    all = form.Add<ui::Panel>(nullptr, "pnlAll");
    all->Place(10, 40, 380, 200);
    all->SetAnchors(ui::akAll);
    all->SetTabOrder(3);
    inner = AddButton(all, "Inner", {300, 170, 70, 20}, ui::akRight | ui::akBottom, 0);
    fixed = AddButton(nullptr, "Fixed", {100, 260, 80, 20}, ui::akLeftTop, 0);
    note = form.Add<ui::Memo>(all, "memNote");
    note->Place(10, 10, 200, 60);
    note->SetReadOnly(true);
    note->SetWantReturns(false);
    note->SetTabOrder(1);
    note->SetTabStop(false);
    note->SetCaption("read only");
    defaultButton = AddButton(nullptr, "Default", {200, 260, 80, 20}, ui::akRight | ui::akBottom, 5);
    defaultButton->SetDefault(true);
    form.Create();
    form.Show();
    testui::Pump();
  }

  void TearDown() override { form.Destroy(); }

  ui::Form form{"LayoutForm", "TessaronLayoutTest"};
  ui::Button* right = nullptr;
  ui::Button* stretch = nullptr;
  ui::Button* bottom = nullptr;
  ui::Button* inner = nullptr;
  ui::Button* fixed = nullptr;
  ui::Button* defaultButton = nullptr;
  ui::Panel* all = nullptr;
  ui::Memo* note = nullptr;
  std::string clicks;
};

TEST_F(LayoutTest, AnchoredControlsFollowTheWindowAndComeBackExactly) {
  Build();
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.ClientHeight(), 300);
  auto rect = [&](ui::Control* c) { return RectInForm(form, c->Handle()); };
  const SIZE outer0 = testui::OuterSize(form.Handle());
  const RECT right0 = rect(right), stretch0 = rect(stretch), bottom0 = rect(bottom), all0 = rect(all),
             inner0 = rect(inner), fixed0 = rect(fixed), note0 = rect(note);
  EXPECT_EQ(right0.left, 300);
  EXPECT_EQ(stretch0.right, 210);
  EXPECT_EQ(inner0.left, 310);  // inside the panel at 10, 40
  EXPECT_EQ(inner0.top, 210);

  testui::GrowWindow(form.Handle(), 40, 30);
  EXPECT_EQ(form.ClientWidth(), 440);
  EXPECT_EQ(rect(right).left, right0.left + 40);
  EXPECT_EQ(rect(right).right, right0.right + 40);
  EXPECT_EQ(rect(right).top, right0.top);
  EXPECT_EQ(rect(stretch).left, stretch0.left);
  EXPECT_EQ(rect(stretch).right, stretch0.right + 40);
  EXPECT_EQ(rect(bottom).top, bottom0.top + 30);
  EXPECT_EQ(rect(bottom).left, bottom0.left);
  EXPECT_EQ(rect(all).right, all0.right + 40);
  EXPECT_EQ(rect(all).bottom, all0.bottom + 30);
  // Children of a container follow the container.
  EXPECT_EQ(rect(inner).left, inner0.left + 40);
  EXPECT_EQ(rect(inner).top, inner0.top + 30);
  EXPECT_EQ(rect(note).left, note0.left);
  EXPECT_EQ(rect(note).bottom, note0.bottom);
  EXPECT_EQ(rect(fixed).left, fixed0.left);
  EXPECT_EQ(rect(fixed).top, fixed0.top);

  // Down to the minimum, where widths would go negative, and back: nothing drifts.
  testui::GrowWindow(form.Handle(), -1000, -1000);
  SetWindowPos(form.Handle(), nullptr, 0, 0, outer0.cx, outer0.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  testui::Pump();
  EXPECT_EQ(rect(right).left, right0.left);
  EXPECT_EQ(rect(stretch).right, stretch0.right);
  EXPECT_EQ(rect(bottom).top, bottom0.top);
  EXPECT_EQ(rect(inner).left, inner0.left);
  EXPECT_EQ(rect(inner).top, inner0.top);
  EXPECT_EQ(rect(all).bottom, all0.bottom);
}

TEST_F(LayoutTest, OuterSizeNeverGoesBelowTheMinimumAndNoScrollBarsShow) {
  Build();
  testui::GrowWindow(form.Handle(), -1000, -1000);
  SIZE outer = testui::OuterSize(form.Handle());
  EXPECT_EQ(outer.cx, 150);
  EXPECT_EQ(outer.cy, 150);
  MINMAXINFO info{};
  SendMessageA(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 150);
  EXPECT_EQ(info.ptMinTrackSize.y, 150);
  LONG_PTR style = GetWindowLongPtrA(form.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
  // Anchored controls never get a negative size.
  RECT stretchRect = RectInForm(form, stretch->Handle());
  EXPECT_EQ(stretchRect.right - stretchRect.left, 0);
}

TEST_F(LayoutTest, TabFollowsTabOrderAndEnterPressesTheRightButton) {
  Build();
  // The first stop is tab order 0 of the window (Fixed), then Stretch, Right, the panel's Inner (its memo is no
  // tab stop), Bottom, Default.
  std::vector<std::string> visited;
  HWND current = GetNextDlgTabItem(form.Handle(), nullptr, FALSE);
  for (int i = 0; i < 6 && current; ++i) {
    visited.push_back(form.FindControl(GetDlgCtrlID(current))->Name());
    current = GetNextDlgTabItem(form.Handle(), current, FALSE);
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Fixed", "Stretch", "Right", "Inner", "Bottom", "Default"}));

  // Enter in the read-only note presses the default button; Escape presses nothing.
  note->SetFocus();
  testui::PressKey(note->Handle(), VK_RETURN);
  testui::PressKey(note->Handle(), VK_ESCAPE);
  EXPECT_EQ(clicks, "Default;");
  EXPECT_EQ(note->Text(), "read only");

  // On another button Enter presses that one.
  clicks.clear();
  bottom->SetFocus();
  testui::PressKey(bottom->Handle(), VK_RETURN);
  EXPECT_EQ(clicks, "Bottom;");
  EXPECT_EQ(GetWindowLongPtrA(bottom->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrA(defaultButton->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

  // Tab from the note goes on to the next stop instead of into the text.
  note->SetFocus();
  testui::PressKey(note->Handle(), VK_TAB);
  EXPECT_EQ(GetFocus(), bottom->Handle());

  // A hidden or disabled default button is not pressed.
  clicks.clear();
  defaultButton->SetVisible(false);
  note->SetFocus();
  testui::PressKey(note->Handle(), VK_RETURN);
  defaultButton->SetVisible(true);
  defaultButton->SetEnabled(false);
  testui::PressKey(note->Handle(), VK_RETURN);
  EXPECT_EQ(clicks, "");
}

TEST(LabelTest, SizesItselfToItsTextUnlessFixed) {
  ui::Form form("LabelForm", "TessaronLabelTest");
  auto* automatic = form.Add<ui::Label>(nullptr, "lbAuto");
  automatic->Place(8, 8, 10, 10);
  automatic->SetCaption("Short");
  auto* fixedSize = form.Add<ui::Label>(nullptr, "lbFixed");
  fixedSize->Place(8, 40, 100, 40);
  fixedSize->SetAutoSize(false);
  fixedSize->SetWordWrap(true);
  fixedSize->SetCaption("A long text that wraps at the label's width\rand a second paragraph");
  auto* accelerated = form.Add<ui::Label>(nullptr, "lbAccel");
  accelerated->Place(8, 100, 10, 10);
  accelerated->SetCaption("A&&B&C");
  auto* literal = form.Add<ui::Label>(nullptr, "lbLiteral");
  literal->Place(8, 120, 10, 10);
  literal->SetShowAccelChar(false);
  literal->SetCaption("A&&B&C");
  form.Create();

  ui::Bounds before = automatic->BoundsPx();
  EXPECT_GT(before.Width, 10);
  EXPECT_EQ(before.Height, 13);  // one line of the 8-point font
  automatic->SetCaption("A considerably longer text");
  ui::Bounds after = automatic->BoundsPx();
  EXPECT_GT(after.Width, before.Width);
  EXPECT_EQ(after.Left, before.Left);
  EXPECT_EQ(after.Height, before.Height);
  automatic->SetFontBold(true);
  EXPECT_GT(automatic->BoundsPx().Width, after.Width);

  EXPECT_EQ(fixedSize->BoundsPx(), (ui::Bounds{8, 40, 100, 40}));
  EXPECT_FALSE(GetWindowLongPtrA(accelerated->Handle(), GWL_STYLE) & SS_NOPREFIX);
  EXPECT_TRUE(GetWindowLongPtrA(literal->Handle(), GWL_STYLE) & SS_NOPREFIX);
  // Shown literally, both ampersands take room; as accelerators, one "&&" shows one ampersand and "&C" none.
  EXPECT_GT(literal->BoundsPx().Width, accelerated->BoundsPx().Width);
  form.Destroy();
}

// A control whose window the platform refuses to make while told to.
class Refused : public ui::Control {
 public:
  using Control::Control;
  bool refuse = true;

 protected:
  WindowClass Describe() const override { return {refuse ? "Tessaron.NoSuchClass" : "STATIC", 0, 0}; }
};

TEST(PageTest, APageMakesItsWindowsWhenFirstShownAndTriesAgainAfterAFailure) {
  ui::Form form("PageForm", "TessaronPageTest");
  auto* pages = form.Add<ui::PageControl>(nullptr, "pages");
  pages->Place(0, 0, 200, 100);
  ui::TabSheet* first = pages->AddPage("first");
  ui::TabSheet* second = pages->AddPage("second");
  auto* label = form.Add<ui::Label>(second, "lbSecond");
  label->Place(8, 8, 10, 10);
  label->SetCaption("Second page");
  auto* refused = form.Add<Refused>(second, "refused");
  refused->Place(8, 40, 50, 20);
  int firstMade = 0, secondMade = 0;
  first->OnCreate = [&](ui::Component*) { ++firstMade; };
  second->OnCreate = [&](ui::Component*) { ++secondMade; };
  form.Create();
  EXPECT_EQ(firstMade, 1);
  EXPECT_FALSE(second->Created() || label->Created());

  label->SetCaption("Changed before its window");
  EXPECT_THROW(pages->SetActivePageIndex(1), std::runtime_error);
  EXPECT_EQ(secondMade, 0);
  refused->refuse = false;
  pages->SetActivePageIndex(1);
  ASSERT_TRUE(refused->Created() && label->Created());
  EXPECT_EQ(secondMade, 1);
  char text[64] = "";
  GetWindowTextA(label->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Changed before its window");
  pages->SetActivePageIndex(0);
  pages->SetActivePageIndex(1);
  EXPECT_EQ(secondMade, 1);
  form.Destroy();
}

}  // namespace
