// Whole update runs of the real Launcher.exe with the scripted engine, from the welcome page to the completion page,
// as an operator sees them; the run log is checked byte for byte.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "ServerTest.h"
#include "WizardDriver.h"

namespace tessaron::e2e {
namespace {

const char* const kLanguageFiles[] = {"english", "deutsch", "francais", "espanol"};

// What the engine prints for each scenario, as the output tail keeps it: every line after CR LF, the unterminated
// last one too.
const std::string kSuccessOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\nReading update packages"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\nFree space on the snapshot drive: 48213 MB"
    "\r\n[STATUS]:SNP02,Stopping services,20"
    "\r\nStopping service Tessaron Scheduler"
    "\r\nStopping service Tessaron Application Server"
    "\r\n[STATUS]:SNP03,Writing snapshot,45"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP03,Writing snapshot,80"
    "\r\nWriting snapshot image of the product home"
    "\r\n[STATUS]:SNP04,Verifying snapshot,95"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-01,Checking prerequisites,10"
    "\r\nInstalled update level: none"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\nCopying bin\\TessaronReports.dll"
    "\r\n[STATUS]:U0-03,Updating database schema,75"
    "\r\nApplying schema script 2.3.1.0-001 (12 statements)"
    "\r\n[STATUS]:U0-04,Registering components,95"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-01,Checking prerequisites,10"
    "\r\nInstalled update level: 0"
    "\r\n[STATUS]:U1-02,Copying files,50"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\nCopying web\\scripts\\orders.js"
    "\r\n[STATUS]:U1-03,Updating database schema,80"
    "\r\nApplying schema script 2.3.1.1-001 (4 statements)"
    "\r\n[STATUS]:U1-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.2"
    "\r\n[STATUS]:U2-01,Checking prerequisites,10"
    "\r\nInstalled update level: 1"
    "\r\n[STATUS]:U2-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.exe"
    "\r\nCopying bin\\OrvoZelmoAgent.exe"
    "\r\n[STATUS]:U2-03,Updating database schema,70"
    "\r\nApplying schema script 2.3.1.2-001 (27 statements)"
    "\r\n[STATUS]:U2-04,Starting services,90"
    "\r\nStarting service Tessaron Application Server"
    "\r\nStarting service Tessaron Scheduler"
    "\r\n[STATUS]:U2-05,Update complete,100"
    "\r\n[Result]:Update level 2 installed";

const std::string kFailureOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\nReading update packages"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\n[STATUS]:SNP02,Stopping services,20"
    "\r\nStopping service Tessaron Scheduler"
    "\r\nStopping service Tessaron Application Server"
    "\r\n[STATUS]:SNP03,Writing snapshot,60"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U0-03,Updating database schema,75"
    "\r\nApplying schema script 2.3.1.0-001 (12 statements)"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-02,Copying files,20"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U1-03,Updating database schema,35"
    "\r\nApplying schema script 2.3.1.1-001 (4 statements)"
    "\r\nStatement 3 of 4: ALTER TABLE ORDER_ITEMS ADD DISCOUNT_CODE VARCHAR(16)"
    "\r\n[Error]:Updating the database schema failed: table ORDER_ITEMS is locked by another session."
    "\r\nRolling back update Tessaron-2.3.1.1"
    "\r\nRestoring bin\\TessaronServer.dll"
    "\r\n[Error]:Update Tessaron-2.3.1.1 was rolled back. The server remains at update level 0."
    "\r\nStarting service Tessaron Application Server"
    "\r\nStarting service Tessaron Scheduler";

const std::string kCrashOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\n[STATUS]:SNP03,Writing snapshot,60"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-02,Copying files,30"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\nCopying web\\scripts\\ord";

const std::string kRebootOutput =
    "\r\nTessaron update engine 2.3.1 started"
    "\r\n[SECTION]:Snapshot"
    "\r\n[STATUS]:SNP01,Checking snapshot drive,5"
    "\r\n[STATUS]:SNP03,Writing snapshot,60"
    "\r\nWriting snapshot image of volume C:"
    "\r\n[STATUS]:SNP05,Snapshot complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.0"
    "\r\n[STATUS]:U0-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.dll"
    "\r\n[STATUS]:U0-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.1"
    "\r\n[STATUS]:U1-02,Copying files,40"
    "\r\nCopying drivers\\OrvoZelmoFilter.sys"
    "\r\nFile in use, replacement scheduled for the next restart: drivers\\OrvoZelmoFilter.sys"
    "\r\n[PARAM]:RESTART=NEED_REBOOT;REASON=FILES_IN_USE"
    "\r\n[STATUS]:U1-05,Update complete,100"
    "\r\n[SECTION]:Update Tessaron-2.3.1.2"
    "\r\n[STATUS]:U2-02,Copying files,40"
    "\r\nCopying bin\\TessaronServer.exe"
    "\r\n[STATUS]:U2-04,Starting services,90"
    "\r\n[STATUS]:U2-05,Update complete,100"
    "\r\n[Result]:Update level 2 installed, restart required";

const std::string kSeparator = "\r\n** output ******************************************\r\n";

// Captions of the progress and completion pages in English, German, French and Spanish.
const std::string kProgressAt35[] = {"Progress 35%", "Status 35%", "Progression 35%", "Progreso 35%"};
const std::string kProgressAt100[] = {"Progress 100%", "Status 100%", "Progression 100%", "Progreso 100%"};
const std::string kSuccessAt221[] = {
    "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.",
    "Herzlichen Gl\xFC"
    "ckwunsch!\r\n\r\nSie haben diesen Server erfolgreich auf 2.2.1 aktualisiert.",
    "F\xE9licitations !\r\n\r\nLa mise \xE0 niveau de ce serveur vers 2.2.1 a r\xE9ussi.",
    "\xA1"
    "Enhorabuena!\r\n\r\nEl servidor se ha actualizado correctamente a 2.2.1."};

class RunTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    for (const auto& log : RunLogs(setup)) DeleteFileA(log.c_str());
  }
  // An engine still held by a test that failed goes on, so that it does not block the next run.
  void TearDown() override { WriteBytes(setup.mediaFolder + "\\go", ""); }

