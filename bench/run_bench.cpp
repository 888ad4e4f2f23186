// Benchmarks of an update run of the real Launcher.exe with the scripted engine, each against a baseline measured in
// the same run:
//   flood  the engine's 100,000-line scenario from Start to the completion page, against the same engine writing
//          into a plain pipe reader; checks that the run succeeded and that the log holds the exact output tail
//   errors an engine that reports 300,000 errors of 200 characters (60 MB) from Start to the failure page: the
//          wizard's peak working set, and the time against the same engine writing into a plain pipe reader
//   idle   the wizard's processor time while it waits on an engine that prints nothing for 10 seconds, as a share
//          of one core
//   longlines  engines whose last lines are very long and hold no blank, from the engine's end to a failure page
//          that answers, against an engine that ends on one short error line; checks that the log keeps them whole
// It writes the product registry and C:\Media, C:\Orvo, C:\Updates: run it in a throw-away prefix, by hand:
//   bash scripts/e2e-run build/windows/bench/run_bench.exe [all|flood|errors|idle|longlines]
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "WizardDriver.h"
#include "core/LineSplitter.h"
#include "core/OutputTail.h"
#include "core/RunLog.h"
#include "win/utils/Clock.h"

using namespace tessaron::e2e;

namespace {

// The engine into a plain pipe reader: every byte taken as it comes, until the engine has gone.
struct Baseline {
  double seconds = 0;
  std::string output;
};

std::optional<Baseline> PlainReader(const std::string& engine, const std::string& scenario) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 65536)) return std::nullopt;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  SetEnvironmentVariableA("ZUK_SCENARIO", scenario.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  std::string commandLine = "\"" + engine + "\" -zukgui";
  PROCESS_INFORMATION process{};
  Baseline result;
  const double start = Utils::MonotonicSeconds();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                      &startup, &process)) {
    return std::nullopt;
  }
  CloseHandle(writeEnd);
  std::vector<char> buffer(65536);
  DWORD got = 0;
  while (ReadFile(readEnd, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0)
    result.output.append(buffer.data(), got);
  WaitForSingleObject(process.hProcess, INFINITE);
  result.seconds = Utils::MonotonicSeconds() - start;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(readEnd);
  SetEnvironmentVariableA("ZUK_SCENARIO", nullptr);
  return result;
}

// The wizard on the confirmation page of a prepared server, its engine playing the scenario.
class Wizard {
 public:
  Wizard(const ServerSetup& setup, const std::string& scenario) : setup_(setup) {
    for (const auto& log : RunLogs(setup_)) DeleteFileA(log.c_str());
    LaunchOptions options = WizardLaunch(setup_);
    options.environment["ZUK_SCENARIO"] = scenario;
    std::string error;
    if (!driver_.Launch(options, &error)) {
      std::fprintf(stderr, "run_bench: %s\n", error.c_str());
      return;
    }
    ready_ = Next("TabSheet1") && driver_.SetText("edUpdateFilesPath", setup_.updatesFolder) && Next("TabSheet2") &&
             Next("TabSheet3") && Next("TabSheet5");
  }

  bool Ready() const { return ready_; }
  WizardDriver& Driver() { return driver_; }

  bool PressStart() { return driver_.PostClick("btNext"); }
  bool WaitForCompletion(DWORD timeoutMs) {
    return WaitUntil([&] { return ShownPage() == "TabSheet7" || driver_.CurrentMessageBox(); }, timeoutMs) &&
           ShownPage() == "TabSheet7";
  }

  std::string ShownPage() const { return tessaron::e2e::ShownPage(driver_); }

 private:
  bool Next(const std::string& page) {
    if (!driver_.PostClick("btNext")) {
      std::fprintf(stderr, "run_bench: Next cannot be pressed on %s\n", ShownPage().c_str());
      return false;
    }
    WaitUntil([&] { return driver_.CurrentMessageBox() || ShownPage() == page; });
    if (ShownPage() != page) std::fprintf(stderr, "run_bench: the wizard did not reach %s\n", page.c_str());
    // The page shows before its entry actions have set the buttons.
    return ShownPage() == page && driver_.Sync();
  }

  const ServerSetup& setup_;
  WizardDriver driver_;
  bool ready_ = false;
};

