// A picture of every page, for a person to look at.
#include <string>

#include "FormFixture.h"
#include "support/WindowPng.h"

namespace {

TEST_F(LauncherFormTest, SavesAPictureOfEachPage) {
  CreateDirectoryA("screenshots", nullptr);
  auto* grid = form->grdUpdateFileList;
  grid->SetRowCount(3);
  grid->SetCell(0, 0, "{Updates}");
  grid->SetCell(0, 1, "{Tessaron-2.3.1.0}");
  grid->SetCell(0, 2, "{Tessaron-2.3.1.1}");
  form->sbarProgress->SetPosition(40);
  form->txtProgressDetails->SetCaption("{Progress Details & more}");
  for (int page = 0; page < form->PageControl1->PageCount(); ++page) {
    form->PageControl1->SetActivePageIndex(page);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testui::Pump();
    std::string path = "screenshots\\page" + std::to_string(page) + "-" + form->PageControl1->Page(page)->Name() +
                       ".png";
    EXPECT_TRUE(SaveWindowPng(form->Handle(), path)) << path;
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
  }
}

}  // namespace
