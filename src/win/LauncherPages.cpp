// The wizard's page sequence: Next, Prev and the entry actions of each page.
#include "win/LauncherF.h"

#include <algorithm>

#include "core/PackageRules.h"
#include "core/PathRules.h"
#include "win/ComponentText.h"
#include "win/utils/Files.h"

namespace {

// Runs the entry actions of the page just shown, then gives the keyboard to it, also when an action fails. The
// actions may disable or hide the button that was clicked, which drops the focus; the operator then would have to
// click again before Enter or Tab did anything. The focus goes to the page's first tab stop, or else the default
// button; on the completion page, where the only step left is leaving, to Exit.
void EnterShownPage(TLauncherForm& form) {
  struct FocusAtEnd {
    TLauncherForm& form;
    ~FocusAtEnd() {
      if (form.PageControl1->ActivePageIndex() == TLauncherForm::Completion && form.btExit->Visible() &&
          form.btExit->Enabled())
        form.btExit->SetFocus();
      else
        form.PageControl1->FocusActivePage();
    }
  } focus{form};
  form.EnterPage();
}

}  // namespace

void TLauncherForm::btNextClick(ui::Component*) {
  if (!ValidatePage()) return;
  const int last = PageControl1->PageCount() - 1;
  int index = PageControl1->ActivePageIndex();
  do {
    index = std::min(index + 1, last);
    PageControl1->SetActivePageIndex(index);
  } while (PageControl1->Page(index)->Skipped() && index != last);
  EnterShownPage(*this);
}

void TLauncherForm::btPrevClick(ui::Component*) {
  int index = PageControl1->ActivePageIndex();
  do {
    index = std::max(index - 1, 0);
    PageControl1->SetActivePageIndex(index);
  } while (PageControl1->Page(index)->Skipped() && index != 0);
  EnterShownPage(*this);
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
        TabSheet3->SetSkipped(true);
      } else if (core::SequenceContains(FoundUpdates, "0", core::SequenceDelimiter)) {
        TabSheet3->SetSkipped(false);
        ++ExpectedSections;
      } else {
        TabSheet3->SetSkipped(true);
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
      // The taskbar button shows what the page's title shows, from its start at 0 %.
      Taskbar().ShowProgress(0);
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
  const bool exists = Utils::IsExistingFolder(core::FolderToResolve(edUpdateFilesPath->WideText()));
  SetButtonMode(btNext, exists ? ButtonMode::Shown : ButtonMode::Disabled);
}
