// The seams of the command layer: the device's feature interface, the pause
// clock, and the flags by which a running job is told to stop.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vextra {

class FeatureDevice {
 public:
  virtual ~FeatureDevice() = default;
  // Byte 0 of data is the report id. True when the report was delivered.
  virtual bool SetFeature(const uint8_t* data, size_t size) = 0;
  // data[0] holds the wanted report id on entry. True when data holds the report.
  virtual bool GetFeature(uint8_t* data, size_t size) = 0;
};

class DeviceClock {
 public:
  virtual ~DeviceClock() = default;
  virtual void Sleep(int milliseconds) = 0;
};

// Shared by the thread running a job and the thread that may stop it.
struct JobFlags {
  std::atomic<int> busy{0};
  std::atomic<int> stop{0};
};

}  // namespace vextra
