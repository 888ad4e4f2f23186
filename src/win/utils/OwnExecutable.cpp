#include "win/utils/OwnExecutable.h"

#include <windows.h>

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

std::string OwnExecutablePath() { return OwnExecutable().Path; }

}  // namespace Utils
