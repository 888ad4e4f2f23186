// Start of the update wizard.
#include <windows.h>

#include <memory>

#include "win/LauncherF.h"
#include "win/SwitchHelp.h"
#include "win/ui/Application.h"
#include "win/utils/SystemLibrary.h"

namespace {

// The wizard is often started from removable or network media beside files nobody vetted: DLLs come from the system
// folder only. Older systems lack the call; they keep their own search order.
void RestrictDllSearch() {
  // kernel32 is loaded in every process, so this finds it without searching for it.
  auto setDirectories = Utils::SystemFunction<BOOL WINAPI(DWORD)>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  ui::MakeProcessDpiAware();
  if (ShowSwitchHelpIfAsked(GetCommandLineA())) return 0;

  auto form = std::make_unique<TLauncherForm>();
  bool created = false;
  ui::Guarded([&] {
    form->Create();
    created = true;
  });
  if (!created) return 1;
  form->Show();
  ui::App().Run();
  form->RecordEndOfProgram();
  // Known once the window has closed: what an unattended run ended with.
  const int exitCode = form->ExitCode();
  form.reset();
  return exitCode;
}
