// Installing and starting the engine, and following it until the run has ended.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "RunSupport.h"
#include "win/SystemText.h"
#include "win/utils/Files.h"

namespace runtest {
namespace {

const std::string kFailed = "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step ";
const std::string kGenericError = "The program can not continue because of a configuration or system problem.";

bool ReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The error text of a failed copy or start: the system's message for the code, as Wine words it.
// The completion page shows it with CR LF pairs for the CRs.
std::string LaunchErrorText(const std::string& codeAndMessage, const std::vector<std::string>& paths,
                            const std::string& gap = "\r\r") {
  std::string text = kGenericError + gap + codeAndMessage + ":";
  for (const auto& path : paths) text += gap + path;
  return text;
}

TEST_F(RunTest, InstallFileCopiesIntoTheSupportBinFolderUnlessItIsThere) {
  const std::string source = media.Path + "zuk.exe";
  const std::string target = form->HomeFolder + "\\OrvoZelmo\\support\\bin\\zuk.exe";
  // From read-only media: the copy must not stay read-only, and the folders are made.
  ASSERT_TRUE(WriteBytes(source, "engine 2"));
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
  form->InstallFile("zuk.exe");
  EXPECT_EQ(ReadBytes(target), "engine 2");
  EXPECT_FALSE(ReadOnly(target));
  EXPECT_EQ(form->txtCurrentStep->Caption(), "Updating " + target);
  EXPECT_EQ(form->Run.CurrentStep, "Updating " + target);

  // A read-only older copy is replaced.
  SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(WriteBytes(source, "engine 3"));
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
  form->InstallFile("zuk.exe");
  EXPECT_EQ(ReadBytes(target), "engine 3");
  EXPECT_FALSE(ReadOnly(target));

  // Started from the support bin folder itself (written differently): nothing is copied, the step line stays.
  form->AppFolder = home.Path + "ORVOZELMO\\Support\\x\\..\\BIN\\";
  ASSERT_TRUE(WriteBytes(target, "the running copy"));
  form->txtCurrentStep->SetCaption("before");
  form->InstallFile("zuk.exe");
  EXPECT_EQ(ReadBytes(target), "the running copy");
  EXPECT_EQ(form->txtCurrentStep->Caption(), "before");

  // A failed copy leaves the platform's error for the caller; the folders are made all the same.
  SetLastError(0);
  EXPECT_FALSE(TLauncherForm::CopyFileOver(media.Path + "none.exe", home.Path + "a\\b\\none.exe"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(GetFileAttributesA((home.Path + "a\\b").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RunTest, AFailedCopyIsReportedAndEndsTheRunAtTheNextTick) {
  for (const bool locked : {false, true}) {
    SCOPED_TRACE(locked ? "target in use" : "target is a folder");
    const std::string reason = locked ? "[32] Sharing violation" : "[5] Access denied";
    const std::string boxText =
        locked ? "System Error.  Code: 32.\r\nSharing violation." : "System Error.  Code: 5.\r\nAccess denied.";
    NewForm();
    const std::string source = media.Path + "zuk.exe";
    const std::string bin = form->HomeFolder + "\\OrvoZelmo\\support\\bin\\";
    const std::string target = bin + "zuk.exe";
    ASSERT_TRUE(WriteBytes(source, "engine"));
    RemoveTree(bin);
    HANDLE inUse = INVALID_HANDLE_VALUE;
    if (locked) {
      CreateDirectoryA((form->HomeFolder + "\\OrvoZelmo").c_str(), nullptr);
      CreateDirectoryA((form->HomeFolder + "\\OrvoZelmo\\support").c_str(), nullptr);
      CreateDirectoryA(bin.c_str(), nullptr);
      ASSERT_TRUE(WriteBytes(target, "old engine"));
      inUse = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
    } else {
      ASSERT_TRUE(MakeFolders(target));
    }
    boxes.Boxes.clear();
    DeleteRunLogs();
    // An interactive run writes its result at the wind-up too.
    form->Switches.ResultFile = media.Path + "result.json";

    // As the message loop runs the progress page's entry: an error is shown in the default error box.
    form->PageControl1->SetActivePageIndex(5);
    ui::Guarded([&] { form->EnterPage(); });

    EXPECT_EQ(form->Run.ErrorText, LaunchErrorText(reason, {source, target}));
    boxes.ExpectOnly(boxText, ui::App().Title(), static_cast<unsigned>(MB_OK | MB_ICONHAND));
    EXPECT_EQ(Page(), 5);
    EXPECT_TRUE(form->Engine.EngineStartPending);
    EXPECT_FALSE(form->Engine.EngineRunning);
    EXPECT_EQ(form->Engine.EngineProcessId, 0u);
    EXPECT_FALSE(form->btNext->Visible());
    EXPECT_TRUE(form->btExit->Visible());
    EXPECT_FALSE(form->btExit->Enabled());

    EXPECT_TRUE(testui::PumpUntil([&] { return Page() == 6; }));
    if (inUse != INVALID_HANDLE_VALUE) CloseHandle(inUse);
    EXPECT_FALSE(form->Engine.EngineStartPending);
    const std::string status = kFailed + " :\"Updating " + target + "\", with the following message:\r\n\r\n" +
                               LaunchErrorText(reason, {source, target}, "\r\n\r\n");
    EXPECT_EQ(form->txtCompletionStatusInfo->Caption(), status);
    EXPECT_EQ(OnlyLog(), status + kSeparator);
    EXPECT_TRUE(form->btExit->Enabled());
    const nlohmann::json result = nlohmann::json::parse(ReadBytes(media.Path + "result.json"));
    EXPECT_EQ(result["outcome"], "failed");
    EXPECT_EQ(result["reason"], "copy-failed");
    EXPECT_EQ(result["exitCode"], 0);
    EXPECT_EQ(result["log"], RunLogs().at(0));
  }
}

TEST_F(RunTest, TheEngineGetsItsCommandLineAndTheOtherEndsOfThePipes) {
  struct Case {
    bool noSnapshot;
    char drive;
    std::string folder;     // as typed
    std::string subfolder;  // of the media folder the wizard runs from
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {true, 0, "D:\\setup\\", "", {"-zukgui", "-product", "tessaron", "-nosnapshot", "-dir", "D:\\setup"}},
      {false, 'C', "D:\\", "", {"-zukgui", "-product", "tessaron", "-snapshotlocation", "C:", "-dir", "D:\\."}},
      {true,
       0,
       "C:\\Update Files",
       "Wizard Media\\",
       {"-zukgui", "-product", "tessaron", "-nosnapshot", "-dir", "C:\\Update Files"}},
  };
  const std::string argsFile = media.Path + "args.txt";
  SetEnvironmentVariableA("ZUK_ARGS_FILE", argsFile.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    NewForm();
    InstallEngine("print hello\nraw bye\n");
    form->AppFolder = media.Path + c.subfolder;
    CreateDirectoryA(form->AppFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(EnginePath().c_str(), (form->AppFolder + "zuk.exe").c_str(), FALSE));
    form->NoSnapshot = c.noSnapshot;
    form->edUpdateFilesPath->SetText(c.folder);
    if (c.drive) form->cbSnapshotDrive->SetDrive(c.drive);
    if (c.drive) {
      ASSERT_EQ(form->cbSnapshotDrive->Drive(), c.drive);
    }
    DeleteFileA(argsFile.c_str());

    RunToCompletion();

    const std::string engine = form->AppFolder + "zuk.exe";
    std::string expected = "\"" + engine + "\"";
    for (const auto& argument : c.arguments)
      expected += " " + (argument.find(':') != std::string::npos ? "\"" + argument + "\"" : argument);
    expected += "\n" + engine + "\n";
    for (const auto& argument : c.arguments) expected += argument + "\n";
    EXPECT_EQ(ReadBytes(argsFile), expected);
    EXPECT_NE(form->Engine.EngineProcessId, 0u);
    EXPECT_FALSE(form->Engine.EngineRunning);
    EXPECT_EQ(Page(), 6);
    // Its output came through the pipe, the last unterminated line included.
    EXPECT_EQ(form->OutputBuffer, "\r\nhello\r\nbye");
    EXPECT_EQ(form->Run.CurrentStep, "Initializing");
  }
}

// A drive alone is its root; a relative folder is resolved once, when its page accepts it, whatever the current
// folder is when the engine starts.
TEST_F(RunTest, TheEngineGetsTheFolderItsPageAcceptedAsOneFullPath) {
  Utils::CurrentDirectoryKeeper keep;
  ASSERT_TRUE(CreateDirectoryA((media.Path + "Updates").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((media.Path + "Work").c_str(), nullptr));
  const std::string argsFile = media.Path + "args.txt";
  SetEnvironmentVariableA("ZUK_ARGS_FILE", argsFile.c_str());
  struct Case {
    std::string typed, accepted, handedOn;
  };
  const Case cases[] = {{"C:", "C:\\", "C:\\."}, {"..\\Updates", media.Path + "Updates", media.Path + "Updates"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    NewForm();
    InstallEngine("print hello\n");
    form->NoSnapshot = true;
    ASSERT_TRUE(SetCurrentDirectoryA((media.Path + "Work").c_str()));
    form->PageControl1->SetActivePageIndex(1);
    form->edUpdateFilesPath->SetText(c.typed);
    ASSERT_TRUE(form->ValidatePage());
    EXPECT_EQ(form->edUpdateFilesPath->Text(), c.accepted);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    DeleteFileA(argsFile.c_str());
    RunToCompletion();
    const std::string arguments = ReadBytes(argsFile);
    const std::string end = "\n-dir\n" + c.handedOn + "\n";
    EXPECT_EQ(arguments.substr(arguments.size() - std::min(arguments.size(), end.size())), end) << arguments;
    EXPECT_TRUE(boxes.Boxes.empty());
  }
}

TEST_F(RunTest, AnEngineThatCannotStartEndsTheRunAsFailedWithTheReason) {
  // The engine vanished from the media folder after the checks.
  form->Switches.ResultFile = media.Path + "result.json";
  RunToCompletion();
  EXPECT_EQ(form->Engine.EngineProcessId, 0u);
  EXPECT_EQ(Page(), 6);
  EXPECT_EQ(form->Run.ErrorText, LaunchErrorText("[2] File not found", {media.Path + "zuk.exe"}));
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(),
            kFailed + " :\"Initializing\", with the following message:\r\n\r\n" +
                LaunchErrorText("[2] File not found", {media.Path + "zuk.exe"}, "\r\n\r\n"));
  EXPECT_TRUE(boxes.Boxes.empty());
  const nlohmann::json result = nlohmann::json::parse(ReadBytes(media.Path + "result.json"));
  EXPECT_EQ(result["reason"], "engine-start-failed");
  EXPECT_TRUE(result["engine"].is_null());
}

TEST_F(RunTest, AnEngineFileOfAnotherFormatIsNamedInTheReason) {
  // The system's text for this code has an insert for the file: it names the engine, or nothing is left of it.
  const std::string engine = media.Path + "zuk.exe";
  ASSERT_TRUE(WriteBytes(engine, "not a program\r\n"));
  RunToCompletion();
  EXPECT_EQ(form->Engine.EngineProcessId, 0u);
  EXPECT_EQ(form->Run.ErrorText, LaunchErrorText("[193] Bad EXE format for " + engine, {engine}));
  EXPECT_EQ(win::SystemErrorMessage(ERROR_BAD_EXE_FORMAT), "Bad EXE format for");
  EXPECT_EQ(win::SystemErrorMessage(ERROR_FILE_NOT_FOUND, engine), "File not found");
}

TEST_F(RunTest, ClosingIsRefusedWhileTheEngineRunsAndTheRebootReminderComesOnceOnExit) {
  InstallEngine("print [PARAM]:NEED_REBOOT\nsleep 300\nprint [Result]:done\n");
  // Reaches the window while the run waits for the engine.
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  RunToCompletion();
  boxes.ExpectOnly(
      "The update utility engine (zuk.exe) is still running. Please let it finish the update before closing "
      "the application.",
      "Information", 0u);
  EXPECT_FALSE(ui::App().Terminated());
  EXPECT_EQ(Page(), 6);
  EXPECT_TRUE(form->Run.NeedReboot);

  boxes.Boxes.clear();
  form->btExit->Click();
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text,
            "The update process has determined that a server reboot is necessary.\r\r"
            "1. Please ensure that no other server upgrades are depending on this server or any of its shares.\r\r"
            "2. After making sure, please reboot this server.\r");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Information");
  EXPECT_TRUE(ui::App().Terminated());
}

TEST_F(RunTest, AnEngineThatReadsItsInputEndsAndOneThatDiesInItsLastLineFails) {
  // The engine finds the end of its input at once instead of waiting for a line nobody sends. Should it wait all
  // the same, it is ended after a minute, so that this test fails instead of hanging.
  InstallEngine("readline\nprint read nothing\nexit 5\n");
  HANDLE runEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread watchdog([&] {
    if (WaitForSingleObject(runEnded, 60000) == WAIT_OBJECT_0) return;
    HANDLE engine = OpenProcess(PROCESS_TERMINATE, FALSE, Utils::FindProcessByExeName("zuk.exe"));
    if (engine) TerminateProcess(engine, 99);
    if (engine) CloseHandle(engine);
  });
  RunToCompletion();
  SetEvent(runEnded);
  watchdog.join();
  CloseHandle(runEnded);
  EXPECT_EQ(form->OutputBuffer, "\r\nread nothing");
  EXPECT_EQ(form->Engine.EngineExitCode, std::optional<uint32_t>(5));

  // A complete 100 % and the start of a result line, then a crash: the rest is output, never a result.
  NewForm();
  DeleteRunLogs();
  form->Switches.Unattended = true;
  InstallEngine("print [SECTION]:A\nprint [STATUS]:S,Done,100\nraw [Result]:Upd\ncrash\n");
  RunToCompletion();
  EXPECT_EQ(Page(), 6);
  EXPECT_EQ(form->Engine.EngineExitCode, std::optional<uint32_t>(3));
  EXPECT_EQ(form->Run.ResultText, "");
  EXPECT_EQ(form->Run.ProgressDetails, "[Result]:Upd");
  EXPECT_EQ(form->OutputBuffer, "\r\n[SECTION]:A\r\n[STATUS]:S,Done,100\r\n[Result]:Upd");
  EXPECT_EQ(OnlyLog().substr(0, kFailed.size()), kFailed);
  EXPECT_EQ(form->ExitCode(), 1603);
}

TEST_F(RunTest, AnEngineFoundRunningJustBeforeTheStartIsNotJoinedByASecondOne) {
  // Another engine, started after the pre-flight checks, held until its release file exists.
  UtilsTest::ScratchFolder other{"other-engine"};
  ASSERT_TRUE(CopyFileA(EnginePath().c_str(), (other.Path + "zuk.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteBytes(other.Path + "zuk.scenario", "await go\n"));  // in its current folder
  // The scenario file beside it is read only when no scenario is named.
  SetEnvironmentVariableA("ZUK_SCENARIO", nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION running{};
  std::string commandLine = other.Path + "zuk.exe";
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                             other.Path.c_str(), &startup, &running));

  InstallEngine("print should not run\n");
  const std::string argsFile = media.Path + "args.txt";
  SetEnvironmentVariableA("ZUK_ARGS_FILE", argsFile.c_str());
  form->Switches.Unattended = true;
  RunToCompletion();
  const std::string message =
      "Cannot start an update at this time, because a copy of the update utility engine (zuk.exe) is already "
      "running.";
  EXPECT_EQ(form->Engine.EngineProcessId, 0u);
  EXPECT_EQ(GetFileAttributesA(argsFile.c_str()), INVALID_FILE_ATTRIBUTES) << "a second engine was started";
  EXPECT_EQ(Page(), 6);
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(),
            kFailed + " :\"Initializing\", with the following message:\r\n\r\n" + message);
  EXPECT_EQ(form->ExitCode(), 1618);

  EXPECT_TRUE(WriteBytes(other.Path + "go", ""));
  if (WaitForSingleObject(running.hProcess, 20000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the other engine did not end";
    TerminateProcess(running.hProcess, 1);
  }
  CloseHandle(running.hThread);
  CloseHandle(running.hProcess);
}

TEST_F(RunTest, AChattyEngineIsFollowedLineByLine) {
  // Far more than the pipe holds: the engine waits whenever the wizard falls behind, and at one line per pass
  // this run would take hours.
  InstallEngine(
      "repeat 20000 [Error]:e{i}\n"
      "repeat 30000 detail {i}\n"
      "print [SECTION]:A\n"
      "print [SECTION]:B\n"
      "print [STATUS]:S,Done,100\n"
      "print [Result]:ok\n");
  RunToCompletion();
  // Every error line was taken: the first ones up to 32 KiB (e1 to e5645, 32,763 bytes with their CRs), the last
  // ones up to 32 KiB (e15320 to e20000, 7 bytes each), and the count of those between.
  std::string head;
  for (int i = 1; i <= 5645; ++i) head += "\re" + std::to_string(i);
  EXPECT_TRUE(form->Run.ErrorText == head) << form->Run.ErrorText.size() << " characters of errors";
  EXPECT_EQ(form->Run.ErrorsLeftOut, 9674u);
  ASSERT_EQ(form->Run.LaterErrors.size(), 4681u);
  EXPECT_EQ(form->Run.LaterErrors.front(), "\re15320");
  EXPECT_EQ(form->Run.LaterErrors.back(), "\re20000");
  EXPECT_EQ(form->Run.ProgressDetails, "detail 30000");
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(),
            "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.3.1.2.");
  const std::string tail = "\r\ndetail 30000\r\n[SECTION]:A\r\n[SECTION]:B\r\n[STATUS]:S,Done,100\r\n[Result]:ok";
  ASSERT_GE(form->OutputBuffer.size(), tail.size());
  EXPECT_EQ(form->OutputBuffer.substr(form->OutputBuffer.size() - tail.size()), tail);
}

}  // namespace
}  // namespace runtest
