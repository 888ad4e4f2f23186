#include "core/PathRules.h"

namespace core {

bool LacksDriveLetter(std::string_view path) { return !(path.size() >= 2 && path[1] == ':'); }

bool UseFolderBrowser(bool shiftDown, std::string_view start, std::string_view savedCurrentDir) {
  return shiftDown || (LacksDriveLetter(start) && LacksDriveLetter(savedCurrentDir));
}

std::string DrivePart(std::string_view fullPath) {
  if (!LacksDriveLetter(fullPath)) return std::string(fullPath.substr(0, 2));
  if (fullPath.size() >= 2 && fullPath[0] == '\\' && fullPath[1] == '\\') {
    // Server and share: up to, not including, the second backslash after "\\".
    const size_t serverEnd = fullPath.find('\\', 2);
    if (serverEnd == std::string_view::npos) return std::string(fullPath);
    const size_t shareEnd = fullPath.find('\\', serverEnd + 1);
    if (shareEnd == serverEnd + 1 || serverEnd + 1 == fullPath.size())
      return std::string(fullPath.substr(0, serverEnd));  // no share named
    return std::string(fullPath.substr(0, shareEnd));
  }
  return {};
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != '\\') out += '\\';
  return out;
}

std::string FolderOf(std::string_view path) {
  const size_t last = path.rfind('\\');
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

std::string FileNamePart(std::string_view path) {
  const size_t last = path.find_last_of("\\/:");
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

namespace {

template <class Char>
bool IsSeparator(Char c) {
  return c >= 1 && c <= 32;
}

template <class Char>
std::vector<std::basic_string<Char>> SplitText(std::basic_string_view<Char> commandLine) {
  const size_t nul = commandLine.find(Char{});
  const std::basic_string_view<Char> text = commandLine.substr(0, nul);
  std::vector<std::basic_string<Char>> tokens;
  size_t i = 0;
  for (;;) {
    for (;;) {
      while (i < text.size() && IsSeparator(text[i])) ++i;
      if (i + 1 < text.size() && text[i] == '"' && text[i + 1] == '"')
        i += 2;
      else
        break;
    }
    std::basic_string<Char> token;
    while (i < text.size() && !IsSeparator(text[i])) {
      if (text[i] == '"') {
        ++i;
        while (i < text.size() && text[i] != '"') token += text[i++];
        if (i < text.size()) ++i;
      } else {
        token += text[i++];
      }
    }
    // Only the end of the text yields an empty token; the runtime's count stops there.
    if (token.empty()) break;
    tokens.push_back(std::move(token));
  }
  return tokens;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) { return SplitText(commandLine); }

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) { return SplitText(commandLine); }

std::wstring FolderToResolve(std::wstring_view typed) {
  std::wstring folder(typed);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

}  // namespace core
