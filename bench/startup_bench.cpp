// Start-up of the wizard against the smallest window started the same way, in the same run: both programs sit in
// the media folder of a prepared server and are started from there with the same environment, in turns.
//
// Ready means: from CreateProcess until the program's thread waits for input (WaitForInputIdle) and its visible
// top-level window, and every visible window inside it, has nothing left to paint. The time includes the polling
// (every millisecond), which is the same for both.
//
// It also times the minimal window holding as many plain child windows as the wizard's first page, without and with
// the wizard's manifest (common controls 6, DPI awareness): what that many windows cost on this platform before any
// program logic. The goal is set against the second, the closest the wizard could come.
//
// It writes the product registry and C:\Media, C:\Orvo, C:\Updates: run it in a throw-away prefix, by hand:
//   bash scripts/e2e-run build/windows/bench/startup_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "win/utils/Clock.h"

using namespace tessaron::e2e;

namespace {

// The wizard's start-up may take at most this many times that of the minimal window with as many child windows as
// its first page and its manifest.
constexpr double kGoalRatio = 1.25;
constexpr DWORD kReadyTimeoutMs = 30000;

struct WindowSearch {
  DWORD processId;
  HWND found;
};

HWND VisibleTopLevelWindow(DWORD processId) {
  WindowSearch search{processId, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<WindowSearch*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
        search->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool NothingToPaint(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool clean = true;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
          *reinterpret_cast<bool*>(data) = false;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&clean));
  return clean;
}

// Seconds from CreateProcess until the program is ready (see above), or a negative value when it never was. The
// program is closed through its window afterwards.
double TimeToReady(const std::string& program, const std::string& folder, const std::string& arguments = "") {
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Utils::MonotonicSeconds();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    std::fprintf(stderr, "startup_bench: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return -1;
  }
  CloseHandle(process.hThread);
  double seconds = -1;
  HWND window = nullptr;
  if (WaitForInputIdle(process.hProcess, kReadyTimeoutMs) == 0) {
    const double limit = start + kReadyTimeoutMs / 1000.0;
    while (Utils::MonotonicSeconds() < limit && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
      window = VisibleTopLevelWindow(process.dwProcessId);
      if (window && NothingToPaint(window)) {
        seconds = Utils::MonotonicSeconds() - start;
        break;
      }
      Sleep(1);
    }
  }
  if (seconds < 0) std::fprintf(stderr, "startup_bench: %s did not become ready\n", program.c_str());
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hProcess);
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
  if (rounds < 1) {
    std::fprintf(stderr, "usage: startup_bench [rounds]\n");
    return 2;
  }
  ServerSetup setup = SimulatedServer(HostPath(TESSARON_LAUNCHER_EXE), HostPath(TESSARON_ZUK_EXE));
  std::string error;
  if (!PrepareServer(setup, &error) || !CopyFileInto(HostPath(TESSARON_MINIMAL_WINDOW_EXE), setup.mediaFolder) ||
      !CopyFileInto(HostPath(TESSARON_MANIFEST_WINDOW_EXE), setup.mediaFolder)) {
    std::fprintf(stderr, "startup_bench: %s\n", error.empty() ? "cannot copy the minimal window" : error.c_str());
    return 1;
  }
  const LaunchOptions wizard = WizardLaunch(setup);
  for (const auto& [name, value] : wizard.environment) SetEnvironmentVariableA(name.c_str(), value.c_str());
  const std::string minimal = setup.mediaFolder + "\\minimal_window.exe";
  const std::string withManifest = setup.mediaFolder + "\\minimal_window_manifest.exe";

  // One start of each, not counted, so that neither pays for the first load of files and fonts.
  if (TimeToReady(minimal, wizard.currentFolder) < 0 || TimeToReady(withManifest, wizard.currentFolder) < 0 ||
      TimeToReady(wizard.program, wizard.currentFolder) < 0)
    return 1;

  std::printf("start-up to the end of the first paint, %d rounds in turns, medians\n", rounds);
  // The minimal window holding as many plain child windows as the wizard's first page, plain and with the manifest.
  const std::string children = "16";
  std::vector<double> minimalTimes, wizardTimes, childrenTimes, referenceTimes;
  for (int round = 0; round < rounds; ++round) {
    const double minimalSeconds = TimeToReady(minimal, wizard.currentFolder);
    const double wizardSeconds = TimeToReady(wizard.program, wizard.currentFolder);
    const double childrenSeconds = TimeToReady(minimal, wizard.currentFolder, children);
    const double referenceSeconds = TimeToReady(withManifest, wizard.currentFolder, children);
    if (minimalSeconds < 0 || wizardSeconds < 0 || childrenSeconds < 0 || referenceSeconds < 0) return 1;
    minimalTimes.push_back(minimalSeconds);
    wizardTimes.push_back(wizardSeconds);
    childrenTimes.push_back(childrenSeconds);
    referenceTimes.push_back(referenceSeconds);
    std::printf("  round %d: minimal %6.1f ms, %s children %6.1f ms, with manifest %6.1f ms, wizard %6.1f ms\n",
                round + 1, minimalSeconds * 1000, children.c_str(), childrenSeconds * 1000, referenceSeconds * 1000,
                wizardSeconds * 1000);
  }
  const double minimalMs = Median(minimalTimes) * 1000;
  const double referenceMs = Median(referenceTimes) * 1000;
  const double wizardMs = Median(wizardTimes) * 1000;
  const double ratio = wizardMs / referenceMs;
  std::printf("  minimal window: %6.1f ms\n", minimalMs);
  std::printf("  with %s plain child windows: %6.1f ms  = %.2f x\n", children.c_str(), Median(childrenTimes) * 1000,
              Median(childrenTimes) * 1000 / minimalMs);
  std::printf("  the same with the wizard's manifest: %6.1f ms  = %.2f x\n", referenceMs, referenceMs / minimalMs);
  std::printf("  wizard:         %6.1f ms  = %.2f x the minimal window, %.2f x the manifest reference (goal at most "
              "%.2f x)\n",
              wizardMs, wizardMs / minimalMs, ratio, kGoalRatio);
  return ratio <= kGoalRatio ? 0 : 1;
}
