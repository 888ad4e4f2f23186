#include "E2eEnvironment.h"

#include <windows.h>

namespace tessaron::e2e {

std::string ScreenshotPath(const std::string& fileName) {
  const std::string folder = HostPath(TESSARON_E2E_SCREENSHOTS);
  MakeFolders(folder);
  return folder + "\\" + fileName;
}

bool MakeFolders(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return false;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const auto slash = folder.find_last_of("\\/");
  if (slash != std::string::npos && slash > 2 && !MakeFolders(folder.substr(0, slash))) return false;
  return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyFileInto(const std::string& source, const std::string& folder) {
  const auto slash = source.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
  return MakeFolders(folder) && CopyFileA(source.c_str(), (folder + "\\" + name).c_str(), FALSE);
}

ServerSetup SimulatedServer() {
  ServerSetup setup;
  setup.packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"};
  setup.registry.updateLevel = "2.2.1";
  setup.registry.primaryNodeName = ComputerName();
  setup.registry.maintenanceMode = "ON";
  return setup;
}

bool PrepareServer(const ServerSetup& setup, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  };
  if (!CopyFileInto(setup.launcher, setup.mediaFolder)) return fail("cannot copy " + setup.launcher);
  if (!setup.engine.empty() && !CopyFileInto(setup.engine, setup.mediaFolder))
    return fail("cannot copy " + setup.engine);
  if (!setup.scenario.empty() && !WriteBytes(setup.mediaFolder + "\\zuk.scenario", setup.scenario))
    return fail("cannot write the engine scenario");
  if (!MakeFolders(setup.homeFolder)) return fail("cannot make " + setup.homeFolder);
  if (!MakeFolders(setup.updatesFolder)) return fail("cannot make " + setup.updatesFolder);
  for (const auto& name : setup.packages)
    if (!WriteBytes(setup.updatesFolder + "\\" + name, name + "\r\n")) return fail("cannot write " + name);
  if (!WriteProductRegistry(setup.registry)) return fail("cannot write the product registry");
  return true;
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
