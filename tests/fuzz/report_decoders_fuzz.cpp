// Feeds arbitrary bytes to every report decoder and to the INI parser: none
// may read or write out of bounds, and a decoded macro slot always stays
// within its event area.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/ini_file.h"
#include "device/reports.h"

using namespace vextra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto profile = std::make_unique<ProfileRecord>();
  Report r(data, data + size);
  uint8_t status = 0;
  int current = 0;
  DecodeStatus(r, status);
  DecodeCurrentProfile(r, current);
  DecodeProfileSettings(r, *profile);
  DecodeButtonTable(r, *profile);
  const int button = size ? data[0] % 24 : 0;
  if (DecodeMacro(r, button, profile->MacroKeys[button])) {
    if (profile->MacroKeys[button].EventCount > kMaxMacroEvents) std::abort();
    Report again = EncodeMacro(profile->MacroKeys[button], 0, button);
    if (again.size() != kMacroReportSize) std::abort();
  }
  DeviceInfo info;
  DecodeDeviceInfo(r, info);
  TrackingState tracking;
  DecodeTracking(r, tracking);
  std::array<uint8_t, kCalibrationSamples> samples;
  DecodeCalibrationImage(r, samples);

  IniFile ini;
  ini.Parse(std::string(reinterpret_cast<const char*>(data), size));
  uint8_t buffer[64];
  ini.GetStruct("Setting", "LightInfo0", buffer, 5);
  ini.GetInt("Setting", "CurrentProfile", -1);
  ini.Serialize();
  return 0;
}
