#include "support/Machine.h"

#include <windows.h>

namespace tessaron::testsupport {

std::string HostPath(const std::string& path) {
  std::string result = !path.empty() && path[0] == '/' ? "Z:" + path : path;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

std::string OwnPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length);
}

std::string OwnFolder() {
  const std::string own = OwnPath();
  return own.substr(0, own.find_last_of('\\') + 1);
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

bool MakeFolders(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty()) return false;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const auto slash = folder.find_last_of("\\/");
  // A drive ("C:") is never made.
  if (slash != std::string::npos && slash > 2 && !MakeFolders(folder.substr(0, slash))) return false;
  return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyFileInto(const std::string& source, const std::string& folder) {
  const auto slash = source.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
  return MakeFolders(folder) && CopyFileA(source.c_str(), (folder + "\\" + name).c_str(), FALSE);
}

void RemoveTree(const std::string& folder) {
  std::string base = folder;
  while (!base.empty() && base.back() == '\\') base.pop_back();
  if (base.empty()) return;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((base + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = base + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(base.c_str());
}

std::vector<std::string> FilesMatching(const std::string& pattern) {
  const std::string folder = pattern.substr(0, pattern.find_last_of("\\/") + 1);
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
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
