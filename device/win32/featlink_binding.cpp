#include "device/win32/featlink_binding.h"

#include <climits>

#include "common/file_system.h"

namespace vextra {
namespace {
template <typename F>
F Lookup(HMODULE module, const char* name) {
  // The cast from FARPROC is how every run-time binding gets a typed pointer.
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

int FeatlinkBinding::Bind(const std::string& programFolder, bool needMousePid) {
  Free();
  const std::string path = JoinPath(programFolder, "featlink.dll");
  module_ = LoadLibraryA(path.c_str());
  if (!module_) {
    OutputDebugStringA("featlink.dll could not be loaded\n");
    return 0;
  }
  openDevMonitor_ = Lookup<OpenDevMonitorFn>(module_, FEATLINK_OPEN_DEV_MONITOR);
  closeDevMonitor_ = Lookup<CloseDevMonitorFn>(module_, FEATLINK_CLOSE_DEV_MONITOR);
  openFeatureDevice_ = Lookup<OpenFeatureDeviceFn>(module_, FEATLINK_OPEN_FEATURE_DEVICE);
  closeFeatureDevice_ = Lookup<CloseFeatureDeviceFn>(module_, FEATLINK_CLOSE_FEATURE_DEVICE);
  setFeature_ = Lookup<SetFeatureFn>(module_, FEATLINK_SET_FEATURE);
  getFeature_ = Lookup<GetFeatureFn>(module_, FEATLINK_GET_FEATURE);
  getMousePid_ = Lookup<GetMousePIDFn>(module_, FEATLINK_GET_MOUSE_PID);
  const bool complete = openDevMonitor_ && closeDevMonitor_ && openFeatureDevice_ &&
                        closeFeatureDevice_ && setFeature_ && getFeature_ &&
                        (getMousePid_ || !needMousePid);
  if (!complete) {
    OutputDebugStringA("featlink.dll lacks an operation\n");
    Free();
    return 0;
  }
  return 1;
}

void FeatlinkBinding::Free() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  openDevMonitor_ = nullptr;
  closeDevMonitor_ = nullptr;
  openFeatureDevice_ = nullptr;
  closeFeatureDevice_ = nullptr;
  setFeature_ = nullptr;
  getFeature_ = nullptr;
  getMousePid_ = nullptr;
}

void FeatlinkBinding::OpenDevMonitor(HWND window, UINT eventMessage, UINT presenceMessage) {
  if (openDevMonitor_) openDevMonitor_(window, eventMessage, presenceMessage);
}

void FeatlinkBinding::CloseDevMonitor() {
  if (closeDevMonitor_) closeDevMonitor_();
}

int FeatlinkBinding::OpenFeatureDevice() { return openFeatureDevice_ ? openFeatureDevice_() : 0; }

void FeatlinkBinding::CloseFeatureDevice() {
  if (closeFeatureDevice_) closeFeatureDevice_();
}

bool FeatlinkBinding::SetFeature(const uint8_t* data, size_t size) {
  if (!setFeature_ || size == 0 || size > INT_MAX) return false;
  // The library takes a writable buffer; hand it a copy so ours stays const.
  std::string copy(reinterpret_cast<const char*>(data), size);
  return setFeature_(reinterpret_cast<unsigned char*>(&copy[0]), static_cast<int>(size)) != 0;
}

bool FeatlinkBinding::GetFeature(uint8_t* data, size_t size) {
  if (!getFeature_ || size == 0 || size > INT_MAX) return false;
  return getFeature_(data, static_cast<int>(size)) != 0;
}

}  // namespace vextra
