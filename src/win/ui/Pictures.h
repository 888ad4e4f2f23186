// A picture from the resources.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/Control.h"
#include "win/ui/GdiObjects.h"

namespace ui {

// A bitmap from the resources, drawn from the top-left corner without stretching (beyond the screen's scale), the
// colour of its lower-left pixel transparent.
class Image : public Control {
 public:
  using Control::Control;

  void SetPicture(std::string resourceName) { picture_ = std::move(resourceName); }
  // The control takes the picture's size.
  void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string picture_;
  bool autoSize_ = false;
  ScopedBitmap bitmap_;
  SIZE size_{0, 0};
};

}  // namespace ui
