#include "common/win32/registry_win.h"

#include <vector>

namespace vextra {
namespace {

class WinRegistryKey : public RegistryKey {
 public:
  explicit WinRegistryKey(HKEY key) : key_(key) {}

  bool ReadString(const std::string& name, std::string& value, size_t maxBytes) override {
    if (maxBytes == 0 || maxBytes > MAXDWORD - 1) return false;
    std::vector<char> buffer(maxBytes, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(maxBytes);
    LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (result != ERROR_SUCCESS || type != REG_SZ || size > maxBytes) return false;
    // A value may be stored with or without its terminator.
    size_t length = size;
    while (length > 0 && buffer[length - 1] == '\0') --length;
    if (length + 1 > maxBytes) return false;
    value.assign(buffer.data(), length);
    return true;
  }

  bool WriteString(const std::string& name, const std::string& value) override {
    if (value.size() >= MAXDWORD) return false;
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }

 private:
  ScopedHkey key_;
};

}  // namespace

HKEY RootKeyHandle(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

std::unique_ptr<RegistryKey> WinRegistry::OpenOrCreate(RegistryRoot root,
                                                       const std::string& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(RootKeyHandle(root), subkey.c_str(), 0, KEY_ALL_ACCESS, &key) !=
      ERROR_SUCCESS) {
    key = nullptr;
    if (RegCreateKeyExA(RootKeyHandle(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return nullptr;
  }
  return std::make_unique<WinRegistryKey>(key);
}

}  // namespace vextra
