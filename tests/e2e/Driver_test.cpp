// The driver against a window of our own whose behaviour is known, so that a fault in the driver cannot hide
// behind an unfinished wizard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "E2eEnvironment.h"
#include "ResourceChecks.h"
#include "WizardDriver.h"
#include "support/WindowBmp.h"

namespace tessaron::e2e {
namespace {

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LaunchOptions options;
    options.program = HostPath(TESSARON_E2E_TEST_WINDOW);
    options.arguments = "~first \"second arg\"";
    options.currentFolder = "C:\\windows";
    options.environment["TESSARON_DRIVER_PROBE"] = "probe \xE9t\xE9";
    std::string error;
    ASSERT_TRUE(driver.Launch(options, &error)) << error;
  }

  WizardDriver driver;
};

TEST_F(DriverTest, LaunchesWithCommandLineEnvironmentAndFolderAndFindsTheCentredWindow) {
  EXPECT_EQ(driver.Text("lbCommandLine"), "\"" + HostPath(TESSARON_E2E_TEST_WINDOW) + "\" ~first \"second arg\"");
  EXPECT_EQ(driver.Text("lbProbe"), "probe \xE9t\xE9");
  EXPECT_EQ(driver.Text("lbFolder"), "C:\\windows");

  HWND main = driver.MainWindow();
  ASSERT_TRUE(main);
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof caption);
  EXPECT_STREQ(caption, "Driver Test Window");
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(DriverTest, FindsControlsByNameAndReadsTheirState) {
  const std::pair<const char*, const char*> kinds[] = {
      {"btNext", "Button"},         {"edName", "Edit"},
      {"cbLocale", "ComboBox"},     {"cbDrive", "ComboBoxEx32"},
      {"grdList", "SysListView32"}, {"sbarProgress", "msctls_progress32"},
      {"lbTitle", "Static"},        {"TabSheet1", "TessaronDriverTestPage"},
  };
  for (auto [name, cls] : kinds) EXPECT_STRCASEEQ(driver.ClassName(name).c_str(), cls) << name;
  EXPECT_EQ(driver.Find("noSuchControl"), nullptr);
  EXPECT_EQ(driver.Text("noSuchControl"), "");
  const auto names = driver.ComponentNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "lbSecondPage"), names.end());

  EXPECT_EQ(driver.Text("lbTitle"),
            "Fran\xE7"
            "ais & more");
  EXPECT_EQ(driver.Text("btNext"), "&Next >");
  EXPECT_TRUE(driver.IsVisible("btAsk"));
  EXPECT_FALSE(driver.IsVisible("lbSecondPage")) << "a control on a hidden page is not visible";
  EXPECT_TRUE(driver.IsEnabled("btAsk"));
  EXPECT_FALSE(driver.IsEnabled("btDisabled"));
  EXPECT_FALSE(driver.Click("btDisabled")) << "nobody can click a disabled button";
  EXPECT_FALSE(driver.Click("lbSecondPage"));

  const auto rect = driver.RectInParent("btNext");
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->left, 302);
  EXPECT_EQ(rect->top, 292);
  EXPECT_EQ(rect->right - rect->left, 75);
  EXPECT_EQ(rect->bottom - rect->top, 25);
  const auto screen = driver.ScreenRect("btNext");
  ASSERT_TRUE(screen);
  POINT origin{0, 0};
  ClientToScreen(driver.MainWindow(), &origin);
  EXPECT_EQ(screen->left - origin.x, 302);
}

TEST_F(DriverTest, ClicksSwitchPagesAndEnterPressesTheDefaultButton) {
  ASSERT_TRUE(driver.Click("btNext"));
  // Click returns after the handler ran: no wait needed before reading.
  EXPECT_EQ(driver.Text("lbStatus"), "Next 1");
  EXPECT_TRUE(driver.IsVisible("lbSecondPage"));
  EXPECT_FALSE(driver.IsVisible("btAsk"));
  EXPECT_FALSE(driver.Click("btAsk")) << "hidden with its page";

  ASSERT_TRUE(driver.PostClick("btPrev"));
  EXPECT_TRUE(driver.WaitForVisible("btAsk", true));
  EXPECT_TRUE(driver.WaitForText("lbStatus", "Prev"));

  ASSERT_TRUE(driver.SetText("edName", "J:\\Updates"));
  EXPECT_EQ(driver.Text("edName"), "J:\\Updates");
  EXPECT_EQ(driver.Text("lbStatus"), "Name J:\\Updates") << "the edit told its parent about the change";

  ASSERT_TRUE(driver.PressEnter("edName"));
  EXPECT_TRUE(driver.WaitForText("lbStatus", "Next 2")) << driver.Text("lbStatus");
}

