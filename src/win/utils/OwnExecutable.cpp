#include "win/utils/OwnExecutable.h"

#include <windows.h>
#include <winver.h>

#include <cstring>

namespace Utils {

CodePagePath OwnExecutable() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // A full buffer means the path was cut short.
    if (length < buffer.size()) return InCodePage(buffer.substr(0, length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string OwnFileVersion() {
  // Read from the resource itself rather than through version.dll, which the wizard would otherwise load for this
  // alone. VS_FIXEDFILEINFO starts with its signature, DWORD-aligned within the block.
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16) /* RT_VERSION */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  const DWORD size = SizeofResource(nullptr, found);
  if (!bytes) return {};
  for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes + offset, sizeof info);
    if (info.dwSignature != 0xFEEF04BD) continue;
    return std::to_string(HIWORD(info.dwFileVersionMS)) + "." + std::to_string(LOWORD(info.dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info.dwFileVersionLS)) + "." + std::to_string(LOWORD(info.dwFileVersionLS));
  }
  return {};
}
std::string OwnExecutablePath() { return OwnExecutable().Path; }

}  // namespace Utils
