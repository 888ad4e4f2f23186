// The update run: installing and starting the engine, following its output, the completion page and the run log.
#include "win/LauncherF.h"

void TLauncherForm::Timer1Timer(ui::Component*) {}

void TLauncherForm::edZUKInputKeyPress(ui::Component*, char&) {}

void TLauncherForm::EnterProgressPage() {}

void TLauncherForm::EnterCompletionPage() {}
