// Checks of the resources that Launcher.rc puts into a program: icon, pictures, manifest and version information.
#pragma once

#include <string>

namespace tessaron::e2e {

// Records a GoogleTest failure for each resource of the program file that is missing or not as the window needs.
void ExpectWizardResources(const std::string& program);

}  // namespace tessaron::e2e
