// The real Launcher.exe on a prepared server: in each language the operator walks from the welcome page to the
// confirmation page, and a picture of every page is kept for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "ServerTest.h"
#include "WizardDriver.h"

namespace tessaron::e2e {
namespace {

// What the operator reads in a language.
struct Language {
  int Index;
  const char* File;  // picture names, ASCII only
  const char* Next;
  const char* Start;
  const char* FolderTitle;
  const char* UpdatesColumn;
  const char* FreeSpaceWords;  // between the megabytes and the percentage
};
const Language kLanguages[] = {
    {0, "english", "&Next >", "Start", "Please specify where the updates are stored", "Updates", " MB free ["},
    {1, "deutsch", "&Weiter >", "Start", "Geben Sie an, wo die Updates gespeichert werden sollen", "Updates",
     " MB frei ["},
    {2, "francais", "&Suiv >",
     "D\xE9"
     "marrer",
     "Veuillez indiquer l'emplacement de stockage des fichiers de mise \xE0 jour.", "Mises \xE0 jour", " Mo disp. ["},
    {3, "espanol", "&Siguiente >", "Iniciar", "Especifique d\xF3nde se guardan las actualizaciones", "Actualizaciones",
     " MB libres ["},
};

class WalkthroughTest : public ServerTest {
 protected:
  // A new wizard; the one before, if any, is ended.
  void Launch(const std::string& arguments = "") {
    wizard = std::make_unique<WizardDriver>();
    std::string error;
    ASSERT_TRUE(wizard->Launch(WizardLaunch(setup, arguments), &error)) << error;
  }

  std::string ShownPage() const { return tessaron::e2e::ShownPage(*wizard); }

  // Presses a button as the operator does and waits until the wizard has handled it.
  void Press(const std::string& button) {
    ASSERT_TRUE(wizard->IsVisible(button) && wizard->IsEnabled(button)) << button;
    ASSERT_TRUE(wizard->Click(button)) << button;
    ASSERT_TRUE(wizard->Sync());
    const auto box = wizard->CurrentMessageBox();
    EXPECT_FALSE(box) << box->caption << ": " << box->text;
  }

  // No visible control shows a placeholder caption; the picture is saved.
  void Look(const std::string& name) {
    for (const std::string& control : wizard->ComponentNames()) {
      if (!wizard->IsVisible(control)) continue;
      const std::string text = wizard->Text(control);
      EXPECT_TRUE(text.empty() || text[0] != '{') << control << " shows " << text;
    }
    EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath(name + ".bmp"))) << name;
  }

  std::unique_ptr<WizardDriver> wizard;
};

TEST_F(WalkthroughTest, InEachLanguageTheOperatorReachesTheConfirmationPage) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.File);
    const std::string prefix = std::string("walk-") + language.File + "-";
    Launch();
    ASSERT_EQ(ShownPage(), "TabSheet0");

    // Welcome: pick the language.
    if (language.Index != 0) {
      ASSERT_TRUE(wizard->SelectIndex("cbLocale", language.Index));
      ASSERT_TRUE(wizard->Sync());
    }
    EXPECT_FALSE(wizard->IsVisible("btPrev"));
    EXPECT_EQ(wizard->Text("btNext"), language.Next);
    Look(prefix + "0-welcome");

    // Updates folder: type the folder.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet1");
    ASSERT_TRUE(wizard->SetText("edUpdateFilesPath", "C:\\Updates"));
    ASSERT_TRUE(wizard->Sync());
    EXPECT_TRUE(wizard->IsEnabled("btNext"));
    EXPECT_EQ(wizard->Text("lbUpdateFilesPathTitle"), language.FolderTitle);
    Look(prefix + "1-folder");

    // Update list: the three packages.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet2");
    EXPECT_EQ(wizard->Text("txtUpdateFilesPathEcho"), "C:\\Updates");
    EXPECT_EQ(wizard->GridHeader("grdUpdateFileList", 0), language.UpdatesColumn);
    EXPECT_EQ(wizard->GridColumn("grdUpdateFileList"),
              (std::vector<std::string>{"Tessaron-2.3.1.0", "Tessaron-2.3.1.1", "Tessaron-2.3.1.2"}));
    Look(prefix + "2-list");

    // Snapshot: a fixed drive with its free space, Next enabled.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet3");
    const std::string drive = wizard->SelectedText("cbSnapshotDrive");
    ASSERT_EQ(drive.size(), 2u) << drive;
    const std::string root = drive + "\\";
    EXPECT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED)) << drive;
    const std::string sizeInfo = wizard->Text("lbSnapshotDriveSizeInfo");
    EXPECT_NE(sizeInfo.find(language.FreeSpaceWords), std::string::npos) << sizeInfo;
    EXPECT_TRUE(sizeInfo.ends_with("%]")) << sizeInfo;
    EXPECT_TRUE(wizard->IsEnabled("lbSnapshotDriveSizeInfo"));
    EXPECT_TRUE(wizard->IsEnabled("btNext"));
    Look(prefix + "3-snapshot");

    // Confirmation: Next reads Start; Prev goes back to the snapshot page and Next returns.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet5");
    EXPECT_EQ(wizard->Text("btNext"), language.Start);
    EXPECT_TRUE(wizard->IsVisible("btPrev") && wizard->IsEnabled("btExit"));
    Look(prefix + "4-confirm");
    Press("btPrev");
    EXPECT_EQ(ShownPage(), "TabSheet3");
    EXPECT_EQ(wizard->Text("btNext"), language.Next);
    Press("btNext");
    EXPECT_EQ(ShownPage(), "TabSheet5");

    // Exit ends the wizard without a word: nothing ran.
    ASSERT_TRUE(wizard->Click("btExit"));
    DWORD exitCode = 1;
    EXPECT_TRUE(wizard->WaitForExit(kDefaultTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }
}

