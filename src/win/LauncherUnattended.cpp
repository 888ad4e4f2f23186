// Launch switches and unattended runs: the wizard pressing Next by itself, one page per tick, and ending with an
// exit code and a run log wherever an operator would have been stopped.
#include "win/LauncherF.h"

#include "core/LangRes.h"
#include "core/RunLog.h"
#include "core/TextUtils.h"
#include "win/utils/Drives.h"
#include "win/utils/Files.h"
#include "win/utils/WideText.h"

void TLauncherForm::ApplyLaunchSwitches() {
  if (Switches.Language) {
    cbLocale->SetItemIndex(*Switches.Language);
    core::SelectLanguage(*Switches.Language);
  }
  if (Switches.UpdatesFolder) edUpdateFilesPath->SetWideText(UpdatesSwitchFolder);
  if (Switches.SnapshotDrive) {
    const char letter = *Switches.SnapshotDrive;
    if (GetDriveTypeA(Utils::DriveRoot(letter).c_str()) <= DRIVE_NO_ROOT_DIR) {
      Switches.Errors.push_back(std::string("The switch \"~snapshot=") + letter +
                                ":\" names a drive that does not exist.");
    } else {
      cbSnapshotDrive->SetDrive(letter);
    }
  }
  // With the fields as the switches preset them.
  BeginRunRecords();
  if (Switches.Unattended)
    ui::App().OnException = [this](const std::string& text) {
      MsgBox(text, ui::App().Title(), MB_OK | MB_ICONHAND, core::RunOutcome::WizardError);
    };
  // The first tick comes once the window is shown, so that a box about the switches stands over it.
  UnattendedTimer->SetEnabled(Switches.Unattended || !Switches.Errors.empty());
}

void TLauncherForm::UnattendedTimerTimer(ui::Component*) {
  if (!Switches.Errors.empty()) {
    std::string reasons;
    for (const std::string& error : Switches.Errors) reasons += (reasons.empty() ? "" : "\r") + error;
    Switches.Errors.clear();
    if (Switches.Unattended) {
      StopUnattendedRun(core::RunOutcome::BadSwitch, reasons);
    } else {
      UnattendedTimer->SetEnabled(false);
      MsgBox(reasons, core::GetText("str_Title_Error"), 0);
    }
    return;
  }
  const int page = PageControl1->ActivePageIndex();
  if (!Switches.Unattended || Outcome || page >= Progress) {
    UnattendedTimer->SetEnabled(false);
    return;
  }
  // Where an operator could not press Next, the run ends with what the page shows. The folder page offers Next on
  // entry and greys it only once the text changes, so a folder given by switch is looked at here.
  const bool folderMissing = page == UpdatesFolder && !Utils::IsExistingFolder(edUpdateFilesPath->Text());
  if (!btNext->Enabled() || !btNext->Visible() || folderMissing) {
    switch (page) {
      case UpdateList:
        StopUnattendedRun(core::RunOutcome::NoPackage, grdUpdateFileList->Cell(0, 1));
        break;
      case Snapshot: {
        const char letter = cbSnapshotDrive->Drive();
        const std::string drive = letter ? std::string{letter, ':', ' '} : std::string();
        StopUnattendedRun(core::RunOutcome::SnapshotDriveRefused,
                          lbSnapshotDriveTitle->Caption() + "\r\r" + drive + lbSnapshotDriveSizeInfo->Caption());
        break;
      }
      default:
        StopUnattendedRun(
            core::RunOutcome::UpdatesFolderMissing,
            lbUpdateFilesPathTitle->Caption() + "\r\r" + Utils::AnsiFromWide(edUpdateFilesPath->WideText()));
        break;
    }
    return;
  }
  if (page == Confirmation) {
    // Start runs the engine inside its own message loop; nothing is left to press after it.
    UnattendedTimer->SetEnabled(false);
    if (Switches.CheckOnly) {
      if (ValidatePage())
        StopUnattendedRun(core::RunOutcome::CheckPassed, std::string(core::CheckOnlyReadyText(cbLocale->ItemIndex())));
      return;
    }
  }
  btNext->Click();
}

void TLauncherForm::StopUnattendedRun(core::RunOutcome outcome, const std::string& text) {
  if (Outcome) return;
  LoggedStatus = core::NormaliseLineBreaks(text);
  SaveLog(core::RunLogText(LoggedStatus, ""), Switches.LogFile.value_or(std::string()));
  EndUnattendedRun(outcome);
}

void TLauncherForm::EndUnattendedRun(core::RunOutcome outcome) {
  if (Outcome) return;
  RecordOutcome(outcome, true);
  Outcome = outcome;
  UnattendedTimer->SetEnabled(false);
  ui::App().Terminate();
}

int TLauncherForm::ExitCode() const {
  if (!Switches.Unattended) return 0;
  // Closed by someone at the console before the run came to an end of its own.
  return core::ExitCodeOf(Outcome.value_or(core::RunOutcome::ClosedByHand));
}
