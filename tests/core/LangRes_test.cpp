#include "core/LangRes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "core/TextUtils.h"

using namespace core;

namespace {

// Every test leaves the process-wide list in English, as the program starts.
class LangResTest : public ::testing::Test {
 protected:
  void SetUp() override { SelectLanguage(0); }
  void TearDown() override { SelectLanguage(0); }
};

std::vector<std::string> LinesOf(const TLangTable& table) {
  std::vector<std::string> lines;
  for (const TLangEntry& entry : table) lines.push_back(std::string(entry.key) + "=" + std::string(entry.text));
  return lines;
}

// The placeholders of a text in order; "?" for a "%" that starts none of them.
std::vector<std::string> Placeholders(std::string_view text) {
  static const std::regex placeholder(R"(%(%|s|d|0\.0d|0\.0n))");
  std::vector<std::string> found;
  std::string s(text);
  for (std::size_t pos = s.find('%'); pos != std::string::npos;) {
    std::smatch m;
    if (std::regex_search(s.cbegin() + static_cast<std::ptrdiff_t>(pos), s.cend(), m, placeholder,
                          std::regex_constants::match_continuous)) {
      found.push_back(m.str());
      pos = s.find('%', pos + static_cast<std::size_t>(m.length()));
    } else {
      found.push_back("?");
      pos = s.find('%', pos + 1);
    }
  }
  return found;
}

std::string MissingMessage(const std::string& control) {
  try {
    GetComponentText(control);
  } catch (const MissingResourceError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(TTextList, LookupRules) {
  TTextList list;
  list.Add("no equals sign here");
  list.Add("Alpha=one");
  list.Add("alpha=two");
  list.Add("Beta=x=y");
  list.Add("Empty=");
  list.Add(
      "Gr\xC4"
      "n=upper");
  EXPECT_EQ(list.GetText("ALPHA"), "one");  // case ignored, first match wins
  EXPECT_EQ(list.GetText("alpha"), "one");
  EXPECT_EQ(list.GetText("beta"), "x=y");  // key ends at the first "="
  EXPECT_EQ(list.GetText("Beta=x"), "");
  EXPECT_EQ(list.GetText("no equals sign here"), "");
  EXPECT_EQ(list.GetText("Empty"), "");
  EXPECT_EQ(list.GetText("Gamma"), "");
  EXPECT_EQ(list.GetText("Alpha "), "");
  EXPECT_EQ(list.GetText("GR\xC4N"), "upper");
  EXPECT_EQ(list.GetText("gr\xE4n"), "");  // only a-z fold
  EXPECT_EQ(list.Count(), 6u);
}

TEST(TTextList, WriteReplacesInPlaceOrAppends) {
  TTextList list;
  list.Add("First");  // no "=": never matched, so a write of the same name appends
  list.Write("first", "1");
  list.Write("Second", "2");
  list.Write("Third", "3");
  list.Write("SECOND", "two=2");
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"First", "first=1", "SECOND=two=2", "Third=3"}));
  EXPECT_EQ(list.GetText("second"), "two=2");

  EXPECT_THROW(list.Write("a=b", "x"), std::invalid_argument);
  EXPECT_EQ(list.Count(), 4u);

  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.GetText("third"), "");
}

TEST_F(LangResTest, LookupInTheActiveLanguage) {
  EXPECT_EQ(GetText("STR_TITLE_ERROR"), "Error");
  EXPECT_EQ(GetText("str_title_warning"), "Warning");
  EXPECT_EQ(GetText("str_No_Such_Key"), "");
  EXPECT_EQ(GetText(""), "");
  EXPECT_EQ(GetComponentText("LauncherForm"), "Tessaron Update Utility");
  EXPECT_EQ(GetComponentText("btNext", "_Start"), "Start");
  EXPECT_EQ(GetComponentText("btNext", "_Next"), "&Next >");
  EXPECT_EQ(GetComponentText("txtCurrentStep", "_Updating"), "Updating %s");
  EXPECT_EQ(GetComponentText("lbResponceCenter"),
            "For assistance at any time, please contact the Orvo Response Center.");
  EXPECT_EQ(GetText("str_lbResponseCenter_Caption"), "");
}

TEST_F(LangResTest, MissingCaptionNamesTheControl) {
  EXPECT_EQ(MissingMessage("lbResponseCenter"), "Missing resource string for component lbResponseCenter.");
  EXPECT_EQ(MissingMessage("btNext"), "Missing resource string for component btNext.");  // needs a variant
  EXPECT_EQ(MissingMessage("lbNewLabel"), "Missing resource string for component lbNewLabel.");
  EXPECT_THROW(GetComponentText("btNext", "_Finish"), std::runtime_error);
}

TEST_F(LangResTest, SelectLanguageLoadsTheTableOfTheIndex) {
  const std::vector<std::pair<int32_t, const TLangTable*>> cases = {
      {0, &EnglishTable}, {1, &GermanTable},   {2, &FrenchTable},        {3, &SpanishTable},
      {4, &EnglishTable}, {-1, &EnglishTable}, {INT_MIN, &EnglishTable}, {INT_MAX, &EnglishTable}};
  for (const auto& [index, table] : cases) {
    SelectLanguage(3);  // start from a language other than English
    SelectLanguage(index);
    EXPECT_EQ(TextList().Lines(), LinesOf(*table)) << "index " << index;
    EXPECT_EQ(&LanguageTable(index), table) << "index " << index;
  }
}

