// Which mouse the HID backend looks for: "featlink.ini" beside the library,
//   [Device]
//   VendorId=0x5A5A
//   ProductId=0x5A01
// (decimal or 0x hex).
#pragma once

#include <cstdint>
#include <string>

namespace vextra {

struct FeatlinkDeviceIds {
  uint16_t vendorId = 0x5A5A;
  uint16_t productId = 0x5A01;
};

// The file's ids. A missing file or key keeps the default, and so does a value
// that does not fit 16 bits: cut to 16 bits it would name another device.
FeatlinkDeviceIds ReadFeatlinkConfig(const std::string& path);

}  // namespace vextra
