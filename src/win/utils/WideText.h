// The program's 8-bit texts (the ANSI code page, Windows-1252) as the UTF-16 that some platform interfaces take, and
// UTF-16 texts of the platform (names outside the code page) in the 8-bit form.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace Utils {

inline std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// The text in the code page, each character it cannot write as '?'. Never a look-alike: the platform's best-fit
// mapping would turn "Ū" into "U" and so name another file.
inline std::string AnsiFromWide(const std::wstring& text, bool* exact = nullptr) {
  if (exact) *exact = true;
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  // A UTF-8 code page writes everything, and takes neither the flag nor a default character.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, flags, text.data(), size, ansi.data(), length, utf8 ? nullptr : "?",
                      utf8 ? nullptr : &usedDefault);
  if (exact) *exact = !usedDefault;
  return ansi;
}

// The text in the code page when it writes every character exactly; nothing otherwise.
inline std::optional<std::string> ExactAnsi(const std::wstring& text) {
  bool exact = false;
  std::string ansi = AnsiFromWide(text, &exact);
  if (!exact) return std::nullopt;
  return ansi;
}

}  // namespace Utils
