// Benchmarks of Utils, each against its bare platform baseline in the same
// run:
//   find   FindProcessByExeName with 300 extra processes running, against a
//          bare process listing (EnumProcesses)
//   lines  lines per second through TPipeStream::ReadLine from a child
//          writing 100,000 lines, against the same child's bytes taken with
//          plain ReadFile
// Run under Wine by hand:
//   scripts/wine-run build/windows/bench/utils_bench.exe [all|find|lines [PIPE_BUFFER_BYTES]]
#include <windows.h>
// (apart, so that include sorting keeps windows.h first)
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/Machine.h"
#include "win/utils/Utils.h"

using namespace Utils;

namespace {

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string ChildPath() { return tessaron::testsupport::OwnFolder() + "bench_child.exe"; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Milliseconds per call, the median of several rounds.
template <typename F>
double TimeCalls(int rounds, int callsPerRound, F call) {
  std::vector<double> perCall;
  for (int r = 0; r < rounds; ++r) {
    double start = Now();
    for (int i = 0; i < callsPerRound; ++i) call();
    perCall.push_back((Now() - start) * 1000.0 / callsPerRound);
  }
  return Median(perCall);
}

// The search as first described, the baseline of FindProcessByExeName: list
// every identifier, then open each process and read its first module's name.
constexpr int kMaxListedProcesses = 2048;

int ListProcessIds(std::vector<DWORD>& ids) {
  DWORD bytes = 0;
  if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return 0;
  return static_cast<int>(bytes / sizeof(DWORD));
}

std::string GetProcessExeName(DWORD id) {
  ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
  if (!process) return {};
  HMODULE first = nullptr;
  DWORD needed = 0;
  // A process that is just starting may not list its modules yet.
  bool listed = false;
  for (int attempt = 0; attempt < 10 && !listed; ++attempt) {
    listed = EnumProcessModules(process.Get(), &first, sizeof(first), &needed) && needed != 0;
    if (!listed) Sleep(5);
  }
  if (!listed) return {};
  char name[MAX_PATH];
  DWORD length = GetModuleBaseNameA(process.Get(), first, name, sizeof(name));
  return std::string(name, length);
}

int FindBenchmark() {
  const int extra = 300;
  std::printf("starting %d extra processes...\n", extra);
  // Started without a console of their own: a console would add a console
  // host process to each (under Wine also an X client, of which the X server
  // allows only so many).
  std::string commandLine = "\"" + ChildPath() + "\" hold " + std::to_string(GetCurrentProcessId());
  std::vector<HANDLE> children;
  for (int i = 0; i < extra; ++i) {
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &startup, &created)) {
      std::printf("could not start child %d (error %lu)\n", i, GetLastError());
      break;
    }
    CloseHandle(created.hThread);
    children.push_back(created.hProcess);
  }
  std::vector<DWORD> ids(kMaxListedProcesses);
  std::printf("processes listed: %d\n", ListProcessIds(ids));

  DWORD found = 0;
  double bare = TimeCalls(7, 20, [&] { ListProcessIds(ids); });
  double find = TimeCalls(7, 20, [&] { found = FindProcessByExeName("zuk.exe"); });
  double findChild = TimeCalls(7, 20, [&] { found = FindProcessByExeName("BENCH_CHILD.EXE"); });
  // The same names from the toolhelp snapshot.
  double toolhelp = TimeCalls(7, 20, [&] {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
      if (lstrcmpiA(entry.szExeFile, "zuk.exe") == 0) break;
    }
    CloseHandle(snapshot);
  });
  // The search as first described: one open and one module read per process.
  double perProcess = TimeCalls(3, 1, [&] {
    int n = ListProcessIds(ids);
    for (int i = 0; i < n; ++i) {
      if (GetProcessExeName(ids[i]) == "zuk.exe") break;
    }
  });

  std::printf("bare listing (EnumProcesses):          %8.3f ms\n", bare);
  std::printf("FindProcessByExeName, absent name:     %8.3f ms  (%.2f x bare listing)\n", find, find / bare);
  std::printf("FindProcessByExeName, a child's name:  %8.3f ms  (found %s)\n", findChild, found != 0 ? "yes" : "NO");
  std::printf("toolhelp snapshot walk:                %8.3f ms  (%.2f x bare listing)\n", toolhelp, toolhelp / bare);
  std::printf("per-process open and module read:      %8.3f ms  (%.2f x bare listing)\n", perProcess,
              perProcess / bare);

  for (HANDLE child : children) {
    TerminateProcess(child, 0);
    WaitForSingleObject(child, 5000);
    CloseHandle(child);
  }
  return 0;
}

