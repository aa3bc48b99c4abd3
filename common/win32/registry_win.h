// The Windows registry behind the Registry interface.
#pragma once

#include <windows.h>

#include "common/registry.h"

namespace vextra {

HKEY RootKeyHandle(RegistryRoot root);

// Owns an open key and closes it once.
class ScopedHkey {
 public:
  ScopedHkey() = default;
  explicit ScopedHkey(HKEY key) : key_(key) {}
  ~ScopedHkey() { Reset(); }
  ScopedHkey(const ScopedHkey&) = delete;
  ScopedHkey& operator=(const ScopedHkey&) = delete;
  HKEY get() const { return key_; }
  void Reset(HKEY key = nullptr) {
    if (key_) RegCloseKey(key_);
    key_ = key;
  }

 private:
  HKEY key_ = nullptr;
};

class WinRegistry : public Registry {
 public:
  // Full access; created when it cannot be opened.
  std::unique_ptr<RegistryKey> OpenOrCreate(RegistryRoot root, const std::string& subkey) override;
};

}  // namespace vextra
