// Everything other programs and the mouse can hand the Monitor, in any order
// and with any values: device events, Synra codes, a shared block full of
// junk, timers, device jobs, apply requests and device registrations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "monitor/monitor_core.h"
#include "sim/simulated_mouse.h"

using namespace vextra;

namespace {

class FuzzHost : public MonitorHost {
 public:
  const uint8_t* data = nullptr;
  size_t size = 0;
  bool CopyOut(const SettingsBlock&) override { return true; }
  bool CopyIn(SettingsBlock& block) override {
    std::memset(&block, 0, sizeof block);
    std::memcpy(&block, data, size < sizeof block ? size : sizeof block);
    return true;
  }
  bool WindowExists(const char*) override { return size & 1; }
  bool BringForward(const char*) override { return false; }
  void PostToWindow(const char*, unsigned, uintptr_t, intptr_t) override {}
  void PostToSelf(unsigned, uintptr_t, intptr_t) override {}
  uint32_t SelfHandle32() override { return 1; }
  void SendCopyData(uintptr_t, uint32_t, const void* p, uint32_t n) override {
    volatile uint8_t sink = 0;
    for (uint32_t i = 0; i < n; ++i) sink ^= static_cast<const uint8_t*>(p)[i];
  }
  void PostSynraActiveStatus() override {}
  void StartTimer(int, int) override {}
  void KillTimer(int) override {}
  void ShellOpen(const std::string& path, const char*) override { volatile size_t n = path.size(); (void)n; }
  std::string ForegroundExecutable() override { return std::string(reinterpret_cast<const char*>(data), size % 24); }
  void PostDeviceJob(int, int) override {}
  int OpenFeatureDevice() override { return 1; }
  void CloseFeatureDevice() override {}
  void SetTrayIcon(bool) override {}
  void ApplyWindowsValues(ProfileRecord&, bool) override {}
  void Sleep(int) override {}
  void Trace(const std::string&) override {}
};

class NoClock : public DeviceClock {
 public:
  void Sleep(int) override {}
};

std::string Folder() {
  static std::string folder;
  if (folder.empty()) {
    char name[] = "/tmp/vextra-fuzz-XXXXXX";
    folder = std::string(mkdtemp(name)) + "/";
  }
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHost host;
  static PcActions pc;
  static NoClock clock;
  static SimulatedMouse mouse;
  static MonitorCore core(host, pc, mouse, clock, Folder(), nullptr);
  host.data = data;
  host.size = size;
  core.setDeviceState(kDeviceConnected);
  for (size_t at = 0; at + 5 <= size && at < 5 * 64; at += 5) {
    const uint8_t op = data[at] % 8;
    const uint32_t a = static_cast<uint32_t>(data[at + 1] | data[at + 2] << 8);
    const uint32_t b = static_cast<uint32_t>(data[at + 3] | data[at + 4] << 8);
    switch (op) {
      case 0: core.OnDeviceEvent(DeviceEventCode(a, b)); break;
      case 1: core.OnSynraCode(static_cast<int16_t>(a), static_cast<int16_t>(b), b & 1); break;
      case 2: core.OnReloadShared(); break;
      case 3: core.OnTimer(static_cast<int>(a % 700)); break;
      case 4: core.RunDeviceJob(static_cast<int>(a % 8), static_cast<int>(b % 130) - 10); break;
      case 5: core.OnApplySettings(static_cast<int>(a & 1)); break;
      case 6: {
        DeviceInfoEntry entry;
        entry.PID = static_cast<uint16_t>(a % 200);
        entry.SetName(std::string(reinterpret_cast<const char*>(data), size % 40));
        core.RegisterDevice(entry);
        break;
      }
      case 7: core.OnLdaMode(static_cast<int>(a % 6)); break;
    }
  }
  return 0;
}
