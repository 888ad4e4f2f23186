// The application object, message boxes and the default error box.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace ui {

class Form;

// Replaces the platform's message box, for tests: gets text, caption and flags and returns the button pressed.
using MessageBoxHandler = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

// Every message box of the program goes through here: modal, owned by the main window, every other window of the
// program disabled meanwhile, the previously focused control focused again afterwards. Returns the button pressed
// (IDOK, IDYES, ...).
int MsgBox(const std::string& text, const std::string& caption, unsigned flags);

// Installs a replacement for the platform's message box; an empty handler restores the platform's.
void SetMessageBoxHandler(MessageBoxHandler handler);

// The text the default error box shows for an error message: a full stop is appended when the last character's
// code is above that of the full stop.
std::string ErrorBoxText(const std::string& message);

class Application {
 public:
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The title of the program: its task-bar text and the caption of the default error box.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // The first form created; owner of message boxes.
  Form* MainForm() const { return mainForm_; }
  // The main form's window once it exists, the owner of message boxes and dialogs; null before and after.
  HWND MainWindow() const;

  // Runs the message loop until Terminate is called or the queue ends.
  void Run();
  // Ends Run after the message being handled.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting, then returns: the body of a long wait that keeps the window alive.
  void ProcessMessages();
  // Handles one message (dialog keys of the main window first). False for WM_QUIT, which ends the loop.
  bool HandleMessage(MSG& msg);
  // For tests: a fresh loop after an earlier one was terminated.
  void ResetTerminated() { terminated_ = false; }

  void BringToFront();
  // Restores the main window if it is minimised.
  void Restore();

  // The default error box: the message with ErrorBoxText's rule, the title as caption, OK, the stop icon.
  void ShowException(const std::exception& error);
  // When set, gets the error box's text instead of the box: a run that nobody watches must not wait for an OK.
  std::function<void(const std::string& text)> OnException;
  void ShowException(const std::string& message);

 private:
  friend Application& App();
  friend class Form;
  Application();

  std::string title_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
};

// The program's one application object.
Application& App();

// Runs fn, showing any exception in the default error box instead of letting it leave: used wherever control returns
// to the platform (window procedures, the start-up sequence).
template <class Fn>
void Guarded(Fn&& fn) {
  try {
    fn();
  } catch (const std::exception& error) {
    App().ShowException(error);
  } catch (...) {
    App().ShowException(std::string("Unexpected error"));
  }
}

// Per-monitor or system DPI awareness, whichever the platform offers. Call before any window exists.
void MakeProcessDpiAware();

}  // namespace ui
