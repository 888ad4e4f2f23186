// Paths as the platform resolves them.
#pragma once

#include <string>

namespace Utils {

// The full form of the path, resolved against the current directory; the path itself, unchanged, when the platform
// cannot resolve it (an empty or overlong path). Callers compare results or take their drive part: a failure that
// gave an empty text would make any two unresolvable paths equal.
std::string FullPath(const std::string& path);

}  // namespace Utils
