#include "common/memory_registry.h"

#include "common/text.h"

namespace vextra {
namespace {

class MemoryKey : public RegistryKey {
 public:
  MemoryKey(std::shared_ptr<MemoryRegistry::Values> values, bool readOnly)
      : values_(std::move(values)), readOnly_(readOnly) {}

  bool ReadString(const std::string& name, std::string& value, size_t maxBytes) override {
    auto it = values_->find(ToLowerAscii(name));
    if (it == values_->end() || it->second.text.size() + 1 > maxBytes) return false;
    value = it->second.text;
    return true;
  }

  bool WriteString(const std::string& name, const std::string& value) override {
    if (readOnly_) return false;
    MemoryRegistry::Value& slot = (*values_)[ToLowerAscii(name)];
    if (slot.name.empty()) slot.name = name;
    slot.text = value;
    return true;
  }

 private:
  std::shared_ptr<MemoryRegistry::Values> values_;
  bool readOnly_;
};

}  // namespace

std::string MemoryRegistry::KeyId(RegistryRoot root, const std::string& subkey) {
  return std::to_string(static_cast<int>(root)) + "\\" + ToLowerAscii(subkey);
}

std::shared_ptr<MemoryRegistry::Values> MemoryRegistry::Find(RegistryRoot root,
                                                             const std::string& subkey) const {
  auto it = keys_.find(KeyId(root, subkey));
  return it == keys_.end() ? nullptr : it->second;
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenOrCreate(RegistryRoot root,
                                                          const std::string& subkey) {
  ++opens_;
  const std::string id = KeyId(root, subkey);
  if (failing_.count(id)) return nullptr;
  std::shared_ptr<Values>& values = keys_[id];
  if (!values) values = std::make_shared<Values>();
  return std::make_unique<MemoryKey>(values, readOnly_.count(id) != 0);
}

void MemoryRegistry::SetString(RegistryRoot root, const std::string& subkey,
                               const std::string& name, const std::string& value) {
  std::shared_ptr<Values>& values = keys_[KeyId(root, subkey)];
  if (!values) values = std::make_shared<Values>();
  MemoryKey(values, false).WriteString(name, value);
}

bool MemoryRegistry::GetString(RegistryRoot root, const std::string& subkey,
                               const std::string& name, std::string& value) const {
  std::shared_ptr<Values> values = Find(root, subkey);
  if (!values) return false;
  auto it = values->find(ToLowerAscii(name));
  if (it == values->end()) return false;
  value = it->second.text;
  return true;
}

bool MemoryRegistry::HasKey(RegistryRoot root, const std::string& subkey) const {
  return Find(root, subkey) != nullptr;
}

bool MemoryRegistry::HasValue(RegistryRoot root, const std::string& subkey,
                              const std::string& name) const {
  std::string ignored;
  return GetString(root, subkey, name, ignored);
}

void MemoryRegistry::RemoveValue(RegistryRoot root, const std::string& subkey,
                                 const std::string& name) {
  if (std::shared_ptr<Values> values = Find(root, subkey)) values->erase(ToLowerAscii(name));
}

void MemoryRegistry::SetKeyFails(RegistryRoot root, const std::string& subkey, bool fails) {
  if (fails)
    failing_.insert(KeyId(root, subkey));
  else
    failing_.erase(KeyId(root, subkey));
}

void MemoryRegistry::SetKeyReadOnly(RegistryRoot root, const std::string& subkey, bool readOnly) {
  if (readOnly)
    readOnly_.insert(KeyId(root, subkey));
  else
    readOnly_.erase(KeyId(root, subkey));
}

}  // namespace vextra
