// The parts of the registry the programs use, behind an interface so the
// portable logic runs against an in-memory registry in tests.
#pragma once

#include <memory>
#include <string>

namespace vextra {

enum class RegistryRoot { LocalMachine, CurrentUser, CurrentConfig, ClassesRoot };

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // A string value of at most maxBytes bytes (terminator included); false when
  // absent, not a string or too long.
  virtual bool ReadString(const std::string& name, std::string& value, size_t maxBytes) = 0;
  virtual bool WriteString(const std::string& name, const std::string& value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key with full access, creating it when it cannot be opened;
  // null when both fail.
  virtual std::unique_ptr<RegistryKey> OpenOrCreate(RegistryRoot root, const std::string& subkey) = 0;
};

}  // namespace vextra
