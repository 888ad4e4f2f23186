// Preparing an update: the checks before a run, the update packages, the updates folder and the snapshot drive.
#include "win/LauncherF.h"

void TLauncherForm::TabSheet2Resize(ui::Component*) {
  grdUpdateFileList->SetColWidth(0, grdUpdateFileList->ClientWidth());
}

void TLauncherForm::btUpdateFilesPathBrowseClick(ui::Component*) {}

void TLauncherForm::cbSnapshotDriveChange(ui::Component*) {}
