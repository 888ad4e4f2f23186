// Preparing an update: the pre-flight checks of Start, the package scan and the checks on leaving the folder and
// list pages, and the free space of the snapshot drive.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WizardSupport.h"
#include "core/LangRes.h"
#include "core/PackageRules.h"
#include "win/ui/SelectDirectory.h"
#include "win/utils/Utils.h"
#include "win/utils/WideText.h"

namespace {

using wizardtest::EnvironmentVariable;
using wizardtest::WizardTest;

const std::string kGeneric = "The program can not continue because of a configuration or system problem.";

// ------------------------------------------------------------------------------------------ pre-flight checks

// A copy of the scripted engine running under its own name, waiting on its standard input until it is closed.
class RunningEngine {
 public:
  explicit RunningEngine(const std::string& folder) {
    const std::string script = folder + "wait.scenario";
    wizardtest::WriteBytes(script, "readline\n");
    EnvironmentVariable scenario("ZUK_SCENARIO", script);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE input = nullptr;
    CreatePipe(&input, &feed_, &inherit, 0);
    SetHandleInformation(feed_, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    Utils::TStartedProcess started =
        Utils::StartChildProcess(wizardtest::HostPath(TESSARON_ZUK_EXE), "", false, input, nul, nul);
    CloseHandle(input);
    CloseHandle(nul);
    Id = started.Id;
    process_ = std::move(started.Process);
    // Its modules are listed only once it has started.
    UtilsTest::WaitFor([this] { return Utils::FindProcessByExeName("zuk.exe") == Id; });
  }
  ~RunningEngine() {
    CloseHandle(feed_);  // end of input: the engine ends
    if (process_) {
      if (WaitForSingleObject(process_.Get(), 20000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), 20000);
    }
    UtilsTest::WaitFor([] { return Utils::FindProcessByExeName("zuk.exe") == 0; });
  }
  RunningEngine(const RunningEngine&) = delete;
  RunningEngine& operator=(const RunningEngine&) = delete;

  DWORD Id = 0;

 private:
  HANDLE feed_ = nullptr;
  Utils::ScopedHandle process_;
};

// Every check passes to begin with: the engine beside the wizard, the product home, maintenance mode on.
class PreflightTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    ASSERT_TRUE(UtilsTest::WaitFor([] { return Utils::FindProcessByExeName("zuk.exe") == 0; }))
        << "an engine from elsewhere is running";
    ASSERT_TRUE(wizardtest::WriteBytes(media.Path + "zuk.exe", "MZ"));
    form->AppFolder = media.Path;
    home = scratch.Path + "Home";
    CreateDirectoryA(home.c_str(), nullptr);
    zelmoHome.Set(home);
  }

  // One press of Start: the result, and the one box it showed (empty when none).
  bool Check() {
    boxes.Clear();
    const bool passed = form->PreflightCheck();
    EXPECT_LE(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes.empty(), passed);
    for (const auto& box : boxes.Boxes) {
      EXPECT_EQ(box.Caption, errorTitle);
      EXPECT_EQ(box.Flags, 0u);
    }
    return passed;
  }
  std::string Shown() const { return boxes.Boxes.empty() ? std::string() : boxes.Boxes[0].Text; }

  UtilsTest::ScratchFolder media{"wizard-media"};
  std::string home;
  std::string errorTitle = "Error";  // of the boxes Check() sees
  EnvironmentVariable zelmoHome{"ZelmoHome", std::nullopt};
};

TEST_F(PreflightTest, EveryCheckPassedLetsStartGoAheadAndKnowsTheHome) {
  form->HomeFolder = "stale";
  EXPECT_TRUE(Check());
  EXPECT_EQ(form->HomeFolder, home);
  // Undetermined on the primary server itself still lets the update start.
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", wizardtest::ComputerName(), "", ""}));
  EXPECT_TRUE(Check());
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", wizardtest::ComputerName(), "", "Perhaps"}));
  EXPECT_TRUE(Check());
}

