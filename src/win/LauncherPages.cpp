// The wizard's page sequence: Next, Prev and the entry actions of each page.
#include "win/LauncherF.h"

#include <algorithm>

#include "core/PackageRules.h"
#include "win/ComponentText.h"
#include "win/utils/Files.h"

void TLauncherForm::btNextClick(ui::Component*) {
  if (!ValidatePage()) return;
  const int last = PageControl1->PageCount() - 1;
  int index = PageControl1->ActivePageIndex();
  do {
    index = std::min(index + 1, last);
    PageControl1->SetActivePageIndex(index);
  } while (PageControl1->Page(index)->Tag() != 0 && index != last);
  EnterPage();
}

void TLauncherForm::btPrevClick(ui::Component*) {
  int index = PageControl1->ActivePageIndex();
  do {
    index = std::max(index - 1, 0);
    PageControl1->SetActivePageIndex(index);
  } while (PageControl1->Page(index)->Tag() != 0 && index != 0);
  EnterPage();
}

void TLauncherForm::EnterPage() {
  using enum ButtonMode;
  switch (PageControl1->ActivePageIndex()) {
    case Welcome:
      SetNavButtons(Hidden, Shown, Shown, "_Next");
      break;
    case UpdatesFolder:
      // Whether the folder exists is judged while typing; Next on entry lets the drive check speak first.
      SetNavButtons(Shown, Shown, Shown, "_Next");
      edUpdateFilesPath->SetFocus();
      break;
    case UpdateList: {
      const bool found = ScanUpdatePackages();
      SetNavButtons(Shown, found ? Shown : Disabled, Shown, "_Next");
      // The scan resets ExpectedSections, so coming back here never counts the snapshot twice.
      if (NoSnapshot) {
        TabSheet3->SetTag(1);
      } else if (core::SequenceContains(FoundUpdates, "0", core::SequenceDelimiter)) {
        TabSheet3->SetTag(0);
        ++ExpectedSections;
      } else {
        TabSheet3->SetTag(1);
      }
      sbarProgress->SetMax(ExpectedSections * 100);
      grdUpdateFileList->SetFocus();
      break;
    }
    case Snapshot:
      SetNavButtons(Shown, Shown, Shown, "_Next");
      // Measured anew on every entry; decides Next.
      cbSnapshotDriveChange(cbSnapshotDrive);
      break;
    case Confirmation:
      SetNavButtons(Shown, Shown, Shown, "_Start");
      break;
    case Progress:
      EnterProgressPage();
      break;
    case Completion:
      EnterCompletionPage();
      break;
    default:
      break;
  }
}

void TLauncherForm::SetButtonMode(ui::Button* button, ButtonMode mode) {
  switch (mode) {
    case ButtonMode::Shown:
      button->SetVisible(true);
      button->SetEnabled(true);
      break;
    case ButtonMode::Disabled:
      button->SetVisible(true);
      button->SetEnabled(false);
      break;
    case ButtonMode::Hidden:
      button->SetVisible(false);
      button->SetEnabled(true);
      break;
  }
}

void TLauncherForm::SetNavButtons(ButtonMode prevMode, ButtonMode nextMode, ButtonMode exitMode,
                                  const std::string& nextVariant) {
  SetButtonMode(btPrev, prevMode);
  SetButtonMode(btNext, nextMode);
  SetButtonMode(btExit, exitMode);
  win::SetComponentText(*btNext, nextVariant);
}

void TLauncherForm::edUpdateFilesPathChange(ui::Component*) {
  const bool exists = Utils::IsExistingFolder(edUpdateFilesPath->Text());
  SetButtonMode(btNext, exists ? ButtonMode::Shown : ButtonMode::Disabled);
}
