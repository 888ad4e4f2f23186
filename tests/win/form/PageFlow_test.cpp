// The wizard's page sequence as the operator walks it: start-up, Next and Prev with the skipped snapshot page, the
// buttons of each page, the folder field, and the rules for closing the window.
#include <string>
#include <vector>

#include "WizardSupport.h"
#include "core/LangRes.h"
#include "core/PackageRules.h"

namespace {

using wizardtest::ScriptedBoxes;
using wizardtest::WizardTest;

// ------------------------------------------------------------------------------------------------- start-up

TEST_F(WizardTest, StartUpOpensTheWelcomePageWithEverythingPreset) {
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(Buttons(), "hidden/shown/shown");
  EXPECT_EQ(form->btNext->Caption(), "&Next >");
  EXPECT_TRUE(form->btPrev->Enabled());  // hidden, but left enabled

  EXPECT_EQ(form->cbLocale->ItemIndex(), 0);

  // The wizard's own folder, with its backslash, is the folder field's first text.
  EXPECT_EQ(form->AppFolder, wizardtest::OwnFolder());
  EXPECT_EQ(form->edUpdateFilesPath->Text(), form->AppFolder);
  EXPECT_FALSE(form->NoSnapshot);  // this test program was started without the switch

  ASSERT_TRUE(form->Engine.EngineOutput && form->Engine.EngineInput);
  EXPECT_NE(form->Engine.EngineOutput->ReadHandle(), nullptr);
  EXPECT_NE(form->Engine.EngineInput->WriteHandle(), nullptr);
  EXPECT_EQ(form->Caption(), "Tessaron Update Utility");
}

TEST_F(WizardTest, StartUpPreselectsTheFixedDriveWithTheMostFreeSpace) {
  const char chosen = form->cbSnapshotDrive->Drive();
  ASSERT_NE(chosen, '\0');
  const char root[] = {chosen, ':', '\\', '\0'};
  EXPECT_EQ(GetDriveTypeA(root), static_cast<UINT>(DRIVE_FIXED));
  ULARGE_INTEGER chosenFree{}, total{};
  ASSERT_TRUE(GetDiskFreeSpaceExA(root, &chosenFree, &total, nullptr));
  // Other programs write meanwhile: a drive that beats the chosen one by a wide margin would be a wrong choice.
  const ULONGLONG margin = 256ull << 20;
  const DWORD present = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(present & (1u << (letter - 'A'))) || letter == chosen) continue;
    const char other[] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(other) != DRIVE_FIXED) continue;
    ULARGE_INTEGER free{};
    if (GetDiskFreeSpaceExA(other, &free, &total, nullptr)) {
      EXPECT_LE(free.QuadPart, chosenFree.QuadPart + margin) << letter;
      // Equal space (C: and Z: share the host's file system under Wine): the earlier letter.
      if (free.QuadPart + margin > chosenFree.QuadPart && free.QuadPart < chosenFree.QuadPart + margin) {
        EXPECT_LT(chosen, letter);
      }
    }
  }
}

// A pipe that could not be made at start-up: the window stays usable, but Start is refused.
TEST_F(WizardTest, WithoutItsPipesStartIsRefusedWithTheGenericError) {
  form->Engine.EngineInput.reset();
  form->PageControl1->SetActivePageIndex(4);
  form->EnterPage();
  UtilsTest::ScratchFolder media("wizard-media");
  ASSERT_TRUE(wizardtest::WriteBytes(media.Path + "zuk.exe", "MZ"));
  form->AppFolder = media.Path;
  wizardtest::EnvironmentVariable home("ZelmoHome", scratch.Path);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  boxes.ExpectOnly("The program can not continue because of a configuration or system problem.", "Error", 0u);
  EXPECT_FALSE(form->Engine.EngineStartPending);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
}

// --------------------------------------------------------------------------------------------- page sequence

