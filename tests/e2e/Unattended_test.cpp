// Unattended runs of the real Launcher.exe, as a deployment tool starts them: the exit code and the run log for each
// outcome, a check-only run, and the switches in interactive use.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <thread>
#include <vector>

#include "E2eEnvironment.h"
#include "ServerTest.h"
#include "WizardDriver.h"
#include "win/utils/Handles.h"

namespace tessaron::e2e {
namespace {

const std::string kLog = "C:\\Logs\\srv 01.log";
const std::string kResult = "C:\\Logs\\srv 01.json";
// The run log, and the result file that scripts read.
const std::string kLogSwitch = "\"~log=" + kLog + "\" \"~result=" + kResult + "\"";
const std::string kSeparator = "\r\n** output ******************************************\r\n";

class UnattendedTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (HasFatalFailure()) return;
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
    DeleteFileA(kResult.c_str());
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
  static nlohmann::json Result() { return nlohmann::json::parse(ReadBytes(kResult)); }

  const std::string kEngineArguments = "C:\\Media\\engine-arguments.txt";
};

TEST_F(UnattendedTest, ARunGoesThroughByItselfAndEndsWithTheEnginesOutcome) {
  const std::string succeeded = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.";
  struct Case {
    const char* what;
    std::string scenario;
    DWORD code;
    std::string log;
    const char* outcome;
    const char* reason;
    std::string message;
  };
  const std::string failed =
      "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step Update Tessaron-2.3.1.1 "
      "U1-02:\"Copying files\", with the following message:\r\n\r\n\r\nDisk full.";
  const Case cases[] = {
      {"success", "print [SECTION]:Update Tessaron-2.3.1.2\nprint [STATUS]:U2-05,Done,100\nprint [Result]:ok\n", 0,
       succeeded + kSeparator + "\r\n[SECTION]:Update Tessaron-2.3.1.2\r\n[STATUS]:U2-05,Done,100\r\n[Result]:ok",
       "succeeded", "updated", succeeded},
      {"restart", "print [PARAM]:RESTART=NEED_REBOOT\nprint [STATUS]:U2-05,Done,100\nprint [Result]:ok\n", 3010,
       succeeded + kSeparator + "\r\n[PARAM]:RESTART=NEED_REBOOT\r\n[STATUS]:U2-05,Done,100\r\n[Result]:ok",
       "succeeded", "updated-restart-needed", succeeded},
      {"failure",
       "print [SECTION]:Update Tessaron-2.3.1.1\nprint [STATUS]:U1-02,Copying files,20\n"
       "print [Error]:Disk full.\nexit 1\n",
       1603,
       failed + kSeparator +
           "\r\n[SECTION]:Update Tessaron-2.3.1.1\r\n[STATUS]:U1-02,Copying files,20\r\n[Error]:Disk full.",
       "failed", "engine-failed", failed},
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

    const nlohmann::json result = Result();
    EXPECT_EQ(result["schema"], 1);
    EXPECT_EQ(result["outcome"], c.outcome);
    EXPECT_EQ(result["exitCode"], c.code);
    EXPECT_EQ(result["reason"], c.reason);
    EXPECT_EQ(result["message"], c.message);
    EXPECT_EQ(result["levelBefore"], "2.2.1");
    EXPECT_EQ(result["levelAfter"], "2.2.1");
    EXPECT_EQ(result["restartNeeded"], c.code == 3010);
    EXPECT_EQ(result["packages"],
              nlohmann::json::parse(R"(["Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"])"));
    EXPECT_EQ(result["updatesFolder"], "C:\\Updates");
    EXPECT_EQ(result["snapshotDrive"], "C:");
    EXPECT_EQ(result["computer"], ComputerName());
    EXPECT_EQ(result["version"], "2.3.1.0");
    EXPECT_NE(result["commandLine"].get<std::string>().find("~UNATTENDED ~updates=C:\\Updates"), std::string::npos);
    EXPECT_EQ(result["log"], kLog);
    const nlohmann::json& engine = result["engine"];
    ASSERT_TRUE(engine.is_object()) << result.dump();
    EXPECT_GT(engine["processId"].get<int64_t>(), 0);
    // Read at the wind-up: the scenario's own.
    EXPECT_EQ(engine["exitCode"], c.code == 1603 ? 1 : 0);
    // ISO 8601 in UTC, in order: wizard, engine, engine's end, wizard's end.
    const std::string times[] = {result["started"], engine["started"], engine["ended"], result["ended"]};
    for (const std::string& time : times) {
      EXPECT_EQ(time.size(), 20u) << time;
      EXPECT_EQ(time.substr(10, 1) + time.substr(19), "TZ") << time;
    }
    EXPECT_TRUE(times[0] <= times[1] && times[1] <= times[2] && times[2] <= times[3]);
  }

  // The event source names the wizard's installed copy, whose message table holds the records' texts.
  const char* source = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Tessaron Update Utility";
  char file[MAX_PATH] = "";
  DWORD size = sizeof file;
  EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, source, "EventMessageFile", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                         file, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(file, "C:\\Orvo\\OrvoZelmo\\support\\bin\\Launcher.exe");
  DWORD types = 0;
  size = sizeof types;
  EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, source, "TypesSupported", RRF_RT_REG_DWORD, nullptr, &types, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(types, 7u);
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
    const char* reason;
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
       "running.",
       "engine-running"},
      {"nothing applicable", "~unattended" + updates + kLogSwitch, applied, false, 1642,
       "No applicable updates for 2.3.1.5 available in the selected folder.", "up-to-date"},
      {"no package", "~unattended ~updates=C:\\Empty " + kLogSwitch, ready, false, 1619,
       "No files matching Tessaron-2.3.1.*.zuk", "no-package"},
      {"no folder", "~unattended ~updates=C:\\Nowhere " + kLogSwitch, ready, false, 1619,
       "Please specify where the updates are stored\r\n\r\nC:\\Nowhere", "updates-folder-missing"},
      {"gap in the sequence", "~unattended ~updates=C:\\Gap " + kLogSwitch, ready, false, 1,
       "Some update files seem to be missing from the sequence.\r\n\r\nWould you like to continue anyways?",
       "packages-missing-in-sequence"},
      {"bad switches", "~unattended ~snapshot=Q: ~languge=de" + updates + kLogSwitch, ready, false, 87,
       "The switch \"~languge=de\" is unknown.\r\nThe switch \"~snapshot=Q:\" names a drive that does not exist.",
       "bad-switch"},
      {"check-only, not in maintenance mode", "~unattended ~checkonly" + updates + kLogSwitch, notInMaintenance, false,
       1,
       "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\n\r\n"
       "The Tessaron Administrator application (TOLK) can be used to switch to \"Maintenance Mode\".",
       "maintenance-mode-off"},
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
    const nlohmann::json result = Result();
    EXPECT_EQ(result["outcome"], c.code == 87 ? "bad-switch" : "refused");
    EXPECT_EQ(result["reason"], c.reason);
    EXPECT_EQ(result["exitCode"], c.code);
    EXPECT_EQ(result["message"], c.status);
    EXPECT_TRUE(result["engine"].is_null());
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

TEST_F(UnattendedTest, WhileTheEngineRunsTheResultSaysSoAndItsWholeOutputIsOnTheDisk) {
  // The engine stops at a step until the test lets it go on, as a wizard killed by a deployment tool's timeout
  // would leave it.
  const std::string release = setup.mediaFolder + "\\go";
  const std::string scenarioFile = setup.mediaFolder + "\\held.scenario";
  ASSERT_TRUE(WriteBytes(scenarioFile,
                         "print [SECTION]:Update Tessaron-2.3.1.2\nrepeat 20000 line {i} of {n}\n"
                         "await C:\\\\Media\\\\go\nlevel 2.3.1.2\nprint [STATUS]:U2-05,Done,100\n"
                         "print [Result]:ok\n"));
  DeleteFileA(release.c_str());
  DeleteFileA(kResult.c_str());
  const std::string output = "C:\\Logs\\srv 01.output.log";
  DeleteFileA(output.c_str());
  std::string lines = "[SECTION]:Update Tessaron-2.3.1.2\r\n";
  for (int i = 1; i <= 20000; ++i) lines += "line " + std::to_string(i) + " of 20000\r\n";

  // Whatever happens, the engine is let go at the end, so that it leaves the media folder free.
  struct Release {
    std::string file;
    ~Release() { WriteBytes(file, ""); }
  } releaseAtEnd{release};
  WizardDriver driver;
  LaunchOptions options = WizardLaunch(setup, "~unattended ~nosnapshot ~updates=C:\\Updates " + kLogSwitch);
  options.environment["ZUK_SCENARIO"] = scenarioFile;
  std::string error;
  ASSERT_TRUE(driver.Launch(options, &error)) << error;
  // Held: the engine has started and every line before the hold has reached the output file.
  auto held = [&] {
    if (!Exists(kResult) || ReadBytes(kResult).find("\"processId\"") == std::string::npos) return false;
    Utils::ScopedHandle file(CreateFileA(output.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    return file && GetFileSizeEx(file.Get(), &size) && size.QuadPart >= static_cast<LONGLONG>(lines.size());
  };
  for (DWORD start = GetTickCount(); !held() && GetTickCount() - start < 60000;) Sleep(20);
  ASSERT_TRUE(held()) << ReadBytes(kResult);
  nlohmann::json result = Result();
  EXPECT_EQ(result["outcome"], "running");
  EXPECT_TRUE(result["exitCode"].is_null());
  EXPECT_TRUE(result["reason"].is_null());
  EXPECT_TRUE(result["ended"].is_null());
  EXPECT_TRUE(result["engine"]["ended"].is_null());
  EXPECT_TRUE(result["snapshotDrive"].is_null());
  EXPECT_EQ(result["levelBefore"], "2.2.1");
  EXPECT_TRUE(result["log"].is_null());

  ASSERT_TRUE(WriteBytes(release, ""));
  DWORD code = 1;
  ASSERT_TRUE(driver.WaitForExit(60000, &code));
  EXPECT_EQ(code, 0u);
  result = Result();
  EXPECT_EQ(result["outcome"], "succeeded");
  EXPECT_EQ(result["levelAfter"], "2.3.1.2");
  EXPECT_EQ(ReadBytes(output), lines + "[STATUS]:U2-05,Done,100\r\n[Result]:ok\r\n");
  DeleteFileA(release.c_str());
}

TEST_F(UnattendedTest, TheEventRecordsReadInTheWizardsOwnWords) {
  // As Event Viewer reads them: from the message table of the file the event source names.
  HMODULE wizard = LoadLibraryExA(setup.launcher.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(wizard);
  const char* inserts[] = {"refused", "up-to-date", "1642", "2.3.1.5", "2.3.1.5", "C:\\Logs\\srv 01.log"};
  char text[1024] = "";
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, wizard, 1003, 0x409,
                                      text, sizeof text, reinterpret_cast<va_list*>(const_cast<char**>(inserts)));
  FreeLibrary(wizard);
  EXPECT_EQ(std::string(text, length),
            "The Tessaron update did not run.\r\nOutcome: refused, reason: up-to-date, exit code: 1642.\r\n"
            "Update level before: 2.3.1.5, after: 2.3.1.5.\r\nRun log: C:\\Logs\\srv 01.log\r\n");
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
