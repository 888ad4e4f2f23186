# Writes the engine's built-in scenarios as a C++ source, byte for byte from the scenario files:
#   cmake -DOUTPUT=<file.cpp> -DSCENARIOS=<a.scenario;b.scenario;...> -P EmbedScenarios.cmake
# Byte arrays rather than raw string literals, so that line ends and any text in the files come through unchanged.
set(arrays "")
set(entries "")
set(index 0)
foreach(file IN LISTS SCENARIOS)
  if(file STREQUAL "")
    continue()
  endif()
  get_filename_component(name ${file} NAME_WLE)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  if(digits EQUAL 0)
    string(APPEND entries "    {\"${name}\", std::string_view()},\n")
  else()
    string(REGEX REPLACE "(................................)" "\\1|" bytes "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
    string(REPLACE "|" "\n    " bytes "${bytes}")
    string(APPEND arrays "constexpr char kScenario${index}[] = {\n    ${bytes}};\n\n")
    string(APPEND entries "    {\"${name}\", std::string_view(kScenario${index}, sizeof kScenario${index})},\n")
  endif()
  math(EXPR index "${index} + 1")
endforeach()

set(source "// Generated from tools/zuk/scenarios/*.scenario by EmbedScenarios.cmake; edit the scenario files instead.
#include <array>
#include <utility>

#include \"Scenario.h\"

namespace zuk {

namespace {

${arrays}constexpr std::array<std::pair<std::string_view, std::string_view>, ${index}> kBuiltins = {{
${entries}}};

}  // namespace

std::optional<std::string_view> BuiltinScenario(std::string_view name) {
  for (const auto& [builtinName, text] : kBuiltins)
    if (builtinName == name) return text;
  return std::nullopt;
}

std::vector<std::string_view> BuiltinScenarioNames() {
  std::vector<std::string_view> names;
  for (const auto& entry : kBuiltins) names.push_back(entry.first);
  return names;
}

}  // namespace zuk
")
# Rewritten only when it changes, so that an unchanged scenario set does not rebuild the engine.
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "${source}" @ONLY)
