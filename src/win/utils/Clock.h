// A clock for measuring how long something takes.
#pragma once

#include <windows.h>

namespace Utils {

// Seconds on the platform's high-resolution counter, from an arbitrary start; only differences mean anything.
inline double MonotonicSeconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

}  // namespace Utils
