// The machine-wide lock that lets one update wizard at a time prepare and run an update on a server.
#pragma once

#include <windows.h>

#include <utility>

#include "win/utils/Handles.h"

namespace Utils {

// A named mutex in the global namespace, so that wizards in other terminal-server sessions see it too. Sole owner,
// move-only; released on destruction. Mutexes belong to threads: take and release it on the same thread.
class UpdateLock {
 public:
  // Not held.
  UpdateLock() = default;
  ~UpdateLock() { Release(); }
  UpdateLock(UpdateLock&& other) noexcept = default;
  UpdateLock& operator=(UpdateLock&& other) noexcept;
  UpdateLock(const UpdateLock&) = delete;
  UpdateLock& operator=(const UpdateLock&) = delete;

  // The lock, held, unless another process holds it (then one that is not held). A lock left behind by a wizard
  // that was killed is taken over. Raises EInOutError when the lock cannot be asked for at all.
  static UpdateLock TryTake();

  bool Held() const { return mutex_.Valid(); }
  void Release();

 private:
  explicit UpdateLock(ScopedHandle mutex) : mutex_(std::move(mutex)) {}

  ScopedHandle mutex_;
};

}  // namespace Utils
