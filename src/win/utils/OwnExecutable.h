// This program's own executable file.
#pragma once

#include <string>

namespace Utils {

// The full path of this process's executable, whatever its length; empty when the platform cannot give it.
std::string OwnExecutablePath();

}  // namespace Utils
