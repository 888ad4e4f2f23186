#include "win/utils/UpdateLock.h"

#include <utility>

#include "core/Format.h"
#include "win/utils/Utils.h"

namespace Utils {

namespace {

constexpr char kLockName[] = "Global\\TessaronUpdateWizard";

[[noreturn]] void RaiseLockError(DWORD code) {
  throw EInOutError(core::FormatText("Error %d asking for the update lock.", {static_cast<long long>(code)}), code);
}

}  // namespace

UpdateLock& UpdateLock::operator=(UpdateLock&& other) noexcept {
  if (this != &other) {
    Release();
    mutex_ = std::move(other.mutex_);
  }
  return *this;
}

UpdateLock UpdateLock::TryTake() {
  // Only the rights a holder needs: a wizard of another administrator may have made the mutex.
  ScopedHandle mutex(CreateMutexExA(nullptr, kLockName, 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
  if (!mutex) {
    const DWORD code = GetLastError();
    // It exists, so some wizard has it, one that does not let us use it.
    if (code == ERROR_ACCESS_DENIED) return UpdateLock();
    RaiseLockError(code);
  }
  switch (WaitForSingleObject(mutex.Get(), 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder ended without giving it back
      return UpdateLock(std::move(mutex));
    case WAIT_TIMEOUT:
      return UpdateLock();
    default:
      RaiseLockError(GetLastError());
  }
}

void UpdateLock::Release() {
  if (!mutex_) return;
  ReleaseMutex(mutex_.Get());
  mutex_.Reset();
}

}  // namespace Utils