TEST_F(PreflightTest, TheChecksComeInOrderAndEachPressStartsAgainFromTheFirst) {
  // Everything wrong at once; fixed one at a time, each press shows the next problem only.
  zelmoHome.Set(std::nullopt);
  DeleteFileA((media.Path + "zuk.exe").c_str());
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", wizardtest::ComputerName(), "", "OFF"}));
  form->HomeFolder = "as it was";
  {
    RunningEngine engine(scratch.Path);
    ASSERT_NE(engine.Id, 0u);
    EXPECT_FALSE(Check());
    EXPECT_EQ(Shown(),
              "Cannot start an update at this time, because a copy of the update utility engine (zuk.exe) is "
              "already running.");
    EXPECT_EQ(form->HomeFolder, "as it was");
  }

  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), kGeneric + "\r\r[203] Environment variable not found: \"ZelmoHome\"");
  EXPECT_EQ(form->HomeFolder, "");

  const std::string missing = scratch.Path + "NoSuchHome";
  zelmoHome.Set(missing);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), kGeneric + "\r\r[2] File not found: " + missing);
  EXPECT_EQ(form->HomeFolder, missing);

  zelmoHome.Set(home);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), "Cannot continue, because a copy of the update utility engine (zuk.exe) must be available in:\r" +
                         media.Path);

  ASSERT_TRUE(wizardtest::WriteBytes(media.Path + "zuk.exe", "MZ"));
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(),
            "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\rThe "
            "Tessaron Administrator application (TOLK) can be used to switch to \"Maintenance Mode\".");

  ASSERT_TRUE(wizardtest::WriteProductRegistry(wizardtest::PrimaryAt("2.2.1")));
  EXPECT_TRUE(Check());
}

TEST_F(PreflightTest, TheProductHomeMustBeAnExistingFolder) {
  // Set but empty: the same box, whatever error the system last held.
  zelmoHome.Set("");
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown().rfind(kGeneric + "\r\r[", 0), 0u) << Shown();
  EXPECT_TRUE(Shown().ends_with(": \"ZelmoHome\"")) << Shown();

  // A file is no folder.
  const std::string file = scratch.Path + "home.txt";
  ASSERT_TRUE(wizardtest::WriteBytes(file, "x"));
  zelmoHome.Set(file);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown().rfind(kGeneric + "\r\r[", 0), 0u) << Shown();
  EXPECT_TRUE(Shown().ends_with(": " + file)) << Shown();
}

TEST_F(PreflightTest, TheEngineMustBeAFileBesideTheWizard) {
  DeleteFileA((media.Path + "zuk.exe").c_str());
  ASSERT_TRUE(CreateDirectoryA((media.Path + "zuk.exe").c_str(), nullptr));
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(), "Cannot continue, because a copy of the update utility engine (zuk.exe) must be available in:\r" +
                         media.Path);
  RemoveDirectoryA((media.Path + "zuk.exe").c_str());
}

TEST_F(PreflightTest, MaintenanceModeOffOrUnknownOnASecondaryServerBlocksStart) {
  // This machine is the primary and says OFF.
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", wizardtest::ComputerName(), "", "off"}));
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown().rfind("Cannot start an update at this time, because the system is not in", 0), 0u);

  // The primary is another machine, which cannot be reached: this secondary cannot tell.
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", "NOSUCHPRIMARY", "", "ON"}));
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(),
            "Cannot determine \"Maintenance Mode\" on Primary server NOSUCHPRIMARY.\r\rPlease make sure the server "
            "is powered on and check the network permissions.");
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", "NOSUCHPRIMARY", "ORIGINAL", ""}));
  EXPECT_FALSE(Check());
  EXPECT_TRUE(Shown().find("NOSUCHPRIMARY") != std::string::npos);
}

TEST_F(PreflightTest, MessagesFollowTheLanguageButTheErrorNumberFormatDoesNot) {
  core::SelectLanguage(1);
  errorTitle = "Fehler";
  zelmoHome.Set(std::nullopt);
  EXPECT_FALSE(Check());
  EXPECT_EQ(Shown(),
            "Das Programm kann aufgrund eines Konfigurations- oder Systemproblems nicht fortgesetzt werden.\r\r[203] "
            "Environment variable not found: \"ZelmoHome\"");
}

TEST_F(PreflightTest, StartOnTheConfirmationPageStaysWhenACheckFails) {
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", wizardtest::ComputerName(), "", "OFF"}));
  form->PageControl1->SetActivePageIndex(4);
  form->EnterPage();
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(Buttons(), "shown/shown/shown");
  EXPECT_EQ(form->btNext->Caption(), "Start");
  EXPECT_FALSE(form->Engine.EngineStartPending);
}

// ------------------------------------------------------------------------------------------- update packages

