// What a screen reader hears for the wizard's controls, asked through the platform's accessibility interface.
#include <windows.h>
// (after windows.h, whose types it needs)
#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

#include "RunSupport.h"
#include "WizardSupport.h"

namespace {

// The name of a window's client object, in Windows-1252 as the program writes its texts.
std::string AccessibleName(const ui::Control* control) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control->Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_PPV_ARGS(&object))))
    return "(no accessible object)";
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT result = object->get_accName(self, &name);
  object->Release();
  if (result != S_OK || !name) return "(no name)";
  const int length = static_cast<int>(SysStringLen(name));
  std::string text(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, name, length, nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, name, length, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  SysFreeString(name);
  return text;
}

using AccessibleNamesTest = wizardtest::WizardTest;

TEST_F(AccessibleNamesTest, EachInputIsNamedByItsLabelInTheChosenLanguage) {
  ShowEveryPageOnce();
  const std::vector<std::pair<ui::Control*, std::string>> english{
      {form->cbLocale, "Language / Sprache / Langue / Idioma"},
      {form->edUpdateFilesPath, "Please specify where the updates are stored"},
      {form->grdUpdateFileList, "List of files"},
      {form->cbSnapshotDrive, "Please specify the target drive for the snapshot"},
      {form->sbarProgress, "Progress 0%"},
  };
  for (const auto& [control, name] : english) EXPECT_EQ(AccessibleName(control), name) << control->Name();

  form->cbLocale->SetItemIndex(1);
  form->cbLocaleChange(form->cbLocale);
  EXPECT_EQ(AccessibleName(form->cbSnapshotDrive), "Geben Sie das Ziellaufwerk f\xFCr den Snapshot an");
  EXPECT_EQ(AccessibleName(form->sbarProgress), "Status 0%");
}

// Where a reader only has the platform's own rule, it takes the label just before the control.
TEST_F(AccessibleNamesTest, TheNamingLabelComesJustBeforeItsControl) {
  ShowEveryPageOnce();
  const std::vector<std::pair<ui::Control*, ui::Control*>> pairs{
      {form->edUpdateFilesPath, form->lbUpdateFilesPathTitle},
      {form->txtUpdateFilesPathEcho, form->lbUpdateFilesPathEchoTitle},
      {form->grdUpdateFileList, form->lbUpdateFileListTitle},
      {form->cbSnapshotDrive, form->lbSnapshotDriveTitle},
      {form->sbarProgress, form->lbProgressTitle},
  };
  for (const auto& [control, label] : pairs) {
    ASSERT_TRUE(control->Created()) << control->Name();
    EXPECT_EQ(GetWindow(control->Handle(), GW_HWNDPREV), label->Handle()) << control->Name();
  }
}

using RunTextsTest = runtest::RunTest;

TEST_F(RunTextsTest, TheProgressTextsAndTheResultAreWhatAReaderHears) {
  RunLineByLine({"[SECTION]:Packages\r\n", "[STATUS]:S1,Copying files,50\r\n", "  Copying a.dll\r\n", "[Result]:OK\r\n",
                 "[STATUS]:S1,Done,100\r\n"},
                [&](size_t line) {
                  if (line != 2) return;
                  EXPECT_EQ(AccessibleName(form->txtCurrentStep), "Copying files");
                  EXPECT_EQ(AccessibleName(form->txtProgressDetails), "Copying a.dll");
                  EXPECT_EQ(AccessibleName(form->lbCurrentStepTitle), "Packages");
                  EXPECT_EQ(AccessibleName(form->sbarProgress), "Progress 25%");
                });
  ASSERT_EQ(Page(), 6);
  EXPECT_EQ(AccessibleName(form->txtCompletionStatusInfo), "Information");

  NewForm();
  EndRun();  // nothing happened: a failure
  ASSERT_EQ(Page(), 6);
  EXPECT_EQ(AccessibleName(form->txtCompletionStatusInfo), "Error");
}

}  // namespace
