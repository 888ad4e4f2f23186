// Folders whose names the code page cannot write, and the updates folder as its page accepted it.
#include <string>

#include "WizardSupport.h"
#include "core/TextUtils.h"
#include "win/utils/WideText.h"

namespace {

using tessaron::testsupport::ReadBytes;
using wizardtest::WizardTest;

const std::string kSeparator = "\r\n** output ******************************************\r\n";

// A folder by its UTF-16 name, holding one empty file; both go at the end.
struct WideFolder {
  WideFolder(std::wstring folder, std::wstring file) : Path(std::move(folder)), File(Path + L"\\" + file) {
    CreateDirectoryW(Path.c_str(), nullptr);
    HANDLE handle = CreateFileW(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  ~WideFolder() {
    DeleteFileW(File.c_str());
    RemoveDirectoryW(Path.c_str());
  }
  WideFolder(const WideFolder&) = delete;
  WideFolder& operator=(const WideFolder&) = delete;
  std::wstring Path;
  std::wstring File;
};

TEST_F(WizardTest, AFolderOutsideTheCodePageIsScannedItselfNeverALookAlikeOrElseRefused) {
  // "Updates" is what the code page's best fit makes of "Ūpdates": it holds another package.
  wizardtest::MakeFiles(updates, {"Tessaron-2.3.1.1.zuk"});
  const WideFolder created(Utils::WideFromAnsi(scratch.Path) + L"\u016Apdates", L"Tessaron-2.3.1.0.zuk");
  const std::wstring& folder = created.Path;
  ASSERT_NE(GetFileAttributesW(created.File.c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(PressNext());
  form->edUpdateFilesPath->SetWideText(folder);
  ASSERT_TRUE(PressNext());
  ASSERT_EQ(Page(), 2);
  EXPECT_EQ(GridRows(), (std::vector<std::string>{"Updates", "Tessaron-2.3.1.0"}));
  EXPECT_EQ(form->FoundUpdates, ":0:");
  EXPECT_EQ(form->txtUpdateFilesPathEcho->WideText(), folder);
  // What the engine gets reaches that folder through the 8-bit calls.
  const std::string handedOn = form->UpdatesFolderPath();
  EXPECT_EQ(handedOn.find('?'), std::string::npos) << handedOn;
  EXPECT_NE(GetFileAttributesA((handedOn + "\\Tessaron-2.3.1.0.zuk").c_str()), INVALID_FILE_ATTRIBUTES) << handedOn;
  EXPECT_TRUE(boxes.Boxes.empty());

  // Without a short name (here: no such folder) nothing reaches it; the page says so and stays.
  ASSERT_TRUE(PressPrev());
  const std::wstring russian = L"\u041E\u0431\u043D\u043E\u0432\u043B\u0435\u043D\u0438\u044F";
  form->edUpdateFilesPath->SetWideText(Utils::WideFromAnsi(scratch.Path) + russian);
  form->EnterPage();  // Next on entry, whatever the field holds
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 1);
  const std::string refusal = "The folder " + scratch.Path +
                              "?????????? cannot be used: its name holds characters (shown as ?) that this system's "
                              "code page cannot write, and the folder has no short name to use in its place.\r\r"
                              "Please choose a folder whose name holds no such characters.";
  boxes.ExpectOnly(refusal, "Error", 0u);

  // Unattended, the refusal ends the run with its text as the log.
  const std::string log = scratch.Path + "unattended.log";
  form->Switches.Unattended = true;
  form->Switches.LogFile = log;
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(form->Outcome, core::RunOutcome::UpdatesFolderMissing);
  EXPECT_EQ(form->ExitCode(), 1619);
  EXPECT_EQ(ReadBytes(log), core::NormaliseLineBreaks(refusal) + kSeparator);
  ui::App().ResetTerminated();
}

TEST_F(WizardTest, AFolderRemovedBeforeStartRefusesTheRun) {
  UtilsTest::ScratchFolder media("wizard-media");
  ASSERT_TRUE(wizardtest::WriteBytes(media.Path + "zuk.exe", "MZ"));
  form->AppFolder = media.Path;
  wizardtest::EnvironmentVariable home("ZelmoHome", scratch.Path);
  GoToConfirmation();
  ASSERT_TRUE(DeleteFileA((updates + "Tessaron-2.3.1.0.zuk").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(updates.c_str()));

  ASSERT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Please specify where the updates are stored\r\r" + updates);
  EXPECT_EQ(boxes.Boxes[0].Caption, "Error");
  EXPECT_FALSE(form->Engine.EngineStartPending);

  const std::string log = scratch.Path + "unattended.log";
  form->Switches.Unattended = true;
  form->Switches.LogFile = log;
  ASSERT_TRUE(PressNext());
  EXPECT_EQ(form->Outcome, core::RunOutcome::UpdatesFolderMissing);
  EXPECT_EQ(ReadBytes(log), "Please specify where the updates are stored\r\n\r\n" + updates + kSeparator);
  ui::App().ResetTerminated();
}

}  // namespace
