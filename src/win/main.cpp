// Start of the update wizard.
#include <windows.h>

#include <memory>

#include "win/LauncherF.h"
#include "win/SwitchHelp.h"
#include "win/ui/Application.h"

namespace {

// The wizard is often started from removable or network media beside files nobody vetted: DLLs come from the system
// folder only. Older systems lack the call; they keep their own search order.
void RestrictDllSearch() {
  using SetDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  auto setDirectories =
      reinterpret_cast<SetDirectoriesFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
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