// The tail the log must hold for this output, every line kept.
std::string ExpectedTail(const std::string& output) {
  core::LineSplitter lines;
  lines.Feed(output.data(), output.size());
  std::string tail;
  while (auto line = lines.NextLine()) core::AppendOutputLine(tail, *line);
  while (auto rest = lines.TakeRest()) core::AppendOutputLine(tail, *rest);
  return tail;
}

size_t CountLines(const std::string& output) {
  core::LineSplitter lines;
  lines.Feed(output.data(), output.size());
  size_t count = 0;
  while (lines.NextLine()) ++count;
  while (lines.TakeRest()) ++count;
  return count;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One run of the wizard from Start to the completion page; the seconds, or a negative value when the run went
// wrong (not a success, or a log without the exact output tail).
double WizardFloodRun(const ServerSetup& setup, const std::string& output) {
  Wizard wizard(setup, "flood");
  if (!wizard.Ready()) return -1;
  const double start = Utils::MonotonicSeconds();
  wizard.PressStart();
  const bool completed = wizard.WaitForCompletion(30 * 60 * 1000);
  const double seconds = Utils::MonotonicSeconds() - start;
  if (!completed) {
    std::printf("  the wizard did not reach the completion page\n");
    return -1;
  }
  const std::string status = wizard.Driver().Text("txtCompletionStatusInfo");
  const auto logs = RunLogs(setup);
  const std::string log = logs.size() == 1 ? ReadBytes(logs[0]) : std::string();
  const bool succeeded = status.rfind("Congratulations!", 0) == 0;
  const bool logged = log == status + std::string(core::kOutputSeparator) + ExpectedTail(output);
  if (!succeeded) std::printf("  the run was not judged a success: the result after the flood was lost\n");
  if (!logged) std::printf("  the log does not hold the completion text and the exact output tail\n");
  return succeeded && logged ? seconds : -1;
}

bool Flood(const ServerSetup& setup) {
  constexpr int kRounds = 5;
  std::printf("flood: the 100,000-line scenario, %d rounds, medians\n", kRounds);
  std::vector<double> plain, wizard;
  std::string output;
  for (int round = 0; round < kRounds; ++round) {
    const auto baseline = PlainReader(setup.mediaFolder + "\\zuk.exe", "flood");
    if (!baseline) {
      std::printf("  the engine could not be started into a plain pipe\n");
      return false;
    }
    plain.push_back(baseline->seconds);
    output = baseline->output;
    const double seconds = WizardFloodRun(setup, output);
    if (seconds < 0) return false;
    wizard.push_back(seconds);
    std::printf("  round %d: plain reader %.2f s, wizard %.2f s\n", round + 1, plain.back(), seconds);
  }
  const double ratio = Median(wizard) / Median(plain);
  std::printf("  plain pipe reader:                %7.2f s  (%zu lines, %zu bytes)\n", Median(plain),
              CountLines(output), output.size());
  std::printf("  wizard, Start to completion page: %7.2f s  = %.2f x the plain reader (goal at most 2 x)\n",
              Median(wizard), ratio);
  std::printf("  every run a success, its log with the completion text and the last %zu bytes of output: yes\n",
              ExpectedTail(output).size());
  return ratio <= 2.0;
}

bool Errors(const ServerSetup& setup) {
  std::printf("errors: 300,000 error lines of 200 characters, from Start to the failure page\n");
  const std::string scenario = setup.mediaFolder + "\\errors.scenario";
  // "[Error]:" (8) + 184 x + " NNNNNN" (7) + CR LF: 201 bytes a line with its CR LF, 60.3 MB in all.
  WriteBytes(scenario,
             "print [SECTION]:Update Tessaron-2.3.1.0\nprint [STATUS]:U0-01,Checking,10\n"
             "repeat 300000 [Error]:" +
                 std::string(184, 'x') + " {i}\n");
  const auto baseline = PlainReader(setup.mediaFolder + "\\zuk.exe", scenario);
  if (!baseline) {
    std::printf("  the engine could not be started into a plain pipe\n");
    return false;
  }
  Wizard wizard(setup, scenario);
  if (!wizard.Ready()) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, wizard.Driver().ProcessId());
  const double start = Utils::MonotonicSeconds();
  wizard.PressStart();
  const bool completed = wizard.WaitForCompletion(30 * 60 * 1000);
  const double seconds = Utils::MonotonicSeconds() - start;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  const bool measured = process && GetProcessMemoryInfo(process, &memory, sizeof memory);
  if (process) CloseHandle(process);
  const std::string status = wizard.Driver().Text("txtCompletionStatusInfo");
  const bool failedPage = status.rfind("Error!", 0) == 0;
  const bool counted = status.find(" error messages left out]") != std::string::npos;
  const double peakMiB = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  std::printf("  plain pipe reader:              %7.2f s  (%zu bytes)\n", baseline->seconds, baseline->output.size());
  std::printf("  wizard, Start to failure page:  %7.2f s  = %.2f x the plain reader\n", seconds,
              seconds / baseline->seconds);
  std::printf("  wizard peak working set:        %7.1f MiB (goal under 100 MB)%s\n", peakMiB,
              measured ? "" : "  (not measured)");
  std::printf("  failure page with the count of messages left out: %s\n",
              completed && failedPage && counted ? "yes" : "NO");
  return completed && failedPage && counted && measured && memory.PeakWorkingSetSize < 100u * 1000u * 1000u;
}

