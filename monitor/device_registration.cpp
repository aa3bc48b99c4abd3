#include "monitor/device_registration.h"

#include <cstdint>

namespace vextra {
namespace {

uint32_t Little(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

}  // namespace

bool DecodeDeviceRegistration(const void* data, size_t size, NarrowText narrow, DeviceInfoEntry& entry) {
  if (!data || !narrow || size != kDeviceRegistrationSize) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  DeviceInfoEntry decoded;
  decoded.VID = static_cast<uint16_t>(Little(bytes, 2));
  decoded.PID = static_cast<uint16_t>(Little(bytes + 2, 2));
  std::u16string name;
  for (size_t i = 0; i < kRegistrationNameUnits; ++i) {
    const char16_t unit = static_cast<char16_t>(Little(bytes + 4 + 2 * i, 2));
    if (unit == 0) break;
    name.push_back(unit);
  }
  decoded.SetName(narrow(name));
  for (int i = 0; i < 5; ++i) decoded.CPI[i] = static_cast<int32_t>(Little(bytes + 44 + 4 * i, 4));
  entry = decoded;
  return true;
}

}  // namespace vextra
