// The layout of the wizard's window: every control with its place at 96 DPI, anchors, font, colours, flags, tab
// order and event handler. Captions in braces are placeholders that the texts of the chosen language replace.
#include "win/LauncherF.h"

using namespace ui;

namespace {

enum LabelFlags : unsigned {
  Plain = 0,
  Bold = 1,
  Literal = 2,          // an ampersand is shown, not taken as an accelerator
  FixedWrapping = 4,    // keeps its size; words wrap at its width
  FixedSingleLine = 8,  // keeps its size; one line
};

// A control of the form at its place at 96 DPI, with its anchors.
template <class T>
T* AddPlaced(Form& form, Control* parent, const char* name, Bounds place, Anchors anchors) {
  auto* control = form.Add<T>(parent, name);
  control->Place(place.Left, place.Top, place.Width, place.Height);
  control->SetAnchors(anchors);
  return control;
}

Label* AddLabel(Form& form, Control* parent, const char* name, Bounds place, Anchors anchors, unsigned flags,
                const char* caption) {
  auto* label = AddPlaced<Label>(form, parent, name, place, anchors);
  label->SetShowAccelChar(!(flags & Literal));
  label->SetAutoSize(!(flags & (FixedWrapping | FixedSingleLine)));
  label->SetWordWrap((flags & FixedWrapping) != 0);
  if (flags & Bold) label->SetFontBold(true);
  label->SetCaption(caption);
  return label;
}

Button* AddButton(Form& form, Control* parent, const char* name, Bounds place, Anchors anchors, int tabOrder,
                  const char* caption) {
  auto* button = AddPlaced<Button>(form, parent, name, place, anchors);
  button->SetTabOrder(tabOrder);
  button->SetCaption(caption);
  return button;
}

// A borderless, read-only text box in bold on the inactive-caption-text colour, skipped by the Tab key.
Memo* AddStatusText(Form& form, Control* parent, const char* name, Bounds place, Anchors anchors, int tabOrder,
                    const char* caption) {
  auto* memo = AddPlaced<Memo>(form, parent, name, place, anchors);
  memo->SetBorder(false);
  memo->SetReadOnly(true);
  memo->SetWordWrap(true);
  memo->SetWantReturns(false);
  memo->SetColor(colors::InactiveCaptionText);
  memo->SetFontBold(true);
  memo->SetTabOrder(tabOrder);
  memo->SetTabStop(false);
  memo->SetCaption(caption);
  return memo;
}

// One line of engine status: sunken, caption left-aligned and vertically centred, navy.
Panel* AddStatusLine(Form& form, Control* parent, const char* name, Bounds place, int tabOrder, const char* caption) {
  auto* panel = AddPlaced<Panel>(form, parent, name, place, akLeft | akTop | akRight);
  panel->SetBevelOuter(BevelCut::Lowered);
  panel->SetBevelInner(BevelCut::None);
  panel->SetBevelWidth(1);
  panel->SetBorderWidth(1);
  panel->SetAlignment(Alignment::Left);
  panel->SetFontColor(colors::Navy);
  panel->SetTabOrder(tabOrder);
  panel->SetCaption(caption);
  return panel;
}

FontInfo SmallFont() {
  FontInfo font;
  font.Size = 6;
  return font;
}

}  // namespace

