// The Monitor's decisions: start-up and shutdown steps that touch settings and
// the mouse, device event dispatch, the device thread's jobs, the messages of
// the other programs, and the Synra protocol. Everything outside goes through
// MonitorHost (windows, timers, the section) and PcActions (what is carried
// out on the PC); the mouse is reached through the command layer.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/device_info.h"
#include "common/registry.h"
#include "common/settings_block.h"
#include "common/settings_store.h"
#include "device/device_commands.h"
#include "device/device_jobs.h"
#include "monitor/event_routing.h"
#include "monitor/monitor_host.h"

namespace vextra {

enum DeviceStateValue { kDeviceUnknown = 0, kDeviceConnected = 1, kDeviceRemoved = 2 };

class MonitorCore : public ReadBackSink {
 public:
  MonitorCore(MonitorHost& host, PcActions& pc, FeatureDevice& device, DeviceClock& clock,
              std::string programFolder, Registry* registry);
  MonitorCore(const MonitorCore&) = delete;
  MonitorCore& operator=(const MonitorCore&) = delete;

  // --- start-up (called by the window in the order of its creation steps)
  // Settings from storage, defaults when they cannot be read; the language
  // from the system when none is stored.
  void LoadSettings(int systemLanguageIndex);
  bool CopyOut() { return host_.CopyOut(*block_); }
  // Opens the device and, when it answers, the firmware check, the first
  // read-back timer, the tray icon and the Option window; then tells the
  // Synra program and config.ini whether the mouse is there. True when opened.
  bool OpenDevice(bool featureDeviceOpened);
  void ApplyCurrentWindowsValues(bool writeRegistry);
  void LoadDeviceInfo();

  // --- shutdown, the steps before the threads stop. A running device job is
  // stopped before the mouse is told the host is leaving, and no job starts after.
  void BeginShutdown();

  // --- device events (window thread)
  void OnDeviceEvent(uint32_t code);
  void OnTimer(int id);

  // --- device thread
  void RunDeviceJob(int job, int argument);

  // --- messages of other programs
  void OnApplySettings(int wParam);
  void OnReloadShared();
  void OnApplyWindows();
  void OnLdaCapture();
  void OnLdaCommand(int command);
  void OnLdaMode(int mode);
  // 2025 (fromA) and WM_SYNRA_MSG.
  void OnSynraCode(int code, intptr_t lParam, bool fromA);
  void OnAmbientLight(const uint8_t record[20]);
  // A device-info registration, already decoded. False when ignored (list full).
  bool RegisterDevice(const DeviceInfoEntry& entry);
  void OnCustomizer();
  void ApplyTrayRule();

  // --- Synra messages
  void SendDeviceStatus(int status);
  void SendTanaimValues();
  void SendSynraStatus();

  // ReadBackSink: what a read-back hands on.
  void SaveFirmwareVersion(int value) override;
  void SaveAll(const SettingsBlock& block) override;
  void Publish(const SettingsBlock& block) override;

  // State shared with the window and the threads.
  SettingsBlock& block() { return *block_; }
  int deviceState() const { return deviceState_.load(); }
  void setDeviceState(int state) { deviceState_.store(state); }
  bool startWithOption() const { return startWithOption_; }
  void setStartWithOption(bool on) { startWithOption_ = on; }
  JobFlags& jobFlags() { return jobFlags_; }
  uintptr_t synraWindow() const { return synraWindow_; }
  int synraActive() const { return synraActive_; }
  bool shiftLock() const { return shiftLock_; }
  const DeviceInfoList& devices() const { return devices_; }
  SettingsStore& store() { return store_; }
  // The current profile, or null when CurrentProfile is out of range.
  ProfileRecord* CurrentProfileRecord();

  void FirmwareCheck();

 private:
  void Arrival();
  void Removal();
  void ProfileChangedOnMouse(int index);
  void DpiChanged(int level);
  void SensitivityChanged(int value);
  void PollingChanged(int code);
  void ButtonEvent(int slot, bool pressed);
  void Quicklaunch(int slot);
  void SynraShiftButton(int value);
  void ForegroundSwitch();
  void Announce(int timerId);
  void KillSoundTimers();
  void SendLightReport(uint8_t x, uint8_t y, uint8_t z);
  void PostToOption(unsigned message);
  bool SoundAllowed(const ProfileRecord* profile, int32_t ProfileRecord::*flag) const;

  MonitorHost& host_;
  PcActions& pc_;
  JobFlags jobFlags_;
  DeviceCommands commands_;
  DeviceJobs jobs_;
  SettingsStore store_;
  std::unique_ptr<SettingsBlock> block_;
  std::atomic<int> deviceState_{kDeviceUnknown};
  bool startWithOption_ = false;
  uintptr_t synraWindow_ = 0;
  int synraActive_ = 0;
  bool shiftLock_ = false;
  DeviceInfoList devices_;
  CalibrationValues calibration_;
};

}  // namespace vextra
