#include "core/EngineProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace core;

namespace {

// Progress page stand-in: the bar clamps like the real control, and every
// call is recorded so that the order of the updates can be checked.
class FakeView : public EngineView {
 public:
  explicit FakeView(int32_t maximum) : maximum_(maximum) {}

  void SetSectionTitle(const std::string& text) override {
    sectionTitle = text;
    calls.push_back("title:" + text);
  }
  std::string ShowInitializingStep() override {
    currentStep = "Initializing";
    calls.push_back("initializing");
    return currentStep;
  }
  void ShowCurrentStep(const std::string& text) override {
    currentStep = text;
    calls.push_back("step:" + text);
  }
  void ClearDetails() override {
    details.clear();
    calls.push_back("clear");
  }
  void ShowDetails(const std::string& text) override {
    details = text;
    calls.push_back("details:" + text);
  }
  int32_t SetBarPosition(int32_t position) override {
    barPosition = std::clamp(position, 0, maximum_);
    calls.push_back("bar:" + std::to_string(position));
    return barPosition;
  }
  int32_t BarMaximum() const override { return maximum_; }
  void ShowProgressTitle(int32_t percent) override {
    titles.push_back(percent);
    calls.push_back("percent:" + std::to_string(percent));
  }
  void ShowServerVersion() override {
    ++serverVersionShown;
    calls.push_back("server");
  }

  std::string sectionTitle;
  std::string currentStep;
  std::string details;
  int32_t barPosition = 0;
  std::vector<int32_t> titles;
  int serverVersionShown = 0;
  std::vector<std::string> calls;

 private:
  int32_t maximum_;
};

void Feed(RunState& state, EngineView& view, const std::vector<std::string>& lines) {
  for (const auto& line : lines) HandleEngineLine(state, view, line);
}

}  // namespace

TEST(EngineProtocol, ExampleRunWithTwoSectionsShowsRoundedOverallPercentages) {
  RunState state;
  FakeView view(200);
  std::vector<std::string> sectionTitles;
  const std::vector<std::string> lines = {
      "[SECTION]:A", "[STATUS]:S1,Copying files,50", "[STATUS]:S1,Copying files,100",
      "[SECTION]:B", "[STATUS]:U7,Updating,45",      "[STATUS]:U9,Done,100",
      "[Result]:OK"};
  for (const auto& line : lines) {
    HandleEngineLine(state, view, line);
    if (sectionTitles.empty() || sectionTitles.back() != view.sectionTitle) sectionTitles.push_back(view.sectionTitle);
  }
  EXPECT_EQ(view.titles, (std::vector<int32_t>{0, 25, 50, 50, 73, 100}));
  EXPECT_EQ(sectionTitles, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(state.SectionIndex, 1);
  EXPECT_EQ(state.SectionPercent, 100);
  EXPECT_EQ(state.ResultText, "OK");
  EXPECT_EQ(state.StatusStep, "U9");
  EXPECT_EQ(state.CurrentStep, "Done");
  EXPECT_EQ(view.barPosition, 200);
  EXPECT_TRUE(RunSucceeded(state));
}

TEST(EngineProtocol, SectionLineUpdatesInOrderAndResetsTheStep) {
  RunState state;
  FakeView view(300);
  Feed(state, view, {"[STATUS]:C3,Copying,95", "some detail"});
  view.calls.clear();
  HandleEngineLine(state, view, "[SECTION]:  Update 1 \t");
  EXPECT_EQ(view.calls,
            (std::vector<std::string>{"title:Update 1", "bar:0", "percent:0", "initializing", "server", "clear"}));
  EXPECT_EQ(state.CurrentSection, "Update 1");
  EXPECT_EQ(state.SectionIndex, 0);
  EXPECT_EQ(state.SectionPercent, 0);
  EXPECT_EQ(state.CurrentStep, "Initializing");
  EXPECT_EQ(state.StatusStep, "");
  EXPECT_EQ(view.details, "");
  EXPECT_EQ(state.ProgressDetails, "some detail");  // the field keeps the last detail, only the line is emptied
}

TEST(EngineProtocol, StatusPayloadFields) {
  RunState state;
  FakeView view(100);
  HandleEngineLine(state, view, "[SECTION]:S");

  HandleEngineLine(state, view, "[STATUS]:E12 ,Copying files ,45");
  EXPECT_EQ(state.StatusStep, "E12 ");
  EXPECT_EQ(state.CurrentStep, "Copying files");
  EXPECT_EQ(view.currentStep, "Copying files");
  EXPECT_EQ(state.SectionPercent, 45);

  HandleEngineLine(state, view, "[STATUS]:75");  // no comma: both fields empty, the rest is the number
  EXPECT_EQ(state.StatusStep, "");
  EXPECT_EQ(state.CurrentStep, "");
  EXPECT_EQ(view.currentStep, "");
  EXPECT_EQ(state.SectionPercent, 75);

  HandleEngineLine(state, view, "[STATUS]:A,B,C,80");  // the rest "C,80" is no number
  EXPECT_EQ(state.StatusStep, "A");
  EXPECT_EQ(state.CurrentStep, "B");
  EXPECT_EQ(state.SectionPercent, 75);

  HandleEngineLine(state, view, "[STATUS]:S1,One comma only");  // "One comma only" is the rest, no step text
  EXPECT_EQ(state.StatusStep, "S1");
  EXPECT_EQ(state.CurrentStep, "");
  EXPECT_EQ(state.SectionPercent, 75);

  HandleEngineLine(state, view, "[STATUS]:S2,Step,  $3C");
  EXPECT_EQ(state.SectionPercent, 60);
  HandleEngineLine(state, view, "[STATUS]:S2,Step,0x10");
  EXPECT_EQ(state.SectionPercent, 16);
  HandleEngineLine(state, view, "[STATUS]:S2,Step,");  // empty rest is no number
  EXPECT_EQ(state.SectionPercent, 16);
}

TEST(EngineProtocol, PercentageThatIsNoNumberRedrawsWithThePreviousOne) {
  RunState state;
  FakeView view(100);
  Feed(state, view, {"[SECTION]:S", "[STATUS]:a,b,40", "detail"});
  view.calls.clear();
  HandleEngineLine(state, view, "[STATUS]:a,b,50 ");  // trailing blank
  EXPECT_EQ(state.SectionPercent, 40);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"step:b", "bar:40", "percent:40", "clear"}));
}