void TLauncherForm::BuildLayout() {
  SetClientSize(472, 352);
  SetMinOuterSize(400, 350);
  SetColor(colors::BtnFace);
  SetIconResource("MAINICON");
  SetCaption("{Tessaron Update Utility}");
  OnCreate = [this](Component* sender) { FormCreate(sender); };
  OnDestroy = [this](Component* sender) { FormDestroy(sender); };
  OnCloseQuery = [this](Component* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  auto nextClick = [this](Component* sender) { btNextClick(sender); };

  // ------------------------------------------------------------------------------------------ the window
  lbServerVersionTitle = AddLabel(*this, nullptr, "lbServerVersionTitle", {172, 257, 109, 13}, akLeft | akBottom,
                                  Literal, "{Current Update Level}");
  lbServerVersion = AddLabel(*this, nullptr, "lbServerVersion", {172, 273, 165, 13}, akLeft | akBottom, Bold | Literal,
                             "{Server SERVER at A.B.X.Y}");

  Bevel1 = Add<Bevel>(nullptr, "Bevel1");
  Bevel1->Place(16, 293, 441, 17);
  Bevel1->SetAnchors(akLeft | akRight | akBottom);

  lbResponceCenter =
      AddLabel(*this, nullptr, "lbResponceCenter", {16, 289, 441, 13}, akLeft | akRight | akBottom,
               FixedSingleLine | Literal, "{For assistance at any time, please contact the Orvo Response Center.}");

  Image1 = Add<Image>(nullptr, "Image1");
  Image1->Place(16, 319, 65, 22);
  Image1->SetAnchors(akLeft | akBottom);
  Image1->SetPicture("LOGO");
  Image1->SetAutoSize(true);

  PageControl1 = Add<PageControl>(nullptr, "PageControl1");
  PageControl1->Place(160, 10, 304, 247);
  PageControl1->SetAnchors(akAll);
  PageControl1->SetTabOrder(0);

  pnlImage = Add<Panel>(nullptr, "pnlImage");
  pnlImage->Place(16, 16, 136, 268);
  pnlImage->SetAnchors(akLeft | akTop | akBottom);
  pnlImage->SetColor(colors::Teal);
  pnlImage->SetBevelOuter(BevelCut::Lowered);
  pnlImage->SetBevelInner(BevelCut::Raised);
  pnlImage->SetBevelWidth(2);
  pnlImage->SetTabOrder(1);

  btPrev = AddButton(*this, nullptr, "btPrev", {224, 318, 75, 25}, akRight | akBottom, 2, "{< &Prev}");
  btPrev->OnClick = [this](Component* sender) { btPrevClick(sender); };
  btNext = AddButton(*this, nullptr, "btNext", {304, 318, 75, 25}, akRight | akBottom, 3, "{&Next >}");
  btNext->SetDefault(true);
  btNext->OnClick = nextClick;
  btExit = AddButton(*this, nullptr, "btExit", {384, 318, 75, 25}, akRight | akBottom, 4, "{E&xit}");
  btExit->OnClick = [this](Component* sender) { btExitClick(sender); };

  Timer1 = AddTimer("Timer1");
  Timer1->SetInterval(1000);
  Timer1->OnTimer = [this](Component* sender) { Timer1Timer(sender); };
  UnattendedTimer = AddTimer("UnattendedTimer");
  UnattendedTimer->SetInterval(250);
  UnattendedTimer->SetEnabled(false);
  UnattendedTimer->OnTimer = [this](Component* sender) { UnattendedTimerTimer(sender); };

  imgImage1 = Add<Image>(pnlImage, "imgImage1");
  imgImage1->Place(4, 4, 128, 230);
  imgImage1->SetPicture("ILLUSTRATION");

  TabSheet0 = PageControl1->AddPage("TabSheet0");
  TabSheet1 = PageControl1->AddPage("TabSheet1");
  TabSheet2 = PageControl1->AddPage("TabSheet2");
  TabSheet3 = PageControl1->AddPage("TabSheet3");
  TabSheet5 = PageControl1->AddPage("TabSheet5");
  TabSheet6 = PageControl1->AddPage("TabSheet6");
  TabSheet7 = PageControl1->AddPage("TabSheet7");
  TabSheet1->OnCreate = [this](Component*) { FitUpdatesFolderRow(); };
  TabSheet2->OnResize = [this](Component* sender) { TabSheet2Resize(sender); };

  // ------------------------------------------------------------------------------------------ welcome page
  lbUpdateSystemTitle = AddLabel(*this, TabSheet0, "lbUpdateSystemTitle", {64, 0, 146, 13}, akLeftTop, Bold | Literal,
                                 "{Update Tessaron System}");
  lbUpdateSystemInfo = AddLabel(*this, TabSheet0, "lbUpdateSystemInfo", {64, 16, 225, 33}, akLeft | akTop | akRight,
                                FixedWrapping | Literal, "{Install the latest updates on your system.}");
  btUpdateSystem = AddButton(*this, TabSheet0, "btUpdateSystem", {8, 0, 49, 49}, akLeftTop, 0, "");
  btUpdateSystem->SetPicture("BUTTONPICTURE");
  btUpdateSystem->OnClick = nextClick;

  cbLocale = Add<ComboBox>(TabSheet0, "cbLocale");
  cbLocale->Place(8, 201, 105, 21);
  cbLocale->SetAnchors(akLeft | akBottom);
  cbLocale->SetItemHeight(13);
  cbLocale->AddItem("English");
  cbLocale->SetItemIndex(0);
  cbLocale->SetTabOrder(1);
  cbLocale->OnChange = [this](Component* sender) { cbLocaleChange(sender); };
  // No label describes the list; its entries are each in their own language, and so is its name.
  cbLocale->SetAccessibleName("Language / Sprache / Langue / Idioma");

  // ------------------------------------------------------------------------------------ updates folder page
  lbUpdateFilesPathTitle = AddLabel(*this, TabSheet1, "lbUpdateFilesPathTitle", {8, 0, 217, 13}, akLeftTop, Plain,
                                    "{Please specify where the updates are stored}");
  lbUpdateFilesPathInfo = AddLabel(
      *this, TabSheet1, "lbUpdateFilesPathInfo", {8, 48, 288, 191}, akAll, FixedWrapping | Bold | Literal,
      "{Please note that it is highly recommended to copy all update files from your upgrade CD to a new folder on "
      "your J: drive (or any other Jobs volume with enough free space).}");

  edUpdateFilesPath = Add<Edit>(TabSheet1, "edUpdateFilesPath");
  edUpdateFilesPath->Place(8, 16, 256, 21);
  edUpdateFilesPath->SetAnchors(akLeft | akTop | akRight);
  edUpdateFilesPath->SetTabOrder(0);
  edUpdateFilesPath->OnChange = [this](Component* sender) { edUpdateFilesPathChange(sender); };
  lbUpdateFilesPathTitle->SetFocusControl(edUpdateFilesPath);
  edUpdateFilesPath->SetAccessibleLabel(lbUpdateFilesPathTitle);

  btUpdateFilesPathBrowse =
      AddButton(*this, TabSheet1, "btUpdateFilesPathBrowse", {272, 16, 20, 21}, akTop | akRight, 1, "...");
  btUpdateFilesPathBrowse->OnClick = [this](Component* sender) { btUpdateFilesPathBrowseClick(sender); };

  // ----------------------------------------------------------------------------------------- update list page
  lbUpdateFilesPathEchoTitle =
      AddLabel(*this, TabSheet2, "lbUpdateFilesPathEchoTitle", {8, 0, 89, 13}, akLeftTop, Plain, "{Path To Updates}");
  lbUpdateFileListTitle =
      AddLabel(*this, TabSheet2, "lbUpdateFileListTitle", {8, 56, 57, 13}, akLeftTop, Plain, "{List of files}");
  txtUpdateFilesPathEcho = AddStatusText(*this, TabSheet2, "txtUpdateFilesPathEcho", {8, 16, 288, 39},
                                         akLeft | akTop | akRight, 1, "J:\\Updates");
  lbUpdateFilesPathEchoTitle->SetFocusControl(txtUpdateFilesPathEcho);
  txtUpdateFilesPathEcho->SetAccessibleLabel(lbUpdateFilesPathEchoTitle);

  grdUpdateFileList = Add<StringGrid>(TabSheet2, "grdUpdateFileList");
  grdUpdateFileList->Place(8, 72, 288, 165);
  grdUpdateFileList->SetAnchors(akAll);
  grdUpdateFileList->SetColCount(1);
  grdUpdateFileList->SetRowCount(2);
  grdUpdateFileList->SetDefaultColWidth(190);
  grdUpdateFileList->SetDefaultRowHeight(16);
  grdUpdateFileList->SetTabOrder(0);
  lbUpdateFileListTitle->SetFocusControl(grdUpdateFileList);
  grdUpdateFileList->SetAccessibleLabel(lbUpdateFileListTitle);

  // ----------------------------------------------------------------------------------------- snapshot page
  lbSnapshotDriveTitle = AddLabel(*this, TabSheet3, "lbSnapshotDriveTitle", {8, 0, 229, 13}, akLeftTop, Plain,
                                  "{Please specify the target drive for the snapshot}");
  lbSnapshotDriveInfo = AddLabel(
      *this, TabSheet3, "lbSnapshotDriveInfo", {8, 48, 257, 186}, akAll, FixedWrapping | Bold | Literal,
      "{In order to perform an update, a snapshot of the system will be stored on your server.\r\rSelect a fixed "
      "drive with the most free space - usually a \"Jobs\" drive.\r\rIn case of a serious problem, the Orvo Response "
      "Center will be able to restore your server from this snapshot.}");
  lbSnapshotDriveSizeInfo = AddLabel(*this, TabSheet3, "lbSnapshotDriveSizeInfo", {164, 18, 136, 13}, akTop | akRight,
                                     Bold | Literal, "{000000 MB free [%00]}");
  lbSnapshotDriveSizeInfo->SetFontColor(colors::Navy);

  cbSnapshotDrive = Add<DriveComboBox>(TabSheet3, "cbSnapshotDrive");
  cbSnapshotDrive->Place(8, 16, 153, 19);
  cbSnapshotDrive->SetAnchors(akLeft | akTop | akRight);
  cbSnapshotDrive->SetTabOrder(0);
  cbSnapshotDrive->OnChange = [this](Component* sender) { cbSnapshotDriveChange(sender); };
  lbSnapshotDriveTitle->SetFocusControl(cbSnapshotDrive);
  cbSnapshotDrive->SetAccessibleLabel(lbSnapshotDriveTitle);

  // -------------------------------------------------------------------------------------- confirmation page
  lbAboutToInstallInfo1 = AddLabel(*this, TabSheet5, "lbAboutToInstallInfo1", {8, 32, 97, 13}, akLeftTop,
                                   Bold | Literal, "{Important note:}");
  lbAboutToInstallInfo1->SetFontColor(colors::Red);
  lbAboutToInstallInfo2 = AddLabel(
      *this, TabSheet5, "lbAboutToInstallInfo2", {8, 48, 257, 186}, akAll, FixedWrapping | Bold | Literal,
      "{All Tessaron services on this machine as well as Skerry services on remote machines will be stopped as part "
      "of the upgrade.\r\rPress the Start button to begin the upgrade.}");

  // ------------------------------------------------------------------------------------------ progress page
  lbCurrentStepTitle =
      AddLabel(*this, TabSheet6, "lbCurrentStepTitle", {8, 0, 67, 13}, akLeftTop, Plain, "{Current Step}");
  txtCurrentStep = AddStatusLine(*this, TabSheet6, "txtCurrentStep", {8, 14, 281, 17}, 0, "{Initializing}");
  lbProgressTitle = AddLabel(*this, TabSheet6, "lbProgressTitle", {8, 36, 49, 13}, akLeftTop, Plain, "{Progress}");

  sbarProgress = Add<ProgressBar>(TabSheet6, "sbarProgress");
  sbarProgress->Place(8, 50, 281, 17);
  sbarProgress->SetAnchors(akLeft | akTop | akRight);
  sbarProgress->SetRange(0, 100);
  sbarProgress->SetPosition(0);
  sbarProgress->SetTabOrder(1);
  lbCurrentStepTitle->SetFocusControl(sbarProgress);
  lbProgressTitle->SetFocusControl(sbarProgress);
  sbarProgress->SetAccessibleLabel(lbProgressTitle);

  lbProgressDetailsTitle =
      AddLabel(*this, TabSheet6, "lbProgressDetailsTitle", {8, 72, 84, 13}, akLeftTop, Plain, "{Progress Details}");
  lbProgressDetailsTitle->SetFocusControl(sbarProgress);
  txtProgressDetails = AddStatusLine(*this, TabSheet6, "txtProgressDetails", {8, 86, 281, 17}, 2, "");
  lbProgressInfo = AddLabel(
      *this, TabSheet6, "lbProgressInfo", {8, 112, 257, 125}, akAll, FixedWrapping | Bold | Literal,
      "{The upgrade can take between 10 to 60 minutes, depending on the server type and the size of your "
      "database.\r\rPlease be patient and let the update complete, since interrupting the update may cause more "
      "system down time.}");
  lbProgressInfo->SetColor(colors::BtnFace);

  // The engine console pair is never shown.
  edZUKInput = Add<Edit>(TabSheet6, "edZUKInput");
  edZUKInput->Place(240, 146, 49, 14);
  edZUKInput->SetAnchors(akLeft | akRight | akBottom);
  edZUKInput->SetVisible(false);
  edZUKInput->SetBorder(false);
  edZUKInput->SetFont(SmallFont());
  edZUKInput->SetTabOrder(3);

  memZUKOutput = Add<Memo>(TabSheet6, "memZUKOutput");
  memZUKOutput->Place(240, 200, 49, 34);
  memZUKOutput->SetAnchors(akAll);
  memZUKOutput->SetVisible(false);
  memZUKOutput->SetBorder(false);
  memZUKOutput->SetReadOnly(true);
  memZUKOutput->SetWordWrap(false);
  memZUKOutput->SetScrollBars(ScrollBars::Both);
  memZUKOutput->SetFont(SmallFont());
  memZUKOutput->SetTabOrder(4);

  // ---------------------------------------------------------------------------------------- completion page
  txtCompletionStatusInfo =
      AddStatusText(*this, TabSheet7, "txtCompletionStatusInfo", {8, 24, 281, 202}, akAll, 0, "{Result:}");
}