  std::string ShownPage() const { return tessaron::e2e::ShownPage(driver()); }

  // Next, posted as the operator's click; fails on any message box.
  void Next(const std::string& expectedPage) {
    const std::string page = ShownPage();
    ASSERT_TRUE(driver().PostClick("btNext")) << "on " << page;
    WaitUntil([&] { return driver().CurrentMessageBox() || ShownPage() == expectedPage; });
    const auto box = driver().CurrentMessageBox();
    ASSERT_FALSE(box) << box->caption << ": " << box->text;
    ASSERT_EQ(ShownPage(), expectedPage);
    // The page shows before its entry actions have set the buttons: wait until the wizard has handled the click.
    ASSERT_TRUE(driver().Sync());
  }

  // Starts the wizard with the engine playing the scenario, in the language, and presses Start.
  void StartRun(const std::string& scenario, int language = 0) {
    driver_ = std::make_unique<WizardDriver>();
    LaunchOptions options = WizardLaunch(setup);
    options.environment["ZUK_SCENARIO"] = scenario;
    std::string error;
    ASSERT_TRUE(driver().Launch(options, &error)) << error;
    if (language != 0) {
      ASSERT_TRUE(driver().SelectIndex("cbLocale", language));
      ASSERT_TRUE(driver().Sync());
    }
    ASSERT_NO_FATAL_FAILURE(Next("TabSheet1"));
    ASSERT_TRUE(driver().SetText("edUpdateFilesPath", setup.updatesFolder));
    ASSERT_NO_FATAL_FAILURE(Next("TabSheet2"));
    ASSERT_NO_FATAL_FAILURE(Next("TabSheet3"));
    ASSERT_NO_FATAL_FAILURE(Next("TabSheet5"));
    // Start: a quick engine may have finished before the progress page is seen.
    ASSERT_TRUE(driver().PostClick("btNext"));
    WaitUntil([&] {
      const std::string page = ShownPage();
      return driver().CurrentMessageBox() || page == "TabSheet6" || page == "TabSheet7";
    });
    const auto box = driver().CurrentMessageBox();
    ASSERT_FALSE(box) << box->caption << ": " << box->text;
    ASSERT_TRUE(ShownPage() == "TabSheet6" || ShownPage() == "TabSheet7") << ShownPage();
  }

