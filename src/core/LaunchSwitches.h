// The switches a deployment tool or an operator gives the wizard on its command line: each a separate argument of
// a tilde, a name compared without regard to the case of a-z and, for some, "=" and a value.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace core {

struct LaunchSwitches {
  bool Unattended = false;                   // ~unattended: nothing is asked, the run goes through by itself
  bool CheckOnly = false;                    // ~checkonly: with ~unattended, every check but nothing copied or run
  bool NoSnapshot = false;                   // ~nosnapshot
  std::optional<std::string> UpdatesFolder;  // ~updates=FOLDER
  std::optional<char> SnapshotDrive;         // ~snapshot=X: (the letter in upper case)
  std::optional<int32_t> Language;           // ~language=en|de|fr|es as the language index 0..3
  std::optional<std::string> LogFile;        // ~log=FILE
  std::optional<std::string> ResultFile;     // ~result=FILE
  bool AcceptNetworkFolder = false;          // ~acceptnetworkfolder: with ~unattended, an updates folder on no fixed
                                             // drive is accepted
  bool Help = false;                         // ~help, ~? or /?: the switches are shown and nothing else happens
  // One sentence for each switch that is unknown or malformed; such a switch is otherwise left out.
  std::vector<std::string> Errors;
};

// Reads the arguments after the program. Arguments without a leading tilde are no switches and are passed over, as
// they always were; with ~unattended they are reported too, since an unattended run must not guess.
LaunchSwitches ParseLaunchSwitches(std::span<const std::string> arguments);

// The text of the help box: the switches and the exit codes, in English.
std::string_view SwitchHelpText();

}  // namespace core
