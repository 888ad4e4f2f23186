// Writing a whole file so that it is either there complete or not at all.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace Utils {

// Writes the bytes under a temporary name in the target's folder, flushes them to the disk and only then gives the
// file its name, so that a crash or power loss mid-write never leaves a partial file under that name. Without
// replace an existing file is kept and the write fails with ERROR_ALREADY_EXISTS (or ERROR_FILE_EXISTS). Returns 0
// or the platform's error code; nothing is left behind on failure.
DWORD WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace);

// Writes the bytes, as WriteFileAtomically does, to a file that does not exist yet: for each base name in turn its
// numbered names (core::NumberedLogName: the name, then "_2", "_3", ...) until one is free; a base name whose folder
// refuses the file gives way to the next. Returns the name written, or empty when no folder took it.
std::string WriteNewNumberedFile(const std::vector<std::string>& baseNames, std::string_view bytes);

}  // namespace Utils