bool Idle(const ServerSetup& setup) {
  std::printf("idle: the wizard waiting on an engine that is silent for 10 s\n");
  const std::string scenario = setup.mediaFolder + "\\silent10.scenario";
  WriteBytes(scenario,
             "print [SECTION]:Snapshot\nprint [STATUS]:S1,Waiting,5\nsleep 10000\nprint [STATUS]:S1,Done,100\n");
  Wizard wizard(setup, scenario);
  if (!wizard.Ready()) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, wizard.Driver().ProcessId());
  if (!process) {
    std::printf("  cannot open the wizard's process\n");
    return false;
  }
  auto cpuSeconds = [process] {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1.0;
    auto value = [](const FILETIME& t) {
      return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
  };
  wizard.PressStart();
  // Measured once the engine has started and printed its first lines.
  WaitUntil([&] { return wizard.Driver().Text("txtCurrentStep") == "Waiting"; });
  const double cpuStart = cpuSeconds();
  std::printf("  (processor time of the wizard until the engine waits: %.3f s)\n", cpuStart);
  const double start = Utils::MonotonicSeconds();
  Sleep(7000);
  const double cpu = cpuSeconds() - cpuStart;
  const double wall = Utils::MonotonicSeconds() - start;
  const bool completed = wizard.WaitForCompletion(60000);
  CloseHandle(process);
  if (cpuStart < 0) {
    std::printf("  the platform reports no process times\n");
    return false;
  }
  std::printf("  wizard processor time: %.3f s in %.2f s = %.2f %% of one core (goal under 1 %%)\n", cpu, wall,
              100.0 * cpu / wall);
  std::printf("  run reached the completion page: %s\n", completed ? "yes" : "NO");
  return completed && cpu / wall < 0.01;
}

// The scripted engine once the wizard has started it, for waiting on its end; null when none appears in time.
HANDLE WaitForEngineProcess(DWORD timeoutMs) {
  HANDLE engine = nullptr;
  WaitUntil(
      [&] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more && !engine; more = Process32Next(snapshot, &entry))
          if (lstrcmpiA(entry.szExeFile, "zuk.exe") == 0) engine = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        CloseHandle(snapshot);
        return engine != nullptr;
      },
      timeoutMs);
  return engine;
}

// The longest line of a text, its line breaks being CR LF, lone CR or lone LF.
size_t LongestLine(const std::string& text) {
  size_t longest = 0, length = 0;
  for (char c : text) {
    length = c == '\r' || c == '\n' ? 0 : length + 1;
    longest = std::max(longest, length);
  }
  return longest;
}

struct LongLineCase {
  const char* name;
  std::string lines;  // scenario lines after the engine's first step
  size_t keptRun;     // the longest run of 'x' the log must hold, unbroken
};

