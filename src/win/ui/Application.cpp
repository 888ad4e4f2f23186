#include "win/ui/Application.h"

#include <utility>

#include "core/PathRules.h"
#include "win/ui/Form.h"
#include "win/utils/OwnExecutable.h"
#include "win/utils/SystemLibrary.h"

namespace ui {

namespace {

MessageBoxHandler& BoxHandler() {
  static MessageBoxHandler handler;
  return handler;
}

}  // namespace

Application& App() {
  static Application application;
  return application;
}

Application::Application() {
  // Until the program names itself, its title is the name of its executable file.
  const std::string name = core::FileNamePart(Utils::OwnExecutablePath());
  title_ = name.substr(0, name.rfind('.'));
}

HWND Application::MainWindow() const { return mainForm_ && mainForm_->Created() ? mainForm_->Handle() : nullptr; }

void SetMessageBoxHandler(MessageBoxHandler handler) { BoxHandler() = std::move(handler); }

int MsgBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (BoxHandler()) return BoxHandler()(text, caption, flags);
  HWND owner = App().MainWindow();
  // MessageBoxA disables its owner for as long as it is shown; the focus goes back where it was.
  HWND focus = GetFocus();
  int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  if (focus && IsWindow(focus)) SetFocus(focus);
  return answer;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void Application::Run() {
  while (!terminated_) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    HandleMessage(msg);
  }
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!HandleMessage(msg)) break;
  }
}

bool Application::HandleMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  // Tab, Enter and accelerators of the main window's controls.
  if (mainForm_ && mainForm_->Created() && IsDialogMessageA(mainForm_->Handle(), &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void Application::BringToFront() {
  if (!mainForm_ || !mainForm_->Created()) return;
  HWND hwnd = mainForm_->Handle();
  BringWindowToTop(hwnd);
  SetForegroundWindow(hwnd);
}

void Application::Restore() {
  if (!mainForm_ || !mainForm_->Created()) return;
  if (IsIconic(mainForm_->Handle())) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void Application::ShowException(const std::exception& error) { ShowException(std::string(error.what())); }

void Application::ShowException(const std::string& message) {
  if (OnException) {
    OnException(ErrorBoxText(message));
    return;
  }
  MsgBox(ErrorBoxText(message), title_, MB_OK | MB_ICONHAND);
}

void MakeProcessDpiAware() {
  auto setContext = Utils::SystemFunction<BOOL WINAPI(HANDLE)>("user32.dll", "SetProcessDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE: the form is scaled once, for the DPI at start.
  if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-2)))) return;
  SetProcessDPIAware();
}

}  // namespace ui
