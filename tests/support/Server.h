// A Tessaron server as the wizard finds it, laid out inside the test's Wine prefix: the programs in a media folder,
// the product home, an updates folder with packages, and the product registry.
#pragma once

#include <string>
#include <vector>

#include "support/Machine.h"

namespace tessaron::testsupport {

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

// The server the scripted engine's scenarios expect, with these programs (Windows paths; no engine when empty):
// packages 0 to 2 for update level 2.2.1, this machine the primary server, in maintenance mode.
ServerSetup SimulatedServer(const std::string& launcher, const std::string& engine);

// Lays out the folders, files and registry; on failure *error says what went wrong.
bool PrepareServer(const ServerSetup& setup, std::string* error = nullptr);

// The run logs the wizard wrote beside itself in the media folder, and with outputs the engine's output files beside
// them (".output.log").
std::vector<std::string> RunLogs(const ServerSetup& setup, bool outputs = false);

}  // namespace tessaron::testsupport
