// The real Launcher.exe on a prepared server: in each language the operator walks from the welcome page to the
// confirmation page, and a picture of every page is kept for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "WizardDriver.h"
#include "core/Format.h"
#include "core/LangRes.h"

namespace tessaron::e2e {
namespace {

const char* const kPages[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                              "TabSheet5", "TabSheet6", "TabSheet7"};

struct Language {
  int Index;
  const char* File;  // picture names, ASCII only
};
const Language kLanguages[] = {{0, "english"}, {1, "deutsch"}, {2, "francais"}, {3, "espanol"}};

// A server at 2.2.1, this machine its primary and in maintenance mode, with updates 0 to 2 in C:\Updates.
ServerSetup PreparedServer() {
  ServerSetup setup;
  setup.launcher = HostPath(TESSARON_LAUNCHER_EXE);
#ifdef TESSARON_ZUK_EXE
  setup.engine = HostPath(TESSARON_ZUK_EXE);
#endif
  setup.packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"};
  setup.registry.updateLevel = "2.2.1";
  setup.registry.primaryNodeName = ComputerName();
  setup.registry.maintenanceMode = "ON";
  return setup;
}

class WalkthroughTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup = PreparedServer();
    std::string error;
    ASSERT_TRUE(PrepareServer(setup, &error)) << error;
  }
  void TearDown() override { core::SelectLanguage(0); }

  // A new wizard; the one before, if any, is ended.
  void Launch(const std::string& arguments = "") {
    wizard = std::make_unique<WizardDriver>();
    std::string error;
    ASSERT_TRUE(wizard->Launch(WizardLaunch(setup, arguments), &error)) << error;
  }

  // The page the operator sees; empty when none or more than one is shown.
  std::string ShownPage() const {
    std::string shown;
    for (const char* page : kPages) {
      if (!wizard->IsVisible(page)) continue;
      if (!shown.empty()) return {};
      shown = page;
    }
    return shown;
  }

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

  ServerSetup setup;
  std::unique_ptr<WizardDriver> wizard;
};

TEST_F(WalkthroughTest, InEachLanguageTheOperatorReachesTheConfirmationPage) {
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.File);
    core::SelectLanguage(language.Index);
    const std::string prefix = std::string("walk-") + language.File + "-";
    Launch();
    ASSERT_EQ(ShownPage(), "TabSheet0");

    // Welcome: pick the language.
    if (language.Index != 0) {
      ASSERT_TRUE(wizard->SelectIndex("cbLocale", language.Index));
      ASSERT_TRUE(wizard->Sync());
    }
    EXPECT_FALSE(wizard->IsVisible("btPrev"));
    EXPECT_EQ(wizard->Text("btNext"), core::GetComponentText("btNext", "_Next"));
    Look(prefix + "0-welcome");

    // Updates folder: type the folder.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet1");
    ASSERT_TRUE(wizard->SetText("edUpdateFilesPath", "C:\\Updates"));
    ASSERT_TRUE(wizard->Sync());
    EXPECT_TRUE(wizard->IsEnabled("btNext"));
    EXPECT_EQ(wizard->Text("lbUpdateFilesPathTitle"), core::GetText("str_lbUpdateFilesPathTitle_Caption"));
    Look(prefix + "1-folder");

    // Update list: the three packages.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet2");
    EXPECT_EQ(wizard->Text("txtUpdateFilesPathEcho"), "C:\\Updates");
    EXPECT_EQ(wizard->GridHeader("grdUpdateFileList", 0), core::GetText("str_Title_Column_Updates"));
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
    const std::string pattern = core::GetText("str_lbSnapshotDriveSizeInfo_Caption");  // "%0.0n MB free [%0.0d%%]"
    const std::string words = pattern.substr(5, pattern.find('[') + 1 - 5);            // " MB free ["
    const std::string sizeInfo = wizard->Text("lbSnapshotDriveSizeInfo");
    EXPECT_NE(sizeInfo.find(words), std::string::npos) << sizeInfo;
    EXPECT_TRUE(sizeInfo.ends_with("%]")) << sizeInfo;
    EXPECT_TRUE(wizard->IsEnabled("lbSnapshotDriveSizeInfo"));
    EXPECT_TRUE(wizard->IsEnabled("btNext"));
    Look(prefix + "3-snapshot");

    // Confirmation: Next reads Start; Prev goes back to the snapshot page and Next returns.
    Press("btNext");
    ASSERT_EQ(ShownPage(), "TabSheet5");
    EXPECT_EQ(wizard->Text("btNext"), core::GetComponentText("btNext", "_Start"));
    EXPECT_TRUE(wizard->IsVisible("btPrev") && wizard->IsEnabled("btExit"));
    Look(prefix + "4-confirm");
    Press("btPrev");
    EXPECT_EQ(ShownPage(), "TabSheet3");
    EXPECT_EQ(wizard->Text("btNext"), core::GetComponentText("btNext", "_Next"));
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
