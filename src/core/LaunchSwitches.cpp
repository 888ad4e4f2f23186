#include "core/LaunchSwitches.h"

#include <array>
#include <initializer_list>

#include "core/TextUtils.h"

namespace core {

namespace {

constexpr std::array<std::string_view, 4> kLanguageCodes = {"en", "de", "fr", "es"};

// Joined by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on chains of string operator+.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

std::optional<char> DriveOf(std::string_view value) {
  // "X:", also written "X:\".
  if (value.size() != 2 && !(value.size() == 3 && value[2] == '\\')) return std::nullopt;
  const char letter = UpperAZ(value.substr(0, 1))[0];
  if (letter < 'A' || letter > 'Z' || value[1] != ':') return std::nullopt;
  return letter;
}

std::optional<int32_t> LanguageOf(std::string_view value) {
  for (size_t i = 0; i < kLanguageCodes.size(); ++i)
    if (SameTextAZ(value, kLanguageCodes[i])) return static_cast<int32_t>(i);
  return std::nullopt;
}

}  // namespace

LaunchSwitches ParseLaunchSwitches(std::span<const std::string> arguments) {
  LaunchSwitches switches;
  std::vector<std::string> strays;
  std::vector<std::string> seen;
  for (const std::string& argument : arguments) {
    // The way Windows programs are asked for their usage.
    if (argument == "/?") {
      switches.Help = true;
      continue;
    }
    if (argument.empty() || argument[0] != '~') {
      strays.push_back(Joined({"The argument \"", argument, "\" is no switch; switches begin with \"~\"."}));
      continue;
    }
    const std::string_view body = std::string_view(argument).substr(1);
    const size_t equals = body.find('=');
    const std::string name = LowerAZ(body.substr(0, equals));
    const bool hasValue = equals != std::string_view::npos;
    const std::string_view value = hasValue ? body.substr(equals + 1) : std::string_view();
    auto fail = [&](std::string_view why) {
      switches.Errors.push_back(Joined({"The switch \"", argument, "\" ", why}));
    };

    const bool flag = name == "unattended" || name == "checkonly" || name == "nosnapshot" ||
                      name == "acceptnetworkfolder" || name == "help" || name == "?";
    const bool valued =
        name == "updates" || name == "snapshot" || name == "language" || name == "log" || name == "result";
    if (!flag && !valued) {
      fail("is unknown.");
      continue;
    }
    bool repeated = false;
    for (const std::string& earlier : seen) repeated = repeated || earlier == name;
    if (repeated) {
      fail("is given more than once.");
      continue;
    }
    seen.push_back(name);
    if (flag && hasValue) {
      fail("takes no value.");
      continue;
    }
    if (valued && value.empty()) {
      fail("needs a value after \"=\".");
      continue;
    }

    if (name == "unattended") {
      switches.Unattended = true;
    } else if (name == "checkonly") {
      switches.CheckOnly = true;
    } else if (name == "nosnapshot") {
      switches.NoSnapshot = true;
    } else if (name == "acceptnetworkfolder") {
      switches.AcceptNetworkFolder = true;
    } else if (name == "help" || name == "?") {
      switches.Help = true;
    } else if (name == "result") {
      switches.ResultFile = std::string(value);
    } else if (name == "updates") {
      switches.UpdatesFolder = std::string(value);
    } else if (name == "log") {
      switches.LogFile = std::string(value);
    } else if (name == "snapshot") {
      if (auto drive = DriveOf(value)) {
        switches.SnapshotDrive = drive;
      } else {
        fail("needs a drive letter and a colon, such as D:.");
      }
    } else if (auto language = LanguageOf(value)) {
      switches.Language = language;
    } else {
      fail("needs one of the languages en, de, fr or es.");
    }
  }
  if (switches.Unattended) switches.Errors.insert(switches.Errors.begin(), strays.begin(), strays.end());
  if (switches.CheckOnly && !switches.Unattended) {
    switches.CheckOnly = false;
    switches.Errors.push_back("The switch \"~checkonly\" is for unattended runs only; give \"~unattended\" with it.");
  }
  if (switches.AcceptNetworkFolder && !switches.Unattended) {
    switches.AcceptNetworkFolder = false;
    switches.Errors.push_back(
        "The switch \"~acceptnetworkfolder\" is for unattended runs only; give \"~unattended\" with it.");
  }
  return switches;
}

std::string_view SwitchHelpText() {
  return "Launcher.exe [switches]\r\r"
         "~unattended\tRun without asking anything and end with an exit code.\r"
         "~updates=FOLDER\tThe folder with the update packages.\r"
         "~snapshot=X:\tThe drive for the system snapshot.\r"
         "~nosnapshot\tNo snapshot.\r"
         "~language=en|de|fr|es\tThe language of the texts.\r"
         "~log=FILE\tWhere the run log goes.\r"
         "~result=FILE\tA JSON file with the outcome, for scripts.\r"
         "~checkonly\tWith ~unattended: only the checks, nothing is copied or started.\r"
         "~acceptnetworkfolder\tWith ~unattended: accept an updates folder on no fixed drive.\r"
         "~help, ~?, /?\tThis help.\r\r"
         "Exit codes of unattended runs:\r"
         "0\tsucceeded (check-only: the update could start now)\r"
         "3010\tsucceeded, a restart is needed\r"
         "1603\tthe run failed\r"
         "1618\tan update engine or another update wizard is already running\r"
         "1619\tthe updates folder does not exist or holds no package\r"
         "1642\tno package applies: the server is up to date\r"
         "1602\tclosed by hand before the end\r"
         "1\trefused by another check\r"
         "87\ta switch is unknown or malformed\r\r"
         "Start it with \"start /wait\" from cmd to wait for its end.";
}

}  // namespace core
