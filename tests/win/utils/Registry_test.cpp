// The product registry and server identity, on real keys of the prefix's
// HKEY_LOCAL_MACHINE. These tests own HKLM\Software\Orvo while they run (the
// test runner serialises every suite that writes it) and remove it after.
#include <gtest/gtest.h>

#include "core/TextUtils.h"
#include "win/utils/Utils.h"

using namespace Utils;

namespace {

constexpr const char* kOrvo = "Software\\Orvo";
constexpr const char* kFamily = "Software\\Orvo\\Zelmo";
constexpr const char* kProduct = "Software\\Orvo\\Zelmo\\Products\\Tessaron";

void SetValue(const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS)
      << path;
  EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

void SetString(const std::string& path, const std::string& name, const std::string& value, DWORD type = REG_SZ) {
  SetValue(path, name, type, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void SetDword(const std::string& path, const std::string& name, DWORD value) {
  SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

void CreateKey(const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

class ProductRegistry : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kOrvo); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kOrvo); }

  // A release "R" below the family key whose System section holds the
  // given values.
  void SetSystem(const std::string& name, const std::string& value) {
    SetString(kFamily, "CurrentRelease", "R");
    SetString(std::string(kFamily) + "\\R\\Default\\System", name, value);
  }
};

TEST_F(ProductRegistry, CurrentReleaseIsFollowedRelativeAbsoluteOrEmpty) {
  const std::string family = kFamily;
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "dflt") << "no family key";

  CreateKey(family);
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "dflt") << "no CurrentRelease";

  SetString(family + "\\2.3.1\\Default\\System", "PrimaryNodeName", "relative");
  SetString("Software\\Orvo\\Elsewhere\\Default\\System", "PrimaryNodeName", "absolute");
  SetString(family + "\\Default\\System", "PrimaryNodeName", "family");
  SetString(family + "\\Default\\Other", "PrimaryNodeName", "other section");

  SetString(family, "CurrentRelease", "2.3.1");
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "relative");
  EXPECT_EQ(ReadProductSetting("System", "Missing", "dflt", ""), "dflt");
  EXPECT_EQ(ReadProductSetting("Absent", "PrimaryNodeName", "dflt", ""), "dflt");

  SetString(family, "CurrentRelease", "\\Software\\Orvo\\Elsewhere");
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "absolute");

  SetString(family, "CurrentRelease", "");
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "family");
  EXPECT_EQ(ReadProductSetting("Other", "PrimaryNodeName", "dflt", ""), "other section");

  SetString(family, "CurrentRelease", "Nowhere");
  EXPECT_EQ(ReadProductSetting("System", "PrimaryNodeName", "dflt", ""), "dflt");
  EXPECT_EQ(ReadPrimaryNodeName(), "");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceUndetermined);
}

TEST_F(ProductRegistry, StringValuesAreReturnedAsStored) {
  SetString(kFamily, "CurrentRelease", "R");
  const std::string system = std::string(kFamily) + "\\R\\Default\\System";
  SetString(system, "Expand", "%SystemRoot%\\Zelmo", REG_EXPAND_SZ);
  SetValue(system, "Embedded", REG_SZ, "abc\0def", 8);
  SetValue(system, "Empty", REG_SZ, "", 0);
  SetString(system, "Long", std::string(5000, 'v'));
  SetString(system, "Umlaut", "M\xFCnchen \xC4");

  EXPECT_EQ(ReadProductSetting("System", "Expand", "", ""), "%SystemRoot%\\Zelmo");
  EXPECT_EQ(ReadProductSetting("System", "Embedded", "", ""), "abc");
  EXPECT_EQ(ReadProductSetting("System", "Empty", "dflt", ""), "");
  EXPECT_EQ(ReadProductSetting("System", "Long", "", ""), std::string(5000, 'v'));
  EXPECT_EQ(ReadProductSetting("System", "Umlaut", "", ""), "M\xFCnchen \xC4");
}

TEST_F(ProductRegistry, ValuesThatAreNotStringsRaise) {
  SetString(kFamily, "CurrentRelease", "R");
  const std::string system = std::string(kFamily) + "\\R\\Default\\System";
  SetDword(system, "MaintenanceMode", 1);
  try {
    GetMaintenanceMode();
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'MaintenanceMode'");
  }

  SetValue(system, "Multi", REG_MULTI_SZ, "a\0b\0", 5);
  EXPECT_THROW(ReadProductSetting("System", "Multi", "", ""), ERegistryException);

  SetDword(kProduct, "UpdateLevel", 12);
  try {
    ReadUpdateLevel();
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'UpdateLevel'");
  }

  SetDword(kFamily, "CurrentRelease", 3);
  EXPECT_THROW(ReadPrimaryNodeName(), ERegistryException);
}

