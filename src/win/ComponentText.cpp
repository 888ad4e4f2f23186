#include "win/ComponentText.h"

#include "core/LangRes.h"
#include "win/SystemText.h"

namespace win {

std::string GetComponentText(const ui::Component& component, std::string_view variant) {
  return core::GetComponentText(component.Name(), variant);
}

void SetComponentText(ui::Component& component, std::string_view variant) {
  component.SetCaption(GetComponentText(component, variant));
}

core::NumberFormatSettings UserNumberFormat() {
  core::NumberFormatSettings settings;
  settings.thousandSeparator = UserThousandSeparator();
  return settings;
}

}  // namespace win
