// String tables and text lookup. Every caption, title and message of the wizard
// comes from here by key; exactly one language is active at a time.
//
// Texts are Windows-1252 bytes. In the table sources, letters outside ASCII are
// written as hex escapes, split off from a following hex digit ("Gl\xFC" "ck"):
//   \xE0 a-grave   \xE1 a-acute   \xE4 a-umlaut   \xE7 c-cedilla   \xE8 e-grave
//   \xE9 e-acute   \xEA e-circ.   \xED i-acute    \xF1 n-tilde     \xF3 o-acute
//   \xF6 o-umlaut  \xFA u-acute   \xFC u-umlaut   \xDF sharp s     \xA1 inverted !
//   \xBF inverted ?
// A lone "\r" is a line break; no text contains a line feed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Raised when a control's caption key has no text.
class MissingResourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Ordered "key=text" lines. A line's key is everything before its first "=";
// keys compare ignoring the case of a-z only. Lines keep the order in which
// they were first added; lookups are linear scans from the first line.
class TTextList {
 public:
  // Replaces the first line whose key matches, in its place, or appends one.
  // A key containing "=" could never be found again: std::invalid_argument.
  void Write(std::string_view key, std::string_view text);
  // Appends a raw line as it is, whether or not it holds a "=".
  void Add(std::string line);
  void Clear();
  std::size_t Count() const { return lines_.size(); }
  const std::vector<std::string>& Lines() const { return lines_; }

  // The text after the first "=" of the first line whose key matches; lines
  // without "=" are skipped. Empty when nothing matches.
  std::string GetText(std::string_view key) const;

 private:
  // Index of the first line whose key matches, or npos.
  std::size_t IndexOfKey(std::string_view key) const;

  std::vector<std::string> lines_;
};

// The process-wide list of the active language. Created with the English texts
// on first use (a function-local static, so it is ready even for callers that
// run during other modules' static initialisation) and destroyed at exit.
TTextList& TextList();

struct TLangEntry {
  std::string_view key;
  std::string_view text;
};
inline constexpr std::size_t kTextCount = 45;
using TLangTable = std::array<TLangEntry, kTextCount>;

// The four tables, in language-index order. All hold the same keys in the same
// order; constant-initialised, so usable at any time.
extern const TLangTable EnglishTable;
extern const TLangTable GermanTable;
extern const TLangTable FrenchTable;
extern const TLangTable SpanishTable;

// The table SelectLanguage loads for an index: 1 German, 2 French, 3 Spanish,
// English for 0 and every other value.
const TLangTable& LanguageTable(int32_t index);

// Empties TextList and writes the English table: 42 lines in table order.
void LoadEnglishTexts();
// Write their table over the existing lines without emptying the list first,
// so the English order of lines is kept.
void LoadGermanTexts();
void LoadFrenchTexts();
void LoadSpanishTexts();

// Loads the language of a language index (see LanguageTable). Changes only the
// texts: no locale, code page or number format.
void SelectLanguage(int32_t index);

// The text of a key in the active language; empty when absent, never fails.
std::string GetText(std::string_view key);

// The text of "str_" + componentName + "_Caption" + variant, where variant is
// empty or carries its leading underscore ("_Start"). MissingResourceError
// naming the control when the key has no text.
std::string GetComponentText(std::string_view componentName, std::string_view variant = {});

// "English", "Deutsch", "Fran\xE7" "ais", "Espa\xF1" "ol": the position of a
// name is its language index. Not translated.
const std::array<std::string_view, 4>& LanguageNames();

}  // namespace core
