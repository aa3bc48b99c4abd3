#include "monitor/synra_protocol.h"

#include "common/function_catalogue.h"

namespace vextra {
namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> SynraDpiPayload(uint32_t monitorWindow, const ProfileRecord* profile, uint32_t factor) {
  std::vector<uint8_t> out;
  out.reserve(28);
  PutU16(out, 7805);
  PutU16(out, 11601);
  PutU32(out, monitorWindow);
  for (int i = 0; i < 5; ++i)
    PutU32(out, profile ? static_cast<uint32_t>(profile->CpiLevel_X[i]) * factor : 0);
  return out;
}

std::vector<uint8_t> SynraShiftPayload(uint8_t command, uint16_t deviceId, uint8_t qualifier) {
  std::vector<uint8_t> out;
  out.reserve(10);
  PutU16(out, 7805);
  PutU16(out, 11601);
  out.push_back(command);
  PutU16(out, 7805);
  PutU16(out, deviceId);
  out.push_back(qualifier);
  return out;
}

Report SynraLightReport(uint8_t x, uint8_t y, uint8_t z) { return EncodeLightCommand(x, y, z); }

Report SynraAmbientReport(const uint8_t record[20]) {
  const int32_t mode = static_cast<int32_t>(record[0] | record[1] << 8 | record[2] << 16 |
                                            static_cast<uint32_t>(record[3]) << 24);
  const uint8_t eight[8] = {record[4], record[8], record[12], record[13],
                            record[14], record[15], record[16], record[17]};
  return EncodeLightRecord(mode == 1 ? 3 : 4, eight);
}

bool SynraShiftFor(const ProfileRecord& profile, int slot, SynraShift& shift) {
  if (slot < 0 || slot >= kButtonSlots) return false;
  const MacroKeyInfo& key = profile.MacroKeys[slot];
  const uint16_t id = static_cast<uint16_t>(key.SynraDeviceId);
  switch (key.FunctionCode) {
    case kFnTanshiftDevice: shift = {245, id}; break;
    case kFnTanshiftDeviceLock: shift = {246, id}; break;
    case kFnTanshiftAll: shift = {140, 0xFFFF}; break;
    case kFnTanshiftAllLock: shift = {141, 0xFFFF}; break;
    default: shift = {0, id}; break;
  }
  return true;
}

}  // namespace vextra
