// Run-time binding of "featlink.dll" from the program folder. When the library
// or an operation is missing, the calls below do nothing and report failure,
// so no device operation is ever called through a null pointer.
#pragma once

#include <windows.h>

#include <string>

#include "device/feature_device.h"
#include "featlink/featlink_api.h"

namespace vextra {

class FeatlinkBinding : public FeatureDevice {
 public:
  FeatlinkBinding() = default;
  ~FeatlinkBinding() override { Free(); }
  FeatlinkBinding(const FeatlinkBinding&) = delete;
  FeatlinkBinding& operator=(const FeatlinkBinding&) = delete;

  // Loads folder + "featlink.dll" and looks up the operations by name.
  // 1 when the library loaded and every required operation was found.
  int Bind(const std::string& programFolder, bool needMousePid = true);
  void Free();
  bool bound() const { return module_ != nullptr; }

  void OpenDevMonitor(HWND window, UINT eventMessage, UINT presenceMessage);
  void CloseDevMonitor();
  int OpenFeatureDevice();
  void CloseFeatureDevice();
  bool SetFeature(const uint8_t* data, size_t size) override;
  bool GetFeature(uint8_t* data, size_t size) override;

 private:
  HMODULE module_ = nullptr;
  OpenDevMonitorFn openDevMonitor_ = nullptr;
  CloseDevMonitorFn closeDevMonitor_ = nullptr;
  OpenFeatureDeviceFn openFeatureDevice_ = nullptr;
  CloseFeatureDeviceFn closeFeatureDevice_ = nullptr;
  SetFeatureFn setFeature_ = nullptr;
  GetFeatureFn getFeature_ = nullptr;
  GetMousePIDFn getMousePid_ = nullptr;
};

}  // namespace vextra
