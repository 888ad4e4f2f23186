// COM on the calling thread for a scope, balanced on every path.
#pragma once

#include <objbase.h>

namespace ui {

// Single-threaded, as windows need. A thread already in an apartment keeps it (and counts one more use); a thread
// in the other kind of apartment stays as it is and this owner then does nothing.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

}  // namespace ui
