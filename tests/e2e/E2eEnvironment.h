// What an end-to-end test prepares inside its own Wine prefix before it starts a program: folders and files on
// the prefix's drives, the product registry, and the paths of the build's programs and screenshot folder.
#pragma once

#include <string>
#include <vector>

#include "WizardDriver.h"
#include "support/Machine.h"
#include "support/Server.h"

namespace tessaron::e2e {

using testsupport::ComputerName;
using testsupport::CopyFileInto;
using testsupport::DeleteProductRegistry;
using testsupport::HostPath;
using testsupport::MakeFolders;
using testsupport::PrepareServer;
using testsupport::ProductRegistry;
using testsupport::ReadBytes;
using testsupport::RunLogs;
using testsupport::ServerSetup;
using testsupport::SimulatedServer;
using testsupport::WriteBytes;
using testsupport::WriteProductRegistry;

// Where a screenshot of this name goes (the build's screenshots/e2e folder, created when missing).
std::string ScreenshotPath(const std::string& fileName);

// The wizard's pages in their order.
inline constexpr const char* kPages[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3",
                                         "TabSheet5", "TabSheet6", "TabSheet7"};

// The page the operator sees: its name, empty when none is shown, "several pages" when more than one is.
std::string ShownPage(const WizardDriver& driver);

// How to start the wizard from the media folder of a prepared server.
LaunchOptions WizardLaunch(const ServerSetup& setup, const std::string& arguments = "");

}  // namespace tessaron::e2e
