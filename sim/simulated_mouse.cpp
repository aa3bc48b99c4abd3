#include "sim/simulated_mouse.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace vextra {

using Lock = std::lock_guard<std::mutex>;

namespace {
// Fixed bytes of the boot loader's commands (report 27), from byte 2 on.
const uint8_t kStartSignature[] = {0x00, 0x00, 0x08, 0xAC, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01};
const uint8_t kPrepareSignature[] = {0x00, 0x00, 0xEC};
const uint8_t kAddressTail[] = {0x08, 0xAC, 0x22, 0x88};  // bytes 8..11 of commands 1 and 3
constexpr size_t kUpdateCommandSize = 1026;
constexpr size_t kPreambleSize = 1028;
constexpr size_t kUpdateStatusSize = 3;
constexpr size_t kFirmwareBlock = 1024;
constexpr int kUpdateFailed = 2, kUpdateSendAgain = 4;

bool Has(const Report& r, size_t at, const uint8_t* bytes, size_t count) {
  return std::memcmp(&r[at], bytes, count) == 0;
}
}  // namespace

SimulatedMouse::SimulatedMouse() : profiles_(std::make_unique<std::array<ProfileRecord, kProfileCount>>()) {
  ResetProfilesLocked();
  for (size_t i = 0; i < image_.size(); ++i)
    image_[i] = static_cast<uint8_t>(64 + (i % 30) * 4 + (i / 30) * 2);  // a gentle gradient
}

void SimulatedMouse::ResetProfilesLocked() {
  for (int n = 0; n < kProfileCount; ++n) {
    std::memset(&(*profiles_)[n], 0, sizeof(ProfileRecord));
    ResetProfile((*profiles_)[n], n);
  }
  current_ = 0;
}

void SimulatedMouse::FactoryReset() {
  Lock lock(lock_);
  ResetProfilesLocked();
}

namespace {
int Clamp(int value, int most) { return value < 0 ? 0 : value > most ? most : value; }
}  // namespace

void SimulatedMouse::SetReportDelay(int milliseconds) { reportDelay_ = Clamp(milliseconds, kMaxReportDelay); }

void SimulatedMouse::BeforeReport(uint8_t id, bool write) {
  ReportHook hook;
  {
    Lock lock(lock_);
    hook = hook_;
  }
  if (hook) hook(id, write);
  if (reportDelay_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reportDelay_.load()));
}

bool SimulatedMouse::AdmitLocked(uint8_t id) {
  if (!present_) return false;
  if (failNext_ > 0) {
    --failNext_;
    return false;
  }
  auto it = failById_.find(id);
  if (it != failById_.end()) {
    if (--it->second <= 0) failById_.erase(it);
    return false;
  }
  return true;
}

bool SimulatedMouse::SetFeature(const uint8_t* data, size_t size) {
  if (!data || size == 0) return false;
  BeforeReport(data[0], true);
  Lock lock(lock_);
  if (!AdmitLocked(data[0])) return false;
  Report r(data, data + size);
  if (!AcceptWrite(r)) return false;
  busyLeft_ = busyPolls_;
  return true;
}

