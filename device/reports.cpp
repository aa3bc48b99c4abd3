#include "device/reports.h"

#include <cstring>

namespace vextra {
namespace {

uint8_t Low(int32_t v) { return static_cast<uint8_t>(v & 0xFF); }

bool HasShape(const Report& r, uint8_t id, size_t size) { return r.size() == size && r[0] == id; }

void PutName(Report& r, size_t at, const char* field, size_t fieldSize) {
  size_t n = FieldLength(field, fieldSize);
  if (n > kMacroNameBytes) n = kMacroNameBytes;
  std::memcpy(&r[at], field, n);
}

void TakeName(const Report& r, size_t at, char* field, size_t fieldSize) {
  std::memset(field, 0, fieldSize);
  size_t n = 0;
  while (n < kMacroNameBytes && n + 1 < fieldSize && r[at + n] != 0) ++n;
  std::memcpy(field, &r[at], n);
}

}  // namespace

uint16_t Checksum16(const uint8_t* data, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum += data[i];
  return static_cast<uint16_t>(sum);
}

void SealReport(Report& r) {
  uint16_t sum = Checksum16(r.data(), r.size() - 2);
  r[r.size() - 2] = static_cast<uint8_t>(sum & 0xFF);
  r[r.size() - 1] = static_cast<uint8_t>(sum >> 8);
}

bool ChecksumValid(const Report& r) {
  if (r.size() < 3) return false;
  uint16_t sum = Checksum16(r.data(), r.size() - 2);
  return r[r.size() - 2] == (sum & 0xFF) && r[r.size() - 1] == (sum >> 8);
}

Report ReadBuffer(uint8_t id, size_t size) {
  Report r(size, 0);
  r[0] = id;
  return r;
}

Report EncodeSelect(int profile, uint8_t what) {
  return Report{kReportSelect, Low(profile), what};
}

Report EncodeCurrentProfile(int profile) { return Report{kReportCurrentProfile, 0x03, Low(profile)}; }

Report EncodeProfileSettings(const ProfileRecord& p, int index) {
  Report r(kProfileSettingsSize, 0);
  r[0] = kReportProfileSettings;
  r[1] = kProfileSettingsSize;
  r[2] = Low(index);
  r[3] = Low(p.XYSynchronous);
  const bool separate = p.XYSynchronous == 1;
  r[4] = Low(separate ? p.Sensitivity_X : p.Sensitivity);
  r[5] = Low(separate ? p.Sensitivity_Y : p.Sensitivity);
  uint8_t dpiBits = 0;
  for (int n = 0; n < 5; ++n)
    if (p.dpi[n] == 1) dpiBits |= static_cast<uint8_t>(1u << n);
  r[6] = dpiBits;
  for (int n = 0; n < 5; ++n) {
    r[7 + n] = Low(p.CpiLevel_X[n]);
    r[13 + n] = Low(p.CpiLevel_X[n]);  // the Y levels are not sent
  }
  r[12] = Low(p.Cpi_X);
  r[19] = Low(p.PollingRate);
  uint8_t lightBits = 0;
  for (int z = 0; z < kLightZones; ++z)
    if (p.Lights[z].On == 1) lightBits |= static_cast<uint8_t>(1u << z);
  r[20] = lightBits;
  r[21] = Low(p.LightEffectMode);
  r[22] = Low(p.LightColorFlow);
  r[23] = Low(p.LightEffectType);
  r[24] = Low(p.LightEffectSpeed);
  for (int z = 0; z < kLightZones; ++z) {
    const LightInfo& l = p.Lights[z];
    r[25 + 4 * z] = l.ColorNumber;
    r[26 + 4 * z] = l.Red;
    r[27 + 4 * z] = l.Green;
    r[28 + 4 * z] = l.Blue;
  }
  SealReport(r);
  return r;
}

bool DecodeProfileSettings(const Report& r, ProfileRecord& p) {
  if (!HasShape(r, kReportProfileSettings, kProfileSettingsSize) || r[1] != kProfileSettingsSize ||
      !ChecksumValid(r))
    return false;
  p.XYSynchronous = r[3];
  if (r[3] == 1) {
    p.Sensitivity_X = r[4];
    p.Sensitivity_Y = r[5];
  } else {
    p.Sensitivity = r[5];
  }
  for (int n = 0; n < 5; ++n) p.dpi[n] = (r[6] >> n) & 1;
  for (int n = 0; n < 5; ++n) {
    p.CpiLevel_X[n] = r[7 + n];
    p.CpiLevel_Y[n] = r[7 + n];
  }
  p.Cpi_X = r[12];
  p.Cpi_Y = r[12];
  p.PollingRate = r[19];
  for (int z = 0; z < kLightZones; ++z) p.Lights[z].On = (r[20] >> z) & 1;
  p.LightEffectMode = r[21];
  p.LightColorFlow = r[22];
  p.LightEffectType = r[23];
  p.LightEffectSpeed = r[24];
  for (int z = 0; z < kLightZones; ++z) {
    LightInfo& l = p.Lights[z];
    l.ColorNumber = r[25 + 4 * z];
    l.Red = r[26 + 4 * z];
    l.Green = r[27 + 4 * z];
    l.Blue = r[28 + 4 * z];
  }
  return true;
}

Report EncodeButtonTable(const ProfileRecord& p, int index) {
  Report r(kButtonTableSize, 0);
  r[0] = kReportButtonTable;
  r[1] = kButtonTableSize;
  r[2] = Low(index);
  for (int b = 0; b < kButtonSlots; ++b) {
    const MacroKeyInfo& slot = p.MacroKeys[b];
    r[3 + 3 * b] = slot.FunctionCode;
    if (slot.FunctionCode == 5) {
      r[4 + 3 * b] = slot.Events[0].action;  // modifier bits (slot byte 167)
      r[5 + 3 * b] = slot.Events[0].key;     // key code (slot byte 166)
    }
  }
  SealReport(r);
  return r;
}

bool DecodeButtonTable(const Report& r, ProfileRecord& p) {
  if (!HasShape(r, kReportButtonTable, kButtonTableSize) || r[1] != kButtonTableSize ||
      !ChecksumValid(r))
    return false;
  for (int b = 0; b < kButtonSlots; ++b) {
    MacroKeyInfo& slot = p.MacroKeys[b];
    slot.FunctionCode = r[3 + 3 * b];
    if (slot.FunctionCode == 5) {
      slot.Events[0].action = r[4 + 3 * b];
      slot.Events[0].key = r[5 + 3 * b];
      slot.EventCount = 1;
      std::memset(slot.Name, 0, sizeof slot.Name);
      std::memset(slot.MacroSetName, 0, sizeof slot.MacroSetName);
      std::memset(slot.MacroName, 0, sizeof slot.MacroName);
    }
  }
  return true;
}

Report EncodeMacro(const MacroKeyInfo& slot, int profile, int button) {
  Report r(kMacroReportSize, 0);
  r[0] = kReportMacro;
  r[1] = static_cast<uint8_t>(kMacroReportSize & 0xFF);
  r[2] = static_cast<uint8_t>(kMacroReportSize >> 8);
  r[3] = Low(profile);
  r[4] = Low(button);
  r[5] = Low(slot.LoopCount);
  PutName(r, 6, slot.Name, sizeof slot.Name);
  PutName(r, 30, slot.MacroSetName, sizeof slot.MacroSetName);
  PutName(r, 54, slot.MacroName, sizeof slot.MacroName);
  // A stored count beyond the event area never reads past it.
  int count = slot.EventCount;
  if (count < 0) count = 0;
  if (count > kMaxMacroEvents) count = kMaxMacroEvents;
  r[78] = static_cast<uint8_t>(count & 0xFF);
  r[79] = static_cast<uint8_t>(count >> 8);
  std::memcpy(&r[80], slot.Events, static_cast<size_t>(count) * sizeof(MacroEvent));
  SealReport(r);
  return r;
}

bool MacroReportIntact(const Report& r) {
  return HasShape(r, kReportMacro, kMacroReportSize) &&
         (r[1] | (r[2] << 8)) == static_cast<int>(kMacroReportSize) && ChecksumValid(r);
}

bool DecodeMacro(const Report& r, int button, MacroKeyInfo& slot) {
  if (!MacroReportIntact(r)) return false;
  const int count = r[78] | (r[79] << 8);
  if (count > kMaxMacroEvents || r[4] != button || button < 0 || button >= kButtonSlots) return false;
  slot.ButtonNumber = r[4];
  slot.LoopCount = r[5];
  TakeName(r, 6, slot.Name, sizeof slot.Name);
  TakeName(r, 30, slot.MacroSetName, sizeof slot.MacroSetName);
  TakeName(r, 54, slot.MacroName, sizeof slot.MacroName);
  slot.EventCount = static_cast<int16_t>(count);
  std::memset(slot.Events, 0, sizeof slot.Events);
  std::memcpy(slot.Events, &r[80], static_cast<size_t>(count) * sizeof(MacroEvent));
  slot.FunctionCode = 0x30;
  return true;
}

Report EncodeFactoryReset() { return Report{kReportDeviceInfo, 0x06, 0x0B, 0, 0, 0}; }

Report EncodeCalibrationStart() { return Report{kReportCalibration, 0x03, 0x01, 0x00}; }

Report EncodeHostState(uint8_t value) { return Report{kReportHostState, 0x03, value}; }

Report EncodeTracking(uint8_t liftOn, uint8_t trackControl, uint8_t value1, uint8_t value2) {
  return Report{kReportTracking, 0x06, liftOn, trackControl, value1, value2};
}

Report EncodeTrackingCommand(uint8_t liftOn, int command) {
  uint8_t last = command == 255 ? 0xFF : command == 254 ? 0x01 : 0x00;
  return Report{kReportTracking, 0x06, liftOn, 0xFF, 0xFF, last};
}

Report EncodeLightCommand(uint8_t a, uint8_t b, uint8_t c) {
  Report r(kLightCommandSize, 0);
  r[0] = kReportLightCommand;
  r[1] = 0x10;
  r[2] = a;
  r[3] = b;
  r[4] = c;
  r[5] = 0xFF;
  return r;
}

Report EncodeLightRecord(uint8_t zoneCount, const uint8_t eightBytes[8]) {
  Report r(kLightCommandSize, 0);
  const uint8_t head[8] = {kReportLightCommand, 0x10, 0xFF, 0xFF, 0xFF, 0x01, zoneCount, 0x01};
  std::memcpy(&r[0], head, 8);
  std::memcpy(&r[8], eightBytes, 8);
  return r;
}

Report EncodeLightDatabaseBlock(uint16_t index, const uint8_t* data, size_t size) {
  Report r(kLightDatabaseSize, 0);
  r[0] = kReportLightDatabase;
  r[1] = static_cast<uint8_t>(index & 0xFF);
  r[2] = static_cast<uint8_t>(index >> 8);
  if (size > kLightBlockBytes) size = kLightBlockBytes;
  if (size) std::memcpy(&r[3], data, size);
  SealReport(r);
  return r;
}

bool DecodeStatus(const Report& r, uint8_t& status) {
  if (!HasShape(r, kReportSelect, kSelectSize)) return false;
  status = r[1];
  return true;
}

bool DecodeCurrentProfile(const Report& r, int& profile) {
  if (!HasShape(r, kReportCurrentProfile, kCurrentProfileSize) || r[2] > 4) return false;
  profile = r[2];
  return true;
}

bool DecodeDeviceInfo(const Report& r, DeviceInfo& info) {
  if (!HasShape(r, kReportDeviceInfo, kDeviceInfoSize)) return false;
  info.firmwareVersion = r[2];
  info.bootLoaderVersion = r[3];
  return true;
}

bool DecodeTracking(const Report& r, TrackingState& s) {
  if (!HasShape(r, kReportTracking, kTrackingSize)) return false;
  s.liftOn = r[2];
  s.trackControl = r[3];
  s.value1 = r[4];
  s.value2 = r[5];
  return true;
}

bool DecodeCalibrationImage(const Report& r, std::array<uint8_t, kCalibrationSamples>& samples) {
  if (!HasShape(r, kReportCalibration, kCalibrationReadSize)) return false;
  std::memcpy(samples.data(), &r[3], kCalibrationSamples);
  return true;
}

}  // namespace vextra
