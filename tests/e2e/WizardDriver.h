// Drives a running wizard from outside, as an operator would: it starts the program, finds its window and each
// control by the component name the program stores on it, reads what is shown, clicks, types, chooses list
// entries, answers message boxes and takes screenshots. Everything goes through window messages, so it works
// across processes under Wine and on Windows alike.
//
// Waiting: every wait is on a condition, polled every 20 ms, with a generous limit; nothing sleeps a fixed time.
// Missing controls are not errors here: readers return empty or -1, actions return false, and the test decides.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaron::e2e {

constexpr DWORD kDefaultTimeoutMs = 20000;

struct LaunchOptions {
  std::string program;        // Windows path of the executable
  std::string arguments;      // appended after the quoted program path
  std::string currentFolder;  // empty: the program's own folder
  // Set on top of this process's environment; an empty value removes the variable.
  std::map<std::string, std::string> environment;
  // The texts above are UTF-8 and the program is started through the UTF-16 interface: names outside the code page.
  bool utf8 = false;
};

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::pair<int, std::string>> buttons;  // control id (IDYES, IDNO, IDOK, ...) and caption
};

// Waits until the condition holds, polling every 20 ms; true when it held before the time was up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// The component name a control carries, or empty.
std::string ComponentName(HWND hwnd);

class WizardDriver {
 public:
  explicit WizardDriver(std::string formName = "LauncherForm");
  ~WizardDriver();  // ends the program if it still runs, and waits for it
  WizardDriver(const WizardDriver&) = delete;
  WizardDriver& operator=(const WizardDriver&) = delete;

  // Process. Launch starts the program and waits until its main window is shown; on failure *error says why.
  bool Launch(const LaunchOptions& options, std::string* error = nullptr);
  DWORD ProcessId() const { return processId_; }
  bool IsRunning() const;
  bool WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs, DWORD* exitCode = nullptr);
  bool CloseMainWindow();  // posts WM_CLOSE, as the close box does
  void Terminate();

  // Windows.
  HWND MainWindow() const;                   // the visible top-level window named formName
  HWND Find(const std::string& name) const;  // a control below the main window, or null
  std::vector<std::string> ComponentNames() const;
  std::string ClassName(const std::string& name) const;
  std::string Text(const std::string& name) const;  // WM_GETTEXT
  bool IsVisible(const std::string& name) const;    // shown, and every parent shown
  bool IsEnabled(const std::string& name) const;
  std::optional<RECT> ScreenRect(const std::string& name) const;
  // The control's rectangle in the client coordinates of its parent window.
  std::optional<RECT> RectInParent(const std::string& name) const;
  std::string FocusedComponent() const;  // the control with the input focus (or its named parent), or empty

  // Actions, each refused (false) when the control is missing, hidden or disabled.
  bool Click(const std::string& name);      // returns after the click handler has run
  bool PostClick(const std::string& name);  // returns at once: for clicks that open a modal box or a long wait
  bool SetText(const std::string& name, const std::string& text);  // the control notifies its parent of the change
  bool PressKey(const std::string& name, WORD virtualKey);         // key down and up, through the message loop
  bool PressEnter(const std::string& name) { return PressKey(name, VK_RETURN); }

  // Drop-down lists (COMBOBOX or ComboBoxEx32). Choosing sends the parent the notification a user's choice sends.
  int ItemCount(const std::string& name) const;
  std::string ItemText(const std::string& name, int index) const;
  std::vector<std::string> Items(const std::string& name) const;
  int SelectedIndex(const std::string& name) const;
  std::string SelectedText(const std::string& name) const;
  bool SelectIndex(const std::string& name, int index);
  bool SelectText(const std::string& name, const std::string& text);

  // The grid: a report-style list view.
  int GridRowCount(const std::string& name) const;
  int GridColumnCount(const std::string& name) const;
  std::string GridHeader(const std::string& name, int column) const;
  std::string GridCell(const std::string& name, int row, int column = 0) const;
  std::vector<std::string> GridColumn(const std::string& name, int column = 0) const;
  int GridSelectedRow(const std::string& name) const;

  // The progress bar.
  int ProgressPosition(const std::string& name) const;
  std::optional<std::pair<int, int>> ProgressRange(const std::string& name) const;

  // Message boxes of the program.
  std::optional<MessageBoxInfo> CurrentMessageBox() const;
  std::optional<MessageBoxInfo> WaitForMessageBox(DWORD timeoutMs = kDefaultTimeoutMs) const;
  bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId);  // presses the button and waits until it is gone

  // Conditions on controls.
  bool WaitForControl(const std::string& name, DWORD timeoutMs = kDefaultTimeoutMs) const;
  bool WaitForText(const std::string& name, const std::string& text, DWORD timeoutMs = kDefaultTimeoutMs) const;
  bool WaitForVisible(const std::string& name, bool visible, DWORD timeoutMs = kDefaultTimeoutMs) const;
  bool WaitForEnabled(const std::string& name, bool enabled, DWORD timeoutMs = kDefaultTimeoutMs) const;
  // Returns once the program has handled every message sent to it so far. Posted ones (PostClick, PressKey) may
  // still wait in its queue: wait for their effect instead.
  bool Sync() const;

  // A BMP of the main window (frame and any message box over it included).
  bool SaveScreenshot(const std::string& path) const;

 private:
  bool Usable(HWND hwnd) const;
  bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr, bool wide = false) const;

  std::string formName_;
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};

}  // namespace tessaron::e2e
