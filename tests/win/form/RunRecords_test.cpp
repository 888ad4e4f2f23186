// What a run leaves behind for those who were not there: the result file, the event record of its outcome, the log
// that was asked for; the answers an unattended run gives, and the help box.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "WizardSupport.h"
#include "win/SwitchHelp.h"
#include "win/utils/EventLog.h"

namespace {

using nlohmann::json;
using tessaron::testsupport::ReadBytes;
using wizardtest::ExtraDrives;
using wizardtest::WizardTest;

class RunRecordsTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    Utils::SetEventRecordWriter([this](const Utils::EventRecord& record) {
      events.push_back(record);
      return true;
    });
  }
  void TearDown() override {
    Utils::SetEventRecordWriter({});
    WizardTest::TearDown();
  }

  // A new window as the command line would make it: the switches are read and the records begin.
  void NewForm(const core::LaunchSwitches& switches) {
    form.reset();
    ui::App().ResetTerminated();
    form = std::make_unique<TLauncherForm>();
    form->Create();
    form->Switches = switches;
    form->BeginRunRecords();
  }
  json Result() const { return json::parse(ReadBytes(resultFile)); }

  std::vector<Utils::EventRecord> events;
  const std::string resultFile = scratch.Path + "result.json";
  const std::string logFile = scratch.Path + "srv 01.log";
};

TEST_F(RunRecordsTest, EachOutcomeLeavesItsResultAndItsEventRecord) {
  core::LaunchSwitches unattended;
  unattended.Unattended = true;
  unattended.ResultFile = resultFile;
  unattended.LogFile = logFile;
  struct Case {
    core::RunOutcome outcome;
    const char* outcomeKey;
    const char* reason;
    int exitCode;
    WORD type;
    DWORD eventId;
  };
  const Case cases[] = {
      {core::RunOutcome::CheckPassed, "succeeded", "check-passed", 0, EVENTLOG_INFORMATION_TYPE, 1000},
      {core::RunOutcome::UpdatedRestartNeeded, "succeeded", "updated-restart-needed", 3010, EVENTLOG_WARNING_TYPE,
       1001},
      {core::RunOutcome::CopyFailed, "failed", "copy-failed", 1603, EVENTLOG_ERROR_TYPE, 1002},
      {core::RunOutcome::UpToDate, "refused", "up-to-date", 1642, EVENTLOG_WARNING_TYPE, 1003},
      {core::RunOutcome::BadSwitch, "bad-switch", "bad-switch", 87, EVENTLOG_ERROR_TYPE, 1003},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    NewForm(unattended);
    EXPECT_EQ(Result()["outcome"], "running");
    events.clear();
    form->StopUnattendedRun(c.outcome,
                            "Ein Pr\xFC"
                            "ftext\rmit zwei Zeilen");
    const json result = Result();
    EXPECT_EQ(result["outcome"], c.outcomeKey);
    EXPECT_EQ(result["reason"], c.reason);
    EXPECT_EQ(result["exitCode"], c.exitCode);
    EXPECT_EQ(result["message"], "Ein Prüftext\r\nmit zwei Zeilen");
    EXPECT_EQ(result["levelBefore"], "2.2.1");
    EXPECT_EQ(result["levelAfter"], "2.2.1");
    EXPECT_EQ(result["log"], logFile);
    EXPECT_TRUE(result["engine"].is_null());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Source, "Tessaron Update Utility");
    EXPECT_EQ(events[0].Type, c.type);
    EXPECT_EQ(events[0].EventId, c.eventId);
    EXPECT_EQ(events[0].Strings, (std::vector<std::string>{c.outcomeKey, c.reason, std::to_string(c.exitCode), "2.2.1",
                                                           "2.2.1", logFile}));
  }

  // Closed before the end: the program's end records it, once.
  NewForm(unattended);
  events.clear();
  form->RecordEndOfProgram();
  form->RecordEndOfProgram();
  json result = Result();
  EXPECT_EQ(result["outcome"], "cancelled");
  EXPECT_EQ(result["reason"], "closed-by-hand");
  EXPECT_EQ(result["exitCode"], 1602);
  EXPECT_FALSE(result["ended"].is_null());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].EventId, 1003u);
  EXPECT_EQ(events[0].Strings[2], "1602");

  // In interactive use the result file is written at the end too, with the exit code the wizard ends with; only a
  // wind-up makes an event record.
  core::LaunchSwitches interactive;
  interactive.ResultFile = resultFile;
  NewForm(interactive);
  events.clear();
  form->RecordEndOfProgram();
  result = Result();
  EXPECT_EQ(result["outcome"], "cancelled");
  EXPECT_EQ(result["exitCode"], 0);
  EXPECT_TRUE(result["log"].is_null());
  EXPECT_TRUE(events.empty());
}

