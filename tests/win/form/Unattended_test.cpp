// An unattended run in the test's own process, moved on tick by tick: where Next cannot go on it ends, with no box
// shown, and its log holds what the page showed.
#include <string>

#include "WizardSupport.h"

namespace {

using tessaron::testsupport::ReadBytes;
using wizardtest::ExtraDrives;
using wizardtest::WizardTest;

TEST_F(WizardTest, AnUnattendedRunEndsWhereNextIsGreyedAndAQuestionIsAnsweredNo) {
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"});
  ExtraDrives drives;
  const char floppy = drives.Add(DRIVE_REMOVABLE);
  ASSERT_NE(floppy, 0);
  const std::string log = scratch.Path + "unattended.log";
  const std::string separator = "\r\n** output ******************************************\r\n";
  auto tickUntilEnded = [&] {
    for (int tick = 0; tick < 10 && !form->Outcome; ++tick) form->UnattendedTimerTimer(form->UnattendedTimer);
  };

  // A snapshot drive that is no fixed drive leaves Next greyed on the snapshot page.
  form->Switches.Unattended = true;
  form->Switches.LogFile = log;
  form->edUpdateFilesPath->SetText(updates);
  form->cbSnapshotDrive->Refresh();
  form->cbSnapshotDrive->SetDrive(floppy);
  ASSERT_EQ(form->cbSnapshotDrive->Drive(), floppy);
  form->EnterPage();  // as at start-up, after the switches preset the fields
  tickUntilEnded();
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(form->Outcome, core::RunOutcome::SnapshotDriveRefused);
  EXPECT_EQ(form->ExitCode(), 1);
  EXPECT_EQ(ReadBytes(log), "Please specify the target drive for the snapshot\r\n\r\n" + std::string{floppy} +
                                ": [FLOPPY]" + separator);

  // Updates on a drive that is not fixed: the question is answered No, and its text is the log's.
  form.reset();
  ui::App().ResetTerminated();
  form = std::make_unique<TLauncherForm>();
  form->Create();
  form->Switches.Unattended = true;
  form->Switches.LogFile = log;
  form->edUpdateFilesPath->SetText(std::string{floppy} + ":\\");
  form->EnterPage();
  tickUntilEnded();
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(form->ExitCode(), 1);
  EXPECT_EQ(ReadBytes(log),
            "It is recommended to have the update files on a fixed hard drive on your local server.  The selected "
            "folder is not on a fixed hard drive.\r\n\r\nWould you like to continue anyways?" +
                separator);
  EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