TEST(EngineProtocol, PercentagesOutsideTheRangeAreKeptButTheBarIsClamped) {
  RunState state;
  FakeView view(200);
  Feed(state, view, {"[SECTION]:S", "[STATUS]:a,b,250", "[Result]:OK"});
  EXPECT_EQ(state.SectionPercent, 250);
  EXPECT_EQ(view.barPosition, 200);
  EXPECT_EQ(view.titles.back(), 100);
  EXPECT_FALSE(RunSucceeded(state));  // only exactly 100 counts

  HandleEngineLine(state, view, "[STATUS]:a,b,-30");
  EXPECT_EQ(state.SectionPercent, -30);
  EXPECT_EQ(view.barPosition, 0);
  EXPECT_EQ(view.titles.back(), 0);

  // Extreme values pin the bar instead of wrapping around.
  Feed(state, view, {"[SECTION]:T", "[STATUS]:a,b,2147483647"});
  EXPECT_EQ(view.calls.back(), "clear");
  EXPECT_EQ(view.barPosition, 200);
  HandleEngineLine(state, view, "[STATUS]:a,b,-2147483648");
  EXPECT_EQ(view.barPosition, 0);
  EXPECT_EQ(state.SectionPercent, INT32_MIN);
}

TEST(EngineProtocol, ServerLineIsRewrittenFromNinetyPercentOn) {
  RunState state;
  FakeView view(100);
  HandleEngineLine(state, view, "[SECTION]:S");
  const int afterSection = view.serverVersionShown;
  HandleEngineLine(state, view, "[STATUS]:a,b,89");
  EXPECT_EQ(view.serverVersionShown, afterSection);
  HandleEngineLine(state, view, "[STATUS]:a,b,90");
  EXPECT_EQ(view.serverVersionShown, afterSection + 1);
  HandleEngineLine(state, view, "[STATUS]:a,b,100");
  EXPECT_EQ(view.serverVersionShown, afterSection + 2);
}

