#include "device/device_jobs.h"

#include <cstdio>
#include <memory>

namespace vextra {
namespace {

bool AnyButtonChanged(const SettingsBlock& b, int p) {
  for (int32_t flag : b.ButtonChanged[p])
    if (flag == 1) return true;
  return false;
}

}  // namespace

int DeviceJobs::UploadChanges(const SettingsBlock& block, bool factoryReset) {
  if (factoryReset) return commands_.WriteFactoryReset();
  // Outside 0..4 there is no current profile to select.
  if (block.CurrentProfileChanged == 1 && IsProfileIndex(block.CurrentProfile)) {
    commands_.WriteCurrentProfile(block.CurrentProfile);
    if (!commands_.Pause(200)) return 0;
  }
  for (int p = 0; p < kProfileCount; ++p) {
    if (block.ProfileChanged[p] != 1) continue;
    commands_.WriteProfileSettings(block.Profiles[p], p);
    if (!commands_.Pause(200)) return 0;
  }
  for (int p = 0; p < kProfileCount; ++p) {
    if (!AnyButtonChanged(block, p)) continue;
    commands_.WriteButtonTable(block.Profiles[p], p);
    if (!commands_.Pause(200)) return 0;
  }
  int last = 1;
  for (int p = 0; p < kProfileCount && last == 1 && !commands_.Stopped(); ++p) {
    for (int b = 0; b < kButtonSlots; ++b) {
      const MacroKeyInfo& slot = block.Profiles[p].MacroKeys[b];
      if (slot.FunctionCode != 0x30 || block.ButtonChanged[p][b] != 1) continue;
      last = commands_.WriteMacro(slot, p, b);
      commands_.Pause(50);
      if (last != 1 || commands_.Stopped()) break;
    }
  }
  return last;
}

int DeviceJobs::ReadBackAll(SettingsBlock& block, ReadBackSink& sink, CalibrationValues& values) {
  DeviceInfo info;
  if (commands_.ReadDeviceInfo(info)) sink.SaveFirmwareVersion(info.firmwareVersion);
  if (!commands_.Pause(500)) return 0;

  int current = -1;
  if (commands_.ReadCurrentProfile(current)) block.CurrentProfile = current;
  if (!commands_.Pause(500)) return 0;

  for (int p = 0; p < kProfileCount; ++p) {
    commands_.ReadProfileSettings(block.Profiles[p], p);
    if (!commands_.Pause(500)) return 0;
  }
  for (int p = 0; p < kProfileCount; ++p) {
    commands_.ReadButtonTable(block.Profiles[p], p);
    if (!commands_.Pause(500)) return 0;
  }
  bool profileOk = true;
  for (int p = 0; p < kProfileCount && profileOk; ++p) {
    for (int b = 0; b < kButtonSlots && profileOk; ++b) {
      MacroKeyInfo& slot = block.Profiles[p].MacroKeys[b];
      if (slot.FunctionCode != 0x30) continue;
      bool got = false, answered = false;
      for (int attempt = 0; attempt < 3 && !got; ++attempt) {
        const int read = commands_.ReadMacro(slot, p, b);
        got = read == 1;
        answered = answered || read == -1;
        if (commands_.Stopped() || !commands_.Pause(100)) return 0;
      }
      // A mouse that answers with another slot's macro is still talking: this
      // slot keeps what it had and the others are still read. Only a mouse
      // that gives no sound answer at all ends the step.
      profileOk = got || answered;
    }
    if (!commands_.Pause(100)) return 0;
  }

  TrackingState tracking;
  const int trackingRead = commands_.ReadTracking(tracking);
  if (trackingRead) {
    block.LiftOnFlag = tracking.liftOn;
    block.TrackControlFlag = tracking.trackControl;
    values.value1 = tracking.value1;
    values.value2 = tracking.value2;
  }
  ClearChangeFlags(block);
  if (!trackingRead) return 0;
  sink.SaveAll(block);
  sink.Publish(block);
  return 1;
}

int DeviceJobs::ReadAllJob(SettingsBlock& block, ReadBackSink& sink, CalibrationValues& values) {
  int result = ReadBackAll(block, sink, values);
  commands_.WriteHostState(1);
  return result;
}

int DeviceJobs::UploadOneMacro(const SettingsBlock& block, int n) {
  if (n < 1 || n > 110) return 0;
  const int profile = (n - 1) / 22, button = (n - 1) % 22 + 2;
  return commands_.WriteMacro(block.Profiles[profile].MacroKeys[button], profile, button);
}

int DeviceJobs::UploadLightDatabase(const uint8_t* data, size_t size) {
  const size_t blocks = (size + kLightBlockBytes - 1) / kLightBlockBytes;
  if (blocks > 0xFFFF) return 0;  // the block index is 16 bits
  int result = 1;
  for (size_t i = 0; i < blocks; ++i) {
    if (commands_.Stopped()) return 0;
    const size_t offset = i * kLightBlockBytes;
    const size_t n = size - offset < kLightBlockBytes ? size - offset : kLightBlockBytes;
    if (!commands_.WriteLightDatabaseBlock(static_cast<uint16_t>(i), data + offset, n)) result = 0;
  }
  return result;
}

std::array<uint8_t, 960> CalibrationPictureRows(const std::array<uint8_t, kCalibrationSamples>& s) {
  std::array<uint8_t, 960> rows{};
  for (int r = 0; r < 30; ++r) {
    for (int k = 0; k < 30; ++k) {
      // transposed: sample (row k, column r) lands in row r, column k; then mirrored
      rows[static_cast<size_t>(r * 32 + (29 - k))] = s[static_cast<size_t>(k * 30 + r)];
    }
  }
  return rows;
}

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

int DeviceJobs::Calibrate(CalibrationValues& values, const std::string& bitmapPath) {
  if (!commands_.StartCalibration()) return 0;
  if (!commands_.Pause(2000)) return 0;
  commands_.WaitReady(0);
  if (!commands_.Pause(500)) return 0;
  std::array<uint8_t, kCalibrationSamples> samples{};
  if (!commands_.ReadCalibrationImage(samples)) return 0;
  unsigned sum = 0;
  for (uint8_t s : samples) sum += s;
  values.value1 = static_cast<uint8_t>(sum / kCalibrationSamples);

  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(bitmapPath.c_str(), "r+b"));
  if (!f) return 0;
  std::array<uint8_t, 960> rows = CalibrationPictureRows(samples);
  if (std::fseek(f.get(), 1078, SEEK_SET) != 0 ||
      std::fwrite(rows.data(), 1, rows.size(), f.get()) != rows.size())
    return 0;
  std::fflush(f.get());
  // Second pass over what the file now holds: every byte rotated left by two bits.
  if (std::fseek(f.get(), 1078, SEEK_SET) != 0 || std::fread(rows.data(), 1, rows.size(), f.get()) != rows.size())
    return 0;
  for (uint8_t& b : rows) b = static_cast<uint8_t>((b << 2) | (b >> 6));
  if (std::fseek(f.get(), 1078, SEEK_SET) != 0 ||
      std::fwrite(rows.data(), 1, rows.size(), f.get()) != rows.size())
    return 0;
  return 1;
}

int DeviceJobs::WriteTracking(int command, const SettingsBlock& block, CalibrationValues& values) {
  const uint8_t liftOn = static_cast<uint8_t>(block.LiftOnFlag);
  if (command >= 253 && command <= 255)
    return commands_.WriteTrackingReport(EncodeTrackingCommand(liftOn, command));
  switch (command) {
    case 1: values.value2 = 0; break;
    case 2: values.value2 = 1; break;
    case 3: values.value1 = 0; values.value2 = 0; break;
    case 4: values.value1 = 0; values.value2 = 2; break;
    default: return 0;
  }
  return commands_.WriteTrackingReport(EncodeTracking(
      liftOn, static_cast<uint8_t>(block.TrackControlFlag), values.value1, values.value2));
}

}  // namespace vextra
