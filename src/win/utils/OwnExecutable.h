// This program's own executable file.
#pragma once

#include <string>

namespace Utils {

// The full path of this process's executable, whatever its length; empty when the platform cannot give it.
std::string OwnExecutablePath();

// The file version of this program's version resource, as "2.3.1.0"; empty when it has none.
std::string OwnFileVersion();

}  // namespace Utils