TEST(EngineProtocol, TagsAreExactAndAtTheFirstCharacter) {
  RunState state;
  FakeView view(100);
  for (const std::string line : {"[section]:A", " [SECTION]:A", "[Status]:a,b,50", "[ERROR]:x", "\t[Result]:OK",
                                 "[param]:NEED_REBOOT", "[SECTION] :A"}) {
    HandleEngineLine(state, view, line);
    EXPECT_EQ(state.ProgressDetails, line.substr(line.find('[')));
    EXPECT_EQ(view.details, state.ProgressDetails);
  }
  EXPECT_EQ(state.SectionIndex, -1);
  EXPECT_EQ(state.SectionPercent, 0);
  EXPECT_EQ(state.ErrorText, "");
  EXPECT_EQ(state.ResultText, "");
  EXPECT_FALSE(state.NeedReboot);
  EXPECT_TRUE(view.titles.empty());
}

TEST(EngineProtocol, ErrorsAccumulateEachAfterOneCr) {
  RunState state;
  FakeView view(100);
  Feed(state, view, {"[Error]:a", "[Error]:  b  ", "[Error]:"});
  EXPECT_EQ(state.ErrorText, "\ra\rb\r");
  EXPECT_TRUE(view.calls.empty());  // nothing is shown for errors
}

TEST(EngineProtocol, ResultIsTrimmedAndTheLastOneCounts) {
  RunState state;
  FakeView view(100);
  Feed(state, view, {"[SECTION]:S", "[STATUS]:a,b,100", "[Result]: Update level 2 \r"});
  EXPECT_EQ(state.ResultText, "Update level 2");
  EXPECT_TRUE(RunSucceeded(state));
  HandleEngineLine(state, view, "[Error]:disk almost full");
  EXPECT_TRUE(RunSucceeded(state));  // errors do not count against success
  HandleEngineLine(state, view, "[Result]:   ");
  EXPECT_EQ(state.ResultText, "");
  EXPECT_FALSE(RunSucceeded(state));  // 100 % but a blank result
}

TEST(EngineProtocol, RebootRequestOnlyFromParameterLines) {
  RunState state;
  FakeView view(100);
  Feed(state, view, {"NEED_REBOOT", "[Error]:NEED_REBOOT", "[Result]:NEED_REBOOT", "[PARAM]:need_reboot"});
  EXPECT_FALSE(state.NeedReboot);
  const std::vector<std::string> shownBefore = view.calls;
  HandleEngineLine(state, view, "[PARAM]:FLAGS=XNEED_REBOOTX;MODE=1");
  EXPECT_TRUE(state.NeedReboot);
  EXPECT_EQ(view.calls, shownBefore);  // parameter lines show nothing
  HandleEngineLine(state, view, "[PARAM]:NOTHING");
  EXPECT_TRUE(state.NeedReboot);  // never returns to false
}

TEST(EngineProtocol, BlankAndEmptyLinesChangeNothing) {
  RunState state;
  FakeView view(100);
  Feed(state, view, {"[SECTION]:S", "[STATUS]:a,b,30", "first detail"});
  const RunState before = state;
  view.calls.clear();
  Feed(state, view, {"", " ", "\t\r", std::string(1, '\0')});
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(state.ProgressDetails, before.ProgressDetails);
  EXPECT_EQ(state.CurrentStep, before.CurrentStep);
  EXPECT_EQ(state.SectionPercent, before.SectionPercent);
  EXPECT_EQ(view.details, "first detail");
}

TEST(EngineProtocol, StatusBeforeAnySectionLeavesTheBarEmpty) {
  RunState state;
  FakeView view(200);
  HandleEngineLine(state, view, "[STATUS]:P1,Preparing,60");
  EXPECT_EQ(state.SectionIndex, -1);
  EXPECT_EQ(state.SectionPercent, 60);
  EXPECT_EQ(view.calls[1], "bar:-40");
  EXPECT_EQ(view.barPosition, 0);
  EXPECT_EQ(view.titles, (std::vector<int32_t>{0}));
}

TEST(EngineProtocol, MoreSectionsThanExpectedKeepTheBarFull) {
  RunState state;
  FakeView view(200);
  Feed(state, view, {"[SECTION]:A", "[STATUS]:a,b,100", "[SECTION]:B", "[STATUS]:a,b,100", "[SECTION]:C"});
  EXPECT_EQ(state.SectionIndex, 2);
  EXPECT_EQ(view.barPosition, 200);
  EXPECT_EQ(view.titles.back(), 100);
  EXPECT_EQ(state.SectionPercent, 0);
  EXPECT_FALSE(RunSucceeded(state));  // a section begun after 100 % is not finished
  HandleEngineLine(state, view, "[STATUS]:a,b,40");
  EXPECT_EQ(view.titles.back(), 100);
}