TEST_F(DriverTest, ReadsAndChoosesListEntriesAsAUserWould) {
  EXPECT_EQ(driver.Items("cbLocale"), (std::vector<std::string>{"English", "Deutsch",
                                                                "Fran\xE7"
                                                                "ais",
                                                                "Espa\xF1"
                                                                "ol"}));
  EXPECT_EQ(driver.SelectedIndex("cbLocale"), 0);
  ASSERT_TRUE(driver.SelectText("cbLocale",
                                "Fran\xE7"
                                "ais"));
  EXPECT_EQ(driver.SelectedText("cbLocale"),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(driver.Text("lbStatus"), "Locale 2") << "the parent got CBN_SELCHANGE";
  EXPECT_FALSE(driver.SelectText("cbLocale", "Klingon"));
  EXPECT_FALSE(driver.SelectIndex("cbLocale", 4));
  EXPECT_EQ(driver.SelectedIndex("cbLocale"), 2);

  EXPECT_EQ(driver.Items("cbDrive"), (std::vector<std::string>{"C:\\", "D:\\", "Z:\\"}));
  EXPECT_EQ(driver.SelectedText("cbDrive"), "Z:\\");
  ASSERT_TRUE(driver.SelectIndex("cbDrive", 0));
  EXPECT_EQ(driver.SelectedText("cbDrive"), "C:\\");
  EXPECT_EQ(driver.Text("lbStatus"), "Drive 0");
}

TEST_F(DriverTest, ReadsTheGridAndTheProgressBar) {
  EXPECT_EQ(driver.GridColumnCount("grdList"), 2);
  EXPECT_EQ(driver.GridHeader("grdList", 0), "Update files");
  EXPECT_EQ(driver.GridHeader("grdList", 1), "Size");
  EXPECT_EQ(driver.GridRowCount("grdList"), 3);
  EXPECT_EQ(driver.GridColumn("grdList"),
            (std::vector<std::string>{"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.3.zuk"}));
  EXPECT_EQ(driver.GridCell("grdList", 2, 1), "3072 KB");
  EXPECT_EQ(driver.GridCell("grdList", 5, 0), "");
  EXPECT_EQ(driver.GridSelectedRow("grdList"), 1);

  EXPECT_EQ(driver.ProgressPosition("sbarProgress"), 120);
  EXPECT_EQ(driver.ProgressRange("sbarProgress"), std::make_pair(0, 300));
  EXPECT_EQ(driver.ProgressPosition("noSuchBar"), -1);
  EXPECT_FALSE(driver.ProgressRange("noSuchBar"));
}

TEST_F(DriverTest, SeesAndAnswersMessageBoxes) {
  EXPECT_FALSE(driver.CurrentMessageBox());
  ASSERT_TRUE(driver.PostClick("btAsk"));
  auto box = driver.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Question");
  EXPECT_EQ(box->text, "Go on with the test?\r\rThe second line.");
  std::vector<int> ids;
  for (const auto& [id, text] : box->buttons) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{IDYES, IDNO}));
  // The box is part of the window's screenshot: where it lies, the picture changes once it is gone.
  EXPECT_TRUE(driver.SaveScreenshot(ScreenshotPath("driver-question.bmp")));
  const auto withBox = testsupport::CaptureWindow(driver.MainWindow());
  RECT boxRect{}, outer{};
  GetWindowRect(box->hwnd, &boxRect);
  GetWindowRect(driver.MainWindow(), &outer);

  EXPECT_FALSE(driver.AnswerMessageBox(*box, IDOK)) << "the box has no OK button";
  ASSERT_TRUE(driver.AnswerMessageBox(*box, IDNO));
  EXPECT_TRUE(driver.WaitForText("lbStatus", "Answer 7"));
  EXPECT_FALSE(driver.CurrentMessageBox());
  const auto withoutBox = testsupport::CaptureWindow(driver.MainWindow());
  ASSERT_TRUE(withBox && withoutBox);
  int changed = 0, area = 0;
  for (LONG y = boxRect.top; y < boxRect.bottom; ++y)
    for (LONG x = boxRect.left; x < boxRect.right; ++x, ++area)
      changed += withBox->Pixel(x - outer.left, y - outer.top) != withoutBox->Pixel(x - outer.left, y - outer.top);
  EXPECT_GT(changed, area / 2) << changed << " of " << area << " pixels";

  // Yes leads to a second box at once; the driver sees the new one, not the old.
  ASSERT_TRUE(driver.PostClick("btAsk"));
  box = driver.WaitForMessageBox();
  ASSERT_TRUE(box);
  ASSERT_TRUE(driver.AnswerMessageBox(*box, IDYES));
  auto info = driver.WaitForMessageBox();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->caption, "Information");
  EXPECT_EQ(info->text, "You said yes.");
  ASSERT_EQ(info->buttons.size(), 1u);
  EXPECT_EQ(info->buttons[0].first, IDOK);
  ASSERT_TRUE(driver.AnswerMessageBox(*info, IDOK));
  EXPECT_TRUE(driver.WaitForText("lbStatus", "Answer 6"));
}

