// The wizard's page sequence: Next, Prev and the entry actions of each page.
#include "win/LauncherF.h"

#include <algorithm>

void TLauncherForm::btNextClick(ui::Component*) {
  PageControl1->SetActivePageIndex(std::min(PageControl1->ActivePageIndex() + 1, PageControl1->PageCount() - 1));
}

void TLauncherForm::btPrevClick(ui::Component*) {
  PageControl1->SetActivePageIndex(std::max(PageControl1->ActivePageIndex() - 1, 0));
}

void TLauncherForm::edUpdateFilesPathChange(ui::Component*) {}
