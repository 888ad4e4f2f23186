// The demo's guide: prepares a simulated server in the current Wine prefix, then walks the wizard through its
// pages as an operator would and saves a screenshot of every page, of every message box, and of the progress
// page every two seconds. It goes as far as the wizard goes: where Next leads nowhere, the tour ends.
//
// The "pictures" tour first picks the language (its index in the language list) and takes one picture of the
// progress page: with a hold file, when the engine waits for that file (zuk's "await") with the progress bar at
// the position given, and then creates the file so that the run goes on.
//
//   wizard_tour prepare LAUNCHER.exe ENGINE.exe|- SCENARIO-FILE|-
//   wizard_tour tour FOLDER SECONDS
//   wizard_tour pictures FOLDER LANGUAGE [HOLD-FILE PROGRESS-POSITION]
//   wizard_tour unattended SECONDS    (an unattended run as a deployment tool starts it: its exit code, log and
//                                      result file)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "E2eEnvironment.h"
#include "WizardDriver.h"

namespace {

using namespace tessaron::e2e;

const char* const kPageNames[][2] = {
    {"TabSheet0", "welcome"},    {"TabSheet1", "updates-folder"}, {"TabSheet2", "update-list"},
    {"TabSheet3", "snapshot"},   {"TabSheet5", "confirmation"},   {"TabSheet6", "progress"},
    {"TabSheet7", "completion"},
};

// The server "prepare" lays out, the wizard in its media folder.
ServerSetup Server() {
  ServerSetup setup = SimulatedServer("", "");
  setup.launcher = setup.mediaFolder + "\\Launcher.exe";
  return setup;
}

int Prepare(const std::string& launcher, const std::string& engine, const std::string& scenarioFile) {
  ServerSetup setup = SimulatedServer(launcher, engine != "-" ? engine : "");
  if (scenarioFile != "-") {
    std::ifstream in(scenarioFile, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
      std::fprintf(stderr, "wizard_tour: cannot read %s\n", scenarioFile.c_str());
      return 1;
    }
    setup.scenario = text.str();
  }
  std::string error;
  if (!PrepareServer(setup, &error)) {
    std::fprintf(stderr, "wizard_tour: %s\n", error.c_str());
    return 1;
  }
  std::printf("server prepared: %s (ZelmoHome %s), updates in %s, update level %s, primary %s\n",
              setup.mediaFolder.c_str(), setup.homeFolder.c_str(), setup.updatesFolder.c_str(),
              setup.registry.updateLevel.c_str(), setup.registry.primaryNodeName.c_str());
  return 0;
}

// What the pictures tour does beyond the demo's.
struct PictureOptions {
  int language = -1;      // the index to choose in the language list; -1 leaves it
  std::string holdFile;   // created once the progress page has been photographed
  int holdPosition = -1;  // the progress bar's position while the engine waits for the hold file
};

class Tour {
 public:
  Tour(std::string folder, DWORD seconds, PictureOptions pictures = {})
      : folder_(std::move(folder)), deadline_(GetTickCount64() + seconds * 1000ull), pictures_(std::move(pictures)) {}