// Seconds from the engine's end until the failure page shows its text and the window answers; negative when the
// run went wrong.
double EngineEndToFailurePage(const ServerSetup& setup, const LongLineCase& c, size_t* longestShown) {
  const std::string scenario = setup.mediaFolder + "\\longlines.scenario";
  // The pause lets the benchmark find the engine before its end.
  WriteBytes(scenario, "print [SECTION]:Update Tessaron-2.3.1.0\nprint [STATUS]:U0-01,Checking,10\nsleep 1500\n" +
                           c.lines + "exit 1\n");
  for (const auto& log : RunLogs(setup)) DeleteFileA(log.c_str());
  Wizard wizard(setup, scenario);
  if (!wizard.Ready()) return -1;
  wizard.PressStart();
  HANDLE engine = WaitForEngineProcess(10000);
  if (!engine) {
    std::printf("  %s: the engine was not seen running\n", c.name);
    return -1;
  }
  WaitForSingleObject(engine, INFINITE);
  const double ended = Utils::MonotonicSeconds();
  CloseHandle(engine);
  std::string status;
  const bool shown = WaitUntil(
      [&] {
        status = wizard.Driver().Text("txtCompletionStatusInfo");
        return status.rfind("Error!", 0) == 0 && wizard.Driver().Sync();
      },
      120000);
  const double seconds = Utils::MonotonicSeconds() - ended;
  if (!shown) {
    std::printf("  %s: no failure page within two minutes\n", c.name);
    return -1;
  }
  *longestShown = LongestLine(status);
  // The log is written after the page's text; its name is known once it exists.
  std::string log;
  WaitUntil([&] {
    const auto logs = RunLogs(setup);
    log = logs.size() == 1 ? ReadBytes(logs[0]) : std::string();
    return log.find(std::string(core::kOutputSeparator)) != std::string::npos;
  });
  if (c.keptRun > 0 && log.find(std::string(c.keptRun, 'x')) == std::string::npos) {
    std::printf("  %s: the log does not hold the line whole\n", c.name);
    return -1;
  }
  return seconds;
}

bool LongLines(const ServerSetup& setup) {
  std::printf("longlines: from the engine's end to a failure page that answers\n");
  const std::string x40000(40000, 'x');
  const std::string x60000(60000, 'x');
  std::string words;
  while (words.size() < 32000) words += "xxxxxxx ";
  const std::vector<LongLineCase> cases = {
      {"one short error line (baseline)", "print [Error]:Disk full\n", 0},
      {"one error line of 32,000 characters, no blank", "print [Error]:" + std::string(32000, 'x') + "\n", 32000},
      {"one error line of 32,000 characters in words of 7", "print [Error]:" + words + "\n", 0},
      // Each message is kept up to the 32 KiB limit: a CR and 32,767 characters.
      {"two error lines of 40,000 characters, no blank", "print [Error]:" + x40000 + "\nprint [Error]:" + x40000 + "\n",
       32767},
      // Nothing but output: the message is the 8 KiB output tail.
      {"no error line, 8,000 characters of output, no blank", "print " + std::string(8000, 'x') + "\n", 8000},
      // Every part of the failure text at the reader's line limit or the error limits.
      {"section, step and two errors at their limits, no blank",
       "print [SECTION]:" + x60000 + "\nprint [STATUS]:U0-02," + x60000 + ",10\nprint [Error]:" + x40000 +
           "\nprint [Error]:" + x40000 + "\n",
       60000},
  };
  bool ok = true;
  for (const LongLineCase& c : cases) {
    size_t longest = 0;
    const double seconds = EngineEndToFailurePage(setup, c, &longest);
    if (seconds < 0) return false;
    std::printf("  %-55s %6.2f s  (longest line shown: %zu characters)\n", c.name, seconds, longest);
    ok &= seconds < 1.0;
  }
  std::printf("  goal: every failure page within 1 s of the engine's end; the log keeps every line whole\n");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "all";
  if (mode != "all" && mode != "flood" && mode != "errors" && mode != "idle" && mode != "longlines") {
    std::fprintf(stderr, "usage: run_bench [all|flood|errors|idle|longlines]\n");
    return 2;
  }
  ServerSetup setup = SimulatedServer(HostPath(TESSARON_LAUNCHER_EXE), HostPath(TESSARON_ZUK_EXE));
  std::string error;
  if (!PrepareServer(setup, &error)) {
    std::fprintf(stderr, "run_bench: %s\n", error.c_str());
    return 1;
  }
  bool ok = true;
  if (mode == "all" || mode == "flood") ok &= Flood(setup);
  if (mode == "all" || mode == "errors") ok &= Errors(setup);
  if (mode == "all" || mode == "idle") ok &= Idle(setup);
  if (mode == "all" || mode == "longlines") ok &= LongLines(setup);
  return ok ? 0 : 1;
}
