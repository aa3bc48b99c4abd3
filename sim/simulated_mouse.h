// A model of the mouse's side of the feature reports of normal operation:
// five profiles with their settings, button tables and macros, the select /
// status handshake, device information, factory reset, calibration image,
// host state, lift-off/tracking, light commands and the light database.
// It checks the checksum of everything it receives and refuses what is
// damaged, and it can be told to be absent, busy or faulty.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <mutex>
#include <vector>

#include "device/feature_device.h"
#include "device/reports.h"

namespace vextra {

class SimulatedMouse : public FeatureDevice {
 public:
  SimulatedMouse();

  bool SetFeature(const uint8_t* data, size_t size) override;
  bool GetFeature(uint8_t* data, size_t size) override;

  // --- what the mouse holds (copies, taken under the lock) ---
  ProfileRecord Profile(int index) const;
  int CurrentProfile() const;
  int HostState() const;
  int FactoryResets() const;
  std::vector<Report> LightCommands() const;
  std::map<int, Report> LightDatabaseBlocks() const;

  // --- what a test or the control tool sets ---
  void SetProfile(int index, const ProfileRecord& profile);
  void SetCurrentProfile(int index);
  void SetPresent(bool present);
  bool Present() const;
  void SetFirmwareVersions(int firmware, int bootLoader);
  void SetTracking(const TrackingState& state);
  // What a status read answers once the mouse is no longer busy: 1 ready,
  // anything else a failure.
  void SetReadyStatus(int status);
  // After every accepted write the next `polls` status reads answer busy.
  void SetBusyPolls(int polls);
  // Every report takes this long to answer (a slow mouse).
  void SetReportDelay(int milliseconds);
  // The next `count` reports (any direction) fail.
  void FailNextReports(int count);
  // The next read of a report with a checksum (6, 7, 8) carries a wrong one.
  void CorruptNextRead();
  // Back to the factory profiles (what report 9's reset does).
  void FactoryReset();

  // --- the boot loader's side of a firmware update ---
  // The next `count` update commands are answered with "send again" (status 4)
  // and not carried out; status reads answer busy `polls` times first.
  void SetUpdateSendAgain(int count);
  void SetUpdateBusyPolls(int polls);
  // Firmware version the mouse reports after a complete update.
  void SetUpdatedFirmwareVersion(int version);
  int PreamblePartsReceived() const;        // bit n - 1 set for part n
  std::vector<uint8_t> ReceivedImage() const;  // the announced size, once finished
  bool UpdateFinished() const;

  // --- the user acting on the mouse: each raises the event the mouse sends ---
  // type = high half of the event code, value = low half.
  using EventSink = std::function<void(uint16_t type, uint16_t value)>;
  void SetEventSink(EventSink sink);
  void PressButton(int button);    // 1..24 -> 0x8000, button
  void ReleaseButton(int button);  // 1..24 -> 0x8000, 0x100 | button
  void DpiUp();                    // next enabled level -> 0xB000, level + 1
  void DpiDown();
  void SwitchProfile(int index);   // 0..4 -> 0x2000, index + 1
  void SetPollingRate(int code);   // 0..3 -> 0xD000, code + 1
  // Sensitivity steps 1..11 (y 0 = no separate Y step) -> 0xC000, x | y << 8
  void SetSensitivity(int x, int y);
  // Media function 32..39 -> 0xF000, code (| 0x100 when released)
  void MediaKey(int code, bool released);
  void ScrollStep(int direction);  // -1 / +1 -> 0x1000, 1 / 255
  void RequestMacro(int n);        // 1..110 -> 0xFE00, n
  void RequestLightDatabase();     // 0xFD00, 1

  // The persistent part of the state (profiles, current profile, versions,
  // lift-off/tracking) as bytes, and back. Restore refuses damaged data and
  // then leaves the state as it was.
  std::string Serialize() const;
  bool Deserialize(const std::string& data);
  // Human-readable summary for the control tool.
  std::string DescribeState() const;

 private:
  bool AcceptWrite(const Report& r);
  bool AcceptUpdateCommand(const Report& r);  // report 27
  bool AnswerRead(Report& r);

  mutable std::mutex lock_;
  std::unique_ptr<std::array<ProfileRecord, kProfileCount>> profiles_;
  int current_ = 0;
  bool present_ = true;
  int firmware_ = 150, bootLoader_ = 110;
  int hostState_ = 0;
  int factoryResets_ = 0;
  TrackingState tracking_;
  int selectProfile_ = 0;
  int selectWhat_ = kSelectProfileSettings;
  int status_ = kStatusReady;
  int busyPolls_ = 0, busyLeft_ = 0;
  int failNext_ = 0;
  std::atomic<int> reportDelay_{0};
  bool corruptNext_ = false;
  std::array<uint8_t, kCalibrationSamples> image_{};
  std::vector<Report> lightCommands_;
  std::map<int, Report> lightBlocks_;
  EventSink sink_;
  // firmware update
  int preambleParts_ = 0;
  bool updateStarted_ = false, updateFinished_ = false;
  uint32_t updateSize_ = 0;
  int expectedBlock_ = -1;
  uint16_t expectedSum_ = 0;
  std::vector<uint8_t> updateImage_;
  std::vector<bool> blocksReceived_;
  int updateStatus_ = 1;
  int sendAgainLeft_ = 0, updateBusyPolls_ = 0, updateBusyLeft_ = 0;
  int updatedFirmware_ = 0;
  void Raise(uint16_t type, uint16_t value);  // called without the lock held
};

}  // namespace vextra
