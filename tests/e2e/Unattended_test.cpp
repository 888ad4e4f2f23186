// Unattended runs of the real Launcher.exe, as a deployment tool starts them: the exit code and the run log for each
// outcome, a check-only run, and the switches in interactive use.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
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
    EXPECT_EQ(RunLogs(setup), std::vector<std::string>{});
    return code;
  }

  static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  const std::string kEngineArguments = "C:\\Media\\engine-arguments.txt";
  ServerSetup setup = SimulatedServer(HostPath(TESSARON_LAUNCHER_EXE), HostPath(TESSARON_ZUK_EXE));
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

// Whether a process of that executable name runs.
bool ProcessRuns(const std::string& exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
    found = lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

TEST_F(UnattendedTest, OfTwoWizardsStartedTogetherOneRunsTheEngineAndALockLeftByAKilledWizardIsTakenOver) {
  // The engine waits for its release file, so that the wizard that runs it holds the server until then.
  const std::string release = "C:\\Media\\go";
  const std::string scenario = setup.mediaFolder + "\\held.scenario";
  ASSERT_TRUE(WriteBytes(scenario, "await C:\\\\Media\\\\go\nprint [STATUS]:U2-05,Done,100\nprint [Result]:ok\n"));
  auto logOf = [](char wizard) { return std::string("C:\\Logs\\wizard-") + wizard + ".log"; };
  auto engineOf = [](char wizard) { return std::string("C:\\Logs\\engine-") + wizard + ".txt"; };
  auto launch = [&](WizardDriver& driver, char wizard) {
    LaunchOptions options = WizardLaunch(setup, "~unattended ~updates=C:\\Updates \"~log=" + logOf(wizard) + "\"");
    options.environment["ZUK_SCENARIO"] = scenario;
    options.environment["ZUK_ARGS_FILE"] = engineOf(wizard);
    // One refused at once may be over before its window is seen; only its end matters.
    driver.Launch(options);
  };
  auto reset = [&] {
    DeleteFileA(release.c_str());
    for (char wizard : {'a', 'b', 'k'}) {
      DeleteFileA(logOf(wizard).c_str());
      DeleteFileA(engineOf(wizard).c_str());
    }
  };

  for (int trial = 0; trial < 10; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    reset();
    WizardDriver a;
    WizardDriver b;
    std::thread second([&] { launch(b, 'b'); });
    launch(a, 'a');
    second.join();
    // The refused one ends while the other's engine waits.
    ASSERT_TRUE(WaitUntil([&] { return !a.IsRunning() || !b.IsRunning(); }, 60000));
    const bool aRefused = !a.IsRunning();
    WizardDriver& refused = aRefused ? a : b;
    WizardDriver& running = aRefused ? b : a;
    const char refusedName = aRefused ? 'a' : 'b';
    const char runningName = aRefused ? 'b' : 'a';
    DWORD code = 0;
    EXPECT_TRUE(refused.WaitForExit(kDefaultTimeoutMs, &code));
    EXPECT_EQ(code, 1618u);
    EXPECT_EQ(ReadBytes(logOf(refusedName)),
              "Cannot start an update at this time, because another update wizard is preparing or running an update "
              "on this server." +
                  kSeparator);
    EXPECT_TRUE(running.IsRunning());
    ASSERT_TRUE(WriteBytes(release, ""));
    EXPECT_TRUE(running.WaitForExit(60000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(Exists(engineOf(runningName)));
    EXPECT_FALSE(Exists(engineOf(refusedName))) << "two engines ran";
  }

  // A wizard killed while its engine runs leaves the lock behind, abandoned: the handle kept here keeps it in
  // existence. Once the engine has ended, the next wizard takes the lock over and runs.
  reset();
  HANDLE lock = nullptr;
  {
    WizardDriver killed;
    launch(killed, 'k');
    ASSERT_TRUE(WaitUntil([&] { return Exists(engineOf('k')); }, 60000));
    lock = OpenMutexA(SYNCHRONIZE, FALSE, "Global\\TessaronUpdateWizard");
    ASSERT_NE(lock, nullptr);
    killed.Terminate();
    ASSERT_FALSE(killed.IsRunning());
  }
  ASSERT_TRUE(WriteBytes(release, ""));
  EXPECT_TRUE(WaitUntil([] { return !ProcessRuns("zuk.exe"); }, 60000));
  EXPECT_EQ(Run("~unattended ~updates=C:\\Updates " + kLogSwitch, scenario), 0u);
  CloseHandle(lock);
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
