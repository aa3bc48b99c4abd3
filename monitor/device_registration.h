// The device registration a companion program sends the Monitor by
// WM_COPYDATA: exactly 64 bytes, little-endian —
//   0 vendor id (16 bits), 2 product id (16 bits),
//   4 the name as 20 UTF-16 units, not necessarily terminated,
//   44 five CPI values (32 bits each).
#pragma once

#include <cstddef>
#include <string>

#include "common/device_info.h"

namespace vextra {

constexpr size_t kDeviceRegistrationSize = 64;
constexpr size_t kRegistrationNameUnits = 20;

// Turns a UTF-16 name (at most 20 units, none of them zero) into the system's
// narrow text; on Windows the ANSI code page conversion.
using NarrowText = std::string (*)(const std::u16string& wide);

// False, with `entry` untouched, unless the payload has exactly 64 bytes.
bool DecodeDeviceRegistration(const void* data, size_t size, NarrowText narrow, DeviceInfoEntry& entry);

}  // namespace vextra
