// The command layer: report exchange with the mouse, the ready handshake that
// follows every write, and the single-report writers and readers.
#pragma once

#include <array>
#include <mutex>
#include <string>

#include "device/feature_device.h"
#include "device/reports.h"

namespace vextra {

class DeviceCommands {
 public:
  DeviceCommands(FeatureDevice& device, DeviceClock& clock, JobFlags& flags)
      : device_(device), clock_(clock), flags_(flags) {}

  bool SendReport(const Report& report);
  bool ReadReport(Report& report);

  // Pause in 100 ms slices (a remainder under 100 ms is not slept), testing the
  // stop flag before each slice. False when stopped.
  bool Pause(int milliseconds);
  bool Stopped() const { return flags_.stopRequested(); }

  // Polls report 4 until the mouse is no longer busy: 1 when it reports ready.
  int WaitReady(int firstPause);

  // Writers: the report, then the handshake with the report's first pause.
  // 0 when the report was refused (no handshake) or the mouse did not get ready.
  int WriteCurrentProfile(int profile);
  int WriteProfileSettings(const ProfileRecord& profile, int index);
  int WriteButtonTable(const ProfileRecord& profile, int index);
  int WriteMacro(const MacroKeyInfo& slot, int profile, int button);
  int WriteFactoryReset();
  int WriteHostState(int value);
  int WriteTrackingReport(const Report& report);
  int WriteLightCommand(const Report& report);
  int WriteLightDatabaseBlock(uint16_t index, const uint8_t* data, size_t size);

  // Readers of reports that need no select.
  int ReadDeviceInfo(DeviceInfo& info);
  int ReadCurrentProfile(int& profile);
  int ReadTracking(TrackingState& state);
  // Select-and-read exchanges: select, handshake, read. Stored only when valid.
  int ReadProfileSettings(ProfileRecord& profile, int index);
  int ReadButtonTable(ProfileRecord& profile, int index);
  // 1 stored; -1 when the mouse answered with a sound report the slot cannot
  // take (another button, too many events); 0 when it gave no sound answer.
  int ReadMacro(MacroKeyInfo& slot, int profile, int button);
  int StartCalibration();
  int ReadCalibrationImage(std::array<uint8_t, kCalibrationSamples>& samples);

  // One exchange (a write and its handshake, or select, handshake and read)
  // holds this lock, so the window thread and the device thread never
  // interleave their reports on the one device.
  std::recursive_mutex& exchange_lock() { return lock_; }

 private:
  int WriteAndWait(const Report& report, int firstPause);
  int SelectAndWait(int profile, uint8_t what);

  FeatureDevice& device_;
  DeviceClock& clock_;
  JobFlags& flags_;
  std::recursive_mutex lock_;
};

// First pauses of the handshake per report.
constexpr int kShortFirstPause = 100;    // reports 4, 5, 9, 14, 15, 16
constexpr int kProfileFirstPause = 500;  // reports 6, 7, 8
constexpr int kLightBlockFirstPause = 300;

}  // namespace vextra
