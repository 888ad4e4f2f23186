// The real Launcher.exe, started from a media folder of a prepared server and driven from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "E2eEnvironment.h"
#include "ServerTest.h"
#include "ResourceChecks.h"
#include "WizardDriver.h"

namespace tessaron::e2e {
namespace {

class LauncherTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    ASSERT_TRUE(driver.Launch(WizardLaunch(setup), &error)) << error;
  }

  std::string ShownPage() const { return tessaron::e2e::ShownPage(driver); }

  // Every control sits below the parent the layout gives it and is of the kind the driver talks to, once its page
  // has been shown.
  void ExpectEveryControlBelowItsParent(bool walked) {
    const char* any = "";
    const std::map<std::string, std::pair<std::string, const char*>> controls = {
        {"lbServerVersionTitle", {"LauncherForm", "Static"}},
        {"lbServerVersion", {"LauncherForm", "Static"}},
        {"Bevel1", {"LauncherForm", any}},
        {"lbResponceCenter", {"LauncherForm", "Static"}},
        {"Image1", {"LauncherForm", any}},
        {"PageControl1", {"LauncherForm", any}},
        {"pnlImage", {"LauncherForm", any}},
        {"btPrev", {"LauncherForm", "Button"}},
        {"btNext", {"LauncherForm", "Button"}},
        {"btExit", {"LauncherForm", "Button"}},
        {"imgImage1", {"pnlImage", any}},
        {"lbUpdateSystemTitle", {"TabSheet0", "Static"}},
        {"lbUpdateSystemInfo", {"TabSheet0", "Static"}},
        {"btUpdateSystem", {"TabSheet0", "Button"}},
        {"cbLocale", {"TabSheet0", "ComboBox"}},
        {"lbUpdateFilesPathTitle", {"TabSheet1", "Static"}},
        {"lbUpdateFilesPathInfo", {"TabSheet1", "Static"}},
        {"edUpdateFilesPath", {"TabSheet1", "Edit"}},
        {"btUpdateFilesPathBrowse", {"TabSheet1", "Button"}},
        {"lbUpdateFilesPathEchoTitle", {"TabSheet2", "Static"}},
        {"lbUpdateFileListTitle", {"TabSheet2", "Static"}},
        {"txtUpdateFilesPathEcho", {"TabSheet2", any}},
        {"grdUpdateFileList", {"TabSheet2", "SysListView32"}},
        {"lbSnapshotDriveTitle", {"TabSheet3", "Static"}},
        {"lbSnapshotDriveInfo", {"TabSheet3", "Static"}},
        {"lbSnapshotDriveSizeInfo", {"TabSheet3", "Static"}},
        {"cbSnapshotDrive", {"TabSheet3", any}},
        {"lbAboutToInstallInfo1", {"TabSheet5", "Static"}},
        {"lbAboutToInstallInfo2", {"TabSheet5", "Static"}},
        {"lbCurrentStepTitle", {"TabSheet6", "Static"}},
        {"txtCurrentStep", {"TabSheet6", any}},
        {"lbProgressTitle", {"TabSheet6", "Static"}},
        {"sbarProgress", {"TabSheet6", "msctls_progress32"}},
        {"lbProgressDetailsTitle", {"TabSheet6", "Static"}},
        {"txtProgressDetails", {"TabSheet6", any}},
        {"lbProgressInfo", {"TabSheet6", "Static"}},
        {"edZUKInput", {"TabSheet6", any}},
        {"memZUKOutput", {"TabSheet6", any}},
        {"txtCompletionStatusInfo", {"TabSheet7", any}},
    };
    for (const auto& [name, expected] : controls) {
      SCOPED_TRACE(name);
      HWND hwnd = driver.Find(name);
      // A page's controls are made when the page is first shown: at the start only the first page has them.
      if (!walked && expected.first.rfind("TabSheet", 0) == 0 && expected.first != "TabSheet0") {
        EXPECT_FALSE(hwnd);
        continue;
      }
      ASSERT_TRUE(hwnd);
      std::string parent;
      for (HWND up = GetParent(hwnd); up && parent.empty(); up = GetParent(up)) parent = ComponentName(up);
      EXPECT_EQ(parent, expected.first);
      if (*expected.second) {
        EXPECT_STRCASEEQ(driver.ClassName(name).c_str(), expected.second);
      }
    }
    for (const char* page : kPages) {
      HWND hwnd = driver.Find(page);
      if (!walked && std::string(page) != "TabSheet0") {
        EXPECT_FALSE(hwnd) << page;
        continue;
      }
      ASSERT_TRUE(hwnd) << page;
      EXPECT_EQ(ComponentName(GetParent(hwnd)), "PageControl1") << page;
    }
    if (!walked) return;
    const std::string drives = driver.ClassName("cbSnapshotDrive");
    EXPECT_TRUE(_stricmp(drives.c_str(), "ComboBox") == 0 || _stricmp(drives.c_str(), "ComboBoxEx32") == 0) << drives;
    EXPECT_EQ(driver.GridColumnCount("grdUpdateFileList"), 1);
  }