  int Run() {
    const ServerSetup setup = Server();
    std::string error;
    if (!driver_.Launch(WizardLaunch(setup), &error)) {
      std::fprintf(stderr, "wizard_tour: %s\n", error.c_str());
      return 1;
    }
    if (pictures_.language >= 0) {
      const std::string title = driver_.Text("lbUpdateSystemTitle");
      if (!driver_.SelectIndex("cbLocale", pictures_.language) ||
          (pictures_.language > 0 && !WaitUntil([&] { return driver_.Text("lbUpdateSystemTitle") != title; }))) {
        std::fprintf(stderr, "wizard_tour: cannot choose language %d\n", pictures_.language);
        return 1;
      }
    }
    std::string page = ShownPage();
    Shot(PageName(page));
    while (TimeLeft()) {
      if (AnswerBoxes()) continue;
      page = ShownPage();
      if (page == "TabSheet7") break;
      if (page == "TabSheet6" && pictures_.language >= 0) {
        PhotographTheRun();
        break;
      }
      if (page == "TabSheet6" && !(driver_.IsVisible("btNext") && driver_.IsEnabled("btNext"))) {
        // The run: a picture every two seconds until the completion page.
        WaitUntil([&] { return driver_.CurrentMessageBox() || ShownPage() != page || !TimeLeft(); }, 2000);
        if (ShownPage() == page && !driver_.CurrentMessageBox()) Shot("progress");
        continue;
      }
      if (page == "TabSheet1" && driver_.Text("edUpdateFilesPath") != setup.updatesFolder)
        driver_.SetText("edUpdateFilesPath", setup.updatesFolder);
      if (!driver_.IsVisible("btNext") || !driver_.IsEnabled("btNext")) {
        std::printf("Next is not available on the %s page: the tour ends there\n", PageName(page).c_str());
        break;
      }
      // Posted: Next may ask a question or start the run.
      driver_.PostClick("btNext");
      if (!WaitUntil([&] { return driver_.CurrentMessageBox() || ShownPage() != page; }, 5000)) {
        std::printf("Next leads nowhere from the %s page yet: the tour ends there\n", PageName(page).c_str());
        break;
      }
      // The pictures tour photographs the run once, in its middle.
      if (ShownPage() != page && !(pictures_.language >= 0 && ShownPage() == "TabSheet6")) Shot(PageName(ShownPage()));
    }
    if (pictures_.language >= 0) {
      WaitUntil([&] {
        AnswerBoxes();
        return ShownPage() == "TabSheet7" || !TimeLeft();
      });
    }
    if (ShownPage() == "TabSheet7" && last_ != "completion") Shot("completion");
    if (ShownPage() == "TabSheet7") Report(setup);
    Leave();
    std::printf("%d screenshots\n", count_);
    return 0;
  }

