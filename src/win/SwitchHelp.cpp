#include "win/SwitchHelp.h"

#include <windows.h>

#include <algorithm>
#include <span>
#include <vector>

#include "core/PathRules.h"
#include "core/LaunchSwitches.h"
#include "win/ui/Application.h"

bool ShowSwitchHelpIfAsked(const std::string& commandLine) {
  const std::vector<std::string> arguments = core::SplitCommandLine(commandLine);
  const core::LaunchSwitches switches =
      core::ParseLaunchSwitches(std::span(arguments).subspan(std::min<size_t>(arguments.size(), 1)));
  if (!switches.Help) return false;
  ui::MsgBox(std::string(core::SwitchHelpText()), "Tessaron Update Utility", MB_OK | MB_ICONINFORMATION);
  return true;
}
