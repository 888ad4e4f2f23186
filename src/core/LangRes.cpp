#include "core/LangRes.h"

#include <utility>

#include "core/TextUtils.h"

namespace core {

namespace {

// A line's key and text, split at its first "="; false for a line without one.
bool SplitLine(std::string_view line, std::string_view& key, std::string_view& text) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = line.substr(0, eq);
  text = line.substr(eq + 1);
  return true;
}

void WriteTable(TTextList& list, const TLangTable& table) {
  for (const TLangEntry& entry : table) list.Write(entry.key, entry.text);
}

}  // namespace

std::size_t TTextList::IndexOfKey(std::string_view key) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string_view lineKey, lineText;
    if (SplitLine(lines_[i], lineKey, lineText) && SameTextAZ(lineKey, key)) return i;
  }
  return std::string_view::npos;
}

void TTextList::Write(std::string_view key, std::string_view text) {
  if (key.find('=') != std::string_view::npos)
    throw std::invalid_argument("Text key '" + std::string(key) + "' contains '='");
  std::string line;
  line.reserve(key.size() + 1 + text.size());
  line.append(key).append(1, '=').append(text);
  const std::size_t index = IndexOfKey(key);
  if (index == std::string_view::npos)
    lines_.push_back(std::move(line));
  else
    lines_[index] = std::move(line);
}

void TTextList::Add(std::string line) { lines_.push_back(std::move(line)); }

void TTextList::Clear() { lines_.clear(); }

std::string TTextList::GetText(std::string_view key) const {
  const std::size_t index = IndexOfKey(key);
  if (index == std::string_view::npos) return {};
  return lines_[index].substr(lines_[index].find('=') + 1);
}

TTextList& TextList() {
  static TTextList list = [] {
    TTextList english;
    WriteTable(english, EnglishTable);
    return english;
  }();
  return list;
}

const TLangTable& LanguageTable(int32_t index) {
  switch (index) {
    case 1:
      return GermanTable;
    case 2:
      return FrenchTable;
    case 3:
      return SpanishTable;
    default:
      return EnglishTable;
  }
}

void LoadEnglishTexts() {
  TTextList& list = TextList();
  list.Clear();
  WriteTable(list, EnglishTable);
}

void LoadGermanTexts() { WriteTable(TextList(), GermanTable); }
void LoadFrenchTexts() { WriteTable(TextList(), FrenchTable); }
void LoadSpanishTexts() { WriteTable(TextList(), SpanishTable); }

void SelectLanguage(int32_t index) {
  switch (index) {
    case 1:
      LoadGermanTexts();
      break;
    case 2:
      LoadFrenchTexts();
      break;
    case 3:
      LoadSpanishTexts();
      break;
    default:
      LoadEnglishTexts();
      break;
  }
}

std::string GetText(std::string_view key) { return TextList().GetText(key); }

std::string GetComponentText(std::string_view componentName, std::string_view variant) {
  std::string key = "str_";
  key.append(componentName).append("_Caption").append(variant);
  std::string text = GetText(key);
  if (text.empty())
    throw MissingResourceError("Missing resource string for component " + std::string(componentName) + ".");
  return text;
}

const std::array<std::string_view, 4>& LanguageNames() {
  static constexpr std::array<std::string_view, 4> names = {"English", "Deutsch",
                                                            "Fran\xE7"
                                                            "ais",
                                                            "Espa\xF1"
                                                            "ol"};
  return names;
}

}  // namespace core
