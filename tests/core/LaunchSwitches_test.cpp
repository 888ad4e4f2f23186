#include "core/LaunchSwitches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/PathRules.h"

namespace core {
namespace {

LaunchSwitches Parse(std::string_view commandLine) {
  const std::vector<std::string> tokens = SplitCommandLine(commandLine);
  return ParseLaunchSwitches(std::span(tokens).subspan(1));
}

TEST(LaunchSwitches, NamesInAnyCaseValuesAsGivenQuotesGroupBlanks) {
  const LaunchSwitches s = Parse(
      "Launcher.exe ~UNATTENDED ~CheckOnly ~nosnapshot \"~updates=D:\\Update Media\\2.3.1\" ~Snapshot=e: "
      "~language=DE \"~log=C:\\Logs\\srv 01.log\"");
  EXPECT_TRUE(s.Errors.empty()) << s.Errors.front();
  EXPECT_TRUE(s.Unattended);
  EXPECT_TRUE(s.CheckOnly);
  EXPECT_TRUE(s.NoSnapshot);
  EXPECT_EQ(s.UpdatesFolder, "D:\\Update Media\\2.3.1");
  EXPECT_EQ(s.SnapshotDrive, 'E');
  EXPECT_EQ(s.Language, 1);
  EXPECT_EQ(s.LogFile, "C:\\Logs\\srv 01.log");

  EXPECT_EQ(Parse("x ~language=es ~snapshot=C:\\").Language, 3);
  EXPECT_EQ(Parse("x ~snapshot=C:\\").SnapshotDrive, 'C');
  const LaunchSwitches none = Parse("x");
  EXPECT_FALSE(none.Unattended || none.CheckOnly || none.NoSnapshot || none.UpdatesFolder || none.LogFile ||
               none.SnapshotDrive || none.Language);
  EXPECT_TRUE(none.Errors.empty());
}

TEST(LaunchSwitches, EveryBadSwitchIsNamedAndLeftOut) {
  const LaunchSwitches s = Parse(
      "x ~unattended ~reboot ~language=it ~snapshot=DE ~snapshot=1: ~updates= ~log ~nosnapshot=yes ~unattended "
      "/unattended -x");
  EXPECT_TRUE(s.Unattended);
  EXPECT_FALSE(s.Language || s.SnapshotDrive || s.UpdatesFolder || s.LogFile || s.NoSnapshot);
  const std::vector<std::string> expected = {
      "The argument \"/unattended\" is no switch; switches begin with \"~\".",
      "The argument \"-x\" is no switch; switches begin with \"~\".",
      "The switch \"~reboot\" is unknown.",
      "The switch \"~language=it\" needs one of the languages en, de, fr or es.",
      "The switch \"~snapshot=DE\" needs a drive letter and a colon, such as D:.",
      "The switch \"~snapshot=1:\" is given more than once.",
      "The switch \"~updates=\" needs a value after \"=\".",
      "The switch \"~log\" needs a value after \"=\".",
      "The switch \"~nosnapshot=yes\" takes no value.",
      "The switch \"~unattended\" is given more than once.",
  };
  EXPECT_EQ(s.Errors, expected);

  // Interactive use passes over what is no switch, as before; a check-only run needs an unattended one.
  const LaunchSwitches interactive = Parse("x /unattended nosnapshot ~checkonly");
  EXPECT_FALSE(interactive.CheckOnly);
  EXPECT_EQ(
      interactive.Errors,
      std::vector<std::string>{"The switch \"~checkonly\" is for unattended runs only; give \"~unattended\" with it."});
}

TEST(LaunchSwitches, ResultFileNetworkFolderAndHelp) {
  const LaunchSwitches s = Parse("x ~unattended ~AcceptNetworkFolder \"~result=C:\\Logs\\srv 01.json\"");
  EXPECT_TRUE(s.Errors.empty()) << s.Errors.front();
  EXPECT_TRUE(s.AcceptNetworkFolder);
  EXPECT_EQ(s.ResultFile, "C:\\Logs\\srv 01.json");
  EXPECT_FALSE(s.Help);

  // Only an unattended run has nobody to answer the question.
  const LaunchSwitches interactive = Parse("x ~acceptnetworkfolder");
  EXPECT_FALSE(interactive.AcceptNetworkFolder);
  EXPECT_EQ(interactive.Errors, std::vector<std::string>{"The switch \"~acceptnetworkfolder\" is for unattended runs "
                                                         "only; give \"~unattended\" with it."});
  EXPECT_EQ(Parse("x ~result").Errors, std::vector<std::string>{"The switch \"~result\" needs a value after \"=\"."});

  for (const char* asked : {"x ~help", "x ~HELP", "x ~?", "x /?", "x ~unattended /?"}) {
    SCOPED_TRACE(asked);
    EXPECT_TRUE(Parse(asked).Help);
  }
  EXPECT_FALSE(Parse("x -? /help ?").Help);
}

}  // namespace
}  // namespace core
