// An etched line.
#pragma once

#include <windows.h>

#include "win/ui/Control.h"

namespace ui {

// An etched line along the bottom edge of its box.
class Bevel : public Control {
 public:
  using Control::Control;

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ClipToLine();
};

}  // namespace ui
