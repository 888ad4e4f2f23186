// Whole update runs of the real Launcher.exe with the scripted engine, from the welcome page to the completion page,
// as an operator sees them; the run log is checked byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "Scenario.h"
#include "WizardDriver.h"
#include "core/Format.h"
#include "core/LangRes.h"
#include "core/LineSplitter.h"
#include "core/OutputTail.h"
#include "core/RunLog.h"
#include "core/TextUtils.h"

namespace tessaron::e2e {
namespace {

const char* const kPages[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                              "TabSheet5", "TabSheet6", "TabSheet7"};
const char* const kLanguageFiles[] = {"english", "deutsch", "francais", "espanol"};

// Everything the scripted engine writes for a scenario, without its pauses.
class CapturingHost : public zuk::EngineHost {
 public:
  void Write(std::string_view bytes) override { Output.append(bytes); }
  void Flush() override {}
  std::optional<std::string> ReadLine() override { return std::nullopt; }
  void Sleep(uint32_t) override {}
  void Crash() override {}
  bool SetUpdateLevel(const std::string&) override { return true; }
  std::string Output;
};

std::string ScenarioText(const std::string& name) {
  const auto text = zuk::BuiltinScenario(name);
  return text ? std::string(*text) : std::string();
}

// The output tail the wizard keeps of a scenario when it loses no line: every line, the unterminated last one too.
std::string ExpectedOutputTail(const std::string& scenario) {
  CapturingHost host;
  zuk::RunScenario(zuk::ParseScenario(scenario), host);
  core::LineSplitter lines;
  lines.Feed(host.Output.data(), host.Output.size());
  std::string tail;
  while (auto line = lines.NextLine()) core::AppendOutputLine(tail, *line);
  while (auto rest = lines.TakeRest()) core::AppendOutputLine(tail, *rest);
  return tail;
}

// A caption of the given language, formatted.
std::string Text(int language, const char* component, const char* variant, std::initializer_list<core::FormatArg> args) {
  core::SelectLanguage(language);
  std::string text = core::NormaliseLineBreaks(core::FormatText(core::GetComponentText(component, variant), args));
  core::SelectLanguage(0);
  return text;
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup.launcher = HostPath(TESSARON_LAUNCHER_EXE);
    setup.engine = HostPath(TESSARON_ZUK_EXE);
    setup.packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"};
    setup.registry.updateLevel = "2.2.1";
    setup.registry.primaryNodeName = ComputerName();
    setup.registry.maintenanceMode = "ON";
    std::string error;
    ASSERT_TRUE(PrepareServer(setup, &error)) << error;
    for (const auto& log : Logs()) DeleteFileA(log.c_str());
  }

  std::string ShownPage() const {
    std::string shown;
    for (const char* page : kPages) {
      if (!driver().IsVisible(page)) continue;
      if (!shown.empty()) return "several pages";
      shown = page;
    }
    return shown;
  }

  // Next, posted as the operator's click; fails on any message box.
  void Next(const std::string& expectedPage) {
    const std::string page = ShownPage();
    ASSERT_TRUE(driver().PostClick("btNext")) << "on " << page;
    WaitUntil([&] { return driver().CurrentMessageBox() || ShownPage() == expectedPage; });
    const auto box = driver().CurrentMessageBox();
    ASSERT_FALSE(box) << box->caption << ": " << box->text;
    ASSERT_EQ(ShownPage(), expectedPage);
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
    ASSERT_NO_FATAL_FAILURE(Next("TabSheet6"));
  }