TEST_F(WizardTest, WithUpdateZeroEveryPageIsVisitedBothWays) {
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"});

  // Welcome: the picture button does what Next does.
  form->btUpdateSystem->Click();
  ASSERT_EQ(Page(), 1);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
  EXPECT_EQ(GetFocus(), form->edUpdateFilesPath->Handle());
  form->edUpdateFilesPath->SetText(updates);

  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 2);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
  EXPECT_EQ(form->FoundUpdates.size(), std::string(":0:1:2:").size());
  for (const char* n : {"0", "1", "2"}) EXPECT_TRUE(core::SequenceContains(form->FoundUpdates, n, ':')) << n;
  EXPECT_FALSE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->ExpectedSections, 4);  // three packages and the snapshot
  EXPECT_EQ(form->sbarProgress->Max(), 400);
  EXPECT_EQ(GetFocus(), form->grdUpdateFileList->Handle());

  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 3);
  EXPECT_EQ(Buttons().substr(0, 7), "shown/s");  // Next depends on the drive (its own test)
  EXPECT_EQ(form->btNext->Caption(), "&Next >");

  form->cbSnapshotDrive->SetDrive('C');
  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 4);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
  EXPECT_EQ(form->btNext->Caption(), "Start");
  EXPECT_TRUE(boxes.Boxes.empty());

  // Back again, one page at a time, without checks; the scan on re-entry does not count the snapshot twice.
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(form->btNext->Caption(), "&Next >");
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(form->ExpectedSections, 4);
  EXPECT_EQ(form->sbarProgress->Max(), 400);
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 1);
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(Buttons(), "hidden/shown/shown");
  EXPECT_FALSE(PressPrev());
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(WizardTest, WithoutUpdateZeroTheSnapshotPageIsSkippedBothWays) {
  SetLevel("2.3.1.0");
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"});
  GoToUpdateList(updates);
  EXPECT_TRUE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->ExpectedSections, 2);
  EXPECT_EQ(form->sbarProgress->Max(), 200);

  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(form->btNext->Caption(), "Start");
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(form->ExpectedSections, 2);

  // Another folder, with update 0 this time: the snapshot page comes back.
  const std::string other = scratch.Path + "Other\\";
  CreateDirectoryA(other.c_str(), nullptr);
  wizardtest::MakeFiles(other, {"Tessaron-2.3.1.0.zuk"});
  SetLevel("2.2.0");
  ASSERT_TRUE(PressPrev());
  form->edUpdateFilesPath->SetText(other);
  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 2);
  EXPECT_FALSE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->ExpectedSections, 2);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 3);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(WizardTest, TheNoSnapshotSwitchSkipsTheSnapshotPageEvenWithUpdateZero) {
  form->NoSnapshot = true;
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"});
  GoToUpdateList(updates);
  EXPECT_TRUE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->ExpectedSections, 3);
  EXPECT_EQ(form->sbarProgress->Max(), 300);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 2);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);

  // Without update 0 the switch changes nothing further.
  SetLevel("2.3.1.0");
  const std::string other = scratch.Path + "Other\\";
  CreateDirectoryA(other.c_str(), nullptr);
  wizardtest::MakeFiles(other, {"Tessaron-2.3.1.1.zuk"});
  GoToUpdateList(other);
  EXPECT_TRUE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->ExpectedSections, 1);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(WizardTest, AFolderWithoutPackagesLeavesOnlyPrevAndExit) {
  GoToUpdateList(updates);
  EXPECT_EQ(Buttons(), "shown/disabled/shown");
  EXPECT_EQ(GridRows(), (std::vector<std::string>{"Updates", "No files matching Tessaron-2.3.1.*.zuk"}));
  EXPECT_FALSE(PressNext());
  ASSERT_TRUE(PressPrev());
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
}

TEST_F(WizardTest, TheFolderFieldEnablesNextOnlyForAnExistingFolder) {
  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 1);
  form->edUpdateFilesPath->SetText(scratch.Path + "NoSuchFolder");
  EXPECT_EQ(Mode(form->btNext), "disabled");
  form->edUpdateFilesPath->SetText(updates);
  EXPECT_EQ(Mode(form->btNext), "shown");
  form->edUpdateFilesPath->SetText(updates + "Tessaron-2.3.1.0.zuk");  // a file is no folder
  EXPECT_EQ(Mode(form->btNext), "disabled");
  form->edUpdateFilesPath->SetText("");
  EXPECT_EQ(Mode(form->btNext), "disabled");

  // Typing, as the operator does, runs the same rule.
  form->edUpdateFilesPath->SetText(scratch.Path);
  SetFocus(form->edUpdateFilesPath->Handle());
  SendMessageA(form->edUpdateFilesPath->Handle(), EM_SETSEL, 0, -1);
  for (char c : std::string("Q:\\x")) SendMessageA(form->edUpdateFilesPath->Handle(), WM_CHAR, c, 0);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), "Q:\\x");
  EXPECT_EQ(Mode(form->btNext), "disabled");

  // Entering the page enables Next whatever the field holds; the missing folder then gives an empty list.
  form->edUpdateFilesPath->SetText(scratch.Path + "Missing\\");
  EXPECT_EQ(Mode(form->btNext), "disabled");
  ASSERT_TRUE(PressPrev());
  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 1);
  EXPECT_EQ(Mode(form->btNext), "shown");
  ASSERT_TRUE(PressNext());  // the folder would be on C:, a fixed drive: no question
  EXPECT_TRUE(boxes.Boxes.empty());
  ASSERT_EQ(Page(), 2);
  EXPECT_EQ(Mode(form->btNext), "disabled");
  EXPECT_EQ(form->txtUpdateFilesPathEcho->Text(), scratch.Path + "Missing\\");
}

