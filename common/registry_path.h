// A registry key named by one string, "<root>\<subkey>", as other programs
// and settings name keys.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "common/registry.h"

namespace vextra {

// Splits "HKEY_CURRENT_USER\Control Panel\Mouse" into root and subkey. The
// root name (before the first backslash) is one of "HKEY_LOCAL_MACHINE",
// "HKEY_CURRENT_USER", "HKEY_CURRENT_CONFIG", "HKEY_CLASSES_ROOT" in any
// case; any other first part makes the whole string a subkey of the local
// machine. False for a string without a backslash.
bool SplitRegistryPath(const std::string& path, RegistryRoot& root, std::string& subkey);

class RegistryPath {
 public:
  explicit RegistryPath(Registry& registry) : registry_(registry) {}

  // Opens the named key, creating it when it cannot be opened. A key already
  // open is closed first. False when the path is refused or both fail.
  bool Open(const std::string& path);
  // The value into buffer (always terminated when size > 0); false, with an
  // empty buffer, when the key is not open or the value is absent, not a
  // string or does not fit.
  bool ReadString(const std::string& name, char* buffer, size_t size);
  bool WriteString(const std::string& name, const std::string& value);
  // Closes the key and forgets its path.
  void Close();

  bool IsOpen() const { return key_ != nullptr; }
  const std::string& path() const { return path_; }

 private:
  Registry& registry_;
  std::unique_ptr<RegistryKey> key_;
  std::string path_;
};

}  // namespace vextra
