// The update engine's line protocol: tagged lines on the engine's standard
// output move the run state and the progress page. The window implements
// EngineView; the rules here decide what it shows and when.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace core {

// An engine that reports errors without end must not take the wizard's memory with it: the first messages are kept
// up to kErrorHeadLimit bytes, then the last ones up to kErrorTailLimit bytes, with a count of those in between.
inline constexpr std::size_t kErrorHeadLimit = 32 * 1024;
inline constexpr std::size_t kErrorTailLimit = 32 * 1024;

// The window's fields that the engine's lines fill during one run.
struct RunState {
  std::string ErrorText;        // each "[Error]:" message preceded by one CR, up to kErrorHeadLimit bytes
  std::string ResultText;       // trimmed payload of the last "[Result]:" line
  std::string CurrentSection;   // trimmed name from the last "[SECTION]:" line
  std::string StatusStep;       // untrimmed step code of the last "[STATUS]:" line
  std::string CurrentStep;      // text last put into the current-step line
  std::string ProgressDetails;  // last non-empty trimmed detail line
  bool NeedReboot = false;
  int32_t SectionIndex = -1;  // "[SECTION]:" lines seen, less one
  int32_t SectionPercent = 0;
  // Messages that came after ErrorText was full: the last of them (each with its CR), their total size, and how
  // many earlier ones were dropped to keep within kErrorTailLimit.
  std::deque<std::string> LaterErrors;
  std::size_t LaterErrorBytes = 0;
  uint64_t ErrorsLeftOut = 0;
};

// The controls of the progress page as the protocol sees them.
class EngineView {
 public:
  virtual ~EngineView() = default;

  // Title above the current-step line (lbCurrentStepTitle).
  virtual void SetSectionTitle(const std::string& text) = 0;
  // Puts the current-step line's "_Initializing" caption up; returns the text shown.
  virtual std::string ShowInitializingStep() = 0;
  virtual void ShowCurrentStep(const std::string& text) = 0;
  virtual void ClearDetails() = 0;
  virtual void ShowDetails(const std::string& text) = 0;
  // The bar keeps its position within 0..maximum; returns the position it now holds.
  virtual int32_t SetBarPosition(int32_t position) = 0;
  virtual int32_t BarMaximum() const = 0;
  // Progress title for an overall percentage ("Progress %d%%").
  virtual void ShowProgressTitle(int32_t percent) = 0;
  // Re-reads and rewrites the server identity line.
  virtual void ShowServerVersion() = 0;
};

inline constexpr std::string_view kTagError = "[Error]:";
inline constexpr std::string_view kTagParam = "[PARAM]:";
inline constexpr std::string_view kTagResult = "[Result]:";
inline constexpr std::string_view kTagSection = "[SECTION]:";
inline constexpr std::string_view kTagStatus = "[STATUS]:";
inline constexpr std::string_view kNeedReboot = "NEED_REBOOT";

// Interprets one engine line (without its terminator); an empty line is allowed and changes nothing.
void HandleEngineLine(RunState& state, EngineView& view, std::string_view line);

// A later piece of an engine line too long for one read (see LineSplitter): shown as a detail, never read as a tag.
void HandleContinuedEngineLine(RunState& state, EngineView& view, std::string_view piece);

// Every error message kept: ErrorText, then, when messages were dropped, a CR and leftOutPattern with %d replaced
// by their number, then the later messages.
std::string CollectedErrorText(const RunState& state, std::string_view leftOutPattern);

// Sets SectionPercent and redraws the bar, the progress title and, from 90 % on, the server line.
void ShowSectionProgress(RunState& state, EngineView& view, int32_t percent);

// position * 100 / maximum, rounded to the nearest whole number with halves away from zero.
// A bar without range (maximum 0 or less) shows 0 %.
int32_t OverallPercent(int32_t position, int32_t maximum);

// The last section reached exactly 100 % and the engine reported a non-empty result.
bool RunSucceeded(const RunState& state);

}  // namespace core
