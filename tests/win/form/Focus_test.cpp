// The keyboard after a page change made with the mouse.
#include <string>

#include "WizardSupport.h"

namespace {

class FocusTest : public wizardtest::WizardTest {
 protected:
  // The control that has the keyboard focus, by name.
  std::string Focused() const {
    HWND focus = GetFocus();
    if (!focus) return "nothing";
    if (focus == form->Handle()) return "the window";
    ui::Control* control = form->FindControl(GetDlgCtrlID(focus));
    return control && control->Handle() == focus ? control->Name() : "another window";
  }
  // The page shown after a mouse click on the control.
  int ClickOn(const ui::Control* control) {
    testui::ClickWithMouse(control->Handle());
    return Page();
  }
};

TEST_F(FocusTest, AfterEveryPageChangeByMouseTheKeyboardIsOnTheNewPage) {
  wizardtest::StartableRun run(*form, scratch.Path + "Home", "silent");
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk"});

  ASSERT_EQ(ClickOn(form->btNext), 1);
  EXPECT_EQ(Focused(), "edUpdateFilesPath");
  ASSERT_EQ(ClickOn(form->btPrev), 0);
  EXPECT_EQ(Focused(), "btUpdateSystem");
  ASSERT_EQ(ClickOn(form->btUpdateSystem), 1);
  form->edUpdateFilesPath->SetText(updates);
  ASSERT_EQ(ClickOn(form->btNext), 2);
  EXPECT_EQ(Focused(), "grdUpdateFileList");
  // The snapshot page's entry greys Next while it measures the drive.
  ASSERT_EQ(ClickOn(form->btNext), 3);
  EXPECT_EQ(Focused(), "cbSnapshotDrive");
  form->cbSnapshotDrive->SetDrive('C');
  // No tab stop on the confirmation page: the default button, Start.
  ASSERT_EQ(ClickOn(form->btNext), 4);
  EXPECT_EQ(Focused(), "btNext");
  ASSERT_EQ(ClickOn(form->btPrev), 3);
  EXPECT_EQ(Focused(), "cbSnapshotDrive");
  ASSERT_EQ(ClickOn(form->btNext), 4);
  // Start: the run is over (the engine prints nothing, so it failed) when the click has been handled.
  ASSERT_EQ(ClickOn(form->btNext), 6);
  EXPECT_EQ(Focused(), "btExit");
  EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