TEST_F(ProductRegistry, UpdateLevelPrefersTheProductKeyWheneverItExists) {
  EXPECT_EQ(ReadUpdateLevel(), "");
  SetString(kFamily, "UpdateLevel", "2.3.1.7");
  EXPECT_EQ(ReadUpdateLevel(), "2.3.1.7");
  CreateKey(kProduct);
  EXPECT_EQ(ReadUpdateLevel(), "") << "the product key exists without the value";
  SetString(kProduct, "UpdateLevel", "2.3.1.12");
  EXPECT_EQ(ReadUpdateLevel(), "2.3.1.12");
}

TEST_F(ProductRegistry, ServerRoleFollowsTheNodeNames) {
  const std::string computer = ReadComputerName();
  ASSERT_FALSE(computer.empty());
  EXPECT_LE(computer.size(), 15u);

  EXPECT_EQ(GetServerRole(), RoleSecondary) << "no product registry";
  EXPECT_EQ(ServerRoleName(), "Secondary");

  SetSystem("OriginalPrimaryNodeName", "");
  EXPECT_EQ(GetServerRole(), RoleSecondary) << "an empty original primary";

  SetSystem("OriginalPrimaryNodeName", "OLDPRIMARY");
  EXPECT_EQ(GetServerRole(), RoleRkvSecondary);
  EXPECT_EQ(ServerRoleName(), "RKV Secondary");

  SetSystem("PrimaryNodeName", core::LowerAZ(computer));
  EXPECT_EQ(GetServerRole(), RolePrimary);
  EXPECT_EQ(ServerRoleName(), "Primary");

  SetSystem("PrimaryNodeName", computer + "X");
  EXPECT_EQ(GetServerRole(), RoleRkvSecondary);

  EXPECT_EQ(ServerRoleLabel(0), "");
  EXPECT_EQ(ServerRoleLabel(4), "");
}

TEST(MaintenanceMode, TextsMapToTheirCodes) {
  for (const char* on : {"ON", "on", "Yes", "TRUE", "Enabled", "1"}) {
    EXPECT_EQ(MaintenanceModeOfText(on), MaintenanceOn) << on;
  }
  for (const char* off : {"OFF", "off", "No", "false", "DISABLED", "0"}) {
    EXPECT_EQ(MaintenanceModeOfText(off), MaintenanceOff) << off;
  }
  for (const char* other : {"", " ON", "ON ", "onn", "2", "<UNAVAILABLE>", "\xF6n", "Y"}) {
    EXPECT_EQ(MaintenanceModeOfText(other), MaintenanceUndetermined) << other;
  }
}

TEST_F(ProductRegistry, MaintenanceModeIsReadFromThePrimaryByName) {
  const std::string computer = ReadComputerName();
  SetSystem("MaintenanceMode", "Enabled");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceOn) << "no primary named: this machine's registry";
  SetSystem("MaintenanceMode", "off");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceOff);
  SetSystem("MaintenanceMode", " ON");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceUndetermined);

  SetSystem("MaintenanceMode", "yes");
  SetSystem("PrimaryNodeName", computer);
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceOn) << "through a connection to this machine's own name";
  EXPECT_EQ(ReadProductSetting("System", "MaintenanceMode", "<UNAVAILABLE>", core::LowerAZ(computer)), "yes");

  SetSystem("PrimaryNodeName", "TESSARON-NOHOST");
  EXPECT_EQ(ReadProductSetting("System", "MaintenanceMode", "<UNAVAILABLE>", "TESSARON-NOHOST"), "<UNAVAILABLE>");
  EXPECT_EQ(GetMaintenanceMode(), MaintenanceUndetermined) << "the primary cannot be reached";
}

TEST(Environment, VariablesAreReadWhole) {
  const char* name = "TESSARON_UTILS_TEST_VARIABLE";
  SetEnvironmentVariableA(name, nullptr);
  EXPECT_EQ(ReadEnvVar(name), "");
  SetEnvironmentVariableA(name, "C:\\Zelmo Home");
  EXPECT_EQ(ReadEnvVar(name), "C:\\Zelmo Home");
  for (size_t length : {4095u, 4096u, 4097u, 5000u}) {
    std::string value(length, 'e');
    value.back() = 'z';
    SetEnvironmentVariableA(name, value.c_str());
    EXPECT_EQ(ReadEnvVar(name), value) << length;
  }
  SetEnvironmentVariableA(name, nullptr);
}

}  // namespace