bool SimulatedMouse::AcceptWrite(const Report& r) {
  auto profile = [&](int index) -> ProfileRecord& { return (*profiles_)[static_cast<size_t>(index)]; };
  switch (r[0]) {
    case kReportSelect:
      if (r.size() != kSelectSize || r[1] > 4) return false;
      if (r[2] != kSelectProfileSettings && r[2] != kSelectButtonTable && r[2] >= kButtonSlots) return false;
      selectProfile_ = r[1];
      selectWhat_ = r[2];
      return true;
    case kReportCurrentProfile:
      if (r.size() != kCurrentProfileSize || r[1] != 3 || r[2] > 4) return false;
      current_ = r[2];
      return true;
    case kReportProfileSettings:
      if (r.size() != kProfileSettingsSize || r[2] > 4) return false;
      return DecodeProfileSettings(r, profile(r[2]));
    case kReportButtonTable:
      if (r.size() != kButtonTableSize || r[2] > 4) return false;
      return DecodeButtonTable(r, profile(r[2]));
    case kReportMacro:
      if (r.size() != kMacroReportSize || r[3] > 4 || r[4] >= kButtonSlots) return false;
      return DecodeMacro(r, r[4], profile(r[3]).MacroKeys[r[4]]);
    case kReportDeviceInfo:
      if (r != EncodeFactoryReset()) return false;
      ResetProfilesLocked();
      ++factoryResets_;
      return true;
    case kReportCalibration:
      if (r != EncodeCalibrationStart()) return false;
      ++calibrations_;
      return true;
    case kReportHostState:
      if (r.size() != kHostStateSize || r[1] != 3) return false;
      hostState_ = r[2];
      return true;
    case kReportTracking:
      if (r.size() != kTrackingSize || r[1] != 6) return false;
      tracking_.liftOn = r[2];
      if (!(r[3] == 0xFF && r[4] == 0xFF)) {  // the calibration forms change no stored value
        tracking_.trackControl = r[3];
        tracking_.value1 = r[4];
        tracking_.value2 = r[5];
      }
      return true;
    case kReportLightCommand:
      if (r.size() != kLightCommandSize || r[1] != 0x10) return false;
      // Only the recent past is kept, so a long session cannot grow it without end.
      if (lightCommands_.size() >= kMaxLightCommands) lightCommands_.erase(lightCommands_.begin());
      lightCommands_.push_back(r);
      return true;
    case kReportPreamble:
      if (r.size() != kPreambleSize || r[1] < 1 || r[1] > 3 || !ChecksumValid(r)) return false;
      preambleParts_ |= 1 << (r[1] - 1);
      return true;
    case kReportUpdateCommand:
      return AcceptUpdateCommand(r);
    case kReportLightDatabase: {
      if (r.size() != kLightDatabaseSize || !ChecksumValid(r)) return false;
      const int index = r[1] | (r[2] << 8);
      // The mouse's store is finite: a block beyond it is refused, a known one replaced.
      if (lightBlocks_.size() >= kMaxLightBlocks && lightBlocks_.count(index) == 0) return false;
      lightBlocks_[index] = r;
      return true;
    }
    default:
      return false;
  }
}

// The boot loader: start, size, prepare, then header and data per block, then
// finish. A command out of turn or with wrong fixed bytes is answered with
// failure (report 28) and changes nothing.
bool SimulatedMouse::AcceptUpdateCommand(const Report& r) {
  if (r.size() != kUpdateCommandSize) return false;
  updateBusyLeft_ = updateBusyPolls_;
  if (sendAgainLeft_ > 0) {
    --sendAgainLeft_;
    updateStatus_ = kUpdateSendAgain;
    return true;
  }
  updateStatus_ = kStatusReady;
  const bool addressed = r[2] == 0 && r[3] == 0 && Has(r, 8, kAddressTail, sizeof kAddressTail);
  switch (r[1]) {
    case 0:  // start
      if (!Has(r, 2, kStartSignature, sizeof kStartSignature)) {
        updateStatus_ = kUpdateFailed;
        break;
      }
      updateStarted_ = true;
      updatePrepared_ = updateFinished_ = false;
      updateSize_ = 0;
      updateImage_.clear();
      blocksReceived_.clear();
      expectedBlock_ = -1;
      break;
    case 1: {  // size
      const uint32_t size = r[4] | (r[5] << 8) | (r[6] << 16) | (static_cast<uint32_t>(r[7]) << 24);
      if (!updateStarted_ || !addressed || size == 0 || size > kMaxFirmwareImage) {
        updateStatus_ = kUpdateFailed;
        break;
      }
      updateSize_ = size;
      const size_t blocks = (size + kFirmwareBlock - 1) / kFirmwareBlock;
      updateImage_.assign(blocks * kFirmwareBlock, 0);
      blocksReceived_.assign(blocks, false);
      updatePrepared_ = false;
      expectedBlock_ = -1;
      break;
    }
    case 2:  // prepare
      if (!updateStarted_ || updateSize_ == 0 || !Has(r, 2, kPrepareSignature, sizeof kPrepareSignature))
        updateStatus_ = kUpdateFailed;
      else
        updatePrepared_ = true;
      break;
    case 3: {  // block header
      const int index = r[4] | (r[5] << 8);
      if (!updateStarted_ || !updatePrepared_ || !addressed ||
          index >= static_cast<int>(blocksReceived_.size())) {
        updateStatus_ = kUpdateFailed;
        break;
      }
      expectedBlock_ = index;
      expectedSum_ = static_cast<uint16_t>(r[6] | (r[7] << 8));
      break;
    }
    case 4: {  // block data: must match the header's checksum
      if (!updateStarted_ || expectedBlock_ < 0 || Checksum16(&r[2], kFirmwareBlock) != expectedSum_) {
        updateStatus_ = kUpdateFailed;
        break;
      }
      std::memcpy(&updateImage_[static_cast<size_t>(expectedBlock_) * kFirmwareBlock], &r[2], kFirmwareBlock);
      blocksReceived_[static_cast<size_t>(expectedBlock_)] = true;
      expectedBlock_ = -1;
      break;
    }
    case 15: {  // finish
      bool complete = updateStarted_ && updateSize_ > 0;
      for (bool got : blocksReceived_) complete = complete && got;
      updateFinished_ = complete;
      if (!complete) {
        updateStatus_ = kUpdateFailed;
        break;
      }
      receivedImage_.assign(updateImage_.begin(), updateImage_.begin() + updateSize_);
      if (updatedFirmware_ > 0) firmware_ = updatedFirmware_;
      updateStarted_ = updatePrepared_ = false;
      break;
    }
    default:
      updateStatus_ = kUpdateFailed;
  }
  return true;
}