class PackagesTest : public WizardTest {
 protected:
  // The files of the worked example: three packages, a duplicate, a package of another release and a text file,
  // with a hidden package, a system one and a folder that match the pattern but do not count.
  void MakeExample() {
    wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.5.zuk", "TESSARON-2.3.1.6[FIX].ZUK", "Tessaron-2.3.1.6.zuk",
                                    "Tessaron-2.3.1.8.zuk", "Tessaron-2.2.0.3.zuk", "readme.txt",
                                    "Tessaron-2.3.1.7.zuk", "Tessaron-2.3.1.4.zuk", "Tessaron-2.3.1.9.zukx"});
    ASSERT_TRUE(SetFileAttributesA((updates + "Tessaron-2.3.1.7.zuk").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((updates + "Tessaron-2.3.1.4.zuk").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(CreateDirectoryA((updates + "Tessaron-2.3.1.3.zuk").c_str(), nullptr));
    // Read-only files are packages like any other.
    ASSERT_TRUE(SetFileAttributesA((updates + "Tessaron-2.3.1.8.zuk").c_str(), FILE_ATTRIBUTE_READONLY));
  }
  void TearDown() override {
    SetFileAttributesA((updates + "Tessaron-2.3.1.8.zuk").c_str(), FILE_ATTRIBUTE_NORMAL);
    WizardTest::TearDown();
  }

  // The items of FoundUpdates, sorted (their order is the folder search's).
  std::vector<int> Found() const {
    std::vector<int> items;
    for (int n = 0; n < 20; ++n)
      if (core::SequenceContains(form->FoundUpdates, std::to_string(n), ':')) items.push_back(n);
    // Nothing else in it: one colon before and after each item.
    size_t length = 1;
    for (int n : items) length += std::to_string(n).size() + 1;
    EXPECT_EQ(form->FoundUpdates.size(), items.empty() ? 0 : length) << form->FoundUpdates;
    return items;
  }
};

TEST_F(PackagesTest, WorkedExampleScanListsThreeUpdatesWithAGap) {
  SetLevel("2.3.1.4");
  MakeExample();
  GoToUpdateList(updates);
  EXPECT_EQ(Found(), (std::vector<int>{5, 6, 8}));
  EXPECT_EQ(form->FoundUpdates.size(), std::string(":5:6:8:").size());
  EXPECT_EQ(form->ExpectedSections, 3);
  EXPECT_TRUE(form->UpdatesMissing);
  EXPECT_EQ(GridRows(),
            (std::vector<std::string>{"Updates", "Tessaron-2.3.1.5", "Tessaron-2.3.1.6", "Tessaron-2.3.1.8"}));
  EXPECT_EQ(form->txtUpdateFilesPathEcho->Text(), updates);
  EXPECT_TRUE(form->TabSheet3->Skipped());
  EXPECT_EQ(form->grdUpdateFileList->ColWidth(0), form->grdUpdateFileList->ClientWidth());
  EXPECT_EQ(Buttons(), "shown/shown/shown");

  // Next asks about the gap; No stays, Yes goes on (past the snapshot page: no update 0).
  const std::string question =
      "Some update files seem to be missing from the sequence.\r\rWould you like to continue anyways?";
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 2);
  boxes.ExpectOnly(question, "Warning", 260u);
  boxes.Answer(IDOK);  // only Yes is consent
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 2);
  boxes.Answer(IDYES);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(boxes.Boxes.size(), 3u);
}

TEST_F(PackagesTest, WorkedExampleApplicabilityFollowsTheInstalledLevel) {
  MakeExample();
  GoToUpdateList(updates);
  struct Case {
    const char* Level;
    const char* Box;  // the one box Next shows
    unsigned Flags;
  };
  const std::string gap =
      "Some update files seem to be missing from the sequence.\r\rWould you like to continue anyways?";
  const Case cases[] = {
      {"2.3.1.5", nullptr, 260},  // update 6 is next and present: the gap question
      {"2.3.1.8", "No applicable updates for 2.3.1.8 available in the selected folder.", 0},
      {"2.2.1", "No applicable updates for 2.2.1 available in the selected folder.", 0},
      {"2.3.0.7", "No applicable updates for 2.3.0.7 available in the selected folder.", 0},
      {"2.3.1.3", "No applicable updates for 2.3.1.3 available in the selected folder.", 0},  // 4 is a system file
      {"2.3.1.2", "No applicable updates for 2.3.1.2 available in the selected folder.", 0},  // 3 is a folder
      {"2.4.0", "No applicable updates for 2.4.0 available in the selected folder.", 0},
      {"", "No applicable updates for  available in the selected folder.", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Level);
    SetLevel(c.Level);
    boxes.Clear();
    ASSERT_TRUE(PressNext());
    EXPECT_EQ(Page(), 2);
    boxes.ExpectOnly(c.Box ? std::string(c.Box) : gap, "Warning", c.Flags);
  }
}

