// The window's texts in the chosen language and the server identity line.
#include "win/LauncherF.h"

void TLauncherForm::cbLocaleChange(ui::Component*) {}