void SimulatedMouse::SetUpdateSendAgain(int count) { Lock lock(lock_); sendAgainLeft_ = count < 0 ? 0 : count; }
void SimulatedMouse::SetUpdateBusyPolls(int polls) {
  Lock lock(lock_);
  updateBusyPolls_ = Clamp(polls, kMaxBusyPolls);
}
void SimulatedMouse::SetUpdatedFirmwareVersion(int version) {
  Lock lock(lock_);
  if (version >= 0 && version <= 255) updatedFirmware_ = version;
}
int SimulatedMouse::PreamblePartsReceived() const { Lock lock(lock_); return preambleParts_; }
bool SimulatedMouse::UpdateFinished() const { Lock lock(lock_); return updateFinished_; }
std::vector<uint8_t> SimulatedMouse::ReceivedImage() const { Lock lock(lock_); return receivedImage_; }

bool SimulatedMouse::GetFeature(uint8_t* data, size_t size) {
  if (!data || size == 0) return false;
  BeforeReport(data[0], false);
  Lock lock(lock_);
  if (!AdmitLocked(data[0])) return false;
  Report r(size, 0);
  r[0] = data[0];
  if (!AnswerRead(r)) return false;
  const bool checksummed = r[0] == kReportProfileSettings || r[0] == kReportButtonTable || r[0] == kReportMacro;
  if (corruptNext_ && checksummed) {
    r[r.size() - 1] ^= 0x5A;
    corruptNext_ = false;
  }
  std::memcpy(data, r.data(), size);
  return true;
}

bool SimulatedMouse::AnswerRead(Report& r) {
  const ProfileRecord& selected = (*profiles_)[static_cast<size_t>(selectProfile_)];
  switch (r[0]) {
    case kReportSelect:
      if (r.size() != kSelectSize) return false;
      if (busyLeft_ > 0) {
        --busyLeft_;
        r[1] = kStatusBusy;
      } else {
        r[1] = static_cast<uint8_t>(status_);
      }
      return true;
    case kReportCurrentProfile:
      if (r.size() != kCurrentProfileSize) return false;
      r[1] = 3;
      r[2] = static_cast<uint8_t>(current_);
      return true;
    case kReportProfileSettings:
      if (r.size() != kProfileSettingsSize || selectWhat_ != kSelectProfileSettings) return false;
      r = EncodeProfileSettings(selected, selectProfile_);
      return true;
    case kReportButtonTable:
      if (r.size() != kButtonTableSize || selectWhat_ != kSelectButtonTable) return false;
      r = EncodeButtonTable(selected, selectProfile_);
      return true;
    case kReportMacro:
      if (r.size() != kMacroReportSize || selectWhat_ >= kButtonSlots) return false;
      r = EncodeMacro(selected.MacroKeys[selectWhat_], selectProfile_, selectWhat_);
      return true;
    case kReportDeviceInfo:
      if (r.size() != kDeviceInfoSize) return false;
      r[1] = 6;
      r[2] = static_cast<uint8_t>(firmware_);
      r[3] = static_cast<uint8_t>(bootLoader_);
      return true;
    case kReportCalibration:
      if (r.size() != kCalibrationReadSize) return false;
      std::memcpy(&r[3], image_.data(), image_.size());
      return true;
    case kReportUpdateStatus:
      if (r.size() != kUpdateStatusSize) return false;
      if (updateBusyLeft_ > 0) {
        --updateBusyLeft_;
        r[1] = kStatusBusy;
      } else {
        r[1] = static_cast<uint8_t>(updateStatus_);
      }
      return true;
    case kReportTracking:
      if (r.size() != kTrackingSize) return false;
      r[1] = 6;
      r[2] = tracking_.liftOn;
      r[3] = tracking_.trackControl;
      r[4] = tracking_.value1;
      r[5] = tracking_.value2;
      return true;
    default:
      return false;
  }
}