// Waits for the child's first bytes, so that the timing covers the transfer
// and not the process start.
void AwaitFirstBytes(HANDLE pipe) {
  DWORD waiting = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting == 0) Sleep(0);
}

struct LinesResult {
  double seconds;
  long lines;
  unsigned long long bytes;
};

// Every line the child writes, through the line reader.
LinesResult ReadLines(long count, DWORD pipeSize) {
  TPipeStream output(PipeReadEnd, pipeSize);
  TStartedProcess child = StartChildProcess(ChildPath(), "lines " + std::to_string(count), false, nullptr,
                                            output.OtherEndHandle(), output.OtherEndHandle());
  AwaitFirstBytes(output.Handle());
  double start = Now();
  LinesResult result{0, 0, 0};
  std::string line;
  for (;;) {
    if (output.ReadLine(line)) {
      ++result.lines;
      result.bytes += line.size() + 2;
    } else if (!IsProcessHandleAlive(child.Process.Get())) {
      while (output.ReadLineOrRest(line)) {
        ++result.lines;
        result.bytes += line.size() + 2;
      }
      break;
    } else {
      Sleep(0);
    }
  }
  result.seconds = Now() - start;
  return result;
}

// The same child's bytes, taken with plain ReadFile as they arrive.
LinesResult ReadRaw(long count, DWORD pipeSize) {
  TPipeStream output(PipeReadEnd, pipeSize);
  std::vector<char> buffer(1 << 20);
  TStartedProcess child = StartChildProcess(ChildPath(), "lines " + std::to_string(count), false, nullptr,
                                            output.OtherEndHandle(), output.OtherEndHandle());
  AwaitFirstBytes(output.Handle());
  double start = Now();
  LinesResult result{0, 0, 0};
  for (;;) {
    DWORD waiting = 0;
    PeekNamedPipe(output.Handle(), nullptr, 0, nullptr, &waiting, nullptr);
    if (waiting > 0) {
      DWORD got = 0;
      ReadFile(output.Handle(), buffer.data(), std::min<DWORD>(waiting, static_cast<DWORD>(buffer.size())), &got,
               nullptr);
      result.bytes += got;
      result.lines += std::count(buffer.data(), buffer.data() + got, '\n');
    } else if (!IsProcessHandleAlive(child.Process.Get())) {
      PeekNamedPipe(output.Handle(), nullptr, 0, nullptr, &waiting, nullptr);
      if (waiting == 0) break;
    } else {
      Sleep(0);
    }
  }
  result.seconds = Now() - start;
  return result;
}

int LinesBenchmark(DWORD pipeSize) {
  const long count = 100000;
  std::printf("pipe buffer %lu bytes\n", pipeSize);
  std::vector<double> lineRates, rawRates;
  for (int round = 0; round < 7; ++round) {
    LinesResult raw = ReadRaw(count, pipeSize);
    LinesResult lines = ReadLines(count, pipeSize);
    if (raw.lines != count || lines.lines != count || raw.bytes != lines.bytes) {
      std::printf("round %d: lines %ld (raw %ld), bytes %llu (raw %llu): MISMATCH\n", round, lines.lines, raw.lines,
                  lines.bytes, raw.bytes);
      return 1;
    }
    rawRates.push_back(count / raw.seconds);
    lineRates.push_back(count / lines.seconds);
    std::printf("round %d: ReadLine %.0f lines/s, plain ReadFile %.0f lines/s\n", round, lineRates.back(),
                rawRates.back());
  }
  double lineRate = Median(lineRates), rawRate = Median(rawRates);
  std::printf("median: ReadLine %.0f lines/s, plain ReadFile %.0f lines/s, ratio %.2f\n", lineRate, rawRate,
              lineRate / rawRate);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string which = argc > 1 ? argv[1] : "all";
  int failed = 0;
  DWORD pipeSize = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 65536;
  if (which == "all" || which == "lines") failed |= LinesBenchmark(pipeSize);
  if (which == "all" || which == "find") failed |= FindBenchmark();
  return failed;
}
