// Unattended runs of the real Launcher.exe, as a deployment tool starts them: the exit code and the run log for each
// outcome, a check-only run, and the switches in interactive use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "WizardDriver.h"

namespace tessaron::e2e {
namespace {

const std::string kLog = "C:\\Logs\\srv 01.log";
const std::string kLogSwitch = "\"~log=" + kLog + "\"";
const std::string kSeparator = "\r\n** output ******************************************\r\n";

class UnattendedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup.launcher = HostPath(TESSARON_LAUNCHER_EXE);
    setup.engine = HostPath(TESSARON_ZUK_EXE);
    std::string error;
    ASSERT_TRUE(PrepareServer(setup, &error)) << error;
    ASSERT_TRUE(MakeFolders("C:\\Logs"));
    // What an earlier run installed in the product home goes, so that each test sees what its own runs copy.
    const std::string bin = setup.homeFolder + "\\OrvoZelmo\\support\\bin";
    for (const char* file : {"\\zuk.exe", "\\Launcher.exe"}) DeleteFileA((bin + file).c_str());
    for (const std::string& folder : {bin, setup.homeFolder + "\\OrvoZelmo\\support", setup.homeFolder + "\\OrvoZelmo"})
      RemoveDirectoryA(folder.c_str());
  }

  // Starts the wizard with these arguments and waits until it ends by itself: its exit code. The log named by
  // kLogSwitch is removed first, and no log may appear beside the wizard.
  DWORD Run(const std::string& arguments, const std::string& scenario = "success") {
    DeleteFileA(kLog.c_str());
    WizardDriver driver;
    LaunchOptions options = WizardLaunch(setup, arguments);
    options.environment["ZUK_SCENARIO"] = scenario;
    options.environment["ZUK_ARGS_FILE"] = kEngineArguments;
    std::string error;
    // A run refused at once may be over before its window is seen; only its end matters.
    driver.Launch(options, &error);
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(60000, &code)) << error;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((setup.mediaFolder + "\\Launcher.*.log").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return code;
  }

  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  const std::string kEngineArguments = "C:\\Media\\engine-arguments.txt";
  ServerSetup setup = SimulatedServer();
};

TEST_F(UnattendedTest, ARunGoesThroughByItselfAndEndsWithTheEnginesOutcome) {
  const std::string succeeded = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.";
  struct Case {
    const char* what;
    std::string scenario;
    DWORD code;
    std::string log;
  };
  const Case cases[] = {
      {"success", "print [SECTION]:Update Tessaron-2.3.1.2\nprint [STATUS]:U2-05,Done,100\nprint [Result]:ok\n", 0,
       succeeded + kSeparator + "\r\n[SECTION]:Update Tessaron-2.3.1.2\r\n[STATUS]:U2-05,Done,100\r\n[Result]:ok"},
      {"restart", "print [PARAM]:RESTART=NEED_REBOOT\nprint [STATUS]:U2-05,Done,100\nprint [Result]:ok\n", 3010,
       succeeded + kSeparator + "\r\n[PARAM]:RESTART=NEED_REBOOT\r\n[STATUS]:U2-05,Done,100\r\n[Result]:ok"},
      {"failure",
       "print [SECTION]:Update Tessaron-2.3.1.1\nprint [STATUS]:U1-02,Copying files,20\n"
       "print [Error]:Disk full.\nexit 1\n",
       1603,
       "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step Update Tessaron-2.3.1.1 "
       "U1-02:\"Copying files\", with the following message:\r\n\r\n\r\nDisk full." +
           kSeparator +
           "\r\n[SECTION]:Update Tessaron-2.3.1.1\r\n[STATUS]:U1-02,Copying files,20\r\n[Error]:Disk full."},
  };
  const std::string scenarioFile = setup.mediaFolder + "\\unattended.scenario";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteBytes(scenarioFile, c.scenario));
    DeleteFileA(kEngineArguments.c_str());
    EXPECT_EQ(Run("~UNATTENDED ~updates=C:\\Updates " + kLogSwitch, scenarioFile), c.code);
    EXPECT_EQ(ReadBytes(kLog), c.log);
    // The snapshot drive the page preselected, and the folder given.
    const std::string arguments = ReadBytes(kEngineArguments);
    EXPECT_NE(arguments.find("-snapshotlocation \"C:\" -dir \"C:\\Updates\""), std::string::npos) << arguments;
  }
}

