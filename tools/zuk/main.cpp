// zuk.exe, the scripted update engine: it plays a scenario on its standard
// output the way the real engine reports its work, so that the wizard can be
// tested and shown without touching a server.
//
// Scenario choice: ZUK_SCENARIO (a built-in name or a scenario file), else
// zuk.scenario beside the executable, else the built-in "success".
// ZUK_ARGS_FILE: first write the command line and then each argument
// (argv[0] included), one per line, to that file.
// On Windows a path that starts with a single "/" is a Wine host path (drive Z:).
// Problems of the engine itself are reported as "[Error]:" lines, exit code 2.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

#include "Scenario.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr int kEngineFailure = 2;

// Raw bytes both ways: the scenario decides every line terminator.
void UseBinaryStdio() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
}

std::string CommandLine(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  return GetCommandLineA();
#else
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += argv[i];
  }
  return line;
#endif
}

std::filesystem::path OwnExecutable(const char* argv0) {
#ifdef _WIN32
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) return std::filesystem::path(buffer.substr(0, length));
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self;
#endif
  return std::filesystem::path(argv0 ? argv0 : "zuk");
}

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return text.str();
}

// Tests under Wine hand over host paths; the host's root is drive Z: there,
// whatever the engine's current drive is.
std::filesystem::path HostPath(const std::string& path) {
#ifdef _WIN32
  if (path.size() > 1 && path[0] == '/' && path[1] != '/') {
    std::string dosPath = "Z:" + path;
    for (char& c : dosPath)
      if (c == '/') c = '\\';
    return std::filesystem::path(dosPath);
  }
#endif
  return std::filesystem::path(path);
}

void ReportAndFlush(const std::string& message) {
  std::fputs(("[Error]:zuk: " + message + "\r\n").c_str(), stdout);
  std::fflush(stdout);
}

bool WriteArgsFile(const std::string& path, int argc, char** argv) {
  std::ofstream file(HostPath(path), std::ios::binary | std::ios::trunc);
  file << CommandLine(argc, argv) << '\n';
  for (int i = 0; i < argc; ++i) file << argv[i] << '\n';
  file.close();
  return static_cast<bool>(file);
}

struct ScenarioSource {
  std::string name;
  std::string text;
};

std::optional<ScenarioSource> ChooseScenario(const char* argv0) {
  const char* chosen = std::getenv("ZUK_SCENARIO");
  if (chosen != nullptr && *chosen != '\0') {
    if (const auto builtin = zuk::BuiltinScenario(chosen)) return ScenarioSource{chosen, std::string(*builtin)};
    if (auto text = ReadFile(HostPath(chosen))) return ScenarioSource{chosen, std::move(*text)};
    ReportAndFlush(std::string("ZUK_SCENARIO names neither a built-in scenario nor a readable file: ") + chosen);
    return std::nullopt;
  }
  const auto beside = OwnExecutable(argv0).parent_path() / "zuk.scenario";
  if (auto text = ReadFile(beside)) return ScenarioSource{beside.string(), std::move(*text)};
  return ScenarioSource{"success", std::string(*zuk::BuiltinScenario("success"))};
}

class StdioHost : public zuk::EngineHost {
 public:
  void Write(std::string_view bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }
  void Flush() override { std::fflush(stdout); }
  std::optional<std::string> ReadLine() override {
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  void Sleep(uint32_t milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
  bool SetUpdateLevel(const std::string& level) override {
#ifdef _WIN32
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Orvo\\Zelmo\\Products\\Tessaron", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
      return false;
    const bool ok = RegSetValueExA(key, "UpdateLevel", 0, REG_SZ, reinterpret_cast<const BYTE*>(level.c_str()),
                                   static_cast<DWORD>(level.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
#else
    (void)level;
    return false;
#endif
  }
  bool FileExists(const std::string& path) override {
    std::error_code ignored;
    return std::filesystem::exists(HostPath(path), ignored);
  }
  void Crash() override {
    // Whatever is still buffered is lost, as with a real crash.
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), 3);
#endif
    std::abort();
  }
};

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStdio();
  if (const char* argsFile = std::getenv("ZUK_ARGS_FILE"); argsFile != nullptr && *argsFile != '\0') {
    if (!WriteArgsFile(argsFile, argc, argv)) {
      ReportAndFlush(std::string("cannot write the argument file ") + argsFile);
      return kEngineFailure;
    }
  }
  const auto source = ChooseScenario(argc > 0 ? argv[0] : nullptr);
  if (!source) return kEngineFailure;

  zuk::Scenario scenario;
  try {
    scenario = zuk::ParseScenario(source->text);
  } catch (const zuk::ScenarioError& error) {
    ReportAndFlush("scenario " + source->name + ", " + error.what());
    return kEngineFailure;
  }
  StdioHost host;
  return zuk::RunScenario(scenario, host).exitCode;
}
