// Process operations on real child processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "UtilsTestSupport.h"
#include "core/EngineCommand.h"
#include "core/TextUtils.h"
#include "win/utils/Utils.h"
// After windows.h, which they need.
#include <psapi.h>
#include <winternl.h>

#include <cstring>

using namespace Utils;
using UtilsTest::ChildPath;
using UtilsTest::SendLine;
using UtilsTest::ScratchFolder;
using UtilsTest::WaitFor;

namespace {

// A child in "echo" mode on two pipes of its own.
struct EchoChild {
  explicit EchoChild(const std::string& path)
      : Child(StartChildProcess(path, "echo", false, Input.OtherEndHandle(), Output.OtherEndHandle(),
                                Output.OtherEndHandle())) {}
  ~EchoChild() {
    if (Alive()) Quit();
  }
  bool Alive() const { return IsProcessHandleAlive(Child.Process.Get()); }
  void Quit() {
    SendLine(Input, "quit");
    WaitFor([&] { return !Alive(); });
  }
  // The next line it wrote, waiting for it.
  std::string NextLine() {
    std::string line;
    WaitFor([&] { return Output.ReadLine(line); });
    return line;
  }

  TPipeStream Input{PipeWriteEnd, 65536};
  TPipeStream Output{PipeReadEnd, 65536};
  TStartedProcess Child;
};

// Starts the child with its standard output and error on the pipe and waits for its end.
bool RunToEnd(const std::string& path, const std::string& arguments, bool showConsole, TPipeStream& output) {
  TStartedProcess child =
      StartChildProcess(path, arguments, showConsole, nullptr, output.OtherEndHandle(), output.OtherEndHandle());
  return child.Id != 0 && WaitFor([&] { return !IsProcessHandleAlive(child.Process.Get()); });
}

TEST(Processes, APathWithBlanksIsQuoted) {
  // Unquoted, "<scratch>\decoy dir\utils child.exe" would run <scratch>\decoy.exe.
  ScratchFolder scratch("tessaron-start");
  const std::string program = scratch.Path + "decoy dir\\utils child.exe";
  ASSERT_TRUE(CreateDirectoryA((scratch.Path + "decoy dir").c_str(), nullptr));
  ASSERT_TRUE(CopyFileA(ChildPath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(ChildPath().c_str(), (scratch.Path + "decoy.exe").c_str(), FALSE));

  TPipeStream output(PipeReadEnd, 65536);
  ASSERT_TRUE(RunToEnd(program, "whoami first \"second arg\"", false, output));
  std::string exe, args, startup, line;
  ASSERT_TRUE(output.ReadLine(exe));
  ASSERT_TRUE(output.ReadLine(args));
  ASSERT_TRUE(output.ReadLine(startup));
  ASSERT_TRUE(output.ReadLine(line));
  EXPECT_TRUE(core::SameTextAZ(exe, "exe:" + program)) << exe;
  EXPECT_EQ(args, "args:first|second arg");
  EXPECT_EQ(line, "line:\"" + program + "\" whoami first \"second arg\"");
}

TEST(Processes, TheEngineArgumentsReachTheChildWhole) {
  TPipeStream output(PipeReadEnd, 65536);
  const std::string arguments = core::EngineArguments(false, 'd', "E:\\Updates\\2.3.1\\");
  ASSERT_TRUE(RunToEnd(ChildPath(), "whoami " + arguments, false, output));
  std::string exe, args;
  ASSERT_TRUE(output.ReadLine(exe));
  ASSERT_TRUE(output.ReadLine(args));
  EXPECT_EQ(args, "args:-zukgui|-product|tessaron|-snapshotlocation|D:|-dir|E:\\Updates\\2.3.1");
}

TEST(Processes, TheConsoleIsHiddenOrMinimisedAndTheHandlesArePassed) {
  for (const bool showConsole : {false, true}) {
    TPipeStream output(PipeReadEnd, 65536);
    ASSERT_TRUE(RunToEnd(ChildPath(), "whoami", showConsole, output));
    std::string exe, args, startup;
    ASSERT_TRUE(output.ReadLine(exe));
    ASSERT_TRUE(output.ReadLine(args));
    ASSERT_TRUE(output.ReadLine(startup));
    EXPECT_EQ(startup, showConsole ? "show:2 flags:257" : "show:0 flags:257");
  }
}

TEST(Processes, FoundByExeNameInAnyCaseAndNotOnceEnded) {
  ScratchFolder scratch("tessaron-find");
  const std::string exe = "Tessaron_Find_" + std::to_string(GetCurrentProcessId()) + ".exe";
  ASSERT_TRUE(CopyFileA(ChildPath().c_str(), (scratch.Path + exe).c_str(), FALSE));
  EXPECT_EQ(FindProcessByExeName(exe), 0u);

  EchoChild child(scratch.Path + exe);
  ASSERT_NE(child.Child.Id, 0u);
  SendLine(child.Input, "ready?");
  ASSERT_EQ(child.NextLine(), "got:ready?");

  EXPECT_EQ(FindProcessByExeName(exe), child.Child.Id);
  EXPECT_EQ(FindProcessByExeName(core::UpperAZ(exe)), child.Child.Id);
  EXPECT_EQ(FindProcessByExeName(core::LowerAZ(exe)), child.Child.Id);
  std::string otherPunctuation = exe;
  std::replace(otherPunctuation.begin(), otherPunctuation.end(), '_', '-');
  EXPECT_EQ(FindProcessByExeName(otherPunctuation), 0u) << "only a-z are folded";
  EXPECT_EQ(FindProcessByExeName(exe.substr(1)), 0u);
  EXPECT_EQ(FindProcessByExeName(scratch.Path + exe), 0u) << "a base name, not a path";

  child.Quit();
  ASSERT_FALSE(child.Alive());
  EXPECT_EQ(FindProcessByExeName(exe), 0u) << "ended, while this test still holds a handle to it";
}

TEST(Processes, FoundByExeNameWhenItsModulesCannotBeRead) {
  // A process created suspended has not loaded its modules yet: like an
  // engine of another account, it cannot be named from its module list.
  ScratchFolder scratch("tessaron-suspended");
  const std::string exe = "Tessaron_Suspended_" + std::to_string(GetCurrentProcessId()) + ".exe";
  std::string path = scratch.Path + exe;
  ASSERT_TRUE(CopyFileA(ChildPath().c_str(), path.c_str(), FALSE));
  std::string commandLine = "\"" + path + "\" echo";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                             CREATE_SUSPENDED | CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &created));
  ScopedHandle process(created.hProcess), thread(created.hThread);
  HMODULE first = nullptr;
  DWORD needed = 0;
  EXPECT_FALSE(EnumProcessModules(process.Get(), &first, sizeof first, &needed) && needed != 0)
      << "its modules are readable after all";
  EXPECT_EQ(FindProcessByExeName(exe), created.dwProcessId);
  TerminateProcess(process.Get(), 0);
  ASSERT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
  EXPECT_EQ(FindProcessByExeName(exe), 0u);
}

}  // namespace

