#include "common/registry_path.h"

#include <cctype>
#include <cstring>

namespace vextra {
namespace {

bool SameText(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != static_cast<unsigned char>(b[i]))
      return false;
  return true;
}

}  // namespace

bool SplitRegistryPath(const std::string& path, RegistryRoot& root, std::string& subkey) {
  const size_t cut = path.find('\\');
  if (cut == std::string::npos) return false;
  const std::string rootName = path.substr(0, cut);
  static const struct {
    const char* name;
    RegistryRoot root;
  } kRoots[] = {
      {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
      {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
      {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
      {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
  };
  for (const auto& r : kRoots) {
    if (SameText(rootName, r.name)) {
      root = r.root;
      subkey = path.substr(cut + 1);
      return true;
    }
  }
  root = RegistryRoot::LocalMachine;
  subkey = path;
  return true;
}

bool RegistryPath::Open(const std::string& path) {
  Close();
  RegistryRoot root;
  std::string subkey;
  if (!SplitRegistryPath(path, root, subkey)) return false;
  key_ = registry_.OpenOrCreate(root, subkey);
  if (!key_) return false;
  path_ = path;
  return true;
}

bool RegistryPath::ReadString(const std::string& name, char* buffer, size_t size) {
  if (!buffer || size == 0) return false;
  buffer[0] = '\0';
  std::string value;
  if (!key_ || !key_->ReadString(name, value, size) || value.size() >= size) return false;
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return true;
}

bool RegistryPath::WriteString(const std::string& name, const std::string& value) {
  return key_ && key_->WriteString(name, value);
}

void RegistryPath::Close() {
  key_.reset();
  path_.clear();
}

}  // namespace vextra
