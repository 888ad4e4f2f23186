// The window's texts in the chosen language and the server identity line.
#include "win/LauncherF.h"

#include <initializer_list>

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
  FitTexts();
}

// Some languages need more than one line where the layout has one. Auto-sized labels wrap at their page's edge by
// themselves; here the assistance line, which has a fixed width, and the room below the updates folder title.
void TLauncherForm::FitTexts() {
  // The assistance line takes a second line in the room above the navigation buttons.
  const ui::Bounds line = lbResponceCenter->BoundsPx();
  const bool wraps = lbResponceCenter->TextExtent().cx > line.Width;
  const int height = wraps ? lbResponceCenter->TextExtent(line.Width).cy : Scale(lbResponceCenter->Design().Height);
  lbResponceCenter->SetWordWrap(wraps);
  if (height != line.Height) lbResponceCenter->SetBoundsPx({line.Left, line.Top, line.Width, height});
  // Its second line lies where the separator's line runs: the text covers it rather than being struck through.
  if (wraps) SetWindowPos(lbResponceCenter->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  FitUpdatesFolderRow();
}

// The folder row and the note below the title move down by the title's extra lines; the note keeps its bottom. The
// title's lines are known once its page has windows.
void TLauncherForm::FitUpdatesFolderRow() {
  if (!TabSheet1->Created()) return;
  const int extra = lbUpdateFilesPathTitle->BoundsPx().Height - lbUpdateFilesPathTitle->TextExtent().cy;
  const int shift = Scale(edUpdateFilesPath->Design().Top) + extra - edUpdateFilesPath->BoundsPx().Top;
  if (shift == 0) return;
  for (ui::Control* below : std::initializer_list<ui::Control*>{edUpdateFilesPath, btUpdateFilesPathBrowse}) {
    ui::Bounds b = below->BoundsPx();
    below->SetBoundsPx({b.Left, b.Top + shift, b.Width, b.Height});
  }
  ui::Bounds note = lbUpdateFilesPathInfo->BoundsPx();
  lbUpdateFilesPathInfo->SetBoundsPx({note.Left, note.Top + shift, note.Width, note.Height - shift});
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
