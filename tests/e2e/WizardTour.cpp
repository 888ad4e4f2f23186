// The demo's guide: prepares a simulated server in the current Wine prefix, then walks the wizard through its
// pages as an operator would and saves a screenshot of every page, of every message box, and of the progress
// page every two seconds. It goes as far as the wizard goes: where Next leads nowhere, the tour ends.
//
//   wizard_tour prepare LAUNCHER.exe ENGINE.exe|- SCENARIO-FILE|-
//   wizard_tour tour FOLDER SECONDS
//   wizard_tour unattended SECONDS    (an unattended run as a deployment tool starts it: its exit code and log)
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
    {"TabSheet0", "welcome"}, {"TabSheet1", "updates-folder"}, {"TabSheet2", "update-list"},
    {"TabSheet3", "snapshot"}, {"TabSheet5", "confirmation"}, {"TabSheet6", "progress"}, {"TabSheet7", "completion"},
};

ServerSetup Server() {
  ServerSetup setup = SimulatedServer();
  setup.mediaFolder = "C:\\Media";
  setup.homeFolder = "C:\\Orvo";
  setup.updatesFolder = "C:\\Updates";
  return setup;
}

int Prepare(const std::string& launcher, const std::string& engine, const std::string& scenarioFile) {
  ServerSetup setup = Server();
  setup.launcher = launcher;
  if (engine != "-") setup.engine = engine;
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

class Tour {
 public:
  Tour(std::string folder, DWORD seconds) : folder_(std::move(folder)), deadline_(GetTickCount64() + seconds * 1000ull) {}

  int Run() {
    ServerSetup setup = Server();
    setup.launcher = setup.mediaFolder + "\\Launcher.exe";
    std::string error;
    if (!driver_.Launch(WizardLaunch(setup), &error)) {
      std::fprintf(stderr, "wizard_tour: %s\n", error.c_str());
      return 1;
    }
    std::string page = ShownPage();
    Shot(PageName(page));
    while (TimeLeft()) {
      if (AnswerBoxes()) continue;
      page = ShownPage();
      if (page == "TabSheet7") break;
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
      if (ShownPage() != page) Shot(PageName(ShownPage()));
    }
    if (ShownPage() == "TabSheet7" && last_ != "completion") Shot("completion");
    if (ShownPage() == "TabSheet7") Report(setup);
    Leave();
    std::printf("%d screenshots\n", count_);
    return 0;
  }

 private:
  bool TimeLeft() const { return GetTickCount64() < deadline_ && driver_.IsRunning(); }

  std::string ShownPage() const {
    for (const auto& entry : kPageNames)
      if (driver_.IsVisible(entry[0])) return entry[0];
    return {};
  }

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
    do std::printf("  run log: %s\\%s (%lu bytes)\n", setup.mediaFolder.c_str(), found.cFileName, found.nFileSizeLow);
    while (FindNextFileA(search, &found));
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
      WaitUntil([&] {
        if (auto box = driver_.CurrentMessageBox()) {
          Shot("message");
          driver_.AnswerMessageBox(*box, IDOK);
        }
        return !driver_.IsRunning();
      }, 5000);
    }
    driver_.Terminate();
  }

  std::string folder_;
  ULONGLONG deadline_;
  WizardDriver driver_;
  int count_ = 0;
  std::string last_;
};

// The wizard started as a deployment tool would, left to itself; prints its exit code and its run log.
int Unattended(DWORD seconds) {
  ServerSetup setup = Server();
  setup.launcher = setup.mediaFolder + "\\Launcher.exe";
  const std::string log = setup.mediaFolder + "\\unattended.log";
  DeleteFileA(log.c_str());
  const std::string arguments = "~unattended ~updates=" + setup.updatesFolder + " \"~log=" + log + "\"";
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
  std::printf("  exit code: %lu\n  run log %s:\n    %s\n", static_cast<unsigned long>(code), log.c_str(),
              text.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "prepare" && argc == 5) return Prepare(argv[2], argv[3], argv[4]);
  if (mode == "tour" && argc == 4) return Tour(argv[2], static_cast<DWORD>(std::atoi(argv[3]))).Run();
  if (mode == "unattended" && argc == 3) return Unattended(static_cast<DWORD>(std::atoi(argv[2])));
  std::fprintf(stderr,
               "usage: wizard_tour prepare LAUNCHER.exe ENGINE.exe|- SCENARIO-FILE|-\n"
               "       wizard_tour tour FOLDER SECONDS\n"
               "       wizard_tour unattended SECONDS\n");
  return 2;
}
