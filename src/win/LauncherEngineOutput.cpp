// The engine's output as the run takes it: each line kept in the output tail and the output file, interpreted, and
// shown on the progress page once per burst.
#include "win/LauncherEngineOutput.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/EngineProtocol.h"
#include "core/Format.h"
#include "core/OutputTail.h"
#include "win/ComponentText.h"
#include "win/SystemText.h"
#include "win/utils/Clock.h"

namespace {

// One pass of the waiting loop interprets what waits for at most this long before the window gets its turn.
constexpr double kPassBudgetSeconds = 0.030;
// Lines interpreted between two looks at the clock.
constexpr int kLinesPerClockCheck = 16;
// The progress page as the engine's lines move it. What the lines show is collected and put on the controls by
// Show(): after a single line, or once after a whole burst, so that a chatty engine costs one repaint per pass of
// the waiting loop instead of one per line.
class ProgressPageView : public core::EngineView {
 public:
  explicit ProgressPageView(TLauncherForm& form) : form_(form) {}

  void SetSectionTitle(const std::string& text) override { sectionTitle_ = text; }
  std::string ShowInitializingStep() override {
    step_ = win::GetComponentText(*form_.txtCurrentStep, "_Initializing");
    return *step_;
  }
  void ShowCurrentStep(const std::string& text) override { step_ = text; }
  void ClearDetails() override { details_ = std::string(); }
  void ShowDetails(const std::string& text) override { details_ = text; }
  int32_t SetBarPosition(int32_t position) override {
    // Where the bar will hold it: within its range.
    const int low = form_.sbarProgress->Min();
    barPosition_ = std::clamp(position, low, std::max(low, form_.sbarProgress->Max()));
    return *barPosition_;
  }
  int32_t BarMaximum() const override { return form_.sbarProgress->Max(); }
  void ShowProgressTitle(int32_t percent) override { titlePercent_ = percent; }
  void ShowServerVersion() override { serverVersion_ = true; }

  void Show() {
    if (sectionTitle_) form_.lbCurrentStepTitle->SetCaption(*sectionTitle_);
    if (step_) form_.txtCurrentStep->SetCaption(*step_);
    if (details_) form_.txtProgressDetails->SetCaption(*details_);
    if (barPosition_) form_.sbarProgress->SetPosition(*barPosition_);
    if (titlePercent_) {
      form_.lbProgressTitle->SetCaption(
          core::FormatText(win::GetComponentText(*form_.lbProgressTitle), {*titlePercent_}, win::UserNumberFormat()));
      form_.Taskbar().ShowProgress(*titlePercent_);
    }
    if (serverVersion_) form_.ShowServerVersion();
    sectionTitle_.reset();
    step_.reset();
    details_.reset();
    barPosition_.reset();
    titlePercent_.reset();
    serverVersion_ = false;
  }

 private:
  TLauncherForm& form_;
  std::optional<std::string> sectionTitle_;
  std::optional<std::string> step_;
  std::optional<std::string> details_;
  std::optional<int32_t> barPosition_;
  std::optional<int32_t> titlePercent_;
  bool serverVersion_ = false;
};

// One engine line: kept in the output tail, then interpreted. Kept first, so that a line whose interpretation
// fails still reaches the log.
void TakeLine(TLauncherForm& form, ProgressPageView& view, const std::string& line) {
  const bool continued = form.Engine.EngineOutput && form.Engine.EngineOutput->LastLineContinued();
  form.EngineOutputFile.Append(line, continued);
  core::AppendOutputLine(form.OutputBuffer, line);
  // The rest of a line too long for the reader is never the start of a tagged line; nor is what an engine left
  // without a line end when it ended: it may have died in the middle of writing it ("[Result]:Upd").
  if (continued || (form.Engine.EngineOutput && form.Engine.EngineOutput->LastLineUnterminated())) {
    core::HandleContinuedEngineLine(form.Run, view, line);
  } else {
    core::HandleEngineLine(form.Run, view, line);
  }
}

// Takes lines with next(line) until it gives none or until stop(); the page shows the outcome once at the end.
// True if any line was taken.
template <class Next, class Stop>
bool TakeLines(TLauncherForm& form, Next next, Stop stop) {
  ProgressPageView view(form);
  std::string line;
  bool any = false;
  try {
    while (next(line)) {
      any = true;
      TakeLine(form, view, line);
      if (stop()) break;
    }
  } catch (...) {
    view.Show();
    throw;
  }
  view.Show();
  return any;
}

}  // namespace

bool DrainWaitingLines(TLauncherForm& form) {
  if (!form.Engine.EngineOutput) return false;
  const double deadline = Utils::MonotonicSeconds() + kPassBudgetSeconds;
  int count = 0;
  return TakeLines(
      form, [&](std::string& line) { return form.Engine.EngineOutput->ReadLine(line); },
      [&] { return ++count % kLinesPerClockCheck == 0 && Utils::MonotonicSeconds() >= deadline; });
}

void DrainRemainingLines(TLauncherForm& form) {
  if (!form.Engine.EngineOutput) return;
  TakeLines(
      form, [&](std::string& line) { return form.Engine.EngineOutput->ReadLineOrRest(line); }, [] { return false; });
}
