#include "win/ComponentText.h"

#include "core/LangRes.h"

namespace win {

std::string GetComponentText(const ui::Component& component, std::string_view variant) {
  return core::GetComponentText(component.Name(), variant);
}

void SetComponentText(ui::Component& component, std::string_view variant) {
  component.SetCaption(GetComponentText(component, variant));
}

}  // namespace win
