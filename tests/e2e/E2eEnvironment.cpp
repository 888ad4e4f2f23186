#include "E2eEnvironment.h"

#include <windows.h>

namespace tessaron::e2e {

std::string ScreenshotPath(const std::string& fileName) {
  const std::string folder = HostPath(TESSARON_E2E_SCREENSHOTS);
  MakeFolders(folder);
  return folder + "\\" + fileName;
}

std::string ShownPage(const WizardDriver& driver) {
  std::string shown;
  for (const char* page : kPages) {
    if (!driver.IsVisible(page)) continue;
    if (!shown.empty()) return "several pages";
    shown = page;
  }
  return shown;
}

LaunchOptions WizardLaunch(const ServerSetup& setup, const std::string& arguments) {
  LaunchOptions options;
  const auto slash = setup.launcher.find_last_of("\\/");
  options.program = setup.mediaFolder + "\\" + setup.launcher.substr(slash == std::string::npos ? 0 : slash + 1);
  options.arguments = arguments;
  options.currentFolder = setup.mediaFolder;
  options.environment["ZelmoHome"] = setup.homeFolder;
  return options;
}

}  // namespace tessaron::e2e
