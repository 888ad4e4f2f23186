#include "win/LauncherF.h"

TLauncherForm::TLauncherForm() : ui::Form("LauncherForm", "TLauncherForm") { BuildLayout(); }

// The handlers use this class's members, so the windows go (running FormDestroy) before they do.
TLauncherForm::~TLauncherForm() { Destroy(); }

int TLauncherForm::MsgBox(const std::string& text, const std::string& caption, unsigned flags) {
  return ui::MsgBox(text, caption, flags);
}

void TLauncherForm::FormCreate(ui::Component*) {}

void TLauncherForm::FormDestroy(ui::Component*) {
#ifdef TESSARON_HAVE_UTILS
  EngineInput.reset();
  EngineOutput.reset();
#endif
}

void TLauncherForm::FormCloseQuery(ui::Component*, bool&) {}

void TLauncherForm::FormClick(ui::Component*) {}

void TLauncherForm::btExitClick(ui::Component*) {
  if (CloseQuery()) ui::App().Terminate();
}