TEST_F(LangResTest, SwitchingKeepsEnglishOrderAndCount) {
  SelectLanguage(1);
  EXPECT_EQ(GetText("str_btNext_Caption_Start"), "Start");
  EXPECT_EQ(GetText("str_btNext_Caption_Next"), "&Weiter >");
  EXPECT_EQ(GetText("str_lbProgressTitle_Caption"), "Status %d%%");
  SelectLanguage(3);
  EXPECT_EQ(TextList().Lines(), LinesOf(SpanishTable));
  EXPECT_EQ(GetText("str_lbServerVersion_Caption"), "%s %s a %s");
  EXPECT_EQ(GetText("str_lbCurrentStepTitle_Caption"), "Siguiente paso");
  SelectLanguage(2);
  SelectLanguage(2);
  EXPECT_EQ(TextList().Count(), kTextCount);
  EXPECT_EQ(GetText("str_lbServerVersion_Caption"), "%s %s a la version %s");
  SelectLanguage(0);
  EXPECT_EQ(TextList().Lines(), LinesOf(EnglishTable));

  // English clears first: stray lines do not survive a switch back.
  TextList().Write("str_Extra", "x");
  SelectLanguage(1);
  EXPECT_EQ(GetText("str_Extra"), "x");
  SelectLanguage(0);
  EXPECT_EQ(TextList().Lines(), LinesOf(EnglishTable));
}

TEST(LangTables, AllTablesMatchTheEnglishKeysAndPlaceholders) {
  std::set<std::string> foldedKeys;
  for (const TLangEntry& entry : EnglishTable) {
    EXPECT_EQ(entry.key.substr(0, 4), "str_") << entry.key;
    EXPECT_EQ(entry.key.find('='), std::string_view::npos) << entry.key;
    EXPECT_TRUE(foldedKeys.insert(UpperAZ(entry.key)).second) << "duplicate key " << entry.key;
  }
  for (int32_t index = 0; index < 4; ++index) {
    const TLangTable& table = LanguageTable(index);
    for (std::size_t i = 0; i < kTextCount; ++i) {
      const TLangEntry& entry = table[i];
      const TLangEntry& english = EnglishTable[i];
      EXPECT_EQ(entry.key, english.key) << "language " << index << " entry " << i + 1;
      EXPECT_FALSE(entry.text.empty()) << entry.key;
      EXPECT_EQ(entry.text.find('\n'), std::string_view::npos) << entry.key;
      EXPECT_EQ(entry.text.find('\0'), std::string_view::npos) << entry.key;
      const std::vector<std::string> placeholders = Placeholders(entry.text);
      EXPECT_EQ(placeholders, Placeholders(english.text)) << "language " << index << " " << entry.key;
      EXPECT_EQ(std::count(placeholders.begin(), placeholders.end(), "?"), 0) << entry.key;
    }
  }
}

TEST(LangTables, ExactTexts) {
  auto text = [](const TLangTable& table, std::string_view key) {
    for (const TLangEntry& entry : table)
      if (entry.key == key) return std::string(entry.text);
    return std::string("<absent>");
  };
  EXPECT_EQ(text(GermanTable, "str_Message_No_Files_Matching"),
            "Keine Dateien, die mit %s \xFC"
            "bereinstimmen ");
  EXPECT_EQ(text(GermanTable, "str_btPrev_Caption"),
            "< &Zur\xFC"
            "ck");
  EXPECT_EQ(text(GermanTable, "str_txtCompletionStatusInfo_Caption_Success"),
            "Herzlichen Gl\xFC"
            "ckwunsch!\r\rSie haben diesen Server erfolgreich auf %s aktualisiert.");
  EXPECT_EQ(text(SpanishTable, "str_txtCompletionStatusInfo_Caption_Failed").substr(0, 14), "Error  P\xF3ngase");
  EXPECT_EQ(text(SpanishTable, "str_Title_Information"), "Informaci\xF3n");
  EXPECT_EQ(text(FrenchTable, "str_btNext_Caption_Start"), "D\xE9marrer");
  EXPECT_EQ(text(EnglishTable, "str_txtCompletionStatusInfo_Caption_Failed"),
            "Error!  Please call the Orvo Response Center.\r\rInstallation failed in step %s %s:\"%s\", with the "
            "following message:\r\r%s");
  EXPECT_EQ(text(EnglishTable, "str_Message_Cant_Start_Update_Utility_Must_Be_In_Same_Folder"),
            "Cannot continue, because a copy of the update utility engine (%s) must be available in:\r%s");
  const std::string reboot = text(EnglishTable, "str_Message_Server_Needs_Reboot");
  EXPECT_EQ(reboot.substr(reboot.size() - 8), "server.\r");
  EXPECT_EQ(LanguageNames(), (std::array<std::string_view, 4>{"English", "Deutsch",
                                                              "Fran\xE7"
                                                              "ais",
                                                              "Espa\xF1"
                                                              "ol"}));
}
