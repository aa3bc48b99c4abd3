// The Synra program's side of the Monitor: payloads sent to it by WM_COPYDATA,
// the meaning of its status codes, and the light reports it asks for.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/settings_block.h"
#include "device/reports.h"

namespace vextra {

constexpr uint32_t kSynraDeviceStatusOn = 0x07970003;
constexpr uint32_t kSynraDeviceStatusOff = 0x07970004;
constexpr uint32_t kSynraTanaim = 0x07970005;
constexpr uint32_t kSynraShiftBase = 0x07970000;

// 28 bytes: 7805, 11601, the Monitor window, the profile's five DPI levels x factor.
std::vector<uint8_t> SynraDpiPayload(uint32_t monitorWindow, const ProfileRecord* profile, uint32_t factor);
// 10 bytes: 7805, 11601, command, 7805, device id, qualifier.
std::vector<uint8_t> SynraShiftPayload(uint8_t command, uint16_t deviceId, uint8_t qualifier);

// Report 16 as [16, 16, x, y, z, 255, 0 ...].
Report SynraLightReport(uint8_t x, uint8_t y, uint8_t z);
// Report 16 for an ambient light record of 20 bytes.
Report SynraAmbientReport(const uint8_t record[20]);

// What a shift button slot sends: command and device id; false when the slot
// is out of range.
struct SynraShift {
  uint8_t command = 0;
  uint16_t deviceId = 0;
};
bool SynraShiftFor(const ProfileRecord& profile, int slot, SynraShift& shift);

}  // namespace vextra
