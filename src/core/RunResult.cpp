#include "core/RunResult.h"

#include <array>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace core {

namespace {

nlohmann::ordered_json TextOrNull(const std::optional<std::string>& text) {
  return text ? nlohmann::ordered_json(Utf8FromWindows1252(*text)) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::string IsoUtcText(const UtcTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", time.Year, time.Month, time.Day, time.Hour,
                time.Minute, time.Second);
  return text;
}

std::string Utf8FromWindows1252(std::string_view text) {
  // 0x80..0x9F; 0 where 1252 assigns nothing.
  static constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string utf8;
  utf8.reserve(text.size());
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    char32_t code = byte;
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) code = kHigh[byte - 0x80];
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

OutcomeEvent OutcomeEventOf(RunOutcome outcome) {
  switch (ClassOf(outcome)) {
    case OutcomeClass::Succeeded:
      if (outcome == RunOutcome::UpdatedRestartNeeded) return {1001, EventLevel::Warning};
      return {1000, EventLevel::Information};
    case OutcomeClass::Failed:
      return {1002, EventLevel::Error};
    case OutcomeClass::BadSwitch:
      return {1003, EventLevel::Error};
    default:
      return {1003, EventLevel::Warning};
  }
}

std::string RunResultJson(const RunResult& result) {
  using Json = nlohmann::ordered_json;
  Json json;
  json["schema"] = 1;
  json["outcome"] = ClassKey(result.Outcome ? ClassOf(*result.Outcome) : OutcomeClass::Running);
  json["exitCode"] = result.Outcome ? Json(result.ExitCode) : Json(nullptr);
  json["reason"] = result.Outcome ? Json(ReasonKey(*result.Outcome)) : Json(nullptr);
  json["message"] = Utf8FromWindows1252(result.Message);
  json["levelBefore"] = TextOrNull(result.LevelBefore);
  json["levelAfter"] = TextOrNull(result.LevelAfter);
  json["restartNeeded"] = result.RestartNeeded;
  Json packages = Json::array();
  for (const std::string& package : result.Packages) packages.push_back(Utf8FromWindows1252(package));
  json["packages"] = packages;
  json["updatesFolder"] = Utf8FromWindows1252(result.UpdatesFolder);
  json["snapshotDrive"] = result.SnapshotDrive ? Json(std::string{*result.SnapshotDrive, ':'}) : Json(nullptr);
  if (result.Engine) {
    Json engine;
    engine["processId"] = result.Engine->ProcessId;
    engine["exitCode"] = result.Engine->ExitCode ? Json(*result.Engine->ExitCode) : Json(nullptr);
    engine["started"] = result.Engine->Started;
    engine["ended"] = result.Engine->Ended ? Json(*result.Engine->Ended) : Json(nullptr);
    json["engine"] = engine;
  } else {
    json["engine"] = nullptr;
  }
  json["started"] = result.Started;
  json["ended"] = result.Ended ? Json(*result.Ended) : Json(nullptr);
  json["computer"] = Utf8FromWindows1252(result.Computer);
  json["version"] = Utf8FromWindows1252(result.Version);
  json["commandLine"] = Utf8FromWindows1252(result.CommandLine);
  json["log"] = TextOrNull(result.Log);
  return json.dump(2) + "\n";
}

}  // namespace core
