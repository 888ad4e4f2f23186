// This program's own executable file.
#pragma once

#include <string>

#include "win/utils/Paths.h"

namespace Utils {

// The full path of this process's executable, whatever its length, as the 8-bit calls reach it (its short name when
// the code page cannot write its name). Not usable when the platform cannot give it.
CodePagePath OwnExecutable();
// Its usable path; empty when there is none.
std::string OwnExecutablePath();

// The file version of this program's version resource, as "2.3.1.0"; empty when it has none.
std::string OwnFileVersion();

}  // namespace Utils