TEST_F(WizardTest, ButtonModesAreShownDisabledAndHiddenButEnabled) {
  using enum TLauncherForm::ButtonMode;
  form->SetButtonMode(form->btExit, Disabled);
  EXPECT_EQ(Mode(form->btExit), "disabled");
  form->SetButtonMode(form->btExit, Hidden);
  EXPECT_EQ(Mode(form->btExit), "hidden");
  EXPECT_TRUE(form->btExit->Enabled());
  form->SetButtonMode(form->btExit, Shown);
  EXPECT_EQ(Mode(form->btExit), "shown");

  form->SetNavButtons(Disabled, Hidden, Shown, "_Start");
  EXPECT_EQ(Buttons(), "disabled/hidden/shown");
  EXPECT_EQ(form->btNext->Caption(), "Start");
  EXPECT_THROW(form->SetNavButtons(Shown, Shown, Shown, "_Nowhere"), core::MissingResourceError);
}

// Start with every check passed runs the engine and ends on the completion page; there is no way back.
TEST_F(WizardTest, StartLeadsThroughTheProgressPageToTheCompletionPage) {
  wizardtest::StartableRun run(*form, scratch.Path + "Home", "silent");
  ASSERT_NO_FATAL_FAILURE(GoToConfirmation());

  ASSERT_TRUE(PressNext());  // Start: returns once the run is over
  EXPECT_EQ(Page(), 6);
  EXPECT_EQ(Buttons(), "hidden/hidden/shown");
  EXPECT_EQ(form->HomeFolder, scratch.Path + "Home");
  EXPECT_FALSE(form->Engine.EngineRunning);
  EXPECT_FALSE(PressPrev());
  EXPECT_FALSE(PressNext());
}

// ---------------------------------------------------------------------------------------------- closing

TEST_F(WizardTest, ClosingIsRefusedWhileTheEngineRuns) {
  // A process that is alive stands for the engine.
  HANDLE self = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  form->Engine.EngineProcess.Reset(self);
  form->PageControl1->SetActivePageIndex(5);
  form->Engine.EngineRunning = true;
  form->Run.NeedReboot = true;  // the reminder waits for an attempt that may close
  form->btExit->Click();
  EXPECT_FALSE(ui::App().Terminated());
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
  testui::Pump();
  EXPECT_FALSE(ui::App().Terminated());
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  ASSERT_EQ(boxes.Boxes.size(), 3u);
  for (const auto& box : boxes.Boxes) {
    EXPECT_EQ(box.Text,
              "The update utility engine (zuk.exe) is still running. Please let it finish the update before "
              "closing the application.");
    EXPECT_EQ(box.Caption, "Information");
    EXPECT_EQ(box.Flags, 0u);
  }
  EXPECT_TRUE(form->Engine.EngineRunning && form->Run.NeedReboot);
  EXPECT_EQ(Page(), 5);

  // Once the engine has gone, the same attempt closes, with the reminder.
  form->Engine.Reset();
  boxes.Clear();
  form->btExit->Click();
  EXPECT_TRUE(ui::App().Terminated());
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Caption, "Information");
}

TEST_F(WizardTest, AfterARebootRequestEveryCloseRemindsOnceAndCloses) {
  form->Run.NeedReboot = true;
  const std::string reminder =
      "The update process has determined that a server reboot is necessary.\r\r1. Please ensure that no other server "
      "upgrades are depending on this server or any of its shares.\r\r2. After making sure, please reboot this "
      "server.\r";
  bool canClose = true;
  form->FormCloseQuery(form.get(), canClose);
  EXPECT_TRUE(canClose);
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);  // the close box
  testui::Pump();
  EXPECT_TRUE(ui::App().Terminated());
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  for (const auto& box : boxes.Boxes) {
    EXPECT_EQ(box.Text, reminder);
    EXPECT_EQ(box.Caption, "Information");
    EXPECT_EQ(box.Flags, 0u);
  }
  // A caller that has already refused keeps its refusal, without the reminder.
  boxes.Clear();
  canClose = false;
  form->FormCloseQuery(form.get(), canClose);
  EXPECT_FALSE(canClose);
  EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(WizardTest, WithoutARunExitClosesSilentlyFromAnyPage) {
  for (int page : {0, 1, 2, 3, 4, 6}) {
    SCOPED_TRACE(page);
    form->PageControl1->SetActivePageIndex(page);
    ui::App().ResetTerminated();
    form->btExit->Click();
    EXPECT_TRUE(ui::App().Terminated());
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  EXPECT_TRUE(boxes.Boxes.empty());
  bool canClose = true;
  form->FormCloseQuery(form.get(), canClose);
  EXPECT_TRUE(canClose);
}

}  // namespace
