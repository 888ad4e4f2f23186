#include "Scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/EngineProtocol.h"

using namespace zuk;

namespace {

class FakeHost : public EngineHost {
 public:
  void Write(std::string_view bytes) override {
    out += bytes;
    ++writes;
    unflushed = true;
  }
  void Flush() override {
    ++flushes;
    unflushed = false;
  }
  std::optional<std::string> ReadLine() override {
    if (input.empty()) return std::nullopt;
    std::string line = input.front();
    input.pop_front();
    return line;
  }
  void Sleep(uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
  void Crash() override { crashed = true; }
  bool SetUpdateLevel(const std::string& level) override {
    levels.push_back(level);
    return levelWritable;
  }
  bool FileExists(const std::string& path) override {
    awaited.push_back(path);
    return awaited.size() > pollsUntilFile;
  }
  std::vector<std::string> levels;
  bool levelWritable = true;
  std::vector<std::string> awaited;
  size_t pollsUntilFile = 0;

  std::string out;
  int writes = 0;
  int flushes = 0;
  bool unflushed = false;
  std::deque<std::string> input;
  std::vector<uint32_t> sleeps;
  bool crashed = false;
};

std::string Play(std::string_view text, FakeHost& host) {
  RunScenario(ParseScenario(text), host);
  return host.out;
}

std::string ParseErrorOf(std::string_view text) {
  try {
    ParseScenario(text);
  } catch (const ScenarioError& error) {
    return error.what();
  }
  return "no error";
}

// The wizard's view of a run, to judge the built-in scenarios by the real protocol rules.
class CountingView : public core::EngineView {
 public:
  void SetSectionTitle(const std::string& text) override { sections.push_back(text); }
  std::string ShowInitializingStep() override { return "Initializing"; }
  void ShowCurrentStep(const std::string&) override {}
  void ClearDetails() override {}
  void ShowDetails(const std::string&) override { ++details; }
  int32_t SetBarPosition(int32_t position) override { return std::clamp(position, 0, 400); }
  int32_t BarMaximum() const override { return 400; }
  void ShowProgressTitle(int32_t) override {}
  void ShowServerVersion() override {}

