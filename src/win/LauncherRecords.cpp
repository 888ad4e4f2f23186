// The run log and what a run leaves for those who were not there: the result file that scripts read, the engine's
// complete output beside the run log, and an Application event record of the outcome.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/EngineCommand.h"
#include "core/PathRules.h"
#include "core/RunLog.h"
#include "core/RunResult.h"
#include "win/LauncherF.h"
#include "win/SystemText.h"
#include "win/utils/AtomicWrite.h"
#include "win/utils/EventLog.h"
#include "win/utils/Files.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/Paths.h"

namespace {

const std::string kEventSource = "Tessaron Update Utility";

std::string NowUtc() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return core::IsoUtcText({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
}

core::LogTime NowLocal() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

std::optional<std::string> UpdateLevel() {
  try {
    std::string level = Utils::ReadUpdateLevel();
    if (!level.empty()) return level;
  } catch (...) {
    // A value of the wrong type: not readable, as for a missing one.
  }
  return std::nullopt;
}

// Why the file named by a switch cannot take the wizard's output, or nothing when it can: tried by opening it for
// writing, and removed again if it was not there before.
std::optional<std::string> WhyNotWritable(const std::string& path) {
  const std::string full = Utils::FullPath(path);
  if (full.empty() || Utils::IsExistingFolder(full)) return "names a folder; it needs a file name.";
  const std::string folder = core::FolderOf(full);
  if (!folder.empty() && !Utils::IsExistingFolder(folder)) return "names a folder that does not exist.";
  const bool existed = Utils::IsExistingFile(full);
  {
    Utils::ScopedHandle file(CreateFileA(full.c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "names a file that cannot be written.";
  }
  if (!existed) DeleteFileA(full.c_str());
  return std::nullopt;
}

WORD EventType(core::EventLevel level) {
  switch (level) {
    case core::EventLevel::Error:
      return EVENTLOG_ERROR_TYPE;
    case core::EventLevel::Warning:
      return EVENTLOG_WARNING_TYPE;
    default:
      return EVENTLOG_INFORMATION_TYPE;
  }
}

// The run log's places in order, under the asked-for file name or the run log's own name: beside the wizard, beside
// its copy in the support bin folder, in the user's temporary folder.
std::vector<std::string> RunLogPlaces(const std::string& homeFolder, const std::string& askedFor,
                                      const core::LogTime& time) {
  const Utils::CodePagePath own = Utils::OwnExecutable();
  // Where no 8-bit name reaches the wizard's own file, the log still goes to the other places, under its name with
  // '_' for what the code page cannot write.
  std::string ownName = core::FileNamePart(own.Usable() ? own.Path : own.Shown);
  std::replace(ownName.begin(), ownName.end(), '?', '_');
  if (ownName.empty()) ownName = "Launcher.exe";
  const std::string month = win::UserAbbreviatedMonthName(time.Month);
  std::vector<std::string> folders;
  if (own.Usable()) folders.push_back(core::FolderOf(own.Path));
  if (!homeFolder.empty()) folders.push_back(homeFolder + std::string(core::SupportBinFolder));
  const std::string temporary = Utils::TemporaryFolder();
  if (!temporary.empty()) folders.push_back(core::WithTrailingBackslash(temporary));
  std::vector<std::string> names;
  for (const std::string& folder : folders)
    names.push_back(askedFor.empty() ? core::RunLogName(folder + ownName, time, month)
                                     : folder + core::FileNamePart(askedFor));
  return names;
}

}  // namespace

void TLauncherForm::BeginRunRecords() {
  Result = core::RunResult();
  Result.Started = NowUtc();
  Result.LevelBefore = UpdateLevel();
  Result.Computer = Utils::ReadComputerName();
  Result.Version = Utils::OwnFileVersion();
  Result.CommandLine = GetCommandLineA();
  struct Asked {
    const char* name;
    std::optional<std::string>& file;
  };
  for (Asked asked : {Asked{"log", Switches.LogFile}, Asked{"result", Switches.ResultFile}}) {
    if (!asked.file) continue;
    std::optional<std::string> why = WhyNotWritable(*asked.file);
    if (!why && &asked.file == &Switches.ResultFile && !WriteResultFile()) why = "names a file that cannot be written.";
    if (!why) continue;
    // Such a switch is left out, as a malformed one is: the file goes where it would go without it.
    Switches.Errors.push_back("The switch \"~" + std::string(asked.name) + "=" + *asked.file + "\" " + *why);
    asked.file.reset();
  }
}

void TLauncherForm::RecordEngineStart() {
  const std::string started = NowUtc();
  RunLogTime = NowLocal();
  Result.Engine = core::EngineRecord{Engine.EngineProcessId, std::nullopt, started, std::nullopt};
  try {
    OpenEngineOutputFile();
  } catch (...) {
    // Without its output file the run goes on; the run log keeps the output's tail as ever.
  }
  WriteResultFile();
}

void TLauncherForm::OpenEngineOutputFile() {
  std::vector<std::string> candidates;
  if (Switches.LogFile) candidates.push_back(core::OutputLogName(*Switches.LogFile));
  for (const std::string& place :
       RunLogPlaces(HomeFolder, Switches.LogFile.value_or(""), RunLogTime.value_or(NowLocal()))) {
    for (int number = 1; number <= 100; ++number) {
      const std::string log = core::NumberedLogName(place, number);
      if (Utils::IsExistingFile(log) || Utils::IsExistingFile(core::OutputLogName(log))) continue;
      candidates.push_back(core::OutputLogName(log));
      break;
    }
  }
  for (const std::string& candidate : candidates)
    if (EngineOutputFile.Open(candidate)) break;
}

std::string TLauncherForm::WriteRunLog(const std::string& text, const std::string& askedFor) {
  if (!askedFor.empty() && Utils::WriteFileAtomically(askedFor, text, true) == 0) return askedFor;
  return Utils::WriteNewNumberedFile(RunLogPlaces(HomeFolder, askedFor, RunLogTime.value_or(NowLocal())), text);
}

bool TLauncherForm::SaveLog(const std::string& text, const std::string& fileName) {
  try {
    WrittenLogPath = WriteRunLog(text, fileName);
    return !WrittenLogPath.empty();
  } catch (...) {
    return false;
  }
}

bool TLauncherForm::WriteResultFile() {
  if (!Switches.ResultFile) return true;
  try {
    Result.RestartNeeded = Run.NeedReboot;
    Result.Packages = PackageFiles;
    Result.UpdatesFolder = Utils::FullPath(edUpdateFilesPath->Text());
    const char drive = cbSnapshotDrive->Drive();
    const bool snapshot = !NoSnapshot && FoundUpdates.find(":0:") != std::string::npos && drive;
    Result.SnapshotDrive = snapshot ? std::optional<char>(drive) : std::nullopt;
    return Utils::WriteFileAtomically(*Switches.ResultFile, core::RunResultJson(Result), true) == 0;
  } catch (...) {
    return false;
  }
}

void TLauncherForm::RecordOutcome(core::RunOutcome outcome, bool eventRecord) {
  if (OutcomeRecorded) return;
  OutcomeRecorded = true;
  try {
    EngineOutputFile.Close();
    Result.Outcome = outcome;
    Result.ExitCode = Switches.Unattended ? core::ExitCodeOf(outcome) : 0;
    Result.Message = LoggedStatus;
    Result.LevelAfter = UpdateLevel();
    Result.Ended = NowUtc();
    if (Result.Engine) {
      Result.Engine->ExitCode = Engine.EngineExitCode;
      if (!Engine.EngineRunning) Result.Engine->Ended = Result.Ended;
    }
    Result.Log = WrittenLogPath.empty() ? std::nullopt : std::optional<std::string>(WrittenLogPath);
    WriteResultFile();
    if (!eventRecord) return;

    // Event Viewer finds the texts in the message table of the wizard's copy in the support bin folder. Not being
    // allowed to say so is no fault of the run.
    const std::string home = HomeFolder.empty() ? Utils::ReadEnvVar("ZelmoHome") : HomeFolder;
    if (!home.empty())
      Utils::RegisterEventMessageFile(
          kEventSource, home + std::string(core::SupportBinFolder) + core::FileNamePart(Utils::OwnExecutablePath()));
    const core::OutcomeEvent event = core::OutcomeEventOf(outcome);
    Utils::WriteEventRecord(
        {kEventSource,
         EventType(event.Level),
         event.Id,
         {std::string(core::ClassKey(core::ClassOf(outcome))), std::string(core::ReasonKey(outcome)),
          std::to_string(Result.ExitCode), Result.LevelBefore.value_or("-"), Result.LevelAfter.value_or("-"),
          Result.Log.value_or("-")}});
  } catch (...) {
    // The records must never keep the wizard from ending.
  }
}

void TLauncherForm::RecordEndOfProgram() {
  // An unattended run's outcome was recorded when it ended; what is left ended by a close.
  RecordOutcome(Outcome.value_or(core::RunOutcome::ClosedByHand), Switches.Unattended);
}
