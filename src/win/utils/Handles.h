// Owners for the kernel handles and registry keys that Utils opens, so that
// every path out of an operation, an exception included, closes them.
#pragma once

#include <windows.h>

#include <utility>

namespace Utils {

// A kernel handle (process, pipe end, snapshot). Both null and
// INVALID_HANDLE_VALUE count as "none", since Win32 uses either for failure.
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : Handle(handle) {}
  ~ScopedHandle() { Close(); }

  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : Handle(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  HANDLE Get() const { return Handle; }
  bool Valid() const { return Handle != nullptr && Handle != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return Valid(); }

  // For out parameters: closes what is held and hands out the slot.
  HANDLE* Receive() {
    Close();
    return &Handle;
  }
  HANDLE Release() { return std::exchange(Handle, nullptr); }
  void Reset(HANDLE handle = nullptr) {
    Close();
    Handle = handle;
  }

 private:
  void Close() {
    if (Valid()) CloseHandle(Handle);
    Handle = nullptr;
  }

  HANDLE Handle = nullptr;
};

// An opened registry key or remote registry connection. The predefined root
// keys are never held here: they are not ours to close.
class ScopedKey {
 public:
  ScopedKey() = default;
  explicit ScopedKey(HKEY key) : Key(key) {}
  ~ScopedKey() { Close(); }

  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  ScopedKey(ScopedKey&& other) noexcept : Key(std::exchange(other.Key, nullptr)) {}
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Close();
      Key = std::exchange(other.Key, nullptr);
    }
    return *this;
  }

  HKEY Get() const { return Key; }
  explicit operator bool() const { return Key != nullptr; }

  HKEY* Receive() {
    Close();
    return &Key;
  }

 private:
  void Close() {
    if (Key != nullptr) RegCloseKey(Key);
    Key = nullptr;
  }

  HKEY Key = nullptr;
};

}  // namespace Utils
