// A sequence of steps that must go on to its end, each failure kept and reported once afterwards.
#pragma once

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "win/LauncherF.h"

// Runs each step of a sequence that must go on to its end, keeping the message of every step that fails.
class StepErrors {
 public:
  template <class Step>
  void Attempt(Step&& step) {
    try {
      step();
    } catch (const std::exception& error) {
      Keep(error.what());
    } catch (...) {
      Keep("Unexpected error");
    }
  }
  // Each failure in the default error box, once per run.
  void Report(TLauncherForm& form) const {
    for (const std::string& message : messages_) form.ReportRunError(message);
  }

 private:
  void Keep(const std::string& message) {
    if (std::find(messages_.begin(), messages_.end(), message) == messages_.end()) messages_.push_back(message);
  }

  std::vector<std::string> messages_;
};
