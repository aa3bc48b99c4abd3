// Feature report layouts exchanged with the mouse. Pure encoders and
// decoders: a decoder checks length and checksum and stores nothing when
// either is wrong.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/settings_block.h"

namespace vextra {

enum ReportId : uint8_t {
  kReportSelect = 4,
  kReportCurrentProfile = 5,
  kReportProfileSettings = 6,
  kReportButtonTable = 7,
  kReportMacro = 8,
  kReportDeviceInfo = 9,
  kReportCalibration = 12,
  kReportPreamble = 13,
  kReportHostState = 14,
  kReportTracking = 15,
  kReportLightCommand = 16,
  kReportLightDatabase = 26,
  kReportUpdateCommand = 27,
  kReportUpdateStatus = 28,
};

constexpr size_t kSelectSize = 3;
constexpr size_t kCurrentProfileSize = 3;
constexpr size_t kProfileSettingsSize = 43;
constexpr size_t kButtonTableSize = 77;
constexpr size_t kMacroReportSize = 2082;
constexpr size_t kDeviceInfoSize = 6;
constexpr size_t kCalibrationWriteSize = 4;
constexpr size_t kCalibrationReadSize = 1028;
constexpr size_t kHostStateSize = 3;
constexpr size_t kTrackingSize = 6;
constexpr size_t kLightCommandSize = 16;
constexpr size_t kLightDatabaseSize = 1029;
constexpr size_t kLightBlockBytes = 1024;
constexpr size_t kCalibrationSamples = 900;  // 30 x 30
constexpr size_t kMacroNameBytes = 24;

// What a select (report 4) asks the mouse to present for the next read.
constexpr uint8_t kSelectProfileSettings = 0x80;
constexpr uint8_t kSelectButtonTable = 0x90;

enum DeviceStatus : uint8_t { kStatusReady = 1, kStatusBusy = 3 };

using Report = std::vector<uint8_t>;

// 16-bit sum of the bytes, as carried by reports 6, 7, 8, 13 and 26.
uint16_t Checksum16(const uint8_t* data, size_t size);
// Stores the checksum of bytes [0, size - 2) into the last two bytes.
void SealReport(Report& report);
bool ChecksumValid(const Report& report);

Report EncodeSelect(int profile, uint8_t what);
Report EncodeCurrentProfile(int profile);
Report EncodeProfileSettings(const ProfileRecord& profile, int index);
Report EncodeButtonTable(const ProfileRecord& profile, int index);
Report EncodeMacro(const MacroKeyInfo& slot, int profile, int button);
Report EncodeFactoryReset();
Report EncodeCalibrationStart();
Report EncodeHostState(uint8_t value);
// Normal form: LiftOnFlag, TrackControlFlag and the two calibration values.
Report EncodeTracking(uint8_t liftOn, uint8_t trackControl, uint8_t value1, uint8_t value2);
// Calibration forms: command 253, 254 or 255.
Report EncodeTrackingCommand(uint8_t liftOn, int command);
Report EncodeLightCommand(uint8_t a, uint8_t b, uint8_t c);
Report EncodeLightRecord(uint8_t zoneCount, const uint8_t eightBytes[8]);
Report EncodeLightDatabaseBlock(uint16_t index, const uint8_t* data, size_t size);

// An empty buffer of the report's size with its id set, ready for a read.
Report ReadBuffer(uint8_t id, size_t size);

// Decoders: false (nothing stored) on a wrong id, length or checksum.
bool DecodeStatus(const Report& r, uint8_t& status);
bool DecodeCurrentProfile(const Report& r, int& profile);  // only 0..4 accepted
bool DecodeProfileSettings(const Report& r, ProfileRecord& profile);
bool DecodeButtonTable(const Report& r, ProfileRecord& profile);
// The slot must be the one the report names (button 0..23, at most 500 events).
bool DecodeMacro(const Report& r, int button, MacroKeyInfo& slot);
// Id, size, length field and checksum of a macro report are right (whatever it carries).
bool MacroReportIntact(const Report& r);
struct DeviceInfo {
  int firmwareVersion = 0;    // x 100
  int bootLoaderVersion = 0;  // x 100
};
bool DecodeDeviceInfo(const Report& r, DeviceInfo& info);
struct TrackingState {
  uint8_t liftOn = 0, trackControl = 0, value1 = 0, value2 = 0;
};
bool DecodeTracking(const Report& r, TrackingState& state);
bool DecodeCalibrationImage(const Report& r, std::array<uint8_t, kCalibrationSamples>& samples);

}  // namespace vextra
