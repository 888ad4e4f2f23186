// The product registry and the server's identity. Read-only: keys are opened
// for querying values and never created.

#include <optional>

#include "core/Format.h"
#include "core/TextUtils.h"
#include "win/utils/Utils.h"

namespace Utils {

namespace {

// Paths below HKEY_LOCAL_MACHINE. Win32 wants them without a leading
// backslash.
constexpr const char* FamilyKeyPath = "Software\\Orvo\\Zelmo";
constexpr const char* ProductKeyPath = "Software\\Orvo\\Zelmo\\Products\\Tessaron";

bool OpenKey(HKEY parent, const std::string& path, ScopedKey& key) {
  return RegOpenKeyExA(parent, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS;
}

std::string WithoutLeadingBackslashes(const std::string& path) {
  size_t start = path.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : path.substr(start);
}

[[noreturn]] void RaiseInvalidType(const std::string& valueName) {
  throw ERegistryException(core::FormatText("Invalid data type for '%s'", {valueName}));
}

// The text of a string value up to its first NUL; nothing when the value
// cannot be read. A value of any other type raises.
std::optional<std::string> ReadStringValue(HKEY key, const std::string& valueName) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string data;
  for (;;) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(valueName);
    data.assign(size + 1, '\0');
    DWORD got = size;
    LONG rc = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) {  // the value grew between the two queries
      size = got;
      continue;
    }
    if (rc != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(valueName);
    data.resize(got);
    break;
  }
  size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  return data;
}

}  // namespace

std::string ReadProductSetting(const std::string& section, const std::string& valueName,
                               const std::string& defaultValue, const std::string& remoteMachine) {
  HKEY root = HKEY_LOCAL_MACHINE;
  ScopedKey remoteRoot;
  if (!remoteMachine.empty()) {
    std::string machine = "\\\\" + remoteMachine;
    if (RegConnectRegistryA(machine.c_str(), HKEY_LOCAL_MACHINE, remoteRoot.Receive()) != ERROR_SUCCESS) {
      return defaultValue;
    }
    root = remoteRoot.Get();
  }

  ScopedKey family;
  if (!OpenKey(root, FamilyKeyPath, family)) return defaultValue;
  std::optional<std::string> release = ReadStringValue(family.Get(), "CurrentRelease");
  if (!release) return defaultValue;

  // A release beginning with a backslash is a path from the root; an empty
  // one is the family key itself.
  ScopedKey releaseKey;
  bool opened = !release->empty() && release->front() == '\\'
                    ? OpenKey(root, WithoutLeadingBackslashes(*release), releaseKey)
                    : OpenKey(family.Get(), *release, releaseKey);
  if (!opened) return defaultValue;

  ScopedKey defaults;
  ScopedKey sectionKey;
  if (!OpenKey(releaseKey.Get(), "Default", defaults) || !OpenKey(defaults.Get(), section, sectionKey)) {
    return defaultValue;
  }
  return ReadStringValue(sectionKey.Get(), valueName).value_or(defaultValue);
}

std::string ReadUpdateLevel() {
  // The product's own key wins whenever it exists, with or without the value.
  ScopedKey key;
  if (!OpenKey(HKEY_LOCAL_MACHINE, ProductKeyPath, key) && !OpenKey(HKEY_LOCAL_MACHINE, FamilyKeyPath, key)) {
    return {};
  }
  return ReadStringValue(key.Get(), "UpdateLevel").value_or(std::string());
}

std::string ReadComputerName() {
  std::string name(MAX_COMPUTERNAME_LENGTH + 1, '\0');
  DWORD size = static_cast<DWORD>(name.size());
  if (!GetComputerNameA(name.data(), &size)) {
    if (GetLastError() != ERROR_BUFFER_OVERFLOW) return {};
    name.assign(size + 1, '\0');  // size is now what the name needs
    size = static_cast<DWORD>(name.size());
    if (!GetComputerNameA(name.data(), &size)) return {};
  }
  name.resize(size);
  return name;
}

std::string ReadPrimaryNodeName() { return ReadProductSetting("System", "PrimaryNodeName", "", ""); }

std::string ReadOriginalPrimaryNodeName() { return ReadProductSetting("System", "OriginalPrimaryNodeName", "", ""); }

int GetServerRole() {
  std::string primary = core::UpperAZ(ReadPrimaryNodeName());
  if (!primary.empty() && primary == core::UpperAZ(ReadComputerName())) return RolePrimary;
  return ReadOriginalPrimaryNodeName().empty() ? RoleSecondary : RoleRkvSecondary;
}

std::string ServerRoleLabel(int role) {
  switch (role) {
    case RolePrimary:
      return "Primary";
    case RoleSecondary:
      return "Secondary";
    case RoleRkvSecondary:
      return "RKV Secondary";
    default:
      return {};
  }
}

std::string ServerRoleName() { return ServerRoleLabel(GetServerRole()); }

int MaintenanceModeOfText(std::string_view text) {
  std::string upper = core::UpperAZ(text);
  for (const char* on : {"ON", "YES", "TRUE", "ENABLED", "1"}) {
    if (upper == on) return MaintenanceOn;
  }
  for (const char* off : {"OFF", "NO", "FALSE", "DISABLED", "0"}) {
    if (upper == off) return MaintenanceOff;
  }
  return MaintenanceUndetermined;
}

int GetMaintenanceMode() {
  // Always through a connection when a primary is named, even to this
  // machine: the group's state is what the primary's registry says.
  std::string primary = ReadPrimaryNodeName();
  return MaintenanceModeOfText(ReadProductSetting("System", "MaintenanceMode", "<UNAVAILABLE>", primary));
}

}  // namespace Utils