  void WaitForCompletion() {
    // The completion page shows before its entry actions have run; Exit enabled is the end of them.
    ASSERT_TRUE(WaitUntil(
        [&] { return (ShownPage() == "TabSheet7" && driver().IsEnabled("btExit")) || driver().CurrentMessageBox(); },
        60000))
        << ShownPage();
    const auto box = driver().CurrentMessageBox();
    ASSERT_FALSE(box) << box->caption << ": " << box->text;
    EXPECT_FALSE(driver().IsVisible("btPrev"));
    EXPECT_FALSE(driver().IsVisible("btNext"));
    EXPECT_TRUE(driver().IsVisible("btExit"));
    EXPECT_TRUE(driver().IsEnabled("btExit"));
  }

  // Exit; every box shown on the way is recorded and confirmed.
  std::vector<MessageBoxInfo> Exit() {
    std::vector<MessageBoxInfo> shown;
    EXPECT_TRUE(driver().PostClick("btExit"));
    EXPECT_TRUE(WaitUntil([&] {
      if (auto box = driver().CurrentMessageBox()) {
        shown.push_back(*box);
        driver().AnswerMessageBox(*box, IDOK);
      }
      return !driver().IsRunning();
    }));
    return shown;
  }

  std::string OnlyLog() const {
    const auto logs = RunLogs(setup);
    return logs.size() == 1 ? ReadBytes(logs[0]) : std::to_string(logs.size()) + " run logs";
  }

  // The completion page and the log for a run whose engine printed this output.
  void ExpectCompletion(const std::string& status, const std::string& output) {
    EXPECT_EQ(driver().Text("txtCompletionStatusInfo"), status);
    EXPECT_EQ(OnlyLog(), status + kSeparator + output);
  }

  WizardDriver& driver() const { return *driver_; }

 private:
  // A new one for each start of the wizard.
  std::unique_ptr<WizardDriver> driver_ = std::make_unique<WizardDriver>();
};

const std::string kFailed = "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step ";

// The successful run, held in update 0 until the file C:\Media\go exists, so that the progress page can be looked at.
std::string HeldSuccess() {
  std::string text = ReadBytes(HostPath(TESSARON_ZUK_SCENARIOS "/success.scenario"));
  const std::string at = "sleep 50\nprint [STATUS]:U0-03";
  const size_t where = text.find(at);
  if (where == std::string::npos) return {};
  return text.replace(where, 8, "await C:\\\\Media\\\\go");
}

