// A push button.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/Control.h"
#include "win/ui/GdiObjects.h"

namespace ui {

// A push button, optionally showing a picture instead of its caption.
class Button : public Control {
 public:
  Button(Form& form, Control* parent, std::string name);

  NotifyEvent OnClick;
  // Runs the click handler as a click would, whatever the button's state.
  void Click();

  // The default button is pressed by Enter unless another button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);

  // A bitmap resource shown instead of the caption; its lower-left pixel's colour is transparent.
  void SetPicture(std::string resourceName) { picture_ = std::move(resourceName); }

 protected:
  WindowClass Describe() const override;
  void AfterCreate() override;
  bool Command(WORD code) override;

 private:
  friend class Form;
  void ShowAsDefault(bool asDefault);

  bool default_ = false;
  std::string picture_;
  ScopedBitmap pictureBitmap_;
};

}  // namespace ui