TEST_F(PackagesTest, ASingleUpdateZeroOnAnEarlierReleaseGoesOnWithoutQuestions) {
  SetLevel("2.2.0");
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.0[de].zuk", "Tessaron-[beta]2.3.1.2.zuk",
                                  "Tessaron-2.3.1.1]x[.zuk", "Tessaron-2.3.1.x.zuk", "Tessaron-2.3.1.-2.zuk",
                                  "Tessaron-2.3.1.5.zuk.zuk"});
  GoToUpdateList(updates);
  EXPECT_EQ(Found(), (std::vector<int>{0, 2}));
  EXPECT_EQ(GridRows(), (std::vector<std::string>{"Updates", "Tessaron-2.3.1.0", "Tessaron-2.3.1.2"}));
  EXPECT_TRUE(form->UpdatesMissing);
  boxes.Answer(IDYES);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(form->ExpectedSections, 3);  // two packages and the snapshot

  // Only update 0: nothing missing, nothing asked.
  DeleteFileA((updates + "Tessaron-[beta]2.3.1.2.zuk").c_str());
  ASSERT_TRUE(PressPrev());
  boxes.Clear();
  EXPECT_EQ(Page(), 2);
  EXPECT_FALSE(form->UpdatesMissing);
  EXPECT_EQ(form->ExpectedSections, 2);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 3);
  EXPECT_TRUE(boxes.Boxes.empty());

  // Packages 1, 2 and 3 on a server at 2.3.1 without a build part are not applicable.
  SetLevel("2.3.1");
  const std::string other = scratch.Path + "Later\\";
  CreateDirectoryA(other.c_str(), nullptr);
  wizardtest::MakeFiles(other, {"Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk", "Tessaron-2.3.1.3.zuk"});
  GoToUpdateList(other);
  EXPECT_FALSE(form->UpdatesMissing);
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 2);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "No applicable updates for 2.3.1 available in the selected folder.");
}

TEST_F(PackagesTest, TheGridHeaderAndPlaceholderFollowTheLanguageOfTheScan) {
  core::SelectLanguage(2);
  GoToUpdateList(updates);
  EXPECT_EQ(GridRows(),
            (std::vector<std::string>{"Mises \xE0 jour", "Aucun fichier correspondant \xE0 Tessaron-2.3.1.*.zuk"}));
  EXPECT_FALSE(form->ScanUpdatePackages());
  EXPECT_EQ(form->FoundUpdates, "");
  EXPECT_EQ(form->ExpectedSections, 0);

  // A scan after packages have been found resets the grid to the placeholder when none are left.
  core::SelectLanguage(0);
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.0.zuk"});
  EXPECT_TRUE(form->ScanUpdatePackages());
  EXPECT_EQ(GridRows().size(), 2u);
  DeleteFileA((updates + "Tessaron-2.3.1.0.zuk").c_str());
  EXPECT_FALSE(form->ScanUpdatePackages());
  EXPECT_EQ(GridRows(), (std::vector<std::string>{"Updates", "No files matching Tessaron-2.3.1.*.zuk"}));
  EXPECT_FALSE(form->UpdatesMissing);
}

// --------------------------------------------------------------------------------------------- updates folder

const std::string kNotFixed =
    "It is recommended to have the update files on a fixed hard drive on your local server.  The selected folder is "
    "not on a fixed hard drive.\r\rWould you like to continue anyways?";

TEST_F(WizardTest, AFolderOffTheFixedDrivesAsksWhetherToGoOn) {
  wizardtest::ExtraDrives drives;
  const char removable = drives.Add(DRIVE_REMOVABLE);
  const char cdrom = drives.Add(DRIVE_CDROM);
  ASSERT_TRUE(removable && cdrom);
  ASSERT_TRUE(PressNext());
  for (const std::string& folder : {std::string("\\\\nosuchserver\\share\\updates"), std::string(1, removable) + ":\\",
                                    std::string(1, cdrom) + ":\\updates"}) {
    SCOPED_TRACE(folder);
    form->edUpdateFilesPath->SetText(folder);
    form->EnterPage();  // Next on entry, whatever the field holds
    boxes.Clear();
    ASSERT_TRUE(PressNext());  // No, the default
    EXPECT_EQ(Page(), 1);
    boxes.ExpectOnly(kNotFixed, "Warning", 260u);
    boxes.Answer(IDYES);
    ASSERT_TRUE(PressNext());
    EXPECT_EQ(Page(), 2);
    ASSERT_TRUE(PressPrev());
  }

  // A relative folder is taken from the current directory, here on a fixed drive: no question.
  wizardtest::CurrentDirectoryScope keep;
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path.c_str()));
  form->edUpdateFilesPath->SetText("Updates");
  boxes.Clear();
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 2);
  EXPECT_TRUE(boxes.Boxes.empty());
}