TEST_F(UnattendedTest, ARefusalEndsTheRunWithItsCodeAndItsTextAsTheLog) {
  // Another copy of the engine, held until its release file exists.
  ASSERT_TRUE(CopyFileInto(setup.engine, "C:\\Other"));
  ASSERT_TRUE(WriteBytes("C:\\Other\\zuk.scenario", "await C:\\\\Other\\\\go\nexit 0\n"));
  ASSERT_TRUE(MakeFolders("C:\\Empty"));
  ServerSetup gap = setup;
  gap.updatesFolder = "C:\\Gap";
  gap.packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.2.zuk"};
  std::string error;
  ASSERT_TRUE(PrepareServer(gap, &error)) << error;

  struct Case {
    const char* what;
    std::string arguments;
    ProductRegistry registry;
    bool otherEngine;
    DWORD code;
    std::string status;
  };
  ProductRegistry ready = setup.registry;
  ProductRegistry applied = ready;
  applied.updateLevel = "2.3.1.5";
  ProductRegistry notInMaintenance = ready;
  notInMaintenance.maintenanceMode = "OFF";
  const std::string updates = " ~updates=C:\\Updates ";
  const Case cases[] = {
      {"engine running", "~unattended" + updates + kLogSwitch, ready, true, 1618,
       "Cannot start an update at this time, because a copy of the update utility engine (zuk.exe) is already "
       "running."},
      {"nothing applicable", "~unattended" + updates + kLogSwitch, applied, false, 1642,
       "No applicable updates for 2.3.1.5 available in the selected folder."},
      {"no package", "~unattended ~updates=C:\\Empty " + kLogSwitch, ready, false, 1619,
       "No files matching Tessaron-2.3.1.*.zuk"},
      {"gap in the sequence", "~unattended ~updates=C:\\Gap " + kLogSwitch, ready, false, 1,
       "Some update files seem to be missing from the sequence.\r\n\r\nWould you like to continue anyways?"},
      {"bad switches", "~unattended ~snapshot=Q: ~languge=de" + updates + kLogSwitch, ready, false, 87,
       "The switch \"~languge=de\" is unknown.\r\nThe switch \"~snapshot=Q:\" names a drive that does not exist."},
      {"check-only, not in maintenance mode", "~unattended ~checkonly" + updates + kLogSwitch, notInMaintenance, false,
       1,
       "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\n\r\n"
       "The Tessaron Administrator application (TOLK) can be used to switch to \"Maintenance Mode\"."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteProductRegistry(c.registry));
    PROCESS_INFORMATION other{};
    if (c.otherEngine) {
      DeleteFileA("C:\\Other\\go");
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      std::string commandLine = "C:\\Other\\zuk.exe";
      ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                 "C:\\Other", &startup, &other));
    }
    EXPECT_EQ(Run(c.arguments), c.code);
    EXPECT_EQ(ReadBytes(kLog), c.status + kSeparator);
    EXPECT_FALSE(Exists(setup.homeFolder + "\\OrvoZelmo\\support\\bin\\zuk.exe"));
    if (c.otherEngine) {
      WriteBytes("C:\\Other\\go", "");
      EXPECT_EQ(WaitForSingleObject(other.hProcess, 20000), WAIT_OBJECT_0);
      CloseHandle(other.hThread);
      CloseHandle(other.hProcess);
    }
  }
}

TEST_F(UnattendedTest, ACheckOnlyRunOnAReadyServerCopiesAndStartsNothing) {
  DeleteFileA(kEngineArguments.c_str());
  EXPECT_EQ(Run("~unattended ~checkonly ~language=de ~updates=C:\\Updates " + kLogSwitch), 0u);
  EXPECT_EQ(ReadBytes(kLog),
            "Alle Pr\xFC"
            "fungen bestanden: das Update k\xF6nnte jetzt starten." +
                kSeparator);
  EXPECT_FALSE(Exists(setup.homeFolder + "\\OrvoZelmo"));
  EXPECT_FALSE(Exists(kEngineArguments));
}

