// A registry held in memory, for running the registry logic without Windows.
// Key paths and value names compare without regard to ASCII case, as in the
// real registry. Keys handed out stay usable after the registry is gone.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/registry.h"

namespace vextra {

class MemoryRegistry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenOrCreate(RegistryRoot root, const std::string& subkey) override;

  // Direct access for setting up and checking; SetString creates the key.
  void SetString(RegistryRoot root, const std::string& subkey, const std::string& name,
                 const std::string& value);
  bool GetString(RegistryRoot root, const std::string& subkey, const std::string& name,
                 std::string& value) const;
  bool HasKey(RegistryRoot root, const std::string& subkey) const;
  bool HasValue(RegistryRoot root, const std::string& subkey, const std::string& name) const;
  void RemoveValue(RegistryRoot root, const std::string& subkey, const std::string& name);
  // A failing key can be neither opened nor created.
  void SetKeyFails(RegistryRoot root, const std::string& subkey, bool fails = true);
  // A read-only key opens, but every value write to it fails.
  void SetKeyReadOnly(RegistryRoot root, const std::string& subkey, bool readOnly = true);
  int opens() const { return opens_; }

  struct Value {
    std::string name;  // as first written
    std::string text;
  };
  using Values = std::map<std::string, Value>;  // by lower-case name

 private:
  static std::string KeyId(RegistryRoot root, const std::string& subkey);
  std::shared_ptr<Values> Find(RegistryRoot root, const std::string& subkey) const;

  std::map<std::string, std::shared_ptr<Values>> keys_;
  std::set<std::string> failing_;
  std::set<std::string> readOnly_;
  int opens_ = 0;
};

}  // namespace vextra
