// Captions of the window's components from the string tables of the active language.
#pragma once

#include <string>
#include <string_view>

#include "win/ui/Control.h"

namespace win {

// The text of the component's caption key, "str_" + its name + "_Caption" + variant (empty, or with its leading
// underscore: "_Start"). core::MissingResourceError naming the component when the key has no text.
std::string GetComponentText(const ui::Component& component, std::string_view variant = {});

// Shows that text unformatted as the component's caption (for the window: its title). When the key has no text the
// caption stays as it was and the error goes on to the caller.
void SetComponentText(ui::Component& component, std::string_view variant = {});

}  // namespace win
