#include "core/EngineCommand.h"

#include <stdexcept>

#include "core/TextUtils.h"

namespace core {

std::string EngineFolderValue(std::string_view updatesFolder) {
  // All trailing backslashes go, not only one: D:\x\\ and D:\x name the same
  // folder, and "D:\x\" would read as an escaped quote.
  while (!updatesFolder.empty() && updatesFolder.back() == '\\') updatesFolder.remove_suffix(1);
  return std::string(updatesFolder);
}

std::string EngineArguments(bool noSnapshot, std::optional<char> snapshotDrive,
                            std::string_view updatesFolder) {
  if (updatesFolder.find('"') != std::string_view::npos)
    throw std::invalid_argument("The updates folder name must not contain a double quote.");
  std::string arguments = "-zukgui -product tessaron";
  if (noSnapshot) {
    arguments += " -nosnapshot";
  } else {
    const char letter = UpperAZ(snapshotDrive.value_or('\0'));
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

}  // namespace core
