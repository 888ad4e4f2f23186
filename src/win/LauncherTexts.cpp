// The window's texts in the chosen language and the server identity line.
#include "win/LauncherF.h"

#include "core/Format.h"
#include "core/LangRes.h"
#include "win/ComponentText.h"
#include "win/SystemText.h"
#include "win/utils/Utils.h"

using win::GetComponentText;
using win::SetComponentText;

// A missing text stops here with the earlier captions already changed: the error box names the control, and the
// rest keep what they showed.
void TLauncherForm::ApplyTexts() {
  SetComponentText(*this);
  // The task-bar button and the default error box show what the window's title now reads.
  ui::App().SetTitle(Caption());
  SetComponentText(*lbUpdateFilesPathTitle);
  SetComponentText(*lbUpdateFilesPathInfo);
  SetComponentText(*lbUpdateFilesPathEchoTitle);
  SetComponentText(*lbSnapshotDriveTitle);
  SetComponentText(*lbSnapshotDriveInfo);
  lbProgressTitle->SetCaption(core::FormatText(GetComponentText(*lbProgressTitle), {0}, win::UserNumberFormat()));
  SetComponentText(*lbProgressInfo);
  SetComponentText(*lbCurrentStepTitle);
  SetComponentText(*lbProgressDetailsTitle);
  SetComponentText(*txtCurrentStep, "_Initializing");
  // The pattern only; ShowServerVersion, which every caller runs next, fills it.
  SetComponentText(*lbServerVersion);
  SetComponentText(*lbUpdateSystemTitle);
  SetComponentText(*lbUpdateSystemInfo);
  SetComponentText(*btPrev);
  SetComponentText(*btNext, "_Next");
  SetComponentText(*btExit);
  SetComponentText(*lbServerVersionTitle);
  SetComponentText(*lbAboutToInstallInfo1);
  SetComponentText(*lbAboutToInstallInfo2);
  SetComponentText(*lbResponceCenter);
  SetComponentText(*lbUpdateFileListTitle);
}

// Read afresh at every call: the update level changes under a run, and the line follows it.
void TLauncherForm::ShowServerVersion() {
  const std::string pattern = GetComponentText(*lbServerVersion);
  const std::string role = Utils::ServerRoleName();
  const std::string name = Utils::ReadComputerName();
  const std::string level = Utils::ReadUpdateLevel();
  lbServerVersion->SetCaption(core::FormatText(pattern, {role, name, level}));
}

void TLauncherForm::cbLocaleChange(ui::Component*) {
  core::SelectLanguage(cbLocale->ItemIndex());
  ApplyTexts();
  ShowServerVersion();
  EnterPage();
}
