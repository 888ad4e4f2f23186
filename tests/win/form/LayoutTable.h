// The wizard window's controls as its layout describes them, at 96 DPI, with what each does when the window gets
// wider or taller: kept here independently of the code that builds the window, so that the two check each other.
#pragma once

namespace layout {

enum Follow : char {
  Stays = '-',
  Moves = 'M',
  Grows = 'G',  // stretches with the window
};

struct Expected {
  const char* Name;
  const char* Parent;  // empty: the window itself
  int Left, Top, Width, Height;
  bool AutoSize;  // sizes itself to its text: only its place is fixed
  Follow Wider;
  Follow Taller;
};

inline constexpr Expected Controls[] = {
    // On the window.
    {"lbServerVersionTitle", "", 172, 257, 109, 13, true, Stays, Moves},
    {"lbServerVersion", "", 172, 273, 165, 13, true, Stays, Moves},
    {"Bevel1", "", 16, 293, 441, 17, false, Grows, Moves},
    {"lbResponceCenter", "", 16, 289, 441, 13, false, Grows, Moves},
    {"Image1", "", 16, 319, 65, 22, false, Stays, Moves},
    {"PageControl1", "", 160, 10, 304, 247, false, Grows, Grows},
    {"pnlImage", "", 16, 16, 136, 268, false, Stays, Grows},
    {"btPrev", "", 224, 318, 75, 25, false, Moves, Moves},
    {"btNext", "", 304, 318, 75, 25, false, Moves, Moves},
    {"btExit", "", 384, 318, 75, 25, false, Moves, Moves},
    {"imgImage1", "pnlImage", 4, 4, 128, 230, false, Stays, Stays},
    // The pages fill the container but for its margins: 296 x 237 each.
    {"TabSheet0", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet1", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet2", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet3", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet5", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet6", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    {"TabSheet7", "PageControl1", 4, 6, 296, 237, false, Grows, Grows},
    // Welcome page.
    {"lbUpdateSystemTitle", "TabSheet0", 64, 0, 146, 13, true, Stays, Stays},
    {"lbUpdateSystemInfo", "TabSheet0", 64, 16, 225, 33, false, Grows, Stays},
    {"btUpdateSystem", "TabSheet0", 8, 0, 49, 49, false, Stays, Stays},
    {"cbLocale", "TabSheet0", 8, 201, 105, 21, false, Stays, Moves},
    // Updates folder page.
    {"lbUpdateFilesPathTitle", "TabSheet1", 8, 0, 217, 13, true, Stays, Stays},
    {"lbUpdateFilesPathInfo", "TabSheet1", 8, 48, 288, 191, false, Grows, Grows},
    {"edUpdateFilesPath", "TabSheet1", 8, 16, 256, 21, false, Grows, Stays},
    {"btUpdateFilesPathBrowse", "TabSheet1", 272, 16, 20, 21, false, Moves, Stays},
    // Update list page.
    {"lbUpdateFilesPathEchoTitle", "TabSheet2", 8, 0, 89, 13, true, Stays, Stays},
    {"lbUpdateFileListTitle", "TabSheet2", 8, 56, 57, 13, true, Stays, Stays},
    {"txtUpdateFilesPathEcho", "TabSheet2", 8, 16, 288, 39, false, Grows, Stays},
    {"grdUpdateFileList", "TabSheet2", 8, 72, 288, 165, false, Grows, Grows},
    // Snapshot page.
    {"lbSnapshotDriveTitle", "TabSheet3", 8, 0, 229, 13, true, Stays, Stays},
    {"lbSnapshotDriveInfo", "TabSheet3", 8, 48, 257, 186, false, Grows, Grows},
    {"lbSnapshotDriveSizeInfo", "TabSheet3", 164, 18, 136, 13, true, Moves, Stays},
    {"cbSnapshotDrive", "TabSheet3", 8, 16, 153, 19, false, Grows, Stays},
    // Confirmation page.
    {"lbAboutToInstallInfo1", "TabSheet5", 8, 32, 97, 13, true, Stays, Stays},
    {"lbAboutToInstallInfo2", "TabSheet5", 8, 48, 257, 186, false, Grows, Grows},
    // Progress page.
    {"lbCurrentStepTitle", "TabSheet6", 8, 0, 67, 13, true, Stays, Stays},
    {"txtCurrentStep", "TabSheet6", 8, 14, 281, 17, false, Grows, Stays},
    {"lbProgressTitle", "TabSheet6", 8, 36, 49, 13, true, Stays, Stays},
    {"sbarProgress", "TabSheet6", 8, 50, 281, 17, false, Grows, Stays},
    {"lbProgressDetailsTitle", "TabSheet6", 8, 72, 84, 13, true, Stays, Stays},
    {"txtProgressDetails", "TabSheet6", 8, 86, 281, 17, false, Grows, Stays},
    {"lbProgressInfo", "TabSheet6", 8, 112, 257, 125, false, Grows, Grows},
    {"edZUKInput", "TabSheet6", 240, 146, 49, 14, false, Grows, Moves},
    {"memZUKOutput", "TabSheet6", 240, 200, 49, 34, false, Grows, Grows},
    // Completion page.
    {"txtCompletionStatusInfo", "TabSheet7", 8, 24, 281, 202, false, Grows, Grows},
};

}  // namespace layout
