// What an end-to-end test prepares inside its own Wine prefix before it starts a program: folders and files on
// the prefix's drives, the product registry, and the paths of the build's programs and screenshot folder.
#pragma once

#include <string>
#include <vector>

#include "WizardDriver.h"
#include "support/Machine.h"

namespace tessaron::e2e {

using testsupport::ComputerName;
using testsupport::DeleteProductRegistry;
using testsupport::HostPath;
using testsupport::ProductRegistry;
using testsupport::ReadBytes;
using testsupport::WriteBytes;
using testsupport::WriteProductRegistry;

// Where a screenshot of this name goes (the build's screenshots/e2e folder, created when missing).
std::string ScreenshotPath(const std::string& fileName);

// Creates a folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& path);

// Copies a file into a folder under its own name, replacing an older copy.
bool CopyFileInto(const std::string& source, const std::string& folder);

// A server as the wizard finds it: the wizard and the engine in a media folder, the product home named by
// ZelmoHome, an updates folder with packages, and the product registry.
struct ServerSetup {
  std::string launcher;  // the built Launcher.exe (Windows path)
  std::string engine;    // the built zuk.exe, or empty for a media folder without it
  std::string scenario;  // text of zuk.scenario beside the engine, or empty for none
  std::string mediaFolder = "C:\\Media";
  std::string homeFolder = "C:\\Orvo";  // ZelmoHome
  std::string updatesFolder = "C:\\Updates";
  std::vector<std::string> packages;  // file names made in the updates folder, each holding its own name
  ProductRegistry registry;
};

// The server the scripted engine's scenarios expect: packages 0 to 2 for update level 2.2.1, this machine the
// primary server, in maintenance mode. The wizard and the engine are the caller's to name.
ServerSetup SimulatedServer();

// Lays out the folders, files and registry; on failure *error says what went wrong.
bool PrepareServer(const ServerSetup& setup, std::string* error = nullptr);

// How to start the wizard from the media folder of a prepared server.
LaunchOptions WizardLaunch(const ServerSetup& setup, const std::string& arguments = "");

}  // namespace tessaron::e2e
