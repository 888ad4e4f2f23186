#include "core/RunOutcome.h"

#include <array>

namespace core {

int32_t ExitCodeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Succeeded:
      return 0;
    case RunOutcome::RestartNeeded:
      return 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
    case RunOutcome::Failed:
      return 1603;  // ERROR_INSTALL_FAILURE
    case RunOutcome::EngineAlreadyRunning:
      return 1618;  // ERROR_INSTALL_ALREADY_RUNNING
    case RunOutcome::NothingApplicable:
      return 1642;  // ERROR_PATCH_TARGET_NOT_FOUND
    case RunOutcome::Refused:
      return 1;
    case RunOutcome::BadSwitch:
      return 87;  // ERROR_INVALID_PARAMETER
  }
  return 1603;
}

RunOutcome CompletionOutcome(bool succeeded, bool needReboot) {
  if (!succeeded) return RunOutcome::Failed;
  return needReboot ? RunOutcome::RestartNeeded : RunOutcome::Succeeded;
}

std::string_view CheckOnlyReadyText(int32_t language) {
  // Windows-1252, as the string tables.
  static constexpr std::array<std::string_view, 4> kTexts = {
      "Every check passed: the update could start now.",
      "Alle Pr\xFC"
      "fungen bestanden: das Update k\xF6nnte jetzt starten.",
      "Toutes les v\xE9rifications sont pass\xE9"
      "es : la mise \xE0 jour pourrait d\xE9marrer maintenant.",
      "Todas las comprobaciones son correctas: la actualizaci\xF3n podr\xED"
      "a iniciarse ahora.",
  };
  return language >= 0 && language < static_cast<int32_t>(kTexts.size()) ? kTexts[language] : kTexts[0];
}

}  // namespace core
