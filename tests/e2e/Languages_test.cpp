// The real Launcher.exe: the operator picks each language on the welcome page, reads the window in it, and a
// picture of each is kept for a person to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "WizardDriver.h"

namespace tessaron::e2e {
namespace {

struct Language {
  int index;
  const char* file;  // picture name, ASCII only
  const char* title;
  const char* systemTitle;
  const char* systemInfo;
  const char* next;
  const char* exit;
  const char* levelTitle;
  const char* levelWord;  // between computer name and update level
  const char* assistance;
};

const Language kLanguages[] = {
    {1, "deutsch", "Tessaron Update-Dienstprogramm", "Tessaron-System aktualisieren",
     "Installieren Sie die neuesten Updates auf Ihrem System.", "&Weiter >", "&Beenden", "Aktuelle Update-Stufe",
     " bei ", "Sie k\xF6nnen jederzeit Unterst\xFCtzung beim Orvo Response Center anfordern."},
    {2, "francais", "Utilitaire de mise \xE0 jour Tessaron", "Mettre \xE0 jour le syst\xE8me Tessaron",
     "Installe les derni\xE8res mises \xE0 jour sur votre syst\xE8me.", "&Suiv >", "&Quitter",
     "Niveau de mise \xE0 jour actuel", " a la version ",
     "En cas de probl\xE8me, vous pouvez \xE0 tout moment contacter le Orvo Response Center."},
    {3, "espanol", "Utilidad de actualizaci\xF3n Tessaron", "Actualice el sistema Tessaron",
     "Instale las \xFAltimas actualizaciones en el sistema.", "&Siguiente >", "Sali&r",
     "Nivel de actualizaci\xF3n actual", " a ",
     "Asistencia permanente en el Centro de asistencia t\xE9"
     "cnica de Orvo."},
    // Back to English last, so that the way back is tested too.
    {0, "english", "Tessaron Update Utility", "Update Tessaron System", "Install the latest updates on your system.",
     "&Next >", "E&xit", "Current Update Level", " at ",
     "For assistance at any time, please contact the Orvo Response Center."},
};

std::string WindowTitle(HWND hwnd) {
  char text[512] = "";
  int length = GetWindowTextA(hwnd, text, sizeof text);
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

class LanguagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup.launcher = HostPath(TESSARON_LAUNCHER_EXE);
    setup.packages = {"Tessaron-2.3.1.6.zuk"};
    setup.registry.updateLevel = "2.3.1.5";
    setup.registry.primaryNodeName = ComputerName();
    setup.registry.maintenanceMode = "ON";
    std::string error;
    ASSERT_TRUE(PrepareServer(setup, &error)) << error;
    ASSERT_TRUE(driver.Launch(WizardLaunch(setup), &error)) << error;
  }

  ServerSetup setup;
  WizardDriver driver;
};

TEST_F(LanguagesTest, EachLanguagePickedOnTheWelcomePageRelabelsIt) {
  HWND main = driver.MainWindow();
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowTitle(main), "Tessaron Update Utility");
  const std::vector<std::string> names = {"English", "Deutsch",
                                          "Fran\xE7"
                                          "ais",
                                          "Espa\xF1ol"};
  ASSERT_EQ(driver.Items("cbLocale"), names);
  EXPECT_EQ(driver.SelectedIndex("cbLocale"), 0);

  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.file);
    ASSERT_TRUE(driver.SelectIndex("cbLocale", language.index));
    ASSERT_TRUE(driver.Sync());
    EXPECT_EQ(WindowTitle(main), language.title);
    EXPECT_EQ(driver.SelectedIndex("cbLocale"), language.index);
    EXPECT_EQ(driver.Items("cbLocale"), names);
    EXPECT_EQ(driver.Text("lbUpdateSystemTitle"), language.systemTitle);
    EXPECT_EQ(driver.Text("lbUpdateSystemInfo"), language.systemInfo);
    EXPECT_EQ(driver.Text("btNext"), language.next);
    EXPECT_EQ(driver.Text("btExit"), language.exit);
    EXPECT_EQ(driver.Text("lbServerVersionTitle"), language.levelTitle);
    EXPECT_EQ(driver.Text("lbServerVersion"), "Primary " + ComputerName() + language.levelWord + "2.3.1.5");
    EXPECT_EQ(driver.Text("lbResponceCenter"), language.assistance);
    EXPECT_FALSE(driver.IsVisible("btPrev"));
    EXPECT_TRUE(driver.IsVisible("btNext") && driver.IsEnabled("btNext"));
    EXPECT_TRUE(driver.IsVisible("btExit") && driver.IsEnabled("btExit"));
    EXPECT_TRUE(driver.IsVisible("cbLocale"));
    EXPECT_FALSE(driver.CurrentMessageBox());
    EXPECT_TRUE(driver.SaveScreenshot(ScreenshotPath(std::string("languages-welcome-") + language.file + ".bmp")));
  }
  // The next page is made in the language chosen, the folder field holding the wizard's own folder.
  ASSERT_TRUE(driver.SelectIndex("cbLocale", 1));
  ASSERT_TRUE(driver.PostClick("btNext"));
  ASSERT_TRUE(driver.WaitForVisible("TabSheet1", true));
  EXPECT_EQ(driver.Text("lbUpdateFilesPathTitle"), "Geben Sie an, wo die Updates gespeichert werden sollen");
  EXPECT_EQ(driver.Text("btUpdateFilesPathBrowse"), "...");
  EXPECT_EQ(driver.Text("edUpdateFilesPath"), setup.mediaFolder + "\\");
  EXPECT_TRUE(driver.IsRunning());
}

}  // namespace
}  // namespace tessaron::e2e
