#include "core/EngineProtocol.h"

#include <limits>
#include <utility>

#include "core/Format.h"
#include "core/TextUtils.h"

namespace core {

namespace {

bool TakeTag(std::string_view line, std::string_view tag, std::string_view& payload) {
  if (line.substr(0, tag.size()) != tag) return false;
  payload = line.substr(tag.size());
  return true;
}

int32_t SaturateToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

// Splits off the text before the first comma; without a comma the field is
// empty and the rest stays whole.
std::string_view TakeField(std::string_view& rest) {
  const size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return {};
  const std::string_view field = rest.substr(0, comma);
  rest.remove_prefix(comma + 1);
  return field;
}

void HandleSection(RunState& state, EngineView& view, std::string_view payload) {
  state.CurrentSection = Trim(payload);
  view.SetSectionTitle(state.CurrentSection);
  // Saturating: the index must never wrap back below the sections already seen.
  if (state.SectionIndex < std::numeric_limits<int32_t>::max()) ++state.SectionIndex;
  ShowSectionProgress(state, view, 0);
  std::string shown = view.ShowInitializingStep();
  view.ShowServerVersion();
  state.CurrentStep = std::move(shown);
  state.StatusStep.clear();
  view.ClearDetails();
}

void HandleStatus(RunState& state, EngineView& view, std::string_view payload) {
  std::string_view rest = payload;
  state.StatusStep = std::string(TakeField(rest));
  state.CurrentStep = Trim(TakeField(rest));
  view.ShowCurrentStep(state.CurrentStep);
  ShowSectionProgress(state, view, ParseInt32(rest).value_or(state.SectionPercent));
  view.ClearDetails();
}

void KeepError(RunState& state, std::string message) {
  message.insert(message.begin(), '\r');
  if (state.LaterErrors.empty() && state.ErrorText.size() + message.size() <= kErrorHeadLimit) {
    state.ErrorText += message;
    return;
  }
  if (state.ErrorText.empty()) {
    // A first message larger than the whole head keeps its start.
    state.ErrorText = message.substr(0, kErrorHeadLimit);
    return;
  }
  if (message.size() > kErrorTailLimit) message.resize(kErrorTailLimit);
  state.LaterErrorBytes += message.size();
  state.LaterErrors.push_back(std::move(message));
  while (state.LaterErrorBytes > kErrorTailLimit) {
    state.LaterErrorBytes -= state.LaterErrors.front().size();
    state.LaterErrors.pop_front();
    ++state.ErrorsLeftOut;
  }
}

void ShowDetailLine(RunState& state, EngineView& view, std::string_view line) {
  std::string details = Trim(line);
  if (details.empty()) return;
  state.ProgressDetails = std::move(details);
  view.ShowDetails(state.ProgressDetails);
}

}  // namespace

void HandleEngineLine(RunState& state, EngineView& view, std::string_view line) {
  std::string_view payload;
  if (TakeTag(line, kTagError, payload)) {
    KeepError(state, Trim(payload));
  } else if (TakeTag(line, kTagParam, payload)) {
    if (payload.find(kNeedReboot) != std::string_view::npos) state.NeedReboot = true;
  } else if (TakeTag(line, kTagResult, payload)) {
    state.ResultText = Trim(payload);
  } else if (TakeTag(line, kTagSection, payload)) {
    HandleSection(state, view, payload);
  } else if (TakeTag(line, kTagStatus, payload)) {
    HandleStatus(state, view, payload);
  } else {
    ShowDetailLine(state, view, line);
  }
}

void HandleContinuedEngineLine(RunState& state, EngineView& view, std::string_view piece) {
  ShowDetailLine(state, view, piece);
}

std::string CollectedErrorText(const RunState& state, std::string_view leftOutPattern) {
  std::string text = state.ErrorText;
  if (state.ErrorsLeftOut > 0) {
    text += '\r';
    text += FormatText(leftOutPattern, {static_cast<unsigned long long>(state.ErrorsLeftOut)});
  }
  for (const std::string& message : state.LaterErrors) text += message;
  return text;
}

void ShowSectionProgress(RunState& state, EngineView& view, int32_t percent) {
  state.SectionPercent = percent;
  // Computed wide: a huge reported percentage must pin the bar, not wrap it.
  const int64_t wanted = static_cast<int64_t>(state.SectionIndex) * 100 + percent;
  const int32_t position = view.SetBarPosition(SaturateToInt32(wanted));
  view.ShowProgressTitle(OverallPercent(position, view.BarMaximum()));
  if (state.SectionPercent >= 90) view.ShowServerVersion();
}

int32_t OverallPercent(int32_t position, int32_t maximum) {
  if (maximum <= 0) return 0;
  const int64_t product = static_cast<int64_t>(position) * 100;
  const int64_t half = maximum / 2;
  const int64_t rounded = product >= 0 ? (product + half) / maximum : (product - half) / maximum;
  return SaturateToInt32(rounded);
}

bool RunSucceeded(const RunState& state) { return state.SectionPercent == 100 && !state.ResultText.empty(); }

}  // namespace core