  void WaitForCompletion() {
    ASSERT_TRUE(WaitUntil([&] { return ShownPage() == "TabSheet7" || driver().CurrentMessageBox(); }, 60000))
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

  std::vector<std::string> Logs() const {
    std::vector<std::string> logs;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((setup.mediaFolder + "\\Launcher.*.log").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return logs;
    do logs.push_back(setup.mediaFolder + "\\" + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return logs;
  }

  std::string OnlyLog() const {
    const auto logs = Logs();
    if (logs.size() != 1) return std::to_string(logs.size()) + " run logs";
    HANDLE file = CreateFileA(logs[0].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
  }

  // The completion page and the log for a run whose engine played the scenario.
  void ExpectCompletion(const std::string& status, const std::string& scenario) {
    EXPECT_EQ(driver().Text("txtCompletionStatusInfo"), status);
    EXPECT_EQ(OnlyLog(), status + std::string(core::kOutputSeparator) + ExpectedOutputTail(scenario));
  }

  WizardDriver& driver() const { return *driver_; }

  ServerSetup setup;

 private:
  // A new one for each start of the wizard.
  std::unique_ptr<WizardDriver> driver_ = std::make_unique<WizardDriver>();
};

const std::string kFailed = "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step ";

// The successful run with a pause in update 0, long enough to look at the progress page.
std::string PausedSuccess() {
  std::string text = ScenarioText("success");
  const std::string at = "sleep 50\nprint [STATUS]:U0-03";
  const size_t where = text.find(at);
  if (where == std::string::npos) return {};
  return text.replace(where, 8, "sleep 3000");
}

TEST_F(RunTest, ASuccessfulRunInEachLanguage) {
  const std::string scenario = PausedSuccess();
  ASSERT_FALSE(scenario.empty());
  const std::string scenarioFile = setup.mediaFolder + "\\paused.scenario";
  ASSERT_TRUE(WriteBytes(scenarioFile, scenario));
  for (int language : {0, 1, 2, 3}) {
    SCOPED_TRACE(kLanguageFiles[language]);
    for (const auto& log : Logs()) DeleteFileA(log.c_str());
    ASSERT_NO_FATAL_FAILURE(StartRun(scenarioFile, language));

    // Update 0 copies its files: section 2 of 4 at 40 %.
    EXPECT_TRUE(driver().WaitForText("lbProgressTitle", Text(language, "lbProgressTitle", "", {35})))
        << driver().Text("lbProgressTitle");
    EXPECT_EQ(driver().Text("lbCurrentStepTitle"), "Update Tessaron-2.3.1.0");
    EXPECT_EQ(driver().Text("txtCurrentStep"), "Copying files");
    EXPECT_EQ(driver().Text("txtProgressDetails"), "Copying bin\\TessaronReports.dll");
    EXPECT_EQ(driver().ProgressPosition("sbarProgress"), 140);
    EXPECT_EQ(driver().ProgressRange("sbarProgress"), (std::pair<int, int>(0, 400)));
    EXPECT_FALSE(driver().IsVisible("btPrev"));
    EXPECT_FALSE(driver().IsVisible("btNext"));
    EXPECT_TRUE(driver().IsVisible("btExit"));
    EXPECT_FALSE(driver().IsEnabled("btExit"));
    EXPECT_TRUE(driver().SaveScreenshot(ScreenshotPath(std::string("run-progress-") + kLanguageFiles[language] + ".bmp")));
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

    ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
    EXPECT_TRUE(
        driver().SaveScreenshot(ScreenshotPath(std::string("run-completion-") + kLanguageFiles[language] + ".bmp")));
    ExpectCompletion(Text(language, "txtCompletionStatusInfo", "_Success", {"2.2.1"}), scenario);
    EXPECT_EQ(driver().Text("lbProgressTitle"), Text(language, "lbProgressTitle", "", {100}));
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
                   ScenarioText("failure"));
  EXPECT_TRUE(Exit().empty());
}

TEST_F(RunTest, AnEngineThatCrashesLeavesItsOutputAsTheMessage) {
  ASSERT_NO_FATAL_FAILURE(StartRun("crash"));
  ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
  const std::string tail = ExpectedOutputTail(ScenarioText("crash"));
  // Its last words, half a line, are kept.
  EXPECT_EQ(tail.substr(tail.size() - 25), "\r\nCopying web\\scripts\\ord");
  ExpectCompletion(
      kFailed + "Update Tessaron-2.3.1.1 U1-02:\"Copying files\", with the following message:\r\n\r\n" + tail,
      ScenarioText("crash"));
  EXPECT_TRUE(Exit().empty());
}

TEST_F(RunTest, ARunThatNeedsARebootRemindsOfItOnceOnExit) {
  ASSERT_NO_FATAL_FAILURE(StartRun("reboot"));
  ASSERT_NO_FATAL_FAILURE(WaitForCompletion());
  ExpectCompletion("Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.2.1.",
                   ScenarioText("reboot"));
  const auto boxes = Exit();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Information");
  EXPECT_EQ(boxes[0].text, core::GetText("str_Message_Server_Needs_Reboot"));
  EXPECT_FALSE(driver().IsRunning());
}

}  // namespace
}  // namespace tessaron::e2e
