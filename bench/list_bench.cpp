// Benchmark of the update list page of the real Launcher.exe: for 5 and for 50,000 packages, the time from Next on
// the updates folder page until the list shows every package and the window answers, beside the time the same
// folder search and package rules take in this process. What the page costs beyond the scan should not grow with
// the number of packages.
// It writes the product registry and C:\Media, C:\Orvo, C:\Updates*: run it in a throw-away prefix, by hand:
//   bash scripts/e2e-run build/windows/bench/list_bench.exe [LAUNCHER.exe]
// A Launcher.exe given (a host path) is measured instead of the one built with the benchmark, an earlier build say.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "WizardDriver.h"
#include "core/PackageRules.h"
#include "win/utils/Clock.h"

using namespace tessaron::e2e;

namespace {

// Empty package files 0..count-1; the scan looks at names only.
bool MakePackages(const std::string& folder, int count) {
  if (!MakeFolders(folder)) return false;
  for (int n = 0; n < count; ++n) {
    const std::string path = folder + "\\Tessaron-2.3.1." + std::to_string(n) + ".zuk";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
  }
  return true;
}

// The wizard's scan without its window: the folder search and the package rules. The seconds and the rows found.
double ScanSeconds(const std::string& folder, size_t* rows) {
  const double start = Utils::MonotonicSeconds();
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\Tessaron-*.zuk").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do names.emplace_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  *rows = core::ScanPackageNames(names).Rows.size();
  return Utils::MonotonicSeconds() - start;
}

// Seconds from Next on the updates folder page until the list holds all rows and the window answers; negative when
// the page was not reached.
double PageSeconds(const ServerSetup& setup, const std::string& folder, int rows) {
  WizardDriver driver;
  std::string error;
  if (!driver.Launch(WizardLaunch(setup), &error)) {
    std::fprintf(stderr, "list_bench: %s\n", error.c_str());
    return -1;
  }
  if (!driver.Click("btNext") || !driver.WaitForVisible("TabSheet1", true) ||
      !driver.SetText("edUpdateFilesPath", folder))
    return -1;
  const std::string last = "Tessaron-2.3.1." + std::to_string(rows - 1);
  const double start = Utils::MonotonicSeconds();
  driver.PostClick("btNext");
  const bool shown = WaitUntil(
      [&] {
        return driver.IsVisible("TabSheet2") && driver.GridRowCount("grdUpdateFileList") == rows &&
               driver.GridCell("grdUpdateFileList", rows - 1) == last && driver.Sync();
      },
      120000);
  const double seconds = Utils::MonotonicSeconds() - start;
  driver.Terminate();
  return shown ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  ServerSetup setup = SimulatedServer(HostPath(argc > 1 ? argv[1] : TESSARON_LAUNCHER_EXE), HostPath(TESSARON_ZUK_EXE));
  std::string error;
  if (!PrepareServer(setup, &error)) {
    std::fprintf(stderr, "list_bench: %s\n", error.c_str());
    return 1;
  }
  std::printf("update list page: from Next on the updates folder page to a list showing every package\n");
  std::printf("  %10s  %14s  %14s  %14s\n", "packages", "search+rules", "page shown", "beyond scan");
  bool ok = true;
  for (int count : {5, 50000}) {
    const std::string folder = "C:\\Updates" + std::to_string(count);
    if (!MakePackages(folder, count)) {
      std::printf("  cannot make %d packages in %s\n", count, folder.c_str());
      return 1;
    }
    size_t rows = 0;
    ScanSeconds(folder, &rows);  // the folder in the cache for both
    const double scan = ScanSeconds(folder, &rows);
    if (rows != static_cast<size_t>(count)) {
      std::printf("  the rules found %zu of %d packages\n", rows, count);
      return 1;
    }
    const double page = PageSeconds(setup, folder, count);
    if (page < 0) {
      std::printf("  %10d  the list did not show every package within two minutes\n", count);
      return 1;
    }
    std::printf("  %10d  %12.2f s  %12.2f s  %12.2f s\n", count, scan, page, page - scan);
    ok &= page - scan < 0.5;
  }
  std::printf("  goal: the page shown within 0.5 s of the scan's end for either count\n");
  return ok ? 0 : 1;
}