// The browse button's choice of dialog, with the dialog itself replaced by a recorder.
class BrowseTest : public WizardTest {
 protected:
  struct Call {
    TLauncherForm::FolderDialog Kind;
    std::string Start;
    std::string CurrentDirectory;  // while the dialog is open
  };

  void SetUp() override {
    WizardTest::SetUp();
    form->RunFolderDialog = [this](TLauncherForm::FolderDialog kind, const std::string& start) {
      calls.push_back({kind, start, wizardtest::CurrentDirectory()});
      return answer ? std::optional<std::wstring>(Utils::WideFromAnsi(*answer)) : std::nullopt;
    };
    ASSERT_TRUE(PressNext());
  }

  // Clicks browse with this field and this current directory; the kind of dialog chosen.
  TLauncherForm::FolderDialog Browse(const std::string& field, const std::string& currentDirectory) {
    form->edUpdateFilesPath->SetText(field);
    EXPECT_TRUE(SetCurrentDirectoryA(currentDirectory.c_str())) << currentDirectory;
    const std::string before = wizardtest::CurrentDirectory();
    calls.clear();
    form->btUpdateFilesPathBrowse->Click();
    EXPECT_EQ(wizardtest::CurrentDirectory(), before);
    EXPECT_EQ(calls.size(), 1u);
    return calls.empty() ? TLauncherForm::FolderDialog::DirectoryDialog : calls[0].Kind;
  }

  wizardtest::CurrentDirectoryScope keep;
  std::vector<Call> calls;
  std::optional<std::string> answer;
};

TEST_F(BrowseTest, TheFolderBrowserServesShiftAndNetworkPathsTheDirectoryDialogTheRest) {
  using Kind = TLauncherForm::FolderDialog;
  wizardtest::NetworkShare share("tessaron-test", "share");
  const std::string networkFolder = share.Path + "\\updates";
  ASSERT_TRUE(CreateDirectoryA(networkFolder.c_str(), nullptr));
  const std::string drive = updates;

  EXPECT_EQ(Browse(drive, scratch.Path), Kind::DirectoryDialog);
  EXPECT_EQ(calls[0].Start, drive);
  EXPECT_EQ(calls[0].CurrentDirectory + "\\", drive);  // the dialog opens at the field's folder
  {
    wizardtest::ShiftDown shift;
    EXPECT_EQ(Browse(drive, scratch.Path), Kind::FolderBrowser);
  }
  EXPECT_EQ(Browse(networkFolder, share.Path), Kind::FolderBrowser);
  EXPECT_EQ(calls[0].CurrentDirectory, networkFolder);
  EXPECT_EQ(Browse(networkFolder, scratch.Path), Kind::DirectoryDialog);
  EXPECT_EQ(Browse(drive, share.Path), Kind::DirectoryDialog);
  EXPECT_EQ(Browse("", scratch.Path), Kind::DirectoryDialog);
  EXPECT_EQ(Browse("", share.Path), Kind::FolderBrowser);
  // A start that is no folder leaves the current directory where it was while the dialog is open.
  EXPECT_EQ(Browse(scratch.Path + "Missing", scratch.Path), Kind::DirectoryDialog);
  EXPECT_EQ(calls[0].CurrentDirectory + "\\", scratch.Path);
}

TEST_F(BrowseTest, AChosenFolderReplacesTheFieldAndEnablesNextCancelChangesNothing) {
  form->edUpdateFilesPath->SetText(scratch.Path + "Missing");
  ASSERT_EQ(Mode(form->btNext), "disabled");
  answer = std::nullopt;
  Browse(scratch.Path + "Missing", scratch.Path);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), scratch.Path + "Missing");
  EXPECT_EQ(Mode(form->btNext), "disabled");

  answer = updates;
  Browse(scratch.Path + "Missing", scratch.Path);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), updates);
  EXPECT_EQ(Mode(form->btNext), "shown");
}

// ------------------------------------------------------------------------------------ the real folder dialogs

std::vector<std::string> ChildTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM list) -> BOOL {
        char text[512] = "";
        GetWindowTextA(child, text, sizeof text);
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::vector<std::string> ListTexts(HWND list) {
  std::vector<std::string> texts;
  const auto count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH + 1] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}

