// What a run shows on the wizard's taskbar button, through the form's taskbar seam.
#include <memory>
#include <string>
#include <vector>

#include "RunSupport.h"
#include "WizardSupport.h"

namespace {

// Every call the form makes on its taskbar button, in order.
class RecordedTaskbar : public ui::TaskbarButton {
 public:
  explicit RecordedTaskbar(std::vector<std::string>& calls) : calls_(calls) {}
  void ShowProgress(int percent) override { calls_.push_back("progress " + std::to_string(percent)); }
  void ShowError() override { calls_.push_back("error"); }
  void ClearProgress() override { calls_.push_back("clear"); }
  void Flash() override { calls_.push_back("flash"); }

 private:
  std::vector<std::string>& calls_;
};

// Another window in front of the wizard for the scope, as when the operator works in another program.
class WindowInFront {
 public:
  WindowInFront()
      : window_(CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr)) {
    SetForegroundWindow(window_);
    testui::Pump();
  }
  ~WindowInFront() { DestroyWindow(window_); }
  WindowInFront(const WindowInFront&) = delete;
  WindowInFront& operator=(const WindowInFront&) = delete;

  bool InFront() const { return window_ && GetForegroundWindow() == window_; }

 private:
  HWND window_;
};

// A wizard fixture whose form reports to a recorder instead of the taskbar.
template <class Fixture>
class WithRecordedTaskbar : public Fixture {
 protected:
  void SetUp() override {
    Fixture::SetUp();
    this->form->SetTaskbar(std::make_unique<RecordedTaskbar>(calls));
  }
  std::vector<std::string> calls;
};

using TaskbarRunTest = WithRecordedTaskbar<runtest::RunTest>;
using TaskbarStartTest = WithRecordedTaskbar<wizardtest::WizardTest>;

TEST_F(TaskbarRunTest, TheButtonShowsTheOverallProgressAndNothingAfterASuccess) {
  SetForegroundWindow(form->Handle());
  ASSERT_EQ(GetForegroundWindow(), form->Handle());
  RunLineByLine(runtest::kExampleRunLines, [&](size_t line) {
    if (line == 6) {
      EXPECT_EQ(form->lbProgressTitle->Caption(), "Progress 100%");
    }
  });
  ASSERT_EQ(Page(), 6);
  // The wizard was in front: nothing to call the operator to.
  EXPECT_EQ(calls, (std::vector<std::string>{"progress 0", "progress 25", "progress 50", "progress 50", "progress 73",
                                             "progress 100", "clear"}));
}

TEST_F(TaskbarStartTest, AFailedRunEndingBehindAnotherWindowShowsTheErrorAndFlashes) {
  wizardtest::StartableRun run(*form, scratch.Path + "Home", "silent");
  ASSERT_NO_FATAL_FAILURE(GoToConfirmation());
  EXPECT_TRUE(calls.empty());

  WindowInFront other;
  ASSERT_TRUE(other.InFront());
  ASSERT_TRUE(PressNext());  // Start; the engine prints nothing, so the run fails
  ASSERT_EQ(Page(), 6);
  EXPECT_EQ(calls, (std::vector<std::string>{"progress 0", "error", "flash"}));
}

}  // namespace
