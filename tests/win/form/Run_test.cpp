// The engine's output on the progress page, the end of a run, the completion page and the run log.
#include <cstdio>
#include <string>
#include <vector>

#include "RunSupport.h"

namespace runtest {
namespace {

const std::string kSuccess = "Congratulations!\r\n\r\nYou have successfully upgraded this server to 2.3.1.2.";
const std::string kFailed = "Error!  Please call the Orvo Response Center.\r\n\r\nInstallation failed in step ";

TEST_F(RunTest, TheExampleRunMovesTheProgressPage) {
  std::vector<std::string> titles, sections, steps;
  std::vector<int> positions;
  RunLineByLine(kExampleRunLines, [&](size_t line) {
    if (line < 6) {
      titles.push_back(form->lbProgressTitle->Caption());
      positions.push_back(form->sbarProgress->Position());
      sections.push_back(form->lbCurrentStepTitle->Caption());
      steps.push_back(form->txtCurrentStep->Caption());
      EXPECT_TRUE(form->Run.ResultText.empty());
      return;
    }
    EXPECT_EQ(form->Run.ResultText, "OK");
    EXPECT_EQ(form->Run.SectionPercent, 100);
    EXPECT_EQ(form->Run.SectionIndex, 1);
    EXPECT_EQ(form->Run.CurrentSection, "B");
    EXPECT_EQ(form->Run.StatusStep, "U9");
    EXPECT_EQ(form->Run.CurrentStep, "Done");
  });
  EXPECT_EQ(titles, (std::vector<std::string>{"Progress 0%", "Progress 25%", "Progress 50%", "Progress 50%",
                                              "Progress 73%", "Progress 100%"}));
  EXPECT_EQ(positions, (std::vector<int>{0, 50, 100, 100, 145, 200}));
  EXPECT_EQ(sections, (std::vector<std::string>{"A", "A", "A", "B", "B", "B"}));
  EXPECT_EQ(steps, (std::vector<std::string>{"Initializing", "Copying files", "Copying files", "Initializing",
                                             "Updating", "Done"}));
  EXPECT_EQ(Page(), 6);
  EXPECT_EQ(form->OutputBuffer,
            "\r\n[SECTION]:A\r\n[STATUS]:S1,Copying files,50\r\n[STATUS]:S1,Copying files,100\r\n"
            "[SECTION]:B\r\n[STATUS]:U7,Updating,45\r\n[STATUS]:U9,Done,100\r\n[Result]:OK");
}

TEST_F(RunTest, DetailsErrorsAndTheRebootRequestReachTheirPlaces) {
  // Every line end the engine may use; lower-case tags and indented tags are details.
  std::vector<std::string> details;
  RunLineByLine({"  Copying a.dll  \n", "[Error]: disk full \r", "[PARAM]:X=NEED_REBOOT;Y\r\n", "[error]:not a tag\r\n",
                 "\r\n", "[Error]:gave up\r\n", "[STATUS]:S1,Step,30\r\n"},
                [&](size_t line) {
                  details.push_back(form->txtProgressDetails->Caption());
                  if (line < 6) return;
                  EXPECT_EQ(form->Run.ProgressDetails, "[error]:not a tag");
                  EXPECT_EQ(form->Run.ErrorText, "\rdisk full\rgave up");
                  EXPECT_TRUE(form->Run.NeedReboot);
                  // Before any section the bar stays at its start while the section's percentage is kept.
                  EXPECT_EQ(form->Run.SectionPercent, 30);
                  EXPECT_EQ(form->sbarProgress->Position(), 0);
                  EXPECT_EQ(form->lbProgressTitle->Caption(), "Progress 0%");
                });
  EXPECT_EQ(details, (std::vector<std::string>{"Copying a.dll", "Copying a.dll", "Copying a.dll", "[error]:not a tag",
                                               "[error]:not a tag", "[error]:not a tag", ""}));
  EXPECT_EQ(form->OutputBuffer,
            "\r\n  Copying a.dll  \r\n[Error]: disk full \r\n[PARAM]:X=NEED_REBOOT;Y\r\n[error]:not a tag\r\n"
            "\r\n[Error]:gave up\r\n[STATUS]:S1,Step,30");
}

TEST_F(RunTest, TheWindUpKeepsEveryWaitingLineAndEndsOnTheSuccessPage) {
  // Ticks before the run change nothing.
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Page(), 0);

  std::string output = Joined(kExampleRunLines);
  for (int i = 1; i <= 300; ++i) output += "checking file " + std::to_string(i) + "\r\n";
  // The engine's very last words carry no line end.
  output += "[Error]:late warning\r\nall done";
  Feed(output);
  EndRun();

  EXPECT_EQ(Page(), 6);
  EXPECT_FALSE(form->Engine.EngineRunning);
  EXPECT_FALSE(form->Engine.EngineStartPending);
  EXPECT_EQ(form->Run.ProgressDetails, "all done");
  EXPECT_EQ(form->Run.ErrorText, "\rlate warning");
  const std::string tail = "\r\nchecking file 300\r\n[Error]:late warning\r\nall done";
  ASSERT_GE(form->OutputBuffer.size(), tail.size());
  EXPECT_EQ(form->OutputBuffer.substr(form->OutputBuffer.size() - tail.size()), tail);

  // Errors do not count against a run that reached 100 % with a result.
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(), kSuccess);
  EXPECT_EQ(form->memZUKOutput->Text(), kSuccess + kSeparator + form->OutputBuffer);
  EXPECT_EQ(OnlyLog(), kSuccess + kSeparator + form->OutputBuffer);
  EXPECT_FALSE(form->btPrev->Visible());
  EXPECT_FALSE(form->btNext->Visible());
  EXPECT_TRUE(form->btExit->Visible());
  EXPECT_TRUE(form->btExit->Enabled());
  EXPECT_TRUE(boxes.Boxes.empty());