using wizardtest::DialogAction;

TEST_F(WizardTest, TheSelectDirectoryDialogBrowsesFromTheFieldAndYieldsTheFolderShown) {
  wizardtest::CurrentDirectoryScope keep;
  for (const char* name : {"beta", "Alpha", "Gamma"}) CreateDirectoryA((updates + name).c_str(), nullptr);
  // Outside the code page, "Omega" to its best fit: offered by its short name, the one that names it.
  const std::wstring omega = Utils::WideFromAnsi(updates) + L"\u014Cmega";
  CreateDirectoryW(omega.c_str(), nullptr);
  const std::string hidden = updates + "Secret";
  CreateDirectoryA(hidden.c_str(), nullptr);
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  ASSERT_TRUE(PressNext());
  form->edUpdateFilesPath->SetText(updates);

  std::string title, pathShown, pathAfter;
  std::vector<std::string> folders, texts;
  int drives = 0, buttons = 0;
  std::string drive;
  DialogAction act([&](HWND dialog) {
    char text[256] = "";
    GetWindowTextA(dialog, text, sizeof text);
    title = text;
    GetDlgItemTextA(dialog, ui::SelectDirectoryPathId, text, sizeof text);
    pathShown = text;
    HWND list = GetDlgItem(dialog, ui::SelectDirectoryFolderListId);
    folders = ListTexts(list);
    texts = ChildTexts(dialog);
    HWND driveList = GetDlgItem(dialog, ui::SelectDirectoryDriveListId);
    drives = static_cast<int>(SendMessageA(driveList, CB_GETCOUNT, 0, 0));
    const auto selected = SendMessageA(driveList, CB_GETCURSEL, 0, 0);
    if (selected >= 0) {
      SendMessageA(driveList, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
      drive = text;
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32] = "";
      GetClassNameA(child, name, sizeof name);
      if (lstrcmpiA(name, "Button") == 0) ++buttons;
    }
    // Into "beta", as a double click does, then OK.
    const auto beta = std::find(folders.begin(), folders.end(), "beta") - folders.begin();
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(beta), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ui::SelectDirectoryFolderListId, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    GetDlgItemTextA(dialog, ui::SelectDirectoryPathId, text, sizeof text);
    pathAfter = text;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  form->btUpdateFilesPathBrowse->Click();

  ASSERT_TRUE(act.Done);
  EXPECT_EQ(title, "Select Directory");
  EXPECT_EQ(pathShown + "\\", updates);
  // From the root down to the folder, then its subfolders in order; hidden ones are left out.
  ASSERT_GE(folders.size(), 5u);
  EXPECT_EQ(folders.front(), "C:\\");
  EXPECT_EQ(std::vector<std::string>(folders.end() - 5, folders.end()),
            (std::vector<std::string>{"Updates", "_MEG~WBF", "Alpha", "beta", "Gamma"}));
  EXPECT_GE(drives, 1);
  EXPECT_EQ(drive, "C:");
  EXPECT_EQ(buttons, 2);  // OK and Cancel, no help
  EXPECT_TRUE(std::find(texts.begin(), texts.end(), "OK") != texts.end());
  EXPECT_TRUE(std::find(texts.begin(), texts.end(), "Cancel") != texts.end());
  EXPECT_EQ(pathAfter, updates + "beta");
  EXPECT_EQ(form->edUpdateFilesPath->Text(), updates + "beta");
  EXPECT_EQ(Mode(form->btNext), "shown");
  EXPECT_EQ(wizardtest::CurrentDirectory(), "C:\\");
  EXPECT_TRUE(boxes.Boxes.empty());
  RemoveDirectoryW(omega.c_str());
}

TEST_F(WizardTest, TheSelectDirectoryDialogCancelledChangesNothing) {
  wizardtest::CurrentDirectoryScope keep;
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path.c_str()));
  ASSERT_TRUE(PressNext());
  form->edUpdateFilesPath->SetText(updates);
  DialogAction act([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  form->btUpdateFilesPathBrowse->Click();
  ASSERT_TRUE(act.Done);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), updates);
  EXPECT_EQ(wizardtest::CurrentDirectory() + "\\", scratch.Path);
}