TEST_F(WalkthroughTest, TheTildeSwitchLeavesOutTheSnapshotPageOtherSwitchesDoNot) {
  for (const char* arguments : {"~NoSnapShot", "-nosnapshot /nosnapshot nosnapshot"}) {
    SCOPED_TRACE(arguments);
    const bool skipped = arguments[0] == '~';
    Launch(arguments);
    Press("btNext");
    ASSERT_TRUE(wizard->SetText("edUpdateFilesPath", "C:\\Updates"));
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet2");
    Press("btNext");
    EXPECT_EQ(ShownPage(), skipped ? "TabSheet5" : "TabSheet3");
    Press("btPrev");
    EXPECT_EQ(ShownPage(), "TabSheet2");
    ASSERT_TRUE(wizard->Click("btExit"));
    EXPECT_TRUE(wizard->WaitForExit());
  }
}

TEST_F(WalkthroughTest, ANetworkFolderIsQuestionedAndNoKeepsTheFolderPage) {
  Launch();
  Press("btNext");
  ASSERT_TRUE(wizard->SetText("edUpdateFilesPath", "\\\\fileserver\\updates"));
  ASSERT_TRUE(wizard->Sync());
  ASSERT_EQ(ShownPage(), "TabSheet1");
  // A folder that does not exist disables Next; entering the page again enables it.
  EXPECT_FALSE(wizard->IsEnabled("btNext"));
  Press("btPrev");
  Press("btNext");
  ASSERT_TRUE(wizard->IsEnabled("btNext"));

  ASSERT_TRUE(wizard->PostClick("btNext"));
  auto box = wizard->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Warning");
  EXPECT_EQ(box->text.rfind("It is recommended to have the update files on a fixed hard drive", 0), 0u) << box->text;
  std::vector<int> ids;
  for (const auto& button : box->buttons) ids.push_back(button.first);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{IDYES, IDNO}));  // IDYES 6, IDNO 7
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("walk-network-question.bmp")));
  ASSERT_TRUE(wizard->AnswerMessageBox(*box, IDNO));
  ASSERT_TRUE(wizard->Sync());
  EXPECT_EQ(ShownPage(), "TabSheet1");

  ASSERT_TRUE(wizard->PostClick("btNext"));
  box = wizard->WaitForMessageBox();
  ASSERT_TRUE(box);
  ASSERT_TRUE(wizard->AnswerMessageBox(*box, IDYES));
  ASSERT_TRUE(wizard->WaitForVisible("TabSheet2", true));
  ASSERT_TRUE(wizard->Sync());                // the page shows before its entry actions (the scan) have run
  EXPECT_FALSE(wizard->IsEnabled("btNext"));  // nothing found there
  ASSERT_TRUE(wizard->Click("btExit"));
  EXPECT_TRUE(wizard->WaitForExit());
}

}  // namespace
}  // namespace tessaron::e2e
