// Every text the wizard shows fits where it is shown: on every page, in every language, at 96 and at 144 DPI, each
// visible control's text measured with the control's own font against the room it has on the screen. The probe
// (LayoutProbe.cpp, "texts") does the measuring in a process started at each density.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ProbeProcess.h"

namespace {

struct Measured {
  int Language = 0;
  int Page = 0;
  std::string Name;
  long NeedWidth = 0, NeedHeight = 0, RoomWidth = 0, RoomHeight = 0;
  std::string Beside;
};

std::vector<Measured> Sweep(DWORD dpi) {
  std::vector<Measured> all;
  std::optional<std::string> output = probe::RunAt(dpi, "texts");
  if (!output) return all;
  std::istringstream lines(*output);
  Measured m;
  while (lines >> m.Language >> m.Page >> m.Name >> m.NeedWidth >> m.NeedHeight >> m.RoomWidth >> m.RoomHeight >>
         m.Beside)
    all.push_back(m);
  return all;
}

const Measured* Find(const std::vector<Measured>& all, int language, const std::string& name) {
  for (const Measured& m : all)
    if (m.Language == language && m.Name == name) return &m;
  return nullptr;
}

// The texts each page shows besides the window's own (server line, assistance line, the three buttons).
const std::map<int, std::set<std::string>> kPageTexts = {
    {0, {"lbUpdateSystemTitle", "lbUpdateSystemInfo", "cbLocale"}},
    {1, {"lbUpdateFilesPathTitle", "lbUpdateFilesPathInfo", "btUpdateFilesPathBrowse"}},
    {2, {"lbUpdateFilesPathEchoTitle", "lbUpdateFileListTitle", "txtUpdateFilesPathEcho"}},
    {3, {"lbSnapshotDriveTitle", "lbSnapshotDriveInfo", "lbSnapshotDriveSizeInfo"}},
    {4, {"lbAboutToInstallInfo1", "lbAboutToInstallInfo2"}},
    {5, {"lbCurrentStepTitle", "txtCurrentStep", "lbProgressTitle", "lbProgressDetailsTitle", "lbProgressInfo"}},
    {6, {"txtCompletionStatusInfo"}},
};

void ExpectEveryTextFits(const std::vector<Measured>& all) {
  ASSERT_FALSE(all.empty());
  for (const Measured& m : all) {
    SCOPED_TRACE(m.Name + " in language " + std::to_string(m.Language) + " on page " + std::to_string(m.Page));
    EXPECT_LE(m.NeedWidth, m.RoomWidth);
    EXPECT_LE(m.NeedHeight, m.RoomHeight);
    EXPECT_EQ(m.Beside, "-") << "the text runs into this control";
  }
  // Every page of every language was measured, each text it shows.
  for (int language = 0; language < 4; ++language) {
    for (const auto& [page, texts] : kPageTexts) {
      std::set<std::string> seen;
      for (const Measured& m : all)
        if (m.Language == language && m.Page == page) seen.insert(m.Name);
      std::set<std::string> expected = texts;
      expected.insert({"lbServerVersionTitle", "lbServerVersion", "lbResponceCenter", "btPrev", "btNext", "btExit"});
      EXPECT_EQ(seen, expected) << "language " << language << ", page " << page;
    }
  }
}

// The room a long text was given: up to its page's edge, two lines high.
void ExpectRoom(const std::vector<Measured>& all, int language, const std::string& name, long width, long height) {
  const Measured* m = Find(all, language, name);
  ASSERT_NE(m, nullptr) << name;
  EXPECT_EQ(m->RoomWidth, width) << name << " in language " << language;
  EXPECT_EQ(m->RoomHeight, height) << name << " in language " << language;
}

struct Room {
  int Language;
  const char* Name;
  long Width, Height;
};

TEST(TextFit, EveryVisibleTextFitsOnEveryPageInEveryLanguageAt96And144Dpi) {
  const std::pair<DWORD, std::vector<Room>> densities[] = {
      {96,
       {{1, "lbUpdateFilesPathTitle", 288, 26},
        {2, "lbUpdateFilesPathTitle", 288, 26},
        {2, "lbResponceCenter", 441, 26},
        {0, "lbSnapshotDriveSizeInfo", 132, 26},
        // Where one line is enough, one line it stays.
        {0, "lbResponceCenter", 441, 13},
        {3, "lbUpdateFilesPathTitle", 281, 13}}},
      {144,
       {{1, "lbUpdateFilesPathTitle", 432, 38},
        {2, "lbUpdateFilesPathTitle", 432, 38},
        {2, "lbResponceCenter", 662, 38},
        {0, "lbSnapshotDriveSizeInfo", 198, 38},
        {0, "lbResponceCenter", 662, 20}}},
  };
  for (const auto& [dpi, rooms] : densities) {
    SCOPED_TRACE(std::to_string(dpi) + " DPI");
    const std::vector<Measured> all = Sweep(dpi);
    ExpectEveryTextFits(all);
    for (const Room& room : rooms) ExpectRoom(all, room.Language, room.Name, room.Width, room.Height);
  }
}

}  // namespace
