#include <algorithm>

#include "win/ui/Form.h"

namespace ui {

Control::WindowClass ProgressBar::Describe() const { return {PROGRESS_CLASSA, 0, 0}; }

void ProgressBar::AfterCreate() {
  SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (hwnd_) SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int ProgressBar::Position() const {
  if (!hwnd_) return position_;
  return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0));
}

void ProgressBar::SetPosition(int position) {
  // The bar keeps the position within its range, as the window does.
  position_ = std::clamp(position, min_, std::max(min_, max_));
  if (hwnd_) SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

}  // namespace ui