ProfileRecord SimulatedMouse::Profile(int index) const {
  Lock lock(lock_);
  return (*profiles_)[static_cast<size_t>(index < 0 || index > 4 ? 0 : index)];
}
int SimulatedMouse::CurrentProfile() const { Lock lock(lock_); return current_; }
int SimulatedMouse::HostState() const { Lock lock(lock_); return hostState_; }
int SimulatedMouse::FactoryResets() const { Lock lock(lock_); return factoryResets_; }
std::vector<Report> SimulatedMouse::LightCommands() const { Lock lock(lock_); return lightCommands_; }
std::map<int, Report> SimulatedMouse::LightDatabaseBlocks() const { Lock lock(lock_); return lightBlocks_; }
int SimulatedMouse::Calibrations() const { Lock lock(lock_); return calibrations_; }
std::array<uint8_t, kCalibrationSamples> SimulatedMouse::CalibrationImage() const { Lock lock(lock_); return image_; }
void SimulatedMouse::SetCalibrationImage(const std::array<uint8_t, kCalibrationSamples>& samples) {
  Lock lock(lock_);
  image_ = samples;
}

void SimulatedMouse::SetProfile(int index, const ProfileRecord& profile) {
  Lock lock(lock_);
  if (index >= 0 && index < kProfileCount) (*profiles_)[static_cast<size_t>(index)] = profile;
}
void SimulatedMouse::SetCurrentProfile(int index) {
  Lock lock(lock_);
  if (index >= 0 && index < kProfileCount) current_ = index;
}
void SimulatedMouse::SetPresent(bool present) { Lock lock(lock_); present_ = present; }
bool SimulatedMouse::Present() const { Lock lock(lock_); return present_; }
// Versions travel as one byte each; a value that does not fit is ignored.
void SimulatedMouse::SetFirmwareVersions(int firmware, int bootLoader) {
  Lock lock(lock_);
  if (firmware >= 0 && firmware <= 255) firmware_ = firmware;
  if (bootLoader >= 0 && bootLoader <= 255) bootLoader_ = bootLoader;
}
void SimulatedMouse::SetTracking(const TrackingState& state) { Lock lock(lock_); tracking_ = state; }
void SimulatedMouse::SetBusyPolls(int polls) { Lock lock(lock_); busyPolls_ = Clamp(polls, kMaxBusyPolls); }
void SimulatedMouse::SetReadyStatus(int status) {
  Lock lock(lock_);
  if (status >= 0 && status <= 255) status_ = status;
}
void SimulatedMouse::SetReportHook(ReportHook hook) { Lock lock(lock_); hook_ = std::move(hook); }
void SimulatedMouse::FailNextReports(int count, int reportId) {
  Lock lock(lock_);
  if (count < 0) count = 0;
  if (reportId < 0) {
    failNext_ = count;
  } else if (reportId <= 255) {
    if (count > 0) failById_[reportId] = count;
    else failById_.erase(reportId);
  }
}
void SimulatedMouse::CorruptNextRead() { Lock lock(lock_); corruptNext_ = true; }

}  // namespace vextra
