// Variables of the wizard's own environment.

#include "win/utils/Utils.h"

#include "win/utils/WideText.h"

namespace Utils {

namespace {

// A value may be longer than any first guess: when it does not fit, the platform reports the room it needs, and the
// value may change between the calls, so ask until it fits. Empty when the variable is unset.
template <class Char, class Get>
std::basic_string<Char> ReadVariable(const Char* name, Get get) {
  std::basic_string<Char> value(4096, Char{});
  for (;;) {
    DWORD length = get(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.assign(length, Char{});
  }
}

}  // namespace

std::string ReadEnvVar(const std::string& name) { return ReadVariable(name.c_str(), GetEnvironmentVariableA); }

std::wstring ReadEnvVarWide(const std::string& name) {
  return ReadVariable(WideFromAnsi(name).c_str(), GetEnvironmentVariableW);
}

}  // namespace Utils