TEST_F(DriverTest, ScreenshotShowsTheWindowAsItIsOnTheScreen) {
  const std::string path = ScreenshotPath("driver-test-window.bmp");
  std::remove(path.c_str());
  // Another window over ours must not end up in the picture: the driver brings the window to the top first.
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(cover);
  SetWindowPos(cover, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ASSERT_TRUE(driver.SaveScreenshot(path));
  DestroyWindow(cover);

  const auto image = testsupport::ReadBmpFile(path);
  ASSERT_TRUE(image);
  RECT outer{};
  GetWindowRect(driver.MainWindow(), &outer);
  EXPECT_EQ(image->width, outer.right - outer.left);
  EXPECT_EQ(image->height, outer.bottom - outer.top);
  // The teal panel, away from the picture inside it.
  const auto panel = driver.ScreenRect("pnlImage");
  ASSERT_TRUE(panel);
  EXPECT_EQ(image->Pixel(panel->left + 2 - outer.left, panel->bottom - 4 - outer.top), 0x008080u);
}

TEST_F(DriverTest, ExitCodeIsSeenAndAnAbandonedProgramIsEnded) {
  ASSERT_TRUE(driver.PostClick("btExit"));
  DWORD code = 0;
  ASSERT_TRUE(driver.WaitForExit(kDefaultTimeoutMs, &code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(driver.IsRunning());
  EXPECT_EQ(driver.MainWindow(), nullptr);

  // A second program left running when its driver goes away is ended by the driver.
  HANDLE process = nullptr;
  {
    WizardDriver other;
    LaunchOptions options;
    options.program = HostPath(TESSARON_E2E_TEST_WINDOW);
    ASSERT_TRUE(other.Launch(options));
    process = OpenProcess(SYNCHRONIZE, FALSE, other.ProcessId());
    ASSERT_TRUE(process);
  }
  EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
  CloseHandle(process);
}

TEST(DriverLaunch, ReportsAProgramThatCannotStart) {
  WizardDriver driver;
  LaunchOptions options;
  options.program = "C:\\no\\such\\program.exe";
  std::string error;
  EXPECT_FALSE(driver.Launch(options, &error));
  EXPECT_NE(error.find("CreateProcess failed"), std::string::npos) << error;
  EXPECT_FALSE(driver.IsRunning());
}

// The test window links the wizard's resource script, so the script is checked before the wizard exists.
TEST(WizardResources, TheResourceScriptGivesIconPicturesManifestAndVersion) {
  ExpectWizardResources(HostPath(TESSARON_E2E_TEST_WINDOW));
}

}  // namespace
}  // namespace tessaron::e2e
