#include "win/utils/Paths.h"

#include <windows.h>

#include "win/utils/WideText.h"

namespace Utils {

namespace {

// The text of a path call that fills the buffer given, or says how large a buffer it needs; empty on failure.
template <class Char, class Call>
std::basic_string<Char> PathText(Call call) {
  std::basic_string<Char> text(MAX_PATH + 1, Char{});
  for (;;) {
    const DWORD length = call(static_cast<DWORD>(text.size()), text.data());
    if (length == 0) return {};
    if (length < text.size()) {
      text.resize(length);
      return text;
    }
    // The path may grow between the calls: ask until it fits.
    text.assign(length + 1, Char{});
  }
}

}  // namespace

std::string FullPath(const std::string& path) {
  if (path.empty()) return path;
  std::string full =
      PathText<char>([&](DWORD size, char* buffer) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
  return full.empty() ? path : full;
}

std::wstring FullPath(const std::wstring& path) {
  if (path.empty()) return path;
  std::wstring full = PathText<wchar_t>(
      [&](DWORD size, wchar_t* buffer) { return GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
  return full.empty() ? path : full;
}

CodePagePath InCodePage(const std::wstring& path) {
  CodePagePath result;
  result.Wide = path;
  bool exact = false;
  result.Shown = AnsiFromWide(path, &exact);
  if (exact) {
    result.Path = result.Shown;
    return result;
  }
  // Only an existing file has a short name; a volume without short names gives the long name back.
  const std::wstring shortName =
      PathText<wchar_t>([&](DWORD size, wchar_t* buffer) { return GetShortPathNameW(path.c_str(), buffer, size); });
  if (!shortName.empty()) result.Path = ExactAnsi(shortName).value_or(std::string());
  return result;
}

}  // namespace Utils
