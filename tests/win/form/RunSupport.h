// What the tests of an update run share: a wizard window ready for a run, the scripted engine beside it, the engine's
// output pipe fed by hand, the product's update level and the run logs the completion page writes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "support/Machine.h"
#include "win/ui/TestWindows.h"
#include "win/utils/UtilsTestSupport.h"

namespace runtest {

using tessaron::testsupport::HostPath;
using tessaron::testsupport::MakeFolders;
using tessaron::testsupport::OwnPath;
using tessaron::testsupport::ReadBytes;
using tessaron::testsupport::RemoveTree;
using tessaron::testsupport::WriteBytes;

inline std::string EnginePath() { return HostPath(TESSARON_ZUK_EXE); }

// Between the completion text and the engine's output in the memo and the run log.
inline const std::string kSeparator = "\r\n** output ******************************************\r\n";

// The run logs beside this test program (its name, a timestamp, ".log"), and with outputs the engine's output files
// beside them (".output.log").
inline std::vector<std::string> RunLogs(bool outputs = false) {
  const std::string own = OwnPath();
  std::vector<std::string> logs;
  for (std::string& file : tessaron::testsupport::FilesMatching(own.substr(0, own.rfind('.')) + ".*.log"))
    if (outputs || !file.ends_with(".output.log")) logs.push_back(std::move(file));
  return logs;
}

inline void DeleteRunLogs() {
  for (const auto& log : RunLogs(true)) DeleteFileA(log.c_str());
}

// The installed update level in the product registry, removed again afterwards.
class UpdateLevel {
 public:
  explicit UpdateLevel(const std::string& level) {
    tessaron::testsupport::ProductRegistry registry;
    registry.updateLevel = level;
    EXPECT_TRUE(tessaron::testsupport::WriteProductRegistry(registry));
  }
  ~UpdateLevel() { tessaron::testsupport::DeleteProductRegistry(); }
  UpdateLevel(const UpdateLevel&) = delete;
  UpdateLevel& operator=(const UpdateLevel&) = delete;
};

// The wizard window, a scratch media folder (AppFolder) and product home (HomeFolder), message boxes recorded.
class RunTest : public LauncherFormTest {
 protected:
  void SetUp() override {
    DeleteRunLogs();
    LauncherFormTest::SetUp();
    Prepare();
  }
  void TearDown() override {
    LauncherFormTest::TearDown();
    DeleteRunLogs();
    SetEnvironmentVariableA("ZUK_SCENARIO", nullptr);
    SetEnvironmentVariableA("ZUK_ARGS_FILE", nullptr);
  }

  // A fresh window, for a second run in the same test.
  void NewForm() {
    form.reset();
    form = std::make_unique<TLauncherForm>();
    form->Create();
    form->Show();
    testui::Pump();
    Prepare();
  }

  void Prepare() {
    // A run comes through every page before it.
    ShowEveryPageOnce();
    form->AppFolder = media.Path;
    form->HomeFolder = home.Path.substr(0, home.Path.size() - 1);
    form->NoSnapshot = true;
    form->ExpectedSections = 2;
    form->sbarProgress->SetMax(200);
  }

  // Bytes as the engine would write them to its standard output.
  void Feed(const std::string& bytes) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(form->EngineOutput->OtherEndHandle(), bytes.data(), static_cast<DWORD>(bytes.size()),
                          &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

  // The engine has gone: the run is wound up as the timer does when it sees that.
  void EndRun() {
    form->PageControl1->SetActivePageIndex(5);
    form->EngineRunning = true;
    form->EngineStartPending = false;
    form->EngineProcessId = 0;
    form->Timer1Timer(form->Timer1);
  }

  // The scripted engine in the media folder, playing this scenario.
  void InstallEngine(const std::string& scenario) {
    ASSERT_TRUE(CopyFileA(EnginePath().c_str(), (media.Path + "zuk.exe").c_str(), FALSE)) << EnginePath();
    ASSERT_TRUE(WriteBytes(media.Path + "run.scenario", scenario));
    SetEnvironmentVariableA("ZUK_SCENARIO", (media.Path + "run.scenario").c_str());
  }

  // Starts the engine from the progress page and returns when the run has been wound up.
  void RunToCompletion() {
    form->PageControl1->SetActivePageIndex(5);
    form->RunEngine();
  }

  std::string OnlyLog() {
    const auto logs = RunLogs();
    if (logs.size() != 1) {
      std::string none = std::to_string(logs.size());
      none += " run logs instead of one";
      return none;
    }
    return ReadBytes(logs[0]);
  }

  UtilsTest::ScratchFolder media{"run-media"};
  UtilsTest::ScratchFolder home{"run-home"};
  UpdateLevel level{"2.3.1.2"};
  testui::BoxRecorder boxes;
};

}  // namespace runtest
