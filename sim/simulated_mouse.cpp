#include "sim/simulated_mouse.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace vextra {

using Lock = std::lock_guard<std::mutex>;

SimulatedMouse::SimulatedMouse() : profiles_(std::make_unique<std::array<ProfileRecord, kProfileCount>>()) {
  FactoryReset();
  for (size_t i = 0; i < image_.size(); ++i)
    image_[i] = static_cast<uint8_t>(64 + (i % 30) * 4 + (i / 30) * 2);  // a gentle gradient
}

void SimulatedMouse::FactoryReset() {
  for (int n = 0; n < kProfileCount; ++n) {
    std::memset(&(*profiles_)[n], 0, sizeof(ProfileRecord));
    ResetProfile((*profiles_)[n], n);
  }
  current_ = 0;
}

void SimulatedMouse::SetReportDelay(int milliseconds) { reportDelay_ = milliseconds < 0 ? 0 : milliseconds; }

bool SimulatedMouse::SetFeature(const uint8_t* data, size_t size) {
  if (reportDelay_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reportDelay_.load()));
  Lock lock(lock_);
  if (!present_ || size == 0) return false;
  if (failNext_ > 0) {
    --failNext_;
    return false;
  }
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
      FactoryReset();
      ++factoryResets_;
      return true;
    case kReportCalibration:
      return r == EncodeCalibrationStart();
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
      lightCommands_.push_back(r);
      return true;
    case kReportPreamble:
      if (r.size() != 1028 || r[1] < 1 || r[1] > 3 || !ChecksumValid(r)) return false;
      preambleParts_ |= 1 << (r[1] - 1);
      return true;
    case kReportUpdateCommand:
      return AcceptUpdateCommand(r);
    case kReportLightDatabase:
      if (r.size() != kLightDatabaseSize || !ChecksumValid(r)) return false;
      lightBlocks_[r[1] | (r[2] << 8)] = r;
      return true;
    default:
      return false;
  }
}

bool SimulatedMouse::AcceptUpdateCommand(const Report& r) {
  constexpr uint32_t kMaxImage = 204800;
  constexpr int kFailed = 2, kSendAgain = 4;
  if (r.size() != 1026) return false;
  updateBusyLeft_ = updateBusyPolls_;
  if (sendAgainLeft_ > 0) {
    --sendAgainLeft_;
    updateStatus_ = kSendAgain;
    return true;
  }
  updateStatus_ = kStatusReady;
  switch (r[1]) {
    case 0:  // start
      updateStarted_ = true;
      updateFinished_ = false;
      updateSize_ = 0;
      updateImage_.clear();
      blocksReceived_.clear();
      expectedBlock_ = -1;
      break;
    case 1: {  // size
      const uint32_t size = r[4] | (r[5] << 8) | (r[6] << 16) | (static_cast<uint32_t>(r[7]) << 24);
      if (!updateStarted_ || size == 0 || size > kMaxImage) {
        updateStatus_ = kFailed;
        break;
      }
      updateSize_ = size;
      const size_t blocks = (size + 1023) / 1024;
      updateImage_.assign(blocks * 1024, 0);
      blocksReceived_.assign(blocks, false);
      break;
    }
    case 2:  // prepare
      if (!updateStarted_ || updateSize_ == 0) updateStatus_ = kFailed;
      break;
    case 3: {  // block header
      const int index = r[4] | (r[5] << 8);
      if (updateSize_ == 0 || index >= static_cast<int>(blocksReceived_.size())) {
        updateStatus_ = kFailed;
        break;
      }
      expectedBlock_ = index;
      expectedSum_ = static_cast<uint16_t>(r[6] | (r[7] << 8));
      break;
    }
    case 4: {  // block data: must match the header's checksum
      if (expectedBlock_ < 0 || Checksum16(&r[2], 1024) != expectedSum_) {
        updateStatus_ = kFailed;
        break;
      }
      std::memcpy(&updateImage_[static_cast<size_t>(expectedBlock_) * 1024], &r[2], 1024);
      blocksReceived_[static_cast<size_t>(expectedBlock_)] = true;
      expectedBlock_ = -1;
      break;
    }
    case 15: {  // finish
      bool complete = updateSize_ > 0;
      for (bool got : blocksReceived_) complete = complete && got;
      updateFinished_ = complete;
      if (!complete) updateStatus_ = kFailed;
      if (complete && updatedFirmware_ > 0) firmware_ = updatedFirmware_;
      updateStarted_ = false;
      break;
    }
    default:
      updateStatus_ = kFailed;
  }
  return true;
}

void SimulatedMouse::SetUpdateSendAgain(int count) { Lock lock(lock_); sendAgainLeft_ = count; }
void SimulatedMouse::SetUpdateBusyPolls(int polls) { Lock lock(lock_); updateBusyPolls_ = polls; }
void SimulatedMouse::SetUpdatedFirmwareVersion(int version) { Lock lock(lock_); updatedFirmware_ = version; }
int SimulatedMouse::PreamblePartsReceived() const { Lock lock(lock_); return preambleParts_; }
bool SimulatedMouse::UpdateFinished() const { Lock lock(lock_); return updateFinished_; }
std::vector<uint8_t> SimulatedMouse::ReceivedImage() const {
  Lock lock(lock_);
  if (!updateFinished_) return {};
  return std::vector<uint8_t>(updateImage_.begin(), updateImage_.begin() + updateSize_);
}

bool SimulatedMouse::GetFeature(uint8_t* data, size_t size) {
  if (reportDelay_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reportDelay_.load()));
  Lock lock(lock_);
  if (!present_ || size == 0) return false;
  if (failNext_ > 0) {
    --failNext_;
    return false;
  }
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
      if (r.size() != 3) return false;
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
void SimulatedMouse::SetFirmwareVersions(int firmware, int bootLoader) {
  Lock lock(lock_);
  firmware_ = firmware;
  bootLoader_ = bootLoader;
}
void SimulatedMouse::SetTracking(const TrackingState& state) { Lock lock(lock_); tracking_ = state; }
void SimulatedMouse::SetBusyPolls(int polls) { Lock lock(lock_); busyPolls_ = polls < 0 ? 0 : polls; }
void SimulatedMouse::SetReadyStatus(int status) { Lock lock(lock_); status_ = status; }
void SimulatedMouse::FailNextReports(int count) { Lock lock(lock_); failNext_ = count; }
void SimulatedMouse::CorruptNextRead() { Lock lock(lock_); corruptNext_ = true; }

}  // namespace vextra
