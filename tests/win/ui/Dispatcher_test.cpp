// Errors escaping event handlers: the default error box, and the program going on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "win/ui/TestWindows.h"

namespace {

using testui::BoxRecorder;

TEST(ErrorBoxText, AppendsFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(ui::ErrorBoxText("abc"), "abc.");
  EXPECT_EQ(ui::ErrorBoxText("Access denied"), "Access denied.");
  EXPECT_EQ(ui::ErrorBoxText("code 5"), "code 5.");
  EXPECT_EQ(ui::ErrorBoxText("abc/"), "abc/.");      // '/' is 47
  EXPECT_EQ(ui::ErrorBoxText("Gl\xFC"), "Gl\xFC.");  // bytes above 127 count as characters above the full stop
  EXPECT_EQ(ui::ErrorBoxText("abc."), "abc.");
  EXPECT_EQ(ui::ErrorBoxText("abc!"), "abc!");
  EXPECT_EQ(ui::ErrorBoxText("abc)"), "abc)");
  EXPECT_EQ(ui::ErrorBoxText("abc-"), "abc-");  // '-' is 45
  EXPECT_EQ(ui::ErrorBoxText("abc "), "abc ");
  EXPECT_EQ(ui::ErrorBoxText("line\r\n"), "line\r\n");
  EXPECT_EQ(ui::ErrorBoxText(""), "");
}

class DispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetTitle("Dispatcher Test");
    ui::App().ResetTerminated();
    thrower = form.Add<ui::Button>(nullptr, "btThrow");
    thrower->Place(8, 8, 75, 25);
    thrower->SetTabOrder(0);
    quitter = form.Add<ui::Button>(nullptr, "btQuit");
    quitter->Place(8, 40, 75, 25);
    quitter->SetTabOrder(1);
    quitter->OnClick = [this](ui::Component*) {
      ++quitClicks;
      ui::App().Terminate();
    };
    field = form.Add<ui::Edit>(nullptr, "edField");
    field->Place(8, 72, 100, 21);
    ticker = form.AddTimer("tmTick");
    ticker->SetInterval(10);
    ticker->SetEnabled(false);
    form.SetClientSize(300, 200);
    form.Create();
    form.Show();
    testui::Pump();
  }
  void TearDown() override {
    form.Destroy();
    ui::App().ResetTerminated();
  }

  ui::Form form{"DispatcherForm", "TessaronDispatcherTest"};
  ui::Button* thrower = nullptr;
  ui::Button* quitter = nullptr;
  ui::Edit* field = nullptr;
  ui::Timer* ticker = nullptr;
  int quitClicks = 0;
};

TEST_F(DispatcherTest, HandlerErrorShowsDefaultErrorBoxAndLoopGoesOn) {
  BoxRecorder boxes;
  thrower->OnClick = [](ui::Component*) { throw std::runtime_error("abc"); };
  // Through the real message loop: the failing click, then a click that ends the loop.
  PostMessageA(thrower->Handle(), BM_CLICK, 0, 0);
  PostMessageA(quitter->Handle(), BM_CLICK, 0, 0);
  ui::App().Run();
  EXPECT_EQ(quitClicks, 1);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "abc.");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Dispatcher Test");
  EXPECT_EQ(boxes.Boxes[0].Flags, static_cast<unsigned>(MB_OK | MB_ICONHAND));
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(DispatcherTest, FullStopRuleAppliesToMessagesOfHandlers) {
  BoxRecorder boxes;
  for (const char* message : {"abc", "abc!", "abc)", "abc."}) {
    thrower->OnClick = [message](ui::Component*) { throw std::runtime_error(message); };
    SendMessageA(thrower->Handle(), BM_CLICK, 0, 0);
  }
  thrower->OnClick = [](ui::Component*) { throw 42; };
  SendMessageA(thrower->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Boxes.size(), 5u);
  EXPECT_EQ(boxes.Boxes[0].Text, "abc.");
  EXPECT_EQ(boxes.Boxes[1].Text, "abc!");
  EXPECT_EQ(boxes.Boxes[2].Text, "abc)");
  EXPECT_EQ(boxes.Boxes[3].Text, "abc.");
  EXPECT_EQ(boxes.Boxes[4].Text, "Unexpected error.");
}

TEST_F(DispatcherTest, ErrorsOfChangeAndTimerHandlersAreCaughtToo) {
  BoxRecorder boxes;
  field->OnChange = [](ui::Component*) { throw std::runtime_error("Changed"); };
  field->SetText("new text");  // the change notification comes back through the window procedure
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Changed.");
  EXPECT_EQ(field->Text(), "new text");

  int ticks = 0;
  ticker->OnTimer = [&ticks](ui::Component*) {
    ++ticks;
    throw std::runtime_error("Tick failed");
  };
  ticker->SetEnabled(true);
  ASSERT_TRUE(testui::PumpUntil([&] { return ticks >= 2; }));
  ticker->SetEnabled(false);
  // The timer keeps ticking after a failed tick, as the window keeps working.
  EXPECT_GE(boxes.Boxes.size(), 3u);
  EXPECT_EQ(boxes.Boxes.back().Text, "Tick failed.");
}

TEST(MsgBox, GoesThroughTheReplacementAndReturnsItsAnswer) {
  {
    BoxRecorder boxes(IDYES);
    EXPECT_EQ(ui::MsgBox("Proceed?", "Warning", MB_YESNO | MB_DEFBUTTON2), IDYES);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text, "Proceed?");
    EXPECT_EQ(boxes.Boxes[0].Caption, "Warning");
    EXPECT_EQ(boxes.Boxes[0].Flags, 260u);
  }
  ui::App().SetTitle("Title After");
  BoxRecorder boxes;
  ui::App().ShowException(std::runtime_error("Missing resource string for component btNext"));
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Missing resource string for component btNext.");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Title After");
}

}  // namespace
