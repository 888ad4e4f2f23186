#include "core/RunResult.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/RunLog.h"

namespace core {
namespace {

using nlohmann::json;

TEST(RunResult, AFinishedRunHasEveryKeyInUtf8) {
  RunResult result;
  result.Outcome = RunOutcome::UpdatedRestartNeeded;
  result.ExitCode = 3010;
  result.Message =
      "Alle Pr\xFC"
      "fungen \x80 \x93ok\x94";
  result.LevelBefore = "2.2.1";
  result.LevelAfter = "2.3.1.2";
  result.RestartNeeded = true;
  result.Packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk"};
  result.UpdatesFolder =
      "D:\\M\xE9"
      "dia";
  result.SnapshotDrive = 'D';
  result.Engine = EngineRecord{4242, 0u, "2026-12-09T06:48:05Z", "2026-12-09T06:50:00Z"};
  result.Started = IsoUtcText({2026, 12, 9, 6, 47, 59});
  result.Ended = "2026-12-09T06:50:01Z";
  result.Computer = "TSRV01";
  result.Version = "2.3.1.0";
  result.CommandLine = "Launcher.exe ~unattended";
  result.Log = "D:\\Logs\\srv.log";

  const std::string text = RunResultJson(result);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(static_cast<unsigned char>(text[0]), 0xEF);  // no byte-order mark
  const json j = json::parse(text);
  const json expected = json::parse(R"({
    "schema": 1, "outcome": "succeeded", "exitCode": 3010, "reason": "updated-restart-needed",
    "message": "Alle Prüfungen € “ok”", "levelBefore": "2.2.1", "levelAfter": "2.3.1.2", "restartNeeded": true,
    "packages": ["Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk"], "updatesFolder": "D:\\Média",
    "snapshotDrive": "D:",
    "engine": {"processId": 4242, "exitCode": 0, "started": "2026-12-09T06:48:05Z", "ended": "2026-12-09T06:50:00Z"},
    "started": "2026-12-09T06:47:59Z", "ended": "2026-12-09T06:50:01Z", "computer": "TSRV01", "version": "2.3.1.0",
    "commandLine": "Launcher.exe ~unattended", "log": "D:\\Logs\\srv.log"})");
  EXPECT_EQ(j, expected) << text;
}

TEST(RunResult, EventsAndOutputFileNames) {
  struct Case {
    RunOutcome outcome;
    uint32_t id;
    EventLevel level;
  };
  for (const Case& c :
       {Case{RunOutcome::Updated, 1000, EventLevel::Information},
        Case{RunOutcome::CheckPassed, 1000, EventLevel::Information},
        Case{RunOutcome::UpdatedRestartNeeded, 1001, EventLevel::Warning},
        Case{RunOutcome::CopyFailed, 1002, EventLevel::Error}, Case{RunOutcome::UpToDate, 1003, EventLevel::Warning},
        Case{RunOutcome::ClosedByHand, 1003, EventLevel::Warning},
        Case{RunOutcome::BadSwitch, 1003, EventLevel::Error}}) {
    SCOPED_TRACE(std::string(ReasonKey(c.outcome)));
    EXPECT_EQ(OutcomeEventOf(c.outcome).Id, c.id);
    EXPECT_EQ(OutcomeEventOf(c.outcome).Level, c.level);
  }

  EXPECT_EQ(OutputLogName("C:\\Media\\Launcher.2026Dec09_06_48.log"), "C:\\Media\\Launcher.2026Dec09_06_48.output.log");
  EXPECT_EQ(OutputLogName("D:\\x\\srv.log"), "D:\\x\\srv.output.log");
  EXPECT_EQ(OutputLogName("D:\\x.y\\srv"), "D:\\x.y\\srv.output");
  EXPECT_EQ(OutputLeftOutLine(3, 120, 1024),
            "** 3 more lines (120 bytes) left out: this file holds at most 1024 bytes **");
}

}  // namespace
}  // namespace core
