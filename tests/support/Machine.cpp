#include "support/Machine.h"

#include <windows.h>

namespace tessaron::testsupport {

std::string HostPath(const std::string& path) {
  std::string result = !path.empty() && path[0] == '/' ? "Z:" + path : path;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path + " is missing";
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  return CloseHandle(file) && ok;
}

std::string ComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
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

}  // namespace tessaron::testsupport