  // Next, posted as the operator's click, until the page is shown; fails on a message box.
  void NextTo(const char* page) {
    ASSERT_TRUE(driver.PostClick("btNext"));
    ASSERT_TRUE(driver.WaitForVisible(page, true)) << ShownPage();
    const auto box = driver.CurrentMessageBox();
    ASSERT_FALSE(box) << box->text;
    ASSERT_TRUE(driver.Sync());
  }

  WizardDriver driver;
};

TEST_F(LauncherTest, StartsCentredAndMakesEachPagesControlsWhenItIsFirstShown) {
  HWND main = driver.MainWindow();
  ASSERT_TRUE(main);
  RECT outer{}, client{};
  GetWindowRect(main, &outer);
  GetClientRect(main, &client);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_EQ(client.right, 472);
  EXPECT_EQ(client.bottom, 352);

  // The controls fixed to the window, at 96 pixels per inch.
  const std::map<std::string, RECT> placed = {
      {"PageControl1", {160, 10, 464, 257}}, {"pnlImage", {16, 16, 152, 284}}, {"Image1", {16, 319, 81, 341}},
      {"btPrev", {224, 318, 299, 343}},      {"btNext", {304, 318, 379, 343}}, {"btExit", {384, 318, 459, 343}},
  };
  for (const auto& [name, expected] : placed) {
    const auto r = driver.RectInParent(name);
    ASSERT_TRUE(r) << name;
    EXPECT_EQ(std::make_tuple(r->left, r->top, r->right, r->bottom),
              std::make_tuple(expected.left, expected.top, expected.right, expected.bottom))
        << name;
  }

  EXPECT_EQ(ShownPage(), "TabSheet0");
  EXPECT_TRUE(driver.IsVisible("btNext"));
  EXPECT_TRUE(driver.IsEnabled("btNext"));
  EXPECT_TRUE(driver.IsVisible("cbLocale"));
  EXPECT_FALSE(driver.IsVisible("edZUKInput"));
  EXPECT_FALSE(driver.IsVisible("memZUKOutput"));
  EXPECT_TRUE(driver.SaveScreenshot(ScreenshotPath("launcher-start.bmp")));
  ExpectEveryControlBelowItsParent(false);

  // Through every page to the end of a run.
  ASSERT_NO_FATAL_FAILURE(NextTo("TabSheet1"));
  ASSERT_TRUE(driver.SetText("edUpdateFilesPath", setup.updatesFolder));
  for (const char* page : {"TabSheet2", "TabSheet3", "TabSheet5", "TabSheet7"}) ASSERT_NO_FATAL_FAILURE(NextTo(page));
  ExpectEveryControlBelowItsParent(true);
}

TEST_F(LauncherTest, NextAndPrevKeepOnePageShownAndTheWindowAnswering) {
  ASSERT_EQ(ShownPage(), "TabSheet0");
  ASSERT_TRUE(driver.Click("btNext"));
  ASSERT_TRUE(driver.Sync());
  EXPECT_TRUE(driver.IsRunning());
  const std::string afterNext = ShownPage();
  EXPECT_TRUE(afterNext == "TabSheet0" || afterNext == "TabSheet1") << afterNext;
  EXPECT_TRUE(driver.SaveScreenshot(ScreenshotPath("launcher-after-next.bmp")));

  if (driver.IsVisible("btPrev") && driver.IsEnabled("btPrev")) {
    ASSERT_TRUE(driver.Click("btPrev"));
    ASSERT_TRUE(driver.Sync());
    EXPECT_EQ(ShownPage(), "TabSheet0");
  }
  const auto box = driver.CurrentMessageBox();
  EXPECT_FALSE(box) << box->text;
  EXPECT_TRUE(driver.IsRunning());
}

TEST(LauncherResources, IconPicturesManifestAndVersionAreBuiltIn) {
  ExpectWizardResources(HostPath(TESSARON_LAUNCHER_EXE));
}

}  // namespace
}  // namespace tessaron::e2e
