#include "core/EngineCommand.h"

#include <stdexcept>

#include "core/TextUtils.h"

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

std::string EngineArguments(bool noSnapshot, std::optional<char> snapshotDrive, std::string_view updatesFolder) {
  if (updatesFolder.find('"') != std::string_view::npos)
    throw std::invalid_argument("The updates folder name must not contain a double quote.");
  std::string arguments = "-zukgui -product tessaron";
  if (noSnapshot) {
    arguments += " -nosnapshot";
  } else {
    const char letter = UpperAZ(snapshotDrive.value_or('\0'));
    if (letter < 'A' || letter > 'Z') throw std::invalid_argument("No snapshot drive is selected.");
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
