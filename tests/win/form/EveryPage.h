// A page's windows are made when it is first shown: what looks at every control shows each page once first.
#pragma once

#include "win/LauncherF.h"

namespace formtest {

// Shows every page in turn and comes back to the page shown before; no page's entry actions run.
inline void ShowEveryPageOnce(TLauncherForm& form) {
  const int shown = form.PageControl1->ActivePageIndex();
  for (int page = 0; page < form.PageControl1->PageCount(); ++page) form.PageControl1->SetActivePageIndex(page);
  form.PageControl1->SetActivePageIndex(shown);
}

}  // namespace formtest
