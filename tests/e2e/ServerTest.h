// The fixture of the wizard's end-to-end tests: a simulated server prepared with the wizard and the scripted engine
// built here.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "E2eEnvironment.h"

namespace tessaron::e2e {

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(PrepareServer(setup, &error)) << error;
  }

  ServerSetup setup = SimulatedServer(HostPath(TESSARON_LAUNCHER_EXE), HostPath(TESSARON_ZUK_EXE));
};

}  // namespace tessaron::e2e
