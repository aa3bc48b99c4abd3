// A model of the mouse's side of every feature report: five profiles with
// their settings, button tables and macros, the select / status handshake,
// device information, factory reset, calibration image, host state,
// lift-off/tracking, light commands and the light database, and the boot
// loader's side of a firmware update. It checks the checksum of everything it
// receives and refuses what is damaged, it can be told to be absent, busy or
// faulty, and it raises the events the mouse sends when the user acts on it.
// All members may be called from any thread.
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
  // The most recent light commands (report 16), oldest first, at most kMaxLightCommands.
  std::vector<Report> LightCommands() const;
  // Light database blocks (report 26) as received, by block index.
  std::map<int, Report> LightDatabaseBlocks() const;
  int Calibrations() const;  // report 12 writes taken
  std::array<uint8_t, kCalibrationSamples> CalibrationImage() const;

  static constexpr size_t kMaxLightCommands = 256;
  static constexpr size_t kMaxLightBlocks = 1024;
  static constexpr uint32_t kMaxFirmwareImage = 204800;
  // Settings beyond these are clamped, so that every state can be saved and restored.
  static constexpr int kMaxBusyPolls = 1 << 20;
  static constexpr int kMaxReportDelay = 10000;  // ms; longer would look like a dead mouse

  // --- what a test or the control tool sets ---
  void SetProfile(int index, const ProfileRecord& profile);
  void SetCurrentProfile(int index);
  void SetPresent(bool present);
  bool Present() const;
  void SetFirmwareVersions(int firmware, int bootLoader);
  void SetTracking(const TrackingState& state);
  void SetCalibrationImage(const std::array<uint8_t, kCalibrationSamples>& samples);
  // What a status read answers once the mouse is no longer busy: 1 ready,
  // anything else a failure.
  void SetReadyStatus(int status);
  // After every accepted write the next `polls` status reads answer busy.
  void SetBusyPolls(int polls);
  // Every report takes this long to answer (a slow mouse; real time).
  void SetReportDelay(int milliseconds);
  // Called before every report is handled, without the lock held: a test
  // counts or delays here without sleeping for real.
  using ReportHook = std::function<void(uint8_t reportId, bool write)>;
  void SetReportHook(ReportHook hook);
  // The next `count` reports (any direction) fail; with a report id, only the
  // next `count` reports of that id.
  void FailNextReports(int count, int reportId = -1);
  // The next read of a report with a checksum (6, 7, 8) carries a wrong one.
  void CorruptNextRead();
  // Back to the factory profiles and profile 0 (what report 9's reset does).
  void FactoryReset();

  // --- the boot loader's side of a firmware update ---
  // The next `count` update commands are answered with "send again" (status 4)
  // and not carried out; status reads answer busy `polls` times first.
  void SetUpdateSendAgain(int count);
  void SetUpdateBusyPolls(int polls);
  // Firmware version the mouse reports after a complete update.
  void SetUpdatedFirmwareVersion(int version);
  int PreamblePartsReceived() const;        // bit n - 1 set for part n
  // The image of the last update that finished complete (its announced size);
  // kept when a later update fails.
  std::vector<uint8_t> ReceivedImage() const;
  bool UpdateFinished() const;  // the last update finished complete

  // --- the user acting on the mouse: each raises the event the mouse sends ---
  // type = high half of the event code, value = low half.
  using EventSink = std::function<void(uint16_t type, uint16_t value)>;
  void SetEventSink(EventSink sink);
  void PressButton(int button);    // 1..24 -> 0x8000, button
  void ReleaseButton(int button);  // 1..24 -> 0x8000, 0x100 | button
  void DpiUp();                    // next enabled level -> 0xB000, level + 1
  void DpiDown();
  void SwitchProfile(int index);   // 0..4 -> 0x2000, index + 1
  void ProfileUp();                // next profile, 4 wraps to 0
  void ProfileDown();
  void SetPollingRate(int code);   // 0..3 -> 0xD000, code + 1
  // Sensitivity steps 1..11 (y 0 = no separate Y step) -> 0xC000, x | y << 8
  void SetSensitivity(int x, int y);
  // Media function 32..39 -> 0xF000, code (| 0x100 when released)
  void MediaKey(int code, bool released);
  void ScrollStep(int direction);  // -1 / +1 -> 0x1000, 1 / 255
  void RequestMacro(int n);        // 1..110 -> 0xFE00, n
  void RequestLightDatabase();     // 0xFD00, 1
  // Presence goes through the same sink: 0x7F00 with 1 (arrived) or 2
  // (removed), raised only when the presence changes. SetPresent changes it
  // silently. An absent mouse answers no report and its user actions do nothing.
  static constexpr uint16_t kPresenceEvent = 0x7F00;
  void PlugIn();
  void Unplug();

  // The whole lasting state (profiles, current profile, presence, versions,
  // host state, lift-off/tracking, counters, busy and status settings,
  // calibration image, light commands and database, the received firmware
  // image) as bytes, and back. Deserialize refuses damaged, truncated or
  // out-of-range data and then leaves the state as it was. One-shot faults
  // and a transfer in progress are not kept.
  std::string Serialize() const;
  bool Deserialize(const std::string& data);
  // The same through a file, replaced in one step when saving.
  bool Save(const std::string& path) const;
  bool Load(const std::string& path);
  // Human-readable summary for the control tool.
  std::string DescribeState() const;

 private:
  bool AcceptWrite(const Report& r);
  bool AcceptUpdateCommand(const Report& r);  // report 27
  bool AnswerRead(Report& r);
  void BeforeReport(uint8_t id, bool write);  // hook and delay, without the lock
  bool AdmitLocked(uint8_t id);               // presence and injected failures
  void ResetProfilesLocked();
  bool ChangeCurrentProfile(int index);  // false when absent or out of range
  void Raise(uint16_t type, uint16_t value, bool evenIfAbsent = false);  // called without the lock held

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
  std::map<int, int> failById_;
  ReportHook hook_;
  int calibrations_ = 0;
  std::atomic<int> reportDelay_{0};
  bool corruptNext_ = false;
  std::array<uint8_t, kCalibrationSamples> image_{};
  std::vector<Report> lightCommands_;
  std::map<int, Report> lightBlocks_;
  EventSink sink_;
  // firmware update
  int preambleParts_ = 0;
  bool updateStarted_ = false, updatePrepared_ = false, updateFinished_ = false;
  std::vector<uint8_t> receivedImage_;
  uint32_t updateSize_ = 0;
  int expectedBlock_ = -1;
  uint16_t expectedSum_ = 0;
  std::vector<uint8_t> updateImage_;
  std::vector<bool> blocksReceived_;
  int updateStatus_ = 1;
  int sendAgainLeft_ = 0, updateBusyPolls_ = 0, updateBusyLeft_ = 0;
  int updatedFirmware_ = 0;
};

}  // namespace vextra
