// COM on the calling thread for a scope, balanced on every path.
#pragma once

#include <objbase.h>

#include "win/utils/SystemLibrary.h"

namespace ui {

// Single-threaded, as windows need. COM is loaded here, when first needed, not with the program: the wizard's start
// does not need it. A thread already in an apartment keeps it (and counts one more use); a thread in the other kind
// of apartment, or a system without COM, stays as it is and this owner then does nothing.
class ComApartment {
 public:
  ComApartment() {
    auto initialise = Utils::SystemFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    initialised_ = initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED));
  }
  ~ComApartment() {
    if (!initialised_) return;
    if (auto uninitialise = Utils::SystemFunction<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize"))
      uninitialise();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_ = false;
};

}  // namespace ui
