// What the tests of an update run share: a wizard window ready for a run, the scripted engine beside it (also held
// line by line while the test looks at the progress page), the engine's output pipe fed by hand, the product's update
// level and the run logs the completion page writes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
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

// The example run of a section of copies and a section of updates, line by line as the engine writes it.
inline const std::vector<std::string> kExampleRunLines{
    "[SECTION]:A\r\n", "[STATUS]:S1,Copying files,50\r\n", "[STATUS]:S1,Copying files,100\r\n",
    "[SECTION]:B\r\n", "[STATUS]:U7,Updating,45\r\n",      "[STATUS]:U9,Done,100\r\n",
    "[Result]:OK\r\n"};

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& line : lines) all += line;
  return all;
}

// Text as a scenario writes it: backslashes and line ends escaped.
inline std::string ScenarioText(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\r')
      escaped += "\\r";
    else if (c == '\n')
      escaped += "\\n";
    else
      escaped += c;
  }
  return escaped;
}

// Looks at the wizard from inside its run loop, where a run's progress shows: a timer of this thread calls
// look(i) once the wizard has taken line i of the engine's output, then release(i) lets the engine go on to the next
// line. Lines taken are counted in the output tail, where each follows a CR LF, so the lines must be short.
class LineWatch {
 public:
  LineWatch(const TLauncherForm& form, size_t lines, std::function<void(size_t)> look,
            std::function<void(size_t)> release)
      : form_(form), lines_(lines), look_(std::move(look)), release_(std::move(release)) {
    Current() = this;
    lastProgress_ = GetTickCount64();
    timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
  }
  ~LineWatch() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
    // An engine still held must not outlive the test.
    if (next_ < lines_) ADD_FAILURE() << "the run ended with line " << next_ << " not looked at";
    for (; next_ < lines_; ++next_) release_(next_);
  }
  LineWatch(const LineWatch&) = delete;
  LineWatch& operator=(const LineWatch&) = delete;

 private:
  static LineWatch*& Current() {
    static LineWatch* current = nullptr;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    LineWatch* watch = Current();
    if (!watch || watch->busy_ || watch->next_ >= watch->lines_) return;
    watch->busy_ = true;
    watch->Look();
    watch->busy_ = false;
  }
  void Look() {
    const std::string& tail = form_.OutputBuffer;
    size_t taken = 0;
    for (size_t at = tail.find("\r\n"); at != std::string::npos; at = tail.find("\r\n", at + 2)) ++taken;
    if (taken > next_ + 1) {
      ADD_FAILURE() << "the wizard took line " << next_ + 1 << " while the engine was held at line " << next_;
    } else if (taken < next_ + 1) {
      // A wizard that never takes the line fails the test instead of holding the engine for good.
      if (GetTickCount64() - lastProgress_ < 30000) return;
      ADD_FAILURE() << "line " << next_ << " was never taken";
    } else {
      look_(next_);
    }
    release_(next_++);
    lastProgress_ = GetTickCount64();
  }

  const TLauncherForm& form_;
  size_t lines_;
  std::function<void(size_t)> look_;
  std::function<void(size_t)> release_;
  UINT_PTR timer_ = 0;
  size_t next_ = 0;
  bool busy_ = false;
  ULONGLONG lastProgress_ = 0;
};

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
    ASSERT_TRUE(WriteFile(form->Engine.EngineOutput->OtherEndHandle(), bytes.data(), static_cast<DWORD>(bytes.size()),
                          &written, nullptr));
    ASSERT_EQ(written, bytes.size());
  }

  // The engine has gone: the run is wound up as the timer does when it sees that.
  void EndRun() {
    form->PageControl1->SetActivePageIndex(5);
    form->Engine.EngineRunning = true;
    form->Engine.EngineStartPending = false;
    form->Engine.EngineProcessId = 0;
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

  // The scripted engine writes these lines (each with its line end, as the engine writes it) one at a time and waits
  // after each until look(i) has seen what the run made of line i. Returns when the run has been wound up.
  void RunLineByLine(const std::vector<std::string>& lines, const std::function<void(size_t line)>& look) {
    auto released = [&](size_t line) { return media.Path + "taken" + std::to_string(line); };
    std::string scenario;
    for (size_t line = 0; line < lines.size(); ++line)
      scenario += "raw " + ScenarioText(lines[line]) + "\nawait " + ScenarioText(released(line)) + "\n";
    ASSERT_NO_FATAL_FAILURE(InstallEngine(scenario));
    LineWatch watch(*form, lines.size(), look, [&](size_t line) { WriteBytes(released(line), ""); });
    RunToCompletion();
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
