#include "win/ui/Timer.h"

#include "win/ui/Form.h"

namespace ui {

Timer::~Timer() { Stop(); }

void Timer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  if (running_) Start();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled)
    Stop();
  else if (form_.Created())
    Start();
}

void Timer::Start() {
  if (!form_.Handle() || interval_ == 0) return;
  running_ = SetTimer(form_.Handle(), id_, interval_, nullptr) != 0;
}

void Timer::Stop() {
  if (running_ && form_.Handle()) KillTimer(form_.Handle(), id_);
  running_ = false;
}

}  // namespace ui
