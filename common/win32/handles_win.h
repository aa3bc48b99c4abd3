// Owners for kernel handles and for the thread's COM apartment: released when
// they go, so no path out of a function forgets a CloseHandle.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace vextra {

// A kernel handle (mutex, event, thread, file, mapping). Both NULL and
// INVALID_HANDLE_VALUE mean none, as the creating functions return either.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return valid() ? handle_ : nullptr; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }
  HANDLE Release() { return std::exchange(handle_, nullptr); }
  void Reset(HANDLE handle = nullptr) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

// COM for the current thread while it lives; only a successful start is
// undone (a second start on the same thread counts as one to undo too).
class ComScope {
 public:
  ComScope() : result_(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace vextra
