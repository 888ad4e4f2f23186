#include "E2eEnvironment.h"

#include <windows.h>

#include <cstdio>

namespace tessaron::e2e {

std::string HostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

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

bool WriteTextFile(const std::string& path, const std::string& content) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  return std::fclose(f) == 0 && ok;
}

namespace {

bool SetString(const std::string& key, const char* name, const std::string& value) {
  if (value.empty()) return true;
  HKEY hkey = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const LONG status = RegSetValueExA(hkey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>(value.size() + 1));
  RegCloseKey(hkey);
  return status == ERROR_SUCCESS;
}

}  // namespace

bool DeleteProductRegistry() {
  const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Orvo");
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool WriteProductRegistry(const ProductRegistry& r) {
  const std::string zelmo = "Software\\Orvo\\Zelmo";
  const std::string system = zelmo + "\\" + r.release + "\\Default\\System";
  return DeleteProductRegistry() && SetString(zelmo, "CurrentRelease", r.release) &&
         SetString(zelmo + "\\Products\\Tessaron", "UpdateLevel", r.updateLevel) &&
         SetString(system, "PrimaryNodeName", r.primaryNodeName) &&
         SetString(system, "OriginalPrimaryNodeName", r.originalPrimaryNodeName) &&
         SetString(system, "MaintenanceMode", r.maintenanceMode);
}

std::string ComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

bool PrepareServer(const ServerSetup& setup, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  };
  if (!CopyFileInto(setup.launcher, setup.mediaFolder)) return fail("cannot copy " + setup.launcher);
  if (!setup.engine.empty() && !CopyFileInto(setup.engine, setup.mediaFolder))
    return fail("cannot copy " + setup.engine);
  if (!setup.scenario.empty() && !WriteTextFile(setup.mediaFolder + "\\zuk.scenario", setup.scenario))
    return fail("cannot write the engine scenario");
  if (!MakeFolders(setup.homeFolder)) return fail("cannot make " + setup.homeFolder);
  if (!MakeFolders(setup.updatesFolder)) return fail("cannot make " + setup.updatesFolder);
  for (const auto& name : setup.packages)
    if (!WriteTextFile(setup.updatesFolder + "\\" + name, name + "\r\n")) return fail("cannot write " + name);
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
