// Variables of the wizard's own environment.

#include "win/utils/Utils.h"

#include "win/utils/WideText.h"

namespace Utils {

std::string ReadEnvVar(const std::string& name) {
  // A value may be longer than any first guess: when it does not fit, the
  // platform reports the room it needs, and the value may change between
  // the calls, so ask until it fits.
  std::string value(4096, '\0');
  for (;;) {
    DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.assign(length, '\0');
  }
}

std::wstring ReadEnvVarWide(const std::string& name) {
  const std::wstring wideName = WideFromAnsi(name);
  std::wstring value(4096, L'\0');
  for (;;) {
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.assign(length, L'\0');
  }
}

}  // namespace Utils
