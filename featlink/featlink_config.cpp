#include "featlink/featlink_config.h"

#include "common/ini_file.h"

namespace vextra {
namespace {

uint16_t ReadId(const IniFile& ini, const char* key, uint16_t def) {
  const int32_t value = ini.GetInt("Device", key, def);
  return value >= 0 && value <= 0xFFFF ? static_cast<uint16_t>(value) : def;
}

}  // namespace

FeatlinkDeviceIds ReadFeatlinkConfig(const std::string& path) {
  IniFile ini(path);
  ini.Load();
  FeatlinkDeviceIds ids;
  ids.vendorId = ReadId(ini, "VendorId", ids.vendorId);
  ids.productId = ReadId(ini, "ProductId", ids.productId);
  return ids;
}

}  // namespace vextra
