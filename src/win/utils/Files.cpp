#include "win/utils/Files.h"

#include <windows.h>

namespace Utils {

bool IsExistingFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistingFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void ForceDirectories(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty() || GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  const size_t slash = folder.find_last_of("\\/");
  // Stop at a drive ("C:") or a share root; those cannot be created.
  if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':' && folder[slash - 1] != '\\')
    ForceDirectories(folder.substr(0, slash));
  CreateDirectoryA(folder.c_str(), nullptr);
}

namespace {

bool IdentityOf(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  // No access rights are needed to read a file's identity; sharing everything disturbs no one.
  ScopedHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return file && GetFileInformationByHandle(file.Get(), &info);
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (!IdentityOf(a, first) || !IdentityOf(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

ScopedHandle HoldFileUnchanged(const std::string& path) {
  return ScopedHandle(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

namespace {

// The text of a platform call that fills the buffer given, or says how large a buffer it needs; empty on failure.
template <class Call>
std::string GrownText(Call call) {
  std::string text(MAX_PATH + 1, '\0');
  DWORD length = call(static_cast<DWORD>(text.size()), text.data());
  if (length >= text.size()) {
    text.assign(length + 1, '\0');
    length = call(static_cast<DWORD>(text.size()), text.data());
  }
  text.resize(length < text.size() ? length : 0);
  return text;
}

}  // namespace

std::string TemporaryFolder() {
  return GrownText([](DWORD size, char* buffer) { return GetTempPathA(size, buffer); });
}

std::string CurrentDirectory() {
  return GrownText([](DWORD size, char* buffer) { return GetCurrentDirectoryA(size, buffer); });
}

CurrentDirectoryKeeper::CurrentDirectoryKeeper() : saved_(CurrentDirectory()) {}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper() {
  if (!saved_.empty()) SetCurrentDirectoryA(saved_.c_str());
}

}  // namespace Utils
