// The end of a run under unlucky conditions: it still reaches the completion page and its log, and reports each
// failure once.
#include <cstdio>
#include <string>
#include <vector>

#include "RunSupport.h"

namespace runtest {
namespace {

const char* const kSucceeding =
    "print [SECTION]:A\n"
    "print [STATUS]:S,Copying,95\n"
    "print [SECTION]:B\n"
    "print [STATUS]:S,Done,100\n"
    "print [Result]:ok\n";

TEST_F(RunTest, AnUnreadableUpdateLevelStillEndsOnTheCompletionPageWithItsLog) {
  // The product's level left as a number: every read of it fails, during the run and at its end.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Orvo\\Zelmo\\Products\\Tessaron", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 4;
  ASSERT_EQ(RegSetValueExA(key, "UpdateLevel", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  RegCloseKey(key);

  InstallEngine(kSucceeding);
  RunToCompletion();
  EXPECT_EQ(form->PageControl1->ActivePageIndex(), 6);
  EXPECT_TRUE(form->btExit->Visible());
  EXPECT_TRUE(form->btExit->Enabled());
  const std::string status = "Congratulations!\r\n\r\nYou have successfully upgraded this server to .";
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(), status);
  EXPECT_EQ(OnlyLog().substr(0, status.size()), status);
  ASSERT_EQ(boxes.Boxes.size(), 1u) << "one report for one cause";
  EXPECT_EQ(boxes.Boxes[0].Text, "Invalid data type for 'UpdateLevel'");
  EXPECT_FALSE(form->EngineAlive());
}

TEST_F(RunTest, TheRestOfAnOverlongLineIsADetailAndTheErrorsKeptAreBounded) {
  std::string scenario = "raw " + std::string(65536, 'a') + "\nprint [Result]:OK\n";
  // 1000 messages of 127 characters: the first and the last 256 are kept, 488 are counted.
  for (int i = 0; i < 1000; ++i) {
    char number[8];
    std::snprintf(number, sizeof number, "E%04d", i);
    scenario += "print [Error]:" + std::string(number) + std::string(122, 'x') + "\n";
  }
  InstallEngine(scenario);
  RunToCompletion();
  ASSERT_EQ(Page(), 6);
  EXPECT_EQ(form->Run.ResultText, "");
  EXPECT_EQ(form->Run.ProgressDetails, "[Result]:OK");
  const std::string caption = form->txtCompletionStatusInfo->Caption();
  EXPECT_NE(caption.find("\r\nE0255" + std::string(122, 'x') + "\r\n[488 error messages left out]\r\nE0744"),
            std::string::npos);
  EXPECT_EQ(caption.substr(caption.size() - 7 - 122), "\r\nE0999" + std::string(122, 'x'));
}

TEST_F(RunTest, ASecondLogOfTheSameMinuteIsNumberedInsteadOfReplacingTheFirst) {
  std::vector<std::string> logs;
  // Two saves that straddle a minute's end get two plain names; try again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DeleteRunLogs();
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    ASSERT_TRUE(form->SaveLog("first run", ""));
    ASSERT_TRUE(form->SaveLog("second run", ""));
    GetLocalTime(&after);
    logs = RunLogs();
    if (before.wMinute == after.wMinute) break;
  }
  ASSERT_EQ(logs.size(), 2u);
  const std::string& first = logs[0].size() < logs[1].size() ? logs[0] : logs[1];
  const std::string& second = logs[0].size() < logs[1].size() ? logs[1] : logs[0];
  EXPECT_EQ(second, first.substr(0, first.size() - 4) + "_2.log");
  EXPECT_EQ(ReadBytes(first), "first run");
  EXPECT_EQ(ReadBytes(second), "second run");
}

TEST_F(RunTest, AWindowClosedBeforeTheWindUpStillGetsItsCompletionPageAndLog) {
  // A copy failed: its error has been shown, and the tick that would end the run has not come yet.
  const std::string target = form->HomeFolder + "\\OrvoZelmo\\support\\bin\\zuk.exe";
  ASSERT_TRUE(WriteBytes(media.Path + "zuk.exe", "engine"));
  ASSERT_TRUE(MakeFolders(target));  // a folder where the copy must go
  form->PageControl1->SetActivePageIndex(5);
  ui::Guarded([&] { form->EnterPage(); });
  ASSERT_TRUE(form->Engine.EngineStartPending);
  boxes.Boxes.clear();
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(form->PageControl1->ActivePageIndex(), 6);
  const std::string failed = "Error!  Please call the Orvo Response Center.";
  EXPECT_EQ(OnlyLog().substr(0, failed.size()), failed);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(RunTest, AnUnattendedRunClosedBeforeItsStartSaysSoInItsLogAndExitCode) {
  const std::string log = media.Path + "closed.log";
  form->Switches.Unattended = true;
  form->Switches.LogFile = log;
  form->PageControl1->SetActivePageIndex(4);
  SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(ui::App().Terminated());
  EXPECT_EQ(form->ExitCode(), 1602);
  EXPECT_EQ(ReadBytes(log), "The wizard was closed before the run came to its end." + kSeparator);
}

}  // namespace
}  // namespace runtest
