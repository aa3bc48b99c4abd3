// Jobs: the report sequences that carry whole settings to and from the mouse.
#pragma once

#include <string>

#include "device/device_commands.h"

namespace vextra {

// What a finished read-back hands on: the stores and the other programs.
class ReadBackSink {
 public:
  virtual ~ReadBackSink() = default;
  virtual void SaveFirmwareVersion(int value) = 0;
  virtual void SaveAll(const SettingsBlock& block) = 0;
  // Copy into the shared block and tell the Option window.
  virtual void Publish(const SettingsBlock& block) = 0;
};

// The two calibration values kept by the Monitor for report 15.
struct CalibrationValues {
  uint8_t value1 = 0;
  uint8_t value2 = 0;
};

// The jobs leave the busy and stop flags to whoever runs them (JobScope), so
// that a stop asked for after a job started is never cleared by the job.
class DeviceJobs {
 public:
  explicit DeviceJobs(DeviceCommands& commands) : commands_(commands) {}

  // Upload of what the change flags name; with factoryReset only report 9's reset.
  int UploadChanges(const SettingsBlock& block, bool factoryReset);
  // Everything read back from the mouse into the block, then saved and
  // published when the lift-off state could be read. 1 when saved.
  int ReadBackAll(SettingsBlock& block, ReadBackSink& sink, CalibrationValues& values);
  // ReadBackAll followed in every case by report 14 with 1 (the device thread's job 2).
  int ReadAllJob(SettingsBlock& block, ReadBackSink& sink, CalibrationValues& values);
  // n = 1..110 as the mouse asks: profile (n - 1) / 22, button (n - 1) % 22 + 2.
  int UploadOneMacro(const SettingsBlock& block, int n);
  int UploadLightDatabase(const uint8_t* data, size_t size);
  // Surface calibration: the mean of the samples becomes value1; the picture
  // goes into the 8-bit bitmap at bitmapPath (pixel data from byte 1078).
  int Calibrate(CalibrationValues& values, const std::string& bitmapPath);
  // Commands 1..4 set the calibration values and send the normal form;
  // 253..255 send the calibration forms.
  int WriteTracking(int command, const SettingsBlock& block, CalibrationValues& values);

 private:
  DeviceCommands& commands_;
};

// The 30 x 30 samples as the bitmap rows that Calibrate writes: transposed,
// 32-byte rows, each row mirrored, before the 2-bit rotation pass.
std::array<uint8_t, 960> CalibrationPictureRows(const std::array<uint8_t, kCalibrationSamples>& samples);

}  // namespace vextra
