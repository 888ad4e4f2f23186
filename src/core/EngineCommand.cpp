#include "core/EngineCommand.h"

#include <stdexcept>

namespace core {

std::string EngineFolderValue(std::string_view updatesFolder) {
  // All trailing backslashes go, not only one: D:\x\\ and D:\x name the same
  // folder, and "D:\x\" would read as an escaped quote.
  const size_t typed = updatesFolder.size();
  while (!updatesFolder.empty() && updatesFolder.back() == '\\') updatesFolder.remove_suffix(1);
  std::string value(updatesFolder);
  // A root keeps a name for itself: "C:" alone means the current folder of drive C, and "" no folder at all.
  const bool root = value.empty() || (value.size() == 2 && value[1] == ':');
  if (root && value.size() < typed) value += "\\.";
  return value;
}

std::string EngineArguments(bool noSnapshot, std::optional<char> snapshotDrive,
                            std::string_view updatesFolder) {
  if (updatesFolder.find('"') != std::string_view::npos)
    throw std::invalid_argument("The updates folder name must not contain a double quote.");
  std::string arguments = "-zukgui -product tessaron";
  if (noSnapshot) {
    arguments += " -nosnapshot";
  } else {
    char letter = snapshotDrive.value_or('\0');
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    if (letter < 'A' || letter > 'Z')
      throw std::invalid_argument("No snapshot drive is selected.");
    arguments += " -snapshotlocation \"";
    arguments += letter;
    arguments += ":\"";
  }
  arguments += " -dir \"";
  arguments += EngineFolderValue(updatesFolder);
  arguments += '"';
  return arguments;
}

std::string ComposeCommandLine(std::string_view programPath, std::string_view arguments) {
  if (programPath.find('"') != std::string_view::npos)
    throw std::invalid_argument("The program path must not contain a double quote.");
  std::string commandLine;
  commandLine.reserve(programPath.size() + arguments.size() + 3);
  commandLine += '"';
  commandLine += programPath;
  commandLine += "\" ";
  commandLine += arguments;
  return commandLine;
}

std::string EngineCommandLine(std::string_view appFolder, bool noSnapshot,
                              std::optional<char> snapshotDrive, std::string_view updatesFolder) {
  std::string program(appFolder);
  program += EngineFileName;
  return ComposeCommandLine(program, EngineArguments(noSnapshot, snapshotDrive, updatesFolder));
}

}  // namespace core
