// The program's 8-bit texts (the ANSI code page, Windows-1252) as the UTF-16 that some platform interfaces take.
#pragma once

#include <windows.h>

#include <string>

namespace Utils {

inline std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace Utils
