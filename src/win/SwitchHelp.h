// The help box that ~help, ~? and /? ask for.
#pragma once

#include <string>

// Shows the switches and exit codes when the command line asks for them, and returns once the box is closed: true
// when it was shown, and the wizard then ends without opening its window.
bool ShowSwitchHelpIfAsked(const std::string& commandLine);