 private:
  // One picture of the run: where the engine waits for the hold file, or as the run first shows a step.
  void PhotographTheRun() {
    if (pictures_.holdFile.empty()) {
      WaitUntil([&] { return driver_.ProgressPosition("sbarProgress") > 0 || ShownPage() != "TabSheet6"; });
    } else if (!WaitUntil([&] { return driver_.ProgressPosition("sbarProgress") == pictures_.holdPosition; })) {
      std::printf("the run did not reach position %d\n", pictures_.holdPosition);
    }
    if (ShownPage() == "TabSheet6") Shot("progress");
    if (!pictures_.holdFile.empty()) {
      HANDLE file = CreateFileA(pictures_.holdFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }

  bool TimeLeft() const { return GetTickCount64() < deadline_ && driver_.IsRunning(); }

  std::string ShownPage() const { return tessaron::e2e::ShownPage(driver_); }

  static std::string PageName(const std::string& page) {
    for (const auto& entry : kPageNames)
      if (page == entry[0]) return entry[1];
    return "window";
  }

  void Shot(const std::string& what) {
    last_ = what;
    char name[64];
    std::snprintf(name, sizeof name, "%03d-%s", ++count_, what.c_str());
    // A BMP, which the demo script turns into a PNG of the same name afterwards.
    if (driver_.SaveScreenshot(folder_ + "\\" + name + ".bmp")) std::printf("  %s.png\n", name);
  }

  // What the run ended with: the completion page's text and the run log beside the wizard.
  void Report(const ServerSetup& setup) {
    std::string text = driver_.Text("txtCompletionStatusInfo");
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.replace(at, 2, "\n    ");
    std::printf("  the run ended with:\n    %s\n", text.c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((setup.mediaFolder + "\\Launcher.*.log").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      std::printf("  no run log was written\n");
      return;
    }
    do {
      const std::string name = found.cFileName;
      const bool output = name.ends_with(".output.log");
      std::printf("  %s: %s\\%s (%lu bytes)\n", output ? "the engine's whole output" : "run log",
                  setup.mediaFolder.c_str(), name.c_str(), found.nFileSizeLow);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  // A box is photographed and answered as an operator who wants the update to go ahead: Yes, else OK.
  bool AnswerBoxes() {
    auto box = driver_.CurrentMessageBox();
    if (!box || box->buttons.empty()) return false;
    Shot("message");
    std::printf("    %s: %s\n", box->caption.c_str(), box->text.c_str());
    bool hasYes = false;
    for (const auto& button : box->buttons) hasYes |= button.first == IDYES;
    driver_.AnswerMessageBox(*box, hasYes ? IDYES : IDOK);
    return true;
  }

  void Leave() {
    if (!driver_.IsRunning()) return;
    if (driver_.PostClick("btExit")) {
      WaitUntil(
          [&] {
            if (auto box = driver_.CurrentMessageBox()) {
              Shot("message");
              driver_.AnswerMessageBox(*box, IDOK);
            }
            return !driver_.IsRunning();
          },
          5000);
    }
    driver_.Terminate();
  }

  std::string folder_;
  ULONGLONG deadline_;
  WizardDriver driver_;
  int count_ = 0;
  std::string last_;
  PictureOptions pictures_;
};

// The wizard started as a deployment tool would, left to itself; prints its exit code and its run log.
int Unattended(DWORD seconds) {
  const ServerSetup setup = Server();
  const std::string log = setup.mediaFolder + "\\unattended.log";
  const std::string result = setup.mediaFolder + "\\unattended.json";
  DeleteFileA(log.c_str());
  DeleteFileA(result.c_str());
  const std::string arguments =
      "~unattended ~updates=" + setup.updatesFolder + " \"~log=" + log + "\" \"~result=" + result + "\"";
  std::printf("Launcher.exe %s\n", arguments.c_str());
  WizardDriver driver;
  std::string error;
  // A run refused at once may end before its window is seen; only its end counts.
  driver.Launch(WizardLaunch(setup, arguments), &error);
  DWORD code = 0;
  if (!driver.WaitForExit(seconds * 1000, &code)) {
    std::fprintf(stderr, "wizard_tour: the unattended run did not end within %lu seconds %s\n",
                 static_cast<unsigned long>(seconds), error.c_str());
    return 1;
  }
  std::string text = ReadBytes(log);
  for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.replace(at, 2, "\n    ");
  std::printf("  exit code: %lu\n  run log %s:\n    %s\n", static_cast<unsigned long>(code), log.c_str(), text.c_str());
  std::printf("  result file %s:\n%s", result.c_str(), ReadBytes(result).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "prepare" && argc == 5) return Prepare(argv[2], argv[3], argv[4]);
  if (mode == "tour" && argc == 4) return Tour(argv[2], static_cast<DWORD>(std::atoi(argv[3]))).Run();
  if (mode == "pictures" && (argc == 4 || argc == 6)) {
    PictureOptions pictures;
    pictures.language = std::atoi(argv[3]);
    if (argc == 6) {
      pictures.holdFile = argv[4];
      pictures.holdPosition = std::atoi(argv[5]);
    }
    return Tour(argv[2], 120, pictures).Run();
  }
  if (mode == "unattended" && argc == 3) return Unattended(static_cast<DWORD>(std::atoi(argv[2])));
  std::fprintf(stderr,
               "usage: wizard_tour prepare LAUNCHER.exe ENGINE.exe|- SCENARIO-FILE|-\n"
               "       wizard_tour tour FOLDER SECONDS\n"
               "       wizard_tour pictures FOLDER LANGUAGE [HOLD-FILE PROGRESS-POSITION]\n"
               "       wizard_tour unattended SECONDS\n");
  return 2;
}