  // Ticks after the wind-up change nothing: no second completion, no second log.
  DeleteRunLogs();
  form->Timer1Timer(form->Timer1);
  EXPECT_EQ(Page(), 6);
  EXPECT_TRUE(RunLogs().empty());
}

TEST_F(RunTest, TheRunLogIsNamedAfterTheProgramAndTheMinuteItWasSaved) {
  // The month as the test prefix's English locale abbreviates it.
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  auto expectedName = [](const SYSTEMTIME& t) {
    const std::string own = OwnPath();
    char stamp[64];
    snprintf(stamp, sizeof stamp, ".%04d%s%02d_%02d_%02d.log", t.wYear, kMonths[t.wMonth - 1], t.wDay, t.wHour,
             t.wMinute);
    return own.substr(0, own.rfind('.')) + stamp;
  };
  SYSTEMTIME before, after;
  GetLocalTime(&before);
  Feed(Joined(kExampleRunLines));
  EndRun();
  GetLocalTime(&after);
  const auto logs = RunLogs();
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_TRUE(logs[0] == expectedName(before) || logs[0] == expectedName(after)) << logs[0];

  // The text as it is, also into a name of the caller's choice; where that folder does not exist, the log goes
  // beside the program under the name chosen.
  const std::string chosen = media.Path + "chosen.log";
  EXPECT_TRUE(form->SaveLog("a\r\nb", chosen));
  EXPECT_EQ(ReadBytes(chosen), "a\r\nb");
  const std::string fallback = OwnPath().substr(0, OwnPath().rfind('\\') + 1) + "x.log";
  DeleteFileA(fallback.c_str());
  EXPECT_TRUE(form->SaveLog("a\r\nb", media.Path + "missing\\x.log"));
  EXPECT_EQ(form->WrittenLogPath, fallback);
  EXPECT_EQ(ReadBytes(fallback), "a\r\nb");
  DeleteFileA(fallback.c_str());
}

TEST_F(RunTest, AFailedRunNamesItsStepAndItsErrorsOrElseTheOutput) {
  struct Case {
    const char* output;
    std::string status;  // the completion text; the log adds the separator and the output tail
  };
  const Case cases[] = {
      // Errors reported: they are the message.
      {"[SECTION]:A\r\n[STATUS]:S1 ,Copying files ,40\r\n[Error]:disk full\r\nretrying\r\n[Error]:gave up\r\n",
       kFailed + "A S1 :\"Copying files\", with the following message:\r\n\r\n\r\ndisk full\r\ngave up"},
      // No errors: the output tail is the message. 100 % without a result is no success.
      {"[SECTION]:A\r\n[STATUS]:S1,Copying files,100\r\nstopped\r\n",
       kFailed + "A S1:\"Copying files\", with the following message:\r\n\r\n"
                 "\r\n[SECTION]:A\r\n[STATUS]:S1,Copying files,100\r\nstopped"},
      // A result of blanks only is no result.
      {"[SECTION]:A\r\n[STATUS]:S1,Done,100\r\n[Result]:   \r\n",
       kFailed + "A S1:\"Done\", with the following message:\r\n\r\n"
                 "\r\n[SECTION]:A\r\n[STATUS]:S1,Done,100\r\n[Result]:   "},
      // An engine that printed nothing.
      {"", kFailed + " :\"\", with the following message:\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    NewForm();
    DeleteRunLogs();
    Feed(c.output);
    EndRun();
    EXPECT_EQ(Page(), 6);
    EXPECT_EQ(form->txtCompletionStatusInfo->Caption(), c.status);
    EXPECT_EQ(OnlyLog(), c.status + kSeparator + form->OutputBuffer);
    EXPECT_EQ(form->memZUKOutput->Text(), c.status + kSeparator + form->OutputBuffer);
  }
  EXPECT_TRUE(form->OutputBuffer.empty());
}

TEST_F(RunTest, LongLinesShowBrokenOnTheFailurePageAndWholeInTheLog) {
  Feed("[SECTION]:A\r\n[STATUS]:S1,Copying,40\r\n[Error]:" + std::string(600, 'x') + "\r\n[Error]:two words\r\n");
  EndRun();
  const std::string head = kFailed + "A S1:\"Copying\", with the following message:\r\n\r\n\r\n";
  EXPECT_EQ(form->txtCompletionStatusInfo->Caption(), head + std::string(256, 'x') + "\r\n" + std::string(256, 'x') +
                                                          "\r\n" + std::string(88, 'x') + "\r\ntwo words");
  const std::string whole = head + std::string(600, 'x') + "\r\ntwo words" + kSeparator + form->OutputBuffer;
  EXPECT_EQ(form->memZUKOutput->Text(), whole);
  EXPECT_EQ(OnlyLog(), whole);
}

TEST_F(RunTest, OnlyTheOutputTailReachesTheMemoAndTheLog) {
  std::string output;
  for (int i = 1; i <= 2000; ++i) output += "line " + std::to_string(10000 + i) + "\r\n";
  Feed(output);
  EndRun();
  const std::string& tail = form->OutputBuffer;
  EXPECT_GT(tail.size(), 4097u);
  EXPECT_LE(tail.size(), 8192u + 12u);
  EXPECT_EQ(tail.substr(tail.size() - 12), "\r\nline 12000");
  EXPECT_NE(output.find(tail.substr(2)), std::string::npos);
  const std::string status = form->txtCompletionStatusInfo->Caption();
  EXPECT_EQ(status, kFailed + " :\"\", with the following message:\r\n\r\n" + tail);
  EXPECT_EQ(OnlyLog(), status + kSeparator + tail);
}

}  // namespace
}  // namespace runtest