TEST(Processes, AChildInheritsItsStandardHandlesAndNothingElse) {
  // An inheritable handle of this process that the child is not given.
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  ScopedHandle event(CreateEventA(&inheritable, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const std::string arguments = "signal " + std::to_string(reinterpret_cast<UINT_PTR>(event.Get()));

  TPipeStream output(PipeReadEnd, 65536);
  TStartedProcess child =
      StartChildProcess(ChildPath(), arguments, false, nullptr, output.OtherEndHandle(), output.OtherEndHandle());
  ASSERT_NE(child.Id, 0u);
  ASSERT_EQ(WaitForSingleObject(child.Process.Get(), 20000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the child got the event";

  // The same child started the plain way does reach it, so the check above can fail.
  std::string commandLine = "\"" + ChildPath() + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &created));
  ScopedHandle process(created.hProcess), thread(created.hThread);
  ASSERT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.Get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST(Processes, AKeptHandleFollowsTheChildToItsEnd) {
  EXPECT_FALSE(IsProcessHandleAlive(nullptr));
  TPipeStream input(PipeWriteEnd, 65536);
  TPipeStream output(PipeReadEnd, 65536);
  TStartedProcess child =
      StartChildProcess(ChildPath(), "echo", false, input.OtherEndHandle(), output.OtherEndHandle(), nullptr);
  ASSERT_NE(child.Id, 0u);
  EXPECT_TRUE(IsProcessHandleAlive(child.Process.Get()));
  SendLine(input, "quit");
  EXPECT_TRUE(WaitFor([&] { return !IsProcessHandleAlive(child.Process.Get()); }));

  TStartedProcess missing = StartChildProcess("C:\\no such folder\\x.exe", "", false, nullptr, nullptr, nullptr);
  EXPECT_EQ(missing.Id, 0u);
  EXPECT_FALSE(missing.Process);
}

TEST(Processes, TheWholeProcessListIsSearchedAndAnUnreadableOneIsAnError) {
  // 3000 records whose last one is the engine: no cap on the entries examined.
  static const std::wstring other = L"C:\\Windows\\svchost.exe";
  static const std::wstring engine = L"D:\\Media\\ZUK.EXE";
  const auto fill = [](void* buffer, ULONG size, ULONG* needed) -> LONG {
    constexpr ULONG count = 3000;
    const ULONG record = static_cast<ULONG>((sizeof(SYSTEM_PROCESS_INFORMATION) + 7) / 8 * 8);
    *needed = count * record;
    if (size < *needed) return static_cast<LONG>(0xC0000004L);  // length mismatch: asked again, larger
    std::memset(buffer, 0, *needed);
    for (ULONG i = 0; i < count; ++i) {
      auto* entry = reinterpret_cast<SYSTEM_PROCESS_INFORMATION*>(static_cast<char*>(buffer) + i * record);
      const std::wstring& name = i + 1 == count ? engine : other;
      entry->NextEntryOffset = i + 1 == count ? 0 : record;
      entry->ImageName.Buffer = const_cast<wchar_t*>(name.c_str());
      entry->ImageName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
      entry->UniqueProcessId = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(4 * (i + 1)));
    }
    return 0;
  };
  EXPECT_EQ(FindProcessInList(fill, "zuk.exe"), 12000u);
  EXPECT_EQ(FindProcessInList(fill, "other.exe"), 0u);

  const auto denied = [](void*, ULONG, ULONG*) -> LONG { return static_cast<LONG>(0xC0000022L); };
  EXPECT_THROW(FindProcessInList(denied, "zuk.exe"), EInOutError);
}