  std::vector<std::string> sections;
  int details = 0;
};

struct Judged {
  core::RunState state;
  CountingView view;
  bool unterminatedTail = false;
};

Judged JudgeBuiltin(std::string_view name) {
  FakeHost host;
  RunScenario(ParseScenario(*BuiltinScenario(name)), host);
  Judged judged;
  std::string_view out = host.out;
  while (!out.empty()) {
    const size_t end = out.find("\r\n");
    if (end == std::string_view::npos) judged.unterminatedTail = true;
    core::HandleEngineLine(judged.state, judged.view, out.substr(0, end));
    out.remove_prefix(end == std::string_view::npos ? out.size() : end + 2);
  }
  return judged;
}

std::filesystem::path ScenarioFolder() {
  std::filesystem::path folder = ZUK_SCENARIO_DIR;
#ifdef _WIN32
  // The cross-built test runs under Wine, where the host's root is drive Z:.
  if (!std::filesystem::is_directory(folder) && folder.string().front() == '/') folder = "Z:" + folder.string();
#endif
  return folder;
}

std::optional<std::string> ReadText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST(ScenarioParser, CommandsAndTheirArguments) {
  const Scenario scenario = ParseScenario(
      "# comment\n"
      "\n"
      "print [SECTION]:Snapshot\r\n"
      "print   [STATUS]:a,b,50 \n"
      "   print indented\n"
      "print\n"
      "raw partial\n"
      "sleep 250\n"
      "repeat 3 line {i} of {n}\n"
      "readline\n"
      "exit -1\n"
      "crash\n"
      "\t# indented comment\n");
  ASSERT_EQ(scenario.size(), 10u);
  EXPECT_EQ(scenario[0].op, Op::Print);
  EXPECT_EQ(scenario[0].text, "[SECTION]:Snapshot");  // the CR of a CR LF file is no part of the text
  EXPECT_EQ(scenario[0].line, 3);
  EXPECT_EQ(scenario[1].text, "  [STATUS]:a,b,50 ");  // blanks after the one separator are kept
  EXPECT_EQ(scenario[2].text, "indented");
  EXPECT_EQ(scenario[3].text, "");
  EXPECT_EQ(scenario[4].op, Op::Raw);
  EXPECT_EQ(scenario[5].op, Op::Sleep);
  EXPECT_EQ(scenario[5].number, 250u);
  EXPECT_EQ(scenario[6].op, Op::Repeat);
  EXPECT_EQ(scenario[6].number, 3u);
  EXPECT_EQ(scenario[6].text, "line {i} of {n}");
  EXPECT_EQ(scenario[7].op, Op::ReadLine);
  EXPECT_EQ(scenario[8].op, Op::Exit);
  EXPECT_EQ(scenario[8].number, 0xFFFFFFFFu);
  EXPECT_EQ(scenario[9].op, Op::Crash);
  EXPECT_EQ(scenario[9].line, 12);
}

TEST(ScenarioParser, Escapes) {
  EXPECT_EQ(Unescape(R"(a\r\n\tb)"), "a\r\n\tb");
  EXPECT_EQ(Unescape(R"(C:\\Media\\zuk.exe)"), "C:\\Media\\zuk.exe");
  EXPECT_EQ(Unescape(R"(\x00\xFc\x41)"), std::string("\0\xFC\x41", 3));
  EXPECT_EQ(Unescape(R"(\\x41)"), "\\x41");
  EXPECT_THROW(Unescape(R"(bin\TessaronServer.dll)"), std::invalid_argument);
  EXPECT_THROW(Unescape(R"(\x4)"), std::invalid_argument);
  EXPECT_THROW(Unescape(R"(\xG1)"), std::invalid_argument);
  EXPECT_THROW(Unescape("trailing\\"), std::invalid_argument);
  EXPECT_EQ(ParseScenario(R"(print \x5BPARAM]:NEED_REBOOT)")[0].text, "[PARAM]:NEED_REBOOT");
}

TEST(ScenarioParser, ErrorsNameTheLine) {
  EXPECT_EQ(ParseErrorOf("print ok\nsay hello"), "line 2: unknown command \"say\"");
  EXPECT_EQ(ParseErrorOf("Print upper case"), "line 1: unknown command \"Print\"");
  EXPECT_NE(ParseErrorOf("\n\nprint bin\\Tessaron.dll").find("line 3: unknown escape \\T"), std::string::npos);
  for (const char* bad : {"sleep", "sleep -1", "sleep 1.5", "sleep 10ms", "sleep 4294967296", "repeat", "repeat x text",
                          "exit", "exit 4294967296", "exit -2147483649", "readline now", "crash hard"})
    EXPECT_EQ(ParseErrorOf(bad).rfind("line 1: ", 0), 0u) << bad;
  EXPECT_EQ(ParseScenario("exit 4294967295")[0].number, 4294967295u);
  EXPECT_EQ(ParseScenario("exit -2147483648")[0].number, 0x80000000u);
  EXPECT_EQ(ParseScenario("sleep 100 ")[0].number, 100u);
}

TEST(ScenarioPlayer, PrintRawAndFlushing) {
  FakeHost host;
  Play("print [SECTION]:A\nraw [Result]:\nprint OK\nraw tail", host);
  EXPECT_EQ(host.out, "[SECTION]:A\r\n[Result]:OK\r\ntail");
  EXPECT_EQ(host.flushes, 5);  // after every print and raw, and at the end
  EXPECT_FALSE(host.unflushed);
}

TEST(ScenarioPlayer, RepeatWritesManyLinesInFewWrites) {
  FakeHost host;
  Play("repeat 100000 Copying file {i} of {n}: doc{i}.dat\nprint end", host);
  EXPECT_TRUE(host.out.starts_with("Copying file 1 of 100000: doc1.dat\r\nCopying file 2 of 100000: doc2.dat\r\n"));
  EXPECT_EQ(std::count(host.out.begin(), host.out.end(), '\n'), 100001);
  EXPECT_NE(host.out.find("\r\nCopying file 100000 of 100000: doc100000.dat\r\nend\r\n"), std::string::npos);
  EXPECT_LT(host.writes, 200);

  FakeHost none;
  Play("repeat 0 never", none);
  EXPECT_EQ(none.out, "");
  FakeHost braces;
  Play("repeat 2 {i}{n}{x}{", braces);
  EXPECT_EQ(braces.out, "12{x}{\r\n22{x}{\r\n");
}

TEST(ScenarioPlayer, ReadLineEchoesConsoleInput) {
  FakeHost host;
  host.input = {"status please", ""};
  Play("readline\nreadline\nreadline\nprint done", host);
  EXPECT_EQ(host.out, "console: status please\r\nconsole: \r\ndone\r\n");  // end of input: nothing
}

TEST(ScenarioPlayer, ExitAndCrashStopThePlay) {
  FakeHost host;
  const RunOutcome exited = RunScenario(ParseScenario("sleep 20\nexit 7\nprint never"), host);
  EXPECT_EQ(exited.exitCode, 7);
  EXPECT_FALSE(exited.crashed);
  EXPECT_EQ(host.out, "");
  EXPECT_EQ(host.sleeps, (std::vector<uint32_t>{20}));

  FakeHost crashing;
  const RunOutcome crashed = RunScenario(ParseScenario("raw half a li\ncrash\nprint never"), crashing);
  EXPECT_TRUE(crashed.crashed);
  EXPECT_TRUE(crashing.crashed);
  EXPECT_EQ(crashing.out, "half a li");

  FakeHost finished;
  EXPECT_EQ(RunScenario(ParseScenario("print x"), finished).exitCode, 0);
  EXPECT_EQ(RunScenario(ParseScenario("exit -1"), finished).exitCode, -1);
}

TEST(BuiltinScenarios, EachMatchesItsShippedFile) {
  const std::filesystem::path folder = ScenarioFolder();
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".scenario") files.insert(entry.path().stem().string());
  std::set<std::string> builtins;
  for (const auto name : BuiltinScenarioNames()) {
    builtins.insert(std::string(name));
    const auto file = ReadText(folder / (std::string(name) + ".scenario"));
    ASSERT_TRUE(file.has_value()) << name;
    EXPECT_EQ(*file, *BuiltinScenario(name)) << name;
  }
  EXPECT_EQ(files, builtins);
  EXPECT_FALSE(BuiltinScenario("Success").has_value());
}

TEST(BuiltinScenarios, RunsEndAsTheirNamesSay) {
  const std::vector<std::string> withSnapshot = {"Snapshot", "Update Tessaron-2.3.1.0", "Update Tessaron-2.3.1.1",
                                                 "Update Tessaron-2.3.1.2"};
  for (const char* name : {"success", "reboot", "flood", "slow"}) {
    const Judged run = JudgeBuiltin(name);
    EXPECT_TRUE(core::RunSucceeded(run.state)) << name;
    EXPECT_EQ(run.view.sections, withSnapshot) << name;
    EXPECT_EQ(run.state.ErrorText, "") << name;
    EXPECT_EQ(run.state.NeedReboot, std::string(name) == "reboot") << name;
  }
  const Judged noSnapshot = JudgeBuiltin("success-nosnapshot");
  EXPECT_TRUE(core::RunSucceeded(noSnapshot.state));
  EXPECT_EQ(noSnapshot.view.sections, std::vector<std::string>(withSnapshot.begin() + 1, withSnapshot.end()));

  const Judged failure = JudgeBuiltin("failure");
  EXPECT_FALSE(core::RunSucceeded(failure.state));
  EXPECT_EQ(std::count(failure.state.ErrorText.begin(), failure.state.ErrorText.end(), '\r'), 2);
  EXPECT_EQ(failure.state.ResultText, "");

  const Judged crash = JudgeBuiltin("crash");
  EXPECT_FALSE(core::RunSucceeded(crash.state));
  EXPECT_TRUE(crash.unterminatedTail);

  const Judged silent = JudgeBuiltin("silent");
  EXPECT_EQ(silent.state.SectionIndex, -1);
  EXPECT_EQ(silent.view.details, 0);

  EXPECT_GE(JudgeBuiltin("flood").view.details, 100000);
}

TEST(BuiltinScenarios, DemoRunTakesAboutFiftySeconds) {
  FakeHost host;
  RunScenario(ParseScenario(*BuiltinScenario("slow")), host);
  uint64_t total = 0;
  for (const uint32_t ms : host.sleeps) total += ms;
  EXPECT_GE(total, 40000u);
  EXPECT_LE(total, 60000u);
}

TEST(Scenario, LevelRecordsTheUpdateLevelAndReportsAFailure) {
  FakeHost host;
  EXPECT_EQ(Play("print a\nlevel 2.3.1.2\nprint b\n", host), "a\r\nb\r\n");
  EXPECT_EQ(host.levels, std::vector<std::string>{"2.3.1.2"});

  FakeHost readOnly;
  readOnly.levelWritable = false;
  EXPECT_EQ(Play("level 2.3.1.2\n", readOnly), "[Error]:cannot record update level 2.3.1.2\r\n");
  EXPECT_THROW(ParseScenario("level\n"), ScenarioError);
}

TEST(Scenario, AwaitHoldsTheRunUntilTheFileExists) {
  FakeHost host;
  host.pollsUntilFile = 3;
  EXPECT_EQ(Play("print a\nawait C:\\\\Media\\\\go\nprint b\n", host), "a\r\nb\r\n");
  EXPECT_EQ(host.awaited, std::vector<std::string>(4, "C:\\Media\\go"));
  EXPECT_EQ(host.sleeps, (std::vector<uint32_t>{20, 20, 20}));
  EXPECT_THROW(ParseScenario("await\n"), ScenarioError);
}
