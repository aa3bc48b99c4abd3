// The Monitor's surroundings for the fuzz targets: a host that records what
// the Monitor asks of the system and hands it the block and foreground
// program the input chose, and a clock that never waits.
#pragma once

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "device/feature_device.h"
#include "monitor/monitor_host.h"

namespace fuzz {

class FuzzHost : public vextra::MonitorHost {
 public:
  // What CopyIn hands over: the shared section as another program left it.
  const vextra::SettingsBlock* shared = nullptr;
  std::string foreground;
  bool windowsExist = false;
  std::vector<std::pair<std::string, std::string>> opened;  // path, parameters
  size_t copyDataBytes = 0;

  bool CopyOut(const vextra::SettingsBlock&) override { return true; }
  bool CopyIn(vextra::SettingsBlock& block) override {
    if (!shared) return false;
    std::memcpy(&block, shared, sizeof block);
    return true;
  }
  bool WindowExists(const char*) override { return windowsExist; }
  bool BringForward(const char*) override { return false; }
  void PostToWindow(const char*, unsigned, uintptr_t, intptr_t) override {}
  void PostToSelf(unsigned, uintptr_t, intptr_t) override {}
  uint32_t SelfHandle32() override { return 1; }
  void SendCopyData(uintptr_t, uint32_t, const void* p, uint32_t n) override {
    // Touches every byte, so a payload pointing past its data is caught.
    volatile uint8_t sink = 0;
    for (uint32_t i = 0; i < n; ++i) sink = static_cast<uint8_t>(sink ^ static_cast<const uint8_t*>(p)[i]);
    copyDataBytes += n;
  }
  void PostSynraActiveStatus() override {}
  void StartTimer(int, int) override {}
  void KillTimer(int) override {}
  void ShellOpen(const std::string& path, const char* parameters) override {
    opened.emplace_back(path, parameters ? parameters : "");
  }
  std::string ForegroundExecutable() override { return foreground; }
  void PostDeviceJob(int, int) override {}
  int OpenFeatureDevice() override { return 1; }
  void CloseFeatureDevice() override {}
  void SetTrayIcon(bool) override {}
  void ApplyWindowsValues(vextra::ProfileRecord&, bool) override {}
  void Sleep(int) override {}
  void Trace(const std::string&) override {}
};

class NoClock : public vextra::DeviceClock {
 public:
  void Sleep(int) override {}
};

}  // namespace fuzz