TEST_F(RunTest, ASuccessfulRunInEachLanguage) {
  const std::string scenario = HeldSuccess();
  ASSERT_FALSE(scenario.empty());
  const std::string scenarioFile = setup.mediaFolder + "\\held.scenario";
  const std::string release = setup.mediaFolder + "\\go";
  ASSERT_TRUE(WriteBytes(scenarioFile, scenario));
  for (int language : {0, 1, 2, 3}) {
    SCOPED_TRACE(kLanguageFiles[language]);
    for (const auto& log : RunLogs(setup)) DeleteFileA(log.c_str());
    DeleteFileA(release.c_str());
    ASSERT_NO_FATAL_FAILURE(StartRun(scenarioFile, language));

    // Update 0 copies its files: section 2 of 4 at 40 %; the engine waits there.
    EXPECT_TRUE(driver().WaitForText("lbProgressTitle", kProgressAt35[language])) << driver().Text("lbProgressTitle");
    EXPECT_EQ(driver().Text("lbCurrentStepTitle"), "Update Tessaron-2.3.1.0");
    EXPECT_EQ(driver().Text("txtCurrentStep"), "Copying files");
    EXPECT_EQ(driver().Text("txtProgressDetails"), "Copying bin\\TessaronReports.dll");
    EXPECT_EQ(driver().ProgressPosition("sbarProgress"), 140);
    EXPECT_EQ(driver().ProgressRange("sbarProgress"), (std::pair<int, int>(0, 400)));
    EXPECT_FALSE(driver().IsVisible("btPrev"));
    EXPECT_FALSE(driver().IsVisible("btNext"));
    EXPECT_TRUE(driver().IsVisible("btExit"));
    EXPECT_FALSE(driver().IsEnabled("btExit"));
    EXPECT_TRUE(
        driver().SaveScreenshot(ScreenshotPath(std::string("run-progress-") + kLanguageFiles[language] + ".bmp")));
    if (language == 0) {
      // Closing is refused while the engine runs.
      ASSERT_TRUE(driver().CloseMainWindow());
      const auto box = driver().WaitForMessageBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->text,
                "The update utility engine (zuk.exe) is still running. Please let it finish the update before "
                "closing the application.");
      EXPECT_EQ(box->caption, "Information");
      driver().AnswerMessageBox(*box, IDOK);
      EXPECT_TRUE(driver().IsRunning());
    }

    ASSERT_TRUE(WriteBytes(release, ""));
    ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
    EXPECT_TRUE(
        driver().SaveScreenshot(ScreenshotPath(std::string("run-completion-") + kLanguageFiles[language] + ".bmp")));
    ExpectCompletion(kSuccessAt221[language], kSuccessOutput);
    EXPECT_EQ(driver().Text("lbProgressTitle"), kProgressAt100[language]);
    // The engine and the wizard were copied into the support bin folder.
    for (const char* file : {"zuk.exe", "Launcher.exe"})
      EXPECT_NE(GetFileAttributesA((setup.homeFolder + "\\OrvoZelmo\\support\\bin\\" + file).c_str()),
                INVALID_FILE_ATTRIBUTES)
          << file;
    EXPECT_TRUE(Exit().empty());
  }
}

TEST_F(RunTest, AFailedRunShowsTheEnginesErrors) {
  ASSERT_NO_FATAL_FAILURE(StartRun("failure"));
  ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
  EXPECT_TRUE(driver().SaveScreenshot(ScreenshotPath("run-completion-failure.bmp")));
  ExpectCompletion(kFailed +
                       "Update Tessaron-2.3.1.1 U1-03:\"Updating database schema\", with the following message:\r\n"
                       "\r\n\r\nUpdating the database schema failed: table ORDER_ITEMS is locked by another session."
                       "\r\nUpdate Tessaron-2.3.1.1 was rolled back. The server remains at update level 0.",
                   kFailureOutput);
  EXPECT_TRUE(Exit().empty());
}

TEST_F(RunTest, AnEngineThatCrashesLeavesItsOutputAsTheMessage) {
  ASSERT_NO_FATAL_FAILURE(StartRun("crash"));
  ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
  // Its output is the message, its last words, half a line, included.
  ExpectCompletion(
      kFailed + "Update Tessaron-2.3.1.1 U1-02:\"Copying files\", with the following message:\r\n\r\n" + kCrashOutput,
      kCrashOutput);
  EXPECT_TRUE(Exit().empty());
}

TEST_F(RunTest, ARunThatNeedsARebootRemindsOfItOnceOnExit) {
  ASSERT_NO_FATAL_FAILURE(StartRun("reboot"));
  ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
  ExpectCompletion(kSuccessAt221[0], kRebootOutput);
  const auto boxes = Exit();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Information");
  EXPECT_EQ(boxes[0].text,
            "The update process has determined that a server reboot is necessary.\r\r"
            "1. Please ensure that no other server upgrades are depending on this server or any of its shares.\r\r"
            "2. After making sure, please reboot this server.\r");
  EXPECT_FALSE(driver().IsRunning());
}

}  // namespace
}  // namespace tessaron::e2e
