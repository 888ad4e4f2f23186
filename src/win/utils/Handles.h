// Owners for the kernel handles and registry keys that Utils opens, so that
// every path out of an operation, an exception included, closes them.
#pragma once

#include <windows.h>

#include <utility>

namespace Utils {

// Sole owner of one platform resource. Traits give the resource's Type and
// static Close(Type); a static Valid(Type) where null is not the only "none".
template <class Traits>
class ScopedResource {
 public:
  using Type = typename Traits::Type;

  ScopedResource() = default;
  explicit ScopedResource(Type value) : value_(value) {}
  ~ScopedResource() { Close(); }

  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;
  ScopedResource(ScopedResource&& other) noexcept : value_(other.Release()) {}
  ScopedResource& operator=(ScopedResource&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return value_; }
  bool Valid() const {
    if constexpr (requires { Traits::Valid(value_); })
      return Traits::Valid(value_);
    else
      return value_ != Type{};
  }
  explicit operator bool() const { return Valid(); }

  // For out parameters: closes what is held and hands out the slot.
  Type* Receive() {
    Close();
    return &value_;
  }
  Type Release() { return std::exchange(value_, Type{}); }
  void Reset(Type value = Type{}) {
    Close();
    value_ = value;
  }

 private:
  void Close() {
    if (Valid()) Traits::Close(value_);
    value_ = Type{};
  }

  Type value_{};
};

// Both null and INVALID_HANDLE_VALUE count as "none", since Win32 uses either for failure.
struct KernelHandleTraits {
  using Type = HANDLE;
  static bool Valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

// The predefined root keys are never held here: they are not ours to close.
struct RegistryKeyTraits {
  using Type = HKEY;
  static void Close(HKEY key) { RegCloseKey(key); }
};

// A kernel handle (process, pipe end, snapshot).
using ScopedHandle = ScopedResource<KernelHandleTraits>;
// An opened registry key or remote registry connection.
using ScopedKey = ScopedResource<RegistryKeyTraits>;

}  // namespace Utils