TEST_F(RunRecordsTest, AFileThatCannotBeWrittenIsABadSwitchAndAFailingLogFallsBackUnderItsName) {
  core::LaunchSwitches asked;
  struct Case {
    std::string path;
    std::string why;
  };
  const Case cases[] = {
      {scratch.Path + "missing\\srv.log", "names a folder that does not exist."},
      {scratch.Path + "Updates", "names a folder; it needs a file name."},
      {scratch.Path + "a|b.log", "names a file that cannot be written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    asked.LogFile = c.path;
    asked.ResultFile = c.path;
    NewForm(asked);
    EXPECT_EQ(form->Switches.Errors, (std::vector<std::string>{"The switch \"~log=" + c.path + "\" " + c.why,
                                                               "The switch \"~result=" + c.path + "\" " + c.why}));
    EXPECT_FALSE(form->Switches.LogFile);
    EXPECT_FALSE(form->Switches.ResultFile);
  }

  // A good name passes and leaves no file behind; the result file is there at once.
  asked.LogFile = logFile;
  asked.ResultFile = resultFile;
  asked.Unattended = true;
  NewForm(asked);
  EXPECT_TRUE(form->Switches.Errors.empty());
  EXPECT_EQ(GetFileAttributesA(logFile.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Result()["outcome"], "running");

  // The folder goes before the end: the log goes beside the wizard under the name asked for.
  const std::string gone = scratch.Path + "gone\\";
  ASSERT_TRUE(CreateDirectoryA(gone.c_str(), nullptr));
  asked.LogFile = gone + "srv 02.log";
  NewForm(asked);
  ASSERT_TRUE(form->Switches.Errors.empty());
  ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
  const std::string fallback = wizardtest::OwnFolder() + "srv 02.log";
  DeleteFileA(fallback.c_str());
  form->StopUnattendedRun(core::RunOutcome::MaintenanceModeOff, "Not in maintenance mode.");
  EXPECT_EQ(ReadBytes(fallback),
            "Not in maintenance mode.\r\n** output ******************************************\r\n");
  EXPECT_EQ(Result()["log"], fallback);
  DeleteFileA(fallback.c_str());
}

TEST_F(RunRecordsTest, AnUpdatesFolderOnNoFixedDriveIsAcceptedOnlyWhenTheSwitchSaysSo) {
  ExtraDrives drives;
  const char floppy = drives.Add(DRIVE_REMOVABLE);
  ASSERT_NE(floppy, 0);
  for (const bool accept : {true, false}) {
    SCOPED_TRACE(accept);
    core::LaunchSwitches switches;
    switches.Unattended = true;
    switches.AcceptNetworkFolder = accept;
    NewForm(switches);
    form->edUpdateFilesPath->SetText(std::string{floppy} + ":\\");
    form->EnterPage();
    for (int tick = 0; tick < 10 && !form->Outcome; ++tick) form->UnattendedTimerTimer(form->UnattendedTimer);
    // Accepted, the run goes on to the packages, of which the empty drive has none.
    EXPECT_EQ(form->Outcome, accept ? core::RunOutcome::NoPackage : core::RunOutcome::UpdatesFolderNotFixed);
  }
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(RunRecordsTest, TheHelpBoxIsShownWhenAskedForAndOnlyThen) {
  EXPECT_TRUE(ShowSwitchHelpIfAsked("\"C:\\Media\\Launcher.exe\" ~unattended /?"));
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Caption, "Tessaron Update Utility");
  EXPECT_EQ(boxes.Boxes[0].Flags, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Boxes[0].Text.find("Launcher.exe [switches]\r\r~unattended\tRun without asking anything"), 0u);
  EXPECT_NE(boxes.Boxes[0].Text.find("1642\tno package applies: the server is up to date\r"), std::string::npos);
  EXPECT_TRUE(ShowSwitchHelpIfAsked("Launcher.exe ~HELP"));
  EXPECT_FALSE(ShowSwitchHelpIfAsked("Launcher.exe ~unattended ~updates=C:\\Updates"));
  EXPECT_EQ(boxes.Boxes.size(), 2u);
}

}  // namespace
