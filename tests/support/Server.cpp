#include "support/Server.h"

#include <windows.h>

namespace tessaron::testsupport {

ServerSetup SimulatedServer(const std::string& launcher, const std::string& engine) {
  ServerSetup setup;
  setup.launcher = launcher;
  setup.engine = engine;
  setup.packages = {"Tessaron-2.3.1.0.zuk", "Tessaron-2.3.1.1.zuk", "Tessaron-2.3.1.2.zuk"};
  setup.registry.updateLevel = "2.2.1";
  setup.registry.primaryNodeName = ComputerName();
  setup.registry.maintenanceMode = "ON";
  return setup;
}

bool PrepareServer(const ServerSetup& setup, std::string* error) {
  auto fail = [error](const std::string& why) {
    if (error) *error = why + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  };
  if (!CopyFileInto(setup.launcher, setup.mediaFolder)) return fail("cannot copy " + setup.launcher);
  if (!setup.engine.empty() && !CopyFileInto(setup.engine, setup.mediaFolder))
    return fail("cannot copy " + setup.engine);
  if (!setup.scenario.empty() && !WriteBytes(setup.mediaFolder + "\\zuk.scenario", setup.scenario))
    return fail("cannot write the engine scenario");
  if (!MakeFolders(setup.homeFolder)) return fail("cannot make " + setup.homeFolder);
  if (!MakeFolders(setup.updatesFolder)) return fail("cannot make " + setup.updatesFolder);
  for (const auto& name : setup.packages)
    if (!WriteBytes(setup.updatesFolder + "\\" + name, name + "\r\n")) return fail("cannot write " + name);
  if (!WriteProductRegistry(setup.registry)) return fail("cannot write the product registry");
  return true;
}

std::vector<std::string> RunLogs(const ServerSetup& setup, bool outputs) {
  std::vector<std::string> logs;
  for (std::string& file : FilesMatching(setup.mediaFolder + "\\Launcher.*.log"))
    if (outputs || !file.ends_with(".output.log")) logs.push_back(std::move(file));
  return logs;
}

}  // namespace tessaron::testsupport
