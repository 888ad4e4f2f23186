// A picture of every page as the operator reaches it, for a person to look at; no page shows a placeholder.
#include <string>

#include "WizardSupport.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/TextUtils.h"
#include "support/WindowBmp.h"

namespace {

using wizardtest::WizardTest;

class PagesTest : public WizardTest {
 protected:
  void Picture() {
    const int page = Page();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testui::Pump();
    const std::string path =
        "screenshots\\page" + std::to_string(page) + "-" + form->PageControl1->Page(page)->Name() + ".bmp";
    EXPECT_TRUE(tessaron::testsupport::SaveWindowBmp(form->Handle(), path)) << path;
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    // Every caption shown has been replaced by a text of the active language.
    for (const auto& control : form->Controls()) {
      if (!IsWindowVisible(control->Handle())) continue;
      const std::string caption = control->Caption();
      EXPECT_TRUE(caption.empty() || caption[0] != '{') << control->Name() << " on page " << page << ": " << caption;
    }
    for (int row = 0; row < form->grdUpdateFileList->RowCount() && page == 2; ++row)
      EXPECT_NE(form->grdUpdateFileList->Cell(0, row).rfind('{', 0), 0u);
  }
};

TEST_F(PagesTest, SavesAPictureOfEachPage) {
  CreateDirectoryA("screenshots", nullptr);
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"});

  Picture();
  ASSERT_TRUE(PressNext());
  form->edUpdateFilesPath->SetText(updates);
  Picture();
  for (int page = 2; page <= 4; ++page) {
    if (page == 3) form->cbSnapshotDrive->SetDrive('C');
    ASSERT_TRUE(PressNext());
    ASSERT_EQ(Page(), page);
    Picture();
  }
  EXPECT_TRUE(boxes.Boxes.empty());

  // The run's pages as they look while an engine works and once it is done.
  using enum TLauncherForm::ButtonMode;
  form->PageControl1->SetActivePageIndex(TLauncherForm::Progress);
  form->SetNavButtons(Hidden, Hidden, Disabled, "_Next");
  form->sbarProgress->SetPosition(form->sbarProgress->Max() * 2 / 5);
  form->txtCurrentStep->SetCaption("Updating database & indexes");
  form->txtProgressDetails->SetCaption("Copying files...");
  Picture();
  form->PageControl1->SetActivePageIndex(TLauncherForm::Completion);
  form->SetNavButtons(Hidden, Hidden, Shown, "_Next");
  form->txtCompletionStatusInfo->SetCaption(core::NormaliseLineBreaks(
      core::FormatText(core::GetText("str_txtCompletionStatusInfo_Caption_Success"), {"2.3.1.2"})));
  Picture();
}

// The two folder dialogs of the browse button, opened from the updates folder page and cancelled.
TEST_F(PagesTest, SavesAPictureOfEachFolderDialog) {
  CreateDirectoryA("screenshots", nullptr);
  for (const char* name : {"Alpha", "Beta"}) CreateDirectoryA((updates + name).c_str(), nullptr);
  ASSERT_TRUE(PressNext());
  form->edUpdateFilesPath->SetText(updates);
  for (const bool browser : {false, true}) {
    // The dialog moves the current directory: the picture's path must not depend on it.
    const std::string path = wizardtest::CurrentDirectory() + "\\screenshots\\dialog-" +
                             (browser ? "folder-browser" : "select-directory") + ".bmp";
    bool saved = false;
    wizardtest::DialogAction act([&](HWND dialog) {
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      saved = tessaron::testsupport::SaveWindowBmp(dialog, path);

      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    if (browser) {
      wizardtest::ShiftDown shift;
      form->btUpdateFilesPathBrowse->Click();
    } else {
      form->btUpdateFilesPathBrowse->Click();
    }
    EXPECT_TRUE(act.Done) << path;
    EXPECT_TRUE(saved) << path;
  }
  EXPECT_EQ(form->edUpdateFilesPath->Text(), updates);
}

}  // namespace
