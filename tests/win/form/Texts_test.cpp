// The window's texts: every caption from the tables of the chosen language, the language list as the operator uses
// it, and the server identity line from the product registry this test writes (and removes again).
#include <map>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "support/Machine.h"
#include "core/LangRes.h"
#include "win/ComponentText.h"

namespace {

using tessaron::testsupport::ComputerName;
using tessaron::testsupport::DeleteProductRegistry;

// What the window shows: the text of the control's own window, not what the program last asked for.
std::string WindowText(HWND hwnd) {
  char text[2048] = "";
  int length = GetWindowTextA(hwnd, text, sizeof text);
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

// The captions that the texts of a language set, in the order they are set.
const char* const kCaptioned[] = {
    "LauncherForm",
    "lbUpdateFilesPathTitle",
    "lbUpdateFilesPathInfo",
    "lbUpdateFilesPathEchoTitle",
    "lbSnapshotDriveTitle",
    "lbSnapshotDriveInfo",
    "lbProgressTitle",
    "lbProgressInfo",
    "lbCurrentStepTitle",
    "lbProgressDetailsTitle",
    "txtCurrentStep",
    "lbServerVersion",
    "lbUpdateSystemTitle",
    "lbUpdateSystemInfo",
    "btPrev",
    "btNext",
    "btExit",
    "lbServerVersionTitle",
    "lbAboutToInstallInfo1",
    "lbAboutToInstallInfo2",
    "lbResponceCenter",
    "lbUpdateFileListTitle",
};

// What the window shows in English, control by control: each control's own text, with the patterns filled in.
const std::map<std::string, std::string> kEnglish = {
    {"LauncherForm", "Tessaron Update Utility"},
    {"lbUpdateFilesPathTitle", "Please specify where the updates are stored"},
    {"lbUpdateFilesPathInfo",
     "Please note that it is highly recommended to copy all update files from your upgrade CD to a new folder on "
     "your J: drive (or any other Jobs volume with enough free space)."},
    {"lbUpdateFilesPathEchoTitle", "Path To Updates"},
    {"lbSnapshotDriveTitle", "Please specify the target drive for the snapshot"},
    {"lbSnapshotDriveInfo",
     "In order to perform an update, a snapshot of the system will be stored on your server.\r\r"
     "Select a fixed drive with the most free space - usually a \"Jobs\" drive.\r\r"
     "In case of a serious problem, the Orvo Response Center will be able to restore your server from this "
     "snapshot."},
    {"lbProgressTitle", "Progress 0%"},
    {"lbProgressInfo",
     "The upgrade can take between 10 to 60 minutes, depending on the server type and the size of your "
     "database.\r\r"
     "Please be patient and let the update complete, since interrupting the update may cause more system down "
     "time."},
    {"lbCurrentStepTitle", "Current Step"},
    {"lbProgressDetailsTitle", "Progress Details"},
    {"txtCurrentStep", "Initializing"},
    {"lbUpdateSystemTitle", "Update Tessaron System"},
    {"lbUpdateSystemInfo", "Install the latest updates on your system."},
    {"btPrev", "< &Prev"},
    {"btNext", "&Next >"},
    {"btExit", "E&xit"},
    {"lbServerVersionTitle", "Current Update Level"},
    {"lbAboutToInstallInfo1", "Important note:"},
    {"lbAboutToInstallInfo2",
     "All Tessaron services on this machine as well as Skerry services on remote machines will be stopped as part "
     "of the upgrade.\r\r"
     "Press the Start button to begin the upgrade."},
    {"lbResponceCenter", "For assistance at any time, please contact the Orvo Response Center."},
    {"lbUpdateFileListTitle", "List of files"},
};

// The other languages, a few controls each: the first and the last set, texts with a variant and with a pattern
// (the server line has a test of its own), and one with an escaped letter.
const std::map<std::string, std::string> kOtherLanguages[] = {
    {
        {"LauncherForm", "Tessaron Update-Dienstprogramm"},
        {"lbProgressTitle", "Status 0%"},
        {"lbCurrentStepTitle", "Aktueller Schritt:"},
        {"txtCurrentStep", "Initialisiere"},
        {"btPrev",
         "< &Zur\xFC"
         "ck"},
        {"btNext", "&Weiter >"},
        {"btExit", "&Beenden"},
        {"lbUpdateFileListTitle", "Liste der Dateien"},
    },
    {
        {"LauncherForm", "Utilitaire de mise \xE0 jour Tessaron"},
        {"lbProgressTitle", "Progression 0%"},
        {"lbCurrentStepTitle", "Etape en cours"},
        {"txtCurrentStep", "Initialisation"},
        {"btPrev",
         "< &Pr\xE9"
         "c"},
        {"btNext", "&Suiv >"},
        {"btExit", "&Quitter"},
        {"lbUpdateFileListTitle", "Liste de fichiers"},
    },
    {
        {"LauncherForm", "Utilidad de actualizaci\xF3n Tessaron"},
        {"lbProgressTitle", "Progreso 0%"},
        {"lbCurrentStepTitle", "Siguiente paso"},
        {"txtCurrentStep", "Inicializando"},
        {"btPrev", "< &Ant"},
        {"btNext", "&Siguiente >"},
        {"btExit", "Sali&r"},
        {"lbUpdateFileListTitle", "Lista de archivos"},
    },
};

const std::vector<std::string> kLanguageNames = {"English", "Deutsch",
                                                 "Fran\xE7"
                                                 "ais",
                                                 "Espa\xF1"
                                                 "ol"};

class TextsTest : public LauncherFormTest {
 protected:
  void SetUp() override {
    WriteRegistry("2.3.1.5", "");
    computer = ComputerName();
    ASSERT_FALSE(computer.empty());
    // The window's start-up fills the language list and applies the texts with the registry as written here.
    LauncherFormTest::SetUp();
  }
  void TearDown() override {
    LauncherFormTest::TearDown();
    core::SelectLanguage(0);
    DeleteProductRegistry();
  }

  // This machine as the primary server (or, with another primary named, a secondary), at an update level (none
  // written when empty).
  void WriteRegistry(const std::string& updateLevel, const std::string& primary,
                     const std::string& originalPrimary = "") {
    ASSERT_TRUE(tessaron::testsupport::WriteProductRegistry(
        {updateLevel, primary.empty() ? ComputerName() : primary, originalPrimary, "", "R"}));
  }

  // The operator picks an entry of the language list: the list changes its selection and tells its parent.
  void PickLanguage(int index) {
    HWND list = form->cbLocale->Handle();
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    testui::Pump();
  }

  // Pages not shown yet get their windows first, in the language chosen so far.
  HWND Window(const std::string& name) {
    if (name == "LauncherForm") return form->Handle();
    if (!Get(name.c_str())->Created()) ShowEveryPageOnce();
    return Get(name.c_str())->Handle();
  }
  std::string Shown(const std::string& name) { return WindowText(Window(name)); }

  // The text of every window of the form, by component name.
  std::map<std::string, std::string> Everything() {
    ShowEveryPageOnce();
    std::map<std::string, std::string> texts{{"LauncherForm", WindowText(form->Handle())}};
    for (const auto& control : form->Controls()) texts[control->Name()] = WindowText(control->Handle());
    return texts;
  }

  // What the window must show in a language.
  void ExpectLanguageShown(int language) {
    SCOPED_TRACE(kLanguageNames[static_cast<size_t>(language)]);
    const auto& expected = language == 0 ? kEnglish : kOtherLanguages[language - 1];
    for (const auto& [control, text] : expected) EXPECT_EQ(Shown(control), text) << control;
    EXPECT_EQ(ui::App().Title(), Shown("LauncherForm"));
    EXPECT_EQ(Shown("btUpdateFilesPathBrowse"), "...");
    EXPECT_EQ(form->cbLocale->ItemIndex(), language);
    ASSERT_EQ(form->cbLocale->ItemCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form->cbLocale->Item(i), kLanguageNames[static_cast<size_t>(i)]);
  }

  std::string computer;
};

TEST_F(TextsTest, StartedWindowShowsNoPlaceholderAndNamesTheApplication) {
  for (const auto& [name, text] : Everything()) {
    // Filled when their pages are entered.
    if (name == "lbSnapshotDriveSizeInfo" || name == "txtCompletionStatusInfo") continue;
    EXPECT_EQ(text.find('{'), std::string::npos) << name << ": " << text;
    EXPECT_EQ(text.find('}'), std::string::npos) << name << ": " << text;
  }
  EXPECT_EQ(ui::App().Title(), "Tessaron Update Utility");
  EXPECT_EQ(Shown("lbServerVersion"), "Primary " + computer + " at 2.3.1.5");
  ExpectLanguageShown(0);
}

TEST_F(TextsTest, EachLanguagePickedInTheListRelabelsTheWindow) {
  for (int language : {1, 2, 3, 0, 3, 1}) {
    PickLanguage(language);
    ExpectLanguageShown(language);
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(form->btUpdateFilesPathBrowse->Caption(), "...");
  }
}

TEST_F(TextsTest, SpanishThenEnglishRestoresEveryCaption) {
  const auto english = Everything();
  PickLanguage(3);
  const auto spanish = Everything();
  for (const char* control : kCaptioned) EXPECT_NE(spanish.at(control), english.at(control)) << control;
  PickLanguage(0);
  EXPECT_EQ(Everything(), english);
  EXPECT_EQ(ui::App().Title(), "Tessaron Update Utility");
}

TEST_F(TextsTest, LanguageChangeOnTheWelcomePageKeepsTheWizardWhereItWas) {
  char temp[MAX_PATH];
  DWORD length = GetTempPathA(sizeof temp, temp);
  std::string folder(temp, length);
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();

  // What a run would have left on the progress page is reset to the start texts of the new language.
  form->lbProgressTitle->SetCaption("Progress 40%");
  form->txtCurrentStep->SetCaption("Updating C:\\Orvo\\zuk.exe");

  // The operator goes to the folder page, types a folder, comes back and switches to German.
  form->btNext->Click();
  testui::Pump();
  ASSERT_EQ(Page(), 1);
  form->edUpdateFilesPath->SetText(folder);
  testui::Pump();
  form->btPrev->Click();
  testui::Pump();
  ASSERT_EQ(Page(), 0);
  PickLanguage(1);

  EXPECT_EQ(Page(), 0);
  EXPECT_FALSE(form->btPrev->Visible());
  EXPECT_FALSE(IsWindowVisible(form->btPrev->Handle()));
  EXPECT_TRUE(form->btNext->Visible() && form->btNext->Enabled());
  EXPECT_TRUE(form->btExit->Visible() && form->btExit->Enabled());
  EXPECT_EQ(Shown("btNext"), "&Weiter >");
  EXPECT_EQ(form->edUpdateFilesPath->Text(), folder);
  EXPECT_EQ(Shown("lbProgressTitle"), "Status 0%");
  EXPECT_EQ(Shown("txtCurrentStep"), "Initialisiere");

  form->btNext->Click();
  testui::Pump();
  ASSERT_EQ(Page(), 1);
  EXPECT_EQ(form->edUpdateFilesPath->Text(), folder);
  EXPECT_EQ(Shown("lbUpdateFilesPathTitle"), "Geben Sie an, wo die Updates gespeichert werden sollen");
  EXPECT_EQ(Shown("btPrev"),
            "< &Zur\xFC"
            "ck");
  EXPECT_EQ(Shown("btUpdateFilesPathBrowse"), "...");
}

TEST_F(TextsTest, ServerLineFollowsTheLanguageAndIsReadAfreshWithTheRoleUntranslated) {
  const std::string at[] = {" at ", " bei ", " a la version ", " a "};
  for (int language = 0; language < 4; ++language) {
    PickLanguage(language);
    EXPECT_EQ(Shown("lbServerVersion"), "Primary " + computer + at[language] + "2.3.1.5");
  }

  // Roles of a secondary server keep their English words in any language.
  WriteRegistry("2.3.1.7", "OTHERNODE");
  PickLanguage(1);
  EXPECT_EQ(Shown("lbServerVersion"), "Secondary " + computer + " bei 2.3.1.7");
  WriteRegistry("2.3.1.7", "OTHERNODE", "FORMERPRIMARY");
  PickLanguage(2);
  EXPECT_EQ(Shown("lbServerVersion"), "RKV Secondary " + computer + " a la version 2.3.1.7");

  // Nothing is cached: a new level shows at the next call.
  WriteRegistry("2.3.1.8", "OTHERNODE", "FORMERPRIMARY");
  form->ShowServerVersion();
  EXPECT_EQ(Shown("lbServerVersion"), "RKV Secondary " + computer + " a la version 2.3.1.8");

  // A level is inserted as it stands, never read as a pattern.
  WriteRegistry("2.3.%s.%d%%", "OTHERNODE", "FORMERPRIMARY");
  form->ShowServerVersion();
  EXPECT_EQ(Shown("lbServerVersion"), "RKV Secondary " + computer + " a la version 2.3.%s.%d%%");

  // No level recorded: the line ends in the pattern's blank.
  WriteRegistry("", "");
  PickLanguage(0);
  EXPECT_EQ(Shown("lbServerVersion"), "Primary " + computer + " at ");
  PickLanguage(3);
  EXPECT_EQ(Shown("lbServerVersion"), "Primary " + computer + " a ");
}

TEST_F(TextsTest, MissingTextStopsAtItsControlAndKeepsTheRestAsTheyWere) {
  // A control without texts of its own: named in the error, its caption untouched.
  form->pnlImage->SetCaption("picture");
  try {
    win::SetComponentText(*form->pnlImage, "_Start");
    ADD_FAILURE() << "no error for a control without texts";
  } catch (const core::MissingResourceError& error) {
    EXPECT_STREQ(error.what(), "Missing resource string for component pnlImage.");
  }
  EXPECT_EQ(form->pnlImage->Caption(), "picture");

  PickLanguage(1);
  const auto german = Everything();
  // English without the text of the eighth row.
  core::TextList().Clear();
  for (const auto& entry : core::EnglishTable)
    if (entry.key != "str_lbProgressInfo_Caption") core::TextList().Write(entry.key, entry.text);

  try {
    form->ApplyTexts();
    ADD_FAILURE() << "no error for the missing text";
  } catch (const core::MissingResourceError& error) {
    EXPECT_STREQ(error.what(), "Missing resource string for component lbProgressInfo.");
  }
  testui::Pump();
  EXPECT_EQ(Shown("LauncherForm"), "Tessaron Update Utility");
  EXPECT_EQ(ui::App().Title(), "Tessaron Update Utility");
  EXPECT_EQ(Shown("lbSnapshotDriveInfo"), kEnglish.at("lbSnapshotDriveInfo"));
  EXPECT_EQ(Shown("lbProgressTitle"), "Progress 0%");
  bool pastMissing = false;
  for (const char* control : kCaptioned) {
    if (std::string(control) == "lbProgressInfo") pastMissing = true;
    if (pastMissing) {
      EXPECT_EQ(Shown(control), german.at(control)) << control;
    }
  }
}

}  // namespace
