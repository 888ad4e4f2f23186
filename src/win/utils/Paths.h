// Paths as the platform resolves them, and as this program's 8-bit calls can reach them.
#pragma once

#include <string>

namespace Utils {

// The full form of the path, resolved against the current directory; the path itself, unchanged, when the platform
// cannot resolve it (an empty or overlong path). Callers compare results or take their drive part: a failure that
// gave an empty text would make any two unresolvable paths equal.
std::string FullPath(const std::string& path);
std::wstring FullPath(const std::wstring& path);

// A path the platform gives in UTF-16 (a typed folder, an argument, the own executable, a variable), as the 8-bit
// calls reach it.
struct CodePagePath {
  // The name itself when the code page writes every character of it; else its short (8.3) name when that one is
  // written exactly; else empty: no 8-bit name reaches the file, and a look-alike would name another one.
  std::string Path;
  // The name for messages: each character outside the code page as '?'.
  std::string Shown;
  // The name as the platform gave it.
  std::wstring Wide;
  bool Usable() const { return !Path.empty(); }
};
CodePagePath InCodePage(const std::wstring& path);

}  // namespace Utils
