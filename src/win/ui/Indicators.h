// The progress bar.
#pragma once

#include <windows.h>

#include "win/ui/Control.h"

namespace ui {

class ProgressBar : public Control {
 public:
  using Control::Control;

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  void SetMax(int max) { SetRange(min_, max); }
  // The position as the bar reports it.
  int Position() const;
  void SetPosition(int position);

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
};

}  // namespace ui