TEST(EngineProtocol, OverallPercentRoundsHalvesAwayFromZero) {
  EXPECT_EQ(OverallPercent(145, 200), 73);
  EXPECT_EQ(OverallPercent(1, 200), 1);  // 0.5
  EXPECT_EQ(OverallPercent(1, 300), 0);  // 0.33
  EXPECT_EQ(OverallPercent(2, 300), 1);  // 0.67
  EXPECT_EQ(OverallPercent(299, 300), 100);
  EXPECT_EQ(OverallPercent(-1, 200), -1);  // -0.5
  EXPECT_EQ(OverallPercent(0, 100), 0);
  // A bar without range (no package expected) shows 0 %, not the -1 of the platform's MulDiv.
  EXPECT_EQ(OverallPercent(0, 0), 0);
  EXPECT_EQ(OverallPercent(50, -100), 0);
}

TEST(EngineProtocol, ZeroMaximumBarShowsZeroPercent) {
  RunState state;
  FakeView view(0);
  Feed(state, view, {"[SECTION]:A", "[STATUS]:a,b,100"});
  EXPECT_EQ(view.titles, (std::vector<int32_t>{0, 0}));
  EXPECT_FALSE(RunSucceeded(state));  // no result yet
}

TEST(EngineProtocol, DetailLinesAreTrimmedAndTagsLaterInTheLineDoNotCount) {
  RunState state;
  FakeView view(100);
  HandleEngineLine(state, view, "  Copying file 3 of 9 [STATUS]:x,y,50\r");
  EXPECT_EQ(state.ProgressDetails, "Copying file 3 of 9 [STATUS]:x,y,50");
  EXPECT_EQ(view.details, state.ProgressDetails);
  EXPECT_EQ(state.SectionPercent, 0);
}

TEST(EngineProtocol, ErrorMessagesAreBoundedToTheFirstAndTheLastWithACountBetween) {
  FakeView view(300);
  RunState state;
  // 1000 messages of 127 characters, 128 bytes each with their CR: 256 fit into each half, 488 are left out.
  auto message = [](int i) {
    char number[8];
    std::snprintf(number, sizeof number, "E%04d", i);
    return std::string(number) + std::string(122, 'x');
  };
  for (int i = 0; i < 1000; ++i) HandleEngineLine(state, view, "[Error]:" + message(i));
  EXPECT_EQ(state.ErrorText.size(), 32768u);
  EXPECT_EQ(state.ErrorText.substr(0, 6), "\rE0000");
  EXPECT_EQ(state.ErrorText.substr(32768 - 128, 6), "\rE0255");
  EXPECT_EQ(state.ErrorsLeftOut, 488u);

  const std::string all = CollectedErrorText(state, "[%d error messages left out]");
  EXPECT_EQ(all.size(), 32768u + 30u + 32768u);
  EXPECT_EQ(all.substr(32768, 30), "\r[488 error messages left out]");
  EXPECT_EQ(all.substr(32768 + 30, 6), "\rE0744");
  EXPECT_EQ(all.substr(all.size() - 128), "\r" + message(999));

  // Below the bound nothing is left out and no count line appears.
  RunState few;
  HandleEngineLine(few, view, "[Error]: a ");
  HandleEngineLine(few, view, "[Error]:b");
  EXPECT_EQ(CollectedErrorText(few, "[%d error messages left out]"), "\ra\rb");

  // One message larger than a half keeps its start.
  RunState huge;
  HandleEngineLine(huge, view, "[Error]:" + std::string(40000, 'h'));
  EXPECT_EQ(huge.ErrorText, "\r" + std::string(32767, 'h'));
}

TEST(EngineProtocol, PiecesOfAnOverlongLineAreDetailsNeverTags) {
  FakeView view(300);
  RunState state;
  HandleContinuedEngineLine(state, view, "[Result]:OK");
  HandleContinuedEngineLine(state, view, "[Error]:x");
  HandleContinuedEngineLine(state, view, "[SECTION]:s");
  EXPECT_EQ(state.ResultText, "");
  EXPECT_EQ(state.ErrorText, "");
  EXPECT_EQ(state.SectionIndex, -1);
  EXPECT_EQ(state.ProgressDetails, "[SECTION]:s");
  EXPECT_EQ(view.details, "[SECTION]:s");
}
