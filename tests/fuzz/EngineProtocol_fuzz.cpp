// Feeds arbitrary engine output, line by line, through the protocol and the
// output tail, and checks what must hold whatever the engine prints.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/EngineProtocol.h"
#include "core/OutputTail.h"
#include "core/TextUtils.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// A progress page that checks the calls it receives.
class CheckingView : public core::EngineView {
 public:
  explicit CheckingView(int32_t maximum) : maximum_(maximum) {}

  void SetSectionTitle(const std::string& text) override { Check(text == core::Trim(text)); }
  std::string ShowInitializingStep() override { return "Initializing"; }
  void ShowCurrentStep(const std::string& text) override { Check(text == core::Trim(text)); }
  void ClearDetails() override {}
  void ShowDetails(const std::string& text) override { Check(!text.empty() && text == core::Trim(text)); }
  int32_t SetBarPosition(int32_t position) override {
    position_ = position < 0 ? 0 : (position > maximum_ ? maximum_ : position);
    return position_;
  }
  int32_t BarMaximum() const override { return maximum_; }
  void ShowProgressTitle(int32_t percent) override { Check(percent >= 0 && percent <= 100); }
  void ShowServerVersion() override {}

 private:
  int32_t maximum_;
  int32_t position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the number of expected sections (bar maximum 0..1500).
  CheckingView view(static_cast<int32_t>(data[0] % 16) * 100);
  std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

  core::RunState state;
  std::string output;
  size_t errorLines = 0;
  bool rebootSeen = false;
  while (!input.empty()) {
    const size_t end = input.find_first_of("\r\n");
    const std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);

    const int32_t sectionBefore = state.SectionIndex;
    core::HandleEngineLine(state, view, line);
    core::AppendOutputLine(output, line);

    if (line.substr(0, core::kTagError.size()) == core::kTagError) ++errorLines;
    rebootSeen = rebootSeen || (line.substr(0, core::kTagParam.size()) == core::kTagParam &&
                                line.find(core::kNeedReboot) != std::string_view::npos);

    Check(state.SectionIndex >= sectionBefore && state.SectionIndex >= -1);
    Check(state.SectionIndex <= sectionBefore + 1);
    Check(state.CurrentSection == core::Trim(state.CurrentSection));
    Check(state.ResultText == core::Trim(state.ResultText));
    Check(state.ProgressDetails == core::Trim(state.ProgressDetails));
    Check(state.CurrentStep == core::Trim(state.CurrentStep));
    Check(state.StatusStep.find(',') == std::string::npos);
    Check(state.NeedReboot == rebootSeen);
    Check(output.size() <= core::kOutputTailLimit);
    const std::string_view kept =
        line.size() <= core::kOutputTailKeep ? line : line.substr(line.size() - core::kOutputTailKeep);
    Check(output.size() >= kept.size() && output.compare(output.size() - kept.size(), kept.size(), kept) == 0);
  }
  size_t crs = 0;
  for (char c : state.ErrorText) crs += c == '\r' ? 1 : 0;
  Check(crs == errorLines);  // payloads are split at CR, so each CR starts one message
  Check(core::RunSucceeded(state) == (state.SectionPercent == 100 && !state.ResultText.empty()));
  return 0;
}
