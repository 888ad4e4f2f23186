// The window's button on the taskbar: a progress bar over it, and a call for the operator's attention.
#pragma once

#include <memory>

namespace ui {

class Window;

// What the program tells the taskbar; tests put a recorder in the platform's place.
class TaskbarButton {
 public:
  virtual ~TaskbarButton() = default;
  // A normal bar filled to this percentage (0 to 100).
  virtual void ShowProgress(int percent) = 0;
  // The bar in the error state, filled as far as it was.
  virtual void ShowError() = 0;
  // No bar.
  virtual void ClearProgress() = 0;
  // The button flashes until the window is brought to the front.
  virtual void Flash() = 0;
};

// The platform's taskbar for this window (ITaskbarList3, FlashWindowEx). Where the platform lacks the interface or
// refuses a call, the call does nothing.
std::unique_ptr<TaskbarButton> PlatformTaskbarButton(const Window& window);

}  // namespace ui