TEST_F(WizardTest, TheFolderBrowserShowsTheInstructionAndStartsAtTheField) {
  wizardtest::CurrentDirectoryScope keep;
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path.c_str()));
  ASSERT_TRUE(PressNext());
  // A short path in the drive's root, as an operator's updates folder would be: the browser expands the tree level
  // by level to show it, and below the user profile's temporary folder it sometimes fails to in a new prefix.
  const std::string visible = "C:\\browse-" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(CreateDirectoryA(visible.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  struct RemoveAfterwards {
    std::string Path;
    ~RemoveAfterwards() {
      RemoveDirectoryA((Path + "Updates").c_str());
      RemoveDirectoryA(Path.c_str());
    }
  } removeAfterwards{visible};
  const std::string start = visible + "Updates";
  ASSERT_TRUE(CreateDirectoryA(start.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  form->edUpdateFilesPath->SetText(start);

  std::vector<std::string> texts;
  std::string selected;
  UINT errorMode = 0;
  bool ownerDisabled = false;
  const UINT modeBefore = GetErrorMode();
  // Wine's browser in a new prefix now and then leaves its tree at the root instead of applying the requested
  // selection; a wizard that asks for it sees it applied on one of a few tries, one that does not never does.
  for (int attempt = 0; attempt < 3 && lstrcmpiA(selected.c_str(), "Updates") != 0; ++attempt) {
    form->edUpdateFilesPath->SetText(start);
    DialogAction act(
        [&](HWND dialog) {
          texts = ChildTexts(dialog);
          errorMode = GetErrorMode();
          ownerDisabled = !IsWindowEnabled(form->Handle());
          PostMessageA(dialog, WM_COMMAND, IDOK, 0);  // the preselected folder
        },
        [&](HWND dialog) {
          // The browser selects the start folder after it has shown: act once the tree's selection is there.
          HWND tree = nullptr;
          EnumChildWindows(
              dialog,
              [](HWND child, LPARAM result) -> BOOL {
                char name[32] = "";
                GetClassNameA(child, name, sizeof name);
                if (lstrcmpiA(name, WC_TREEVIEWA) != 0) return TRUE;
                *reinterpret_cast<HWND*>(result) = child;
                return FALSE;
              },
              reinterpret_cast<LPARAM>(&tree));
          if (!tree) return true;
          char text[MAX_PATH] = "";
          TVITEMA item{};
          item.mask = TVIF_TEXT;
          item.hItem = TreeView_GetSelection(tree);
          item.pszText = text;
          item.cchTextMax = sizeof text;
          if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
          selected = text;
          return lstrcmpiA(text, "Updates") == 0;
        });
    {
      wizardtest::ShiftDown shift;
      form->btUpdateFilesPathBrowse->Click();
    }
    ASSERT_TRUE(act.Done);
  }
  EXPECT_TRUE(std::find(texts.begin(), texts.end(), "Please specify where the updates are stored") != texts.end());
  EXPECT_TRUE(errorMode & SEM_FAILCRITICALERRORS);
  EXPECT_EQ(GetErrorMode(), modeBefore);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(lstrcmpiA(form->edUpdateFilesPath->Text().c_str(), start.c_str()), 0)
      << form->edUpdateFilesPath->Text() << " (tree selection: " << selected << ")";
  EXPECT_EQ(wizardtest::CurrentDirectory() + "\\", scratch.Path);
}

// --------------------------------------------------------------------------------------------- snapshot drive

class SnapshotDriveTest : public WizardTest {
 protected:
  std::string Label() const { return form->lbSnapshotDriveSizeInfo->Caption(); }
  bool LabelBold() const { return form->lbSnapshotDriveSizeInfo->Font().Bold; }
  bool LabelEnabled() const { return IsWindowEnabled(form->lbSnapshotDriveSizeInfo->Handle()) != FALSE; }

  static int64_t FreeMegabytes(char letter) {
    const char root[] = {letter, ':', '\\', '\0'};
    ULARGE_INTEGER free{}, total{};
    if (!GetDiskFreeSpaceExA(root, &free, &total, nullptr)) return -1;
    return static_cast<int64_t>(free.QuadPart >> 20);
  }
};

TEST_F(SnapshotDriveTest, AFixedDriveShowsItsFreeSpaceInBoldAndEnablesNext) {
  ASSERT_EQ(GetDriveTypeA("C:\\"), static_cast<UINT>(DRIVE_FIXED));
  form->PageControl1->SetActivePageIndex(3);
  form->cbSnapshotDrive->SetDrive('C');
  const int64_t before = FreeMegabytes('C');
  form->EnterPage();
  const int64_t after = FreeMegabytes('C');
  ASSERT_GE(before, 600) << "the test needs 600 MB free on C:";

  // "<megabytes> MB free [<percent>%]", the megabytes grouped by three with the user's separator.
  const std::string label = Label();
  const size_t words = label.find(" MB free [");
  ASSERT_NE(words, std::string::npos) << label;
  ASSERT_TRUE(label.ends_with("%]")) << label;
  char separator[8] = "";
  const int separatorLength = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  ASSERT_GT(separatorLength, 1);
  // One to three digits first, then groups of exactly three.
  std::vector<std::string> groups;
  const std::string number = label.substr(0, words);
  for (size_t start = 0;;) {
    const size_t end = number.find(separator, start);
    groups.push_back(number.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + static_cast<size_t>(separatorLength - 1);
  }
  std::string digits;
  for (size_t i = 0; i < groups.size(); ++i) {
    EXPECT_TRUE(i == 0 ? !groups[i].empty() && groups[i].size() <= 3 && groups[i][0] != '0' : groups[i].size() == 3)
        << label;
    ASSERT_EQ(groups[i].find_first_not_of("0123456789"), std::string::npos) << label;
    digits += groups[i];
  }
  const int64_t shown = std::stoll(digits);
  EXPECT_GE(shown, std::min(before, after) - 1);
  EXPECT_LE(shown, std::max(before, after) + 1);
  const std::string percentText = label.substr(words + 10, label.size() - words - 12);
  ASSERT_EQ(percentText.find_first_not_of("0123456789"), std::string::npos) << label;
  const int percent = std::stoi(percentText);
  ULARGE_INTEGER free{}, total{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &free, &total, nullptr));
  EXPECT_NEAR(percent, 100.0 * static_cast<double>(free.QuadPart) / static_cast<double>(total.QuadPart), 1.0);
  EXPECT_TRUE(LabelBold());
  EXPECT_TRUE(LabelEnabled());
  EXPECT_EQ(Mode(form->btNext), "shown");
  EXPECT_EQ(form->lbSnapshotDriveSizeInfo->FontColor(), ui::colors::Navy);

  // The same evaluation in German.
  core::SelectLanguage(1);
  form->EnterPage();
  EXPECT_NE(Label().find(" MB frei "), std::string::npos) << Label();
  EXPECT_TRUE(LabelBold());
}

TEST_F(SnapshotDriveTest, DrivesThatAreNotFixedShowTheirMarkGreyedAndDisableNext) {
  wizardtest::ExtraDrives drives;
  const std::pair<UINT, std::string> kinds[] = {
      {DRIVE_REMOVABLE, "[FLOPPY]"}, {DRIVE_REMOTE, "[NETWORK]"}, {DRIVE_CDROM, "[CD-ROM]"}, {DRIVE_RAMDISK, "[RAM]"}};
  std::vector<char> letters;
  for (const auto& kind : kinds) {
    letters.push_back(drives.Add(kind.first));
    ASSERT_NE(letters.back(), '\0');
  }
  form->cbSnapshotDrive->Refresh();
  form->PageControl1->SetActivePageIndex(3);
  form->EnterPage();
  for (size_t i = 0; i < letters.size(); ++i) {
    SCOPED_TRACE(kinds[i].second);
    form->cbSnapshotDrive->SetDrive('C');
    ASSERT_EQ(Mode(form->btNext), "shown");
    form->cbSnapshotDrive->SetDrive(letters[i]);  // as the operator picks it
    ASSERT_EQ(form->cbSnapshotDrive->Drive(), letters[i]);
    EXPECT_EQ(Label(), kinds[i].second);
    EXPECT_FALSE(LabelBold());
    EXPECT_FALSE(LabelEnabled());
    EXPECT_EQ(Mode(form->btNext), "disabled");
    EXPECT_EQ(form->lbSnapshotDriveSizeInfo->FontColor(), ui::colors::Navy);
  }
  // Entering the page measures again: still disabled for the drive last picked.
  form->EnterPage();
  EXPECT_EQ(Label(), "[RAM]");
  EXPECT_EQ(Mode(form->btNext), "disabled");
  // Back to the fixed drive: bold and enabled again.
  form->cbSnapshotDrive->SetDrive('C');
  EXPECT_TRUE(LabelBold());
  EXPECT_TRUE(LabelEnabled());
  EXPECT_EQ(Mode(form->btNext), "shown");

  // No drive selected at all: nothing to measure, Next stays disabled.
  form->cbSnapshotDrive->SetItemIndex(-1);
  form->EnterPage();
  EXPECT_EQ(Label(), "[]");
  EXPECT_EQ(Mode(form->btNext), "disabled");
}

}  // namespace
