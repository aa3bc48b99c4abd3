#include "device/device_commands.h"

namespace vextra {

using Lock = std::lock_guard<std::recursive_mutex>;

bool DeviceCommands::SendReport(const Report& report) {
  return !report.empty() && device_.SetFeature(report.data(), report.size());
}

bool DeviceCommands::ReadReport(Report& report) {
  return !report.empty() && device_.GetFeature(report.data(), report.size());
}

bool DeviceCommands::Pause(int milliseconds) {
  for (int slice = 0; slice < milliseconds / 100; ++slice) {
    if (Stopped()) return false;
    clock_.Sleep(100);
  }
  return !Stopped();
}

int DeviceCommands::WaitReady(int firstPause) {
  static const int kLaterPauses[] = {1000, 1500, 2000};
  int status = -1;  // none read yet
  int result = 0;
  for (int attempt = 0; attempt < 10; ++attempt) {
    const int pause = attempt == 0 ? firstPause : kLaterPauses[attempt < 3 ? attempt - 1 : 2];
    for (int slice = 0; slice < pause / 100; ++slice) {
      if (Stopped()) return 0;
      clock_.Sleep(100);
    }
    if (Stopped()) return 0;
    Report r = ReadBuffer(kReportSelect, kSelectSize);
    uint8_t read = 0;
    if (ReadReport(r) && DecodeStatus(r, read)) status = read;  // a failed read keeps the last status
    result = status == kStatusReady ? 1 : 0;
    if (status != kStatusBusy) break;
  }
  return result;
}

int DeviceCommands::WriteAndWait(const Report& report, int firstPause) {
  Lock lock(lock_);
  if (!SendReport(report)) return 0;
  return WaitReady(firstPause);
}

int DeviceCommands::WriteCurrentProfile(int profile) {
  return WriteAndWait(EncodeCurrentProfile(profile), kShortFirstPause);
}

int DeviceCommands::WriteProfileSettings(const ProfileRecord& profile, int index) {
  return WriteAndWait(EncodeProfileSettings(profile, index), kProfileFirstPause);
}

int DeviceCommands::WriteButtonTable(const ProfileRecord& profile, int index) {
  return WriteAndWait(EncodeButtonTable(profile, index), kProfileFirstPause);
}

int DeviceCommands::WriteMacro(const MacroKeyInfo& slot, int profile, int button) {
  return WriteAndWait(EncodeMacro(slot, profile, button), kProfileFirstPause);
}

int DeviceCommands::WriteFactoryReset() { return WriteAndWait(EncodeFactoryReset(), kShortFirstPause); }

int DeviceCommands::WriteHostState(int value) {
  return WriteAndWait(EncodeHostState(static_cast<uint8_t>(value)), kShortFirstPause);
}

int DeviceCommands::WriteTrackingReport(const Report& report) {
  return WriteAndWait(report, kShortFirstPause);
}

int DeviceCommands::WriteLightCommand(const Report& report) {
  return WriteAndWait(report, kShortFirstPause);
}

int DeviceCommands::WriteLightDatabaseBlock(uint16_t index, const uint8_t* data, size_t size) {
  return WriteAndWait(EncodeLightDatabaseBlock(index, data, size), kLightBlockFirstPause);
}

int DeviceCommands::ReadDeviceInfo(DeviceInfo& info) {
  Lock lock(lock_);
  Report r = ReadBuffer(kReportDeviceInfo, kDeviceInfoSize);
  return ReadReport(r) && DecodeDeviceInfo(r, info) ? 1 : 0;
}

int DeviceCommands::ReadCurrentProfile(int& profile) {
  Lock lock(lock_);
  Report r = ReadBuffer(kReportCurrentProfile, kCurrentProfileSize);
  return ReadReport(r) && DecodeCurrentProfile(r, profile) ? 1 : 0;
}

int DeviceCommands::ReadTracking(TrackingState& state) {
  Lock lock(lock_);
  Report r = ReadBuffer(kReportTracking, kTrackingSize);
  return ReadReport(r) && DecodeTracking(r, state) ? 1 : 0;
}

int DeviceCommands::SelectAndWait(int profile, uint8_t what) {
  if (SendReport(EncodeSelect(profile, what))) WaitReady(kShortFirstPause);
  return Stopped() ? 0 : 1;
}

int DeviceCommands::ReadProfileSettings(ProfileRecord& profile, int index) {
  Lock lock(lock_);
  if (!SelectAndWait(index, kSelectProfileSettings)) return 0;
  Report r = ReadBuffer(kReportProfileSettings, kProfileSettingsSize);
  return ReadReport(r) && DecodeProfileSettings(r, profile) ? 1 : 0;
}

int DeviceCommands::ReadButtonTable(ProfileRecord& profile, int index) {
  Lock lock(lock_);
  if (!SelectAndWait(index, kSelectButtonTable)) return 0;
  Report r = ReadBuffer(kReportButtonTable, kButtonTableSize);
  return ReadReport(r) && DecodeButtonTable(r, profile) ? 1 : 0;
}

int DeviceCommands::ReadMacro(MacroKeyInfo& slot, int profile, int button) {
  Lock lock(lock_);
  if (!SelectAndWait(profile, static_cast<uint8_t>(button))) return 0;
  Report r = ReadBuffer(kReportMacro, kMacroReportSize);
  if (!ReadReport(r)) return 0;
  if (DecodeMacro(r, button, slot)) return 1;
  return MacroReportIntact(r) ? -1 : 0;
}

int DeviceCommands::StartCalibration() {
  Lock lock(lock_);
  return SendReport(EncodeCalibrationStart()) ? 1 : 0;
}

int DeviceCommands::ReadCalibrationImage(std::array<uint8_t, kCalibrationSamples>& samples) {
  Lock lock(lock_);
  Report r = ReadBuffer(kReportCalibration, kCalibrationReadSize);
  return ReadReport(r) && DecodeCalibrationImage(r, samples) ? 1 : 0;
}

}  // namespace vextra
