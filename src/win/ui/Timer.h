// A timer of a form.
#pragma once

#include <windows.h>

#include <string>

#include "win/ui/Component.h"
#include "win/ui/Types.h"

namespace ui {

class Form;

// Ticks while enabled and its form exists.
class Timer : public Component {
 public:
  Timer(Form& form, std::string name, UINT_PTR id) : Component(std::move(name)), form_(form), id_(id) {}
  ~Timer() override;

  NotifyEvent OnTimer;
  UINT Interval() const { return interval_; }
  void SetInterval(UINT milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

 private:
  friend class Form;
  void Start();
  void Stop();

  Form& form_;
  UINT_PTR id_;
  UINT interval_ = 1000;
  bool enabled_ = true;
  bool running_ = false;
};

}  // namespace ui