// The wizard's folder, the product home and the updates folder with names the code page cannot write, and beside
// each the look-alike its best fit makes of it ("\xC5\xAA" is U+016A, U macron; "\xC5\x8C" U+014C, O macron; UTF-8).
TEST_F(UnattendedTest, NamesOutsideTheCodePageAreReachedByTheirShortNamesNeverByALookAlike) {
  auto wide = [](const std::string& utf8) {  // ASCII and UTF-8 alike
    std::wstring text(utf8.size(), L'\0');
    text.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), utf8.size())));
    return text;
  };
  const std::wstring media = L"C:\\\u016Apdate Media\\";
  const std::wstring home = L"C:\\\u014Crvo";
  const std::wstring updates = L"C:\\\u016Apdates\\";
  for (const std::wstring& folder : {media, home, updates}) ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  for (const std::string& package : setup.packages)
    ASSERT_TRUE(
        CopyFileW(wide(setup.updatesFolder + "\\" + package).c_str(), (updates + wide(package)).c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(wide(setup.launcher).c_str(), (media + L"Launcher.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(wide(setup.engine).c_str(), (media + L"zuk.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileInto(setup.engine, "C:\\Update Media"));  // the look-alike's engine must not be the one run

  DeleteFileA(kEngineArguments.c_str());
  LaunchOptions options;
  options.utf8 = true;
  options.program = "C:\\\xC5\xAApdate Media\\Launcher.exe";
  options.arguments = "~unattended \"~updates=C:\\\xC5\xAApdates\" \"~log=C:\\\xC5\xAApdates\\srv 01.log\"";
  options.currentFolder = "C:\\\xC5\xAApdate Media";
  options.environment["ZelmoHome"] = "C:\\\xC5\x8Crvo";
  options.environment["ZUK_SCENARIO"] = "success";
  options.environment["ZUK_ARGS_FILE"] = kEngineArguments;
  WizardDriver driver;
  std::string error;
  driver.Launch(options, &error);
  DWORD code = 1;
  EXPECT_TRUE(driver.WaitForExit(60000, &code)) << error;
  EXPECT_EQ(code, 0u);
  const std::string succeeded = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.";
  EXPECT_EQ(ReadBytes("C:\\_PDA~NXR\\srv 01.log").substr(0, succeeded.size()), succeeded);
  const std::string arguments = ReadBytes(kEngineArguments);
  EXPECT_EQ(arguments.substr(0, arguments.find('\n')),
            "\"C:\\_PDA~LCZ\\zuk.exe\" -zukgui -product tessaron -snapshotlocation \"C:\" -dir \"C:\\_PDA~NXR\"");
  // The engine and the wizard went into the true product home's support folder, nothing into the look-alike's.
  EXPECT_NE(GetFileAttributesW((home + L"\\OrvoZelmo\\support\\bin\\zuk.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((home + L"\\OrvoZelmo\\support\\bin\\Launcher.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(Exists(setup.homeFolder + "\\OrvoZelmo"));
}

TEST_F(UnattendedTest, InInteractiveUseTheSwitchesPresetTheWizardAndABadOneIsShownFirst) {
  WizardDriver driver;
  std::string error;
  ASSERT_TRUE(driver.Launch(WizardLaunch(setup, "~language=de ~updates=C:\\Updates ~bogus"), &error)) << error;
  const auto box = driver.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Fehler");
  EXPECT_EQ(box->text, "The switch \"~bogus\" is unknown.");
  ASSERT_TRUE(driver.AnswerMessageBox(*box, IDOK));

  EXPECT_EQ(driver.SelectedIndex("cbLocale"), 1);
  EXPECT_EQ(driver.Text("lbUpdateSystemTitle"), "Tessaron-System aktualisieren");
  EXPECT_EQ(driver.Text("lbUpdateSystemInfo"), "Installieren Sie die neuesten Updates auf Ihrem System.");
  EXPECT_EQ(driver.Text("btNext"), "&Weiter >");
  EXPECT_TRUE(driver.IsVisible("btNext") && driver.IsEnabled("btNext"));
  EXPECT_TRUE(driver.SaveScreenshot(ScreenshotPath("switches-welcome-deutsch.bmp")));
  EXPECT_FALSE(driver.CurrentMessageBox());
  ASSERT_TRUE(driver.PostClick("btNext"));
  ASSERT_TRUE(driver.WaitForVisible("TabSheet1", true));
  EXPECT_EQ(driver.Text("edUpdateFilesPath"), "C:\\Updates");

  ASSERT_TRUE(driver.PostClick("btExit"));
  DWORD code = 1;
  EXPECT_TRUE(driver.WaitForExit(kDefaultTimeoutMs, &code));
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace tessaron::e2e
