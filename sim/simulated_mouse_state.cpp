// The simulated mouse's lasting state as bytes and as a file, and its
// human-readable summary.
//
// Format (all numbers little-endian):
//   "VXSIM002"  magic and format version
//   u32         payload length
//   payload     see Serialize, field by field
//   u32         CRC-32 of everything before it
// The first format ("VXSIM001": a raw header, the five profiles and a 16-bit
// sum) is still read, so a state saved by an earlier build is not lost.
#include <array>
#include <cstdio>
#include <cstring>

#include "common/file_system.h"
#include "sim/simulated_mouse.h"

namespace vextra {

using Lock = std::lock_guard<std::mutex>;

namespace {

const char kMagicV1[8] = {'V', 'X', 'S', 'I', 'M', '0', '0', '1'};
const char kMagicV2[8] = {'V', 'X', 'S', 'I', 'M', '0', '0', '2'};
constexpr size_t kProfilesBytes = sizeof(ProfileRecord) * kProfileCount;
constexpr uint32_t kMaxPolls = SimulatedMouse::kMaxBusyPolls;
constexpr uint32_t kMaxReportDelay = SimulatedMouse::kMaxReportDelay;
constexpr size_t kMaxStateFile = 8u << 20;

uint32_t Crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

class Writer {
 public:
  std::string out;
  void U8(uint32_t v) { out.push_back(static_cast<char>(v & 0xFF)); }
  void U16(uint32_t v) { U8(v); U8(v >> 8); }
  void U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }
  void Bytes(const void* data, size_t size) {
    if (size) out.append(static_cast<const char*>(data), size);
  }
};

// Reads fields in order; any read past the end fails every later read too.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return ok_ && pos_ == size_; }
  uint32_t U8() { return Take(1) ? data_[pos_ - 1] : 0; }
  uint32_t U16() { uint32_t lo = U8(); return lo | (U8() << 8); }
  uint32_t U32() { uint32_t lo = U16(); return lo | (U16() << 16); }
  bool Bytes(void* to, size_t size) {
    if (!Take(size)) return false;
    if (size) std::memcpy(to, data_ + pos_ - size, size);
    return true;
  }

 private:
  bool Take(size_t n) {
    if (!ok_ || size_ - pos_ < n) return ok_ = false;
    pos_ += n;
    return true;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// Everything that lasts, gathered so that a file is checked whole before any
// of it reaches the mouse.
struct LastingState {
  bool present = true;
  int current = 0, firmware = 150, bootLoader = 110, updatedFirmware = 0, hostState = 0;
  TrackingState tracking;
  int factoryResets = 0, calibrations = 0;
  int busyPolls = 0, readyStatus = kStatusReady, updateBusyPolls = 0, reportDelay = 0;
  std::unique_ptr<std::array<ProfileRecord, kProfileCount>> profiles =
      std::make_unique<std::array<ProfileRecord, kProfileCount>>();
  std::array<uint8_t, kCalibrationSamples> image{};
  std::vector<Report> lightCommands;
  std::map<int, Report> lightBlocks;
  int preambleParts = 0;
  bool updateFinished = false;
  std::vector<uint8_t> receivedImage;
};

}  // namespace

std::string SimulatedMouse::Serialize() const {
  Writer w;
  {
    Lock lock(lock_);
    w.U8(present_ ? 1 : 0);
    w.U8(static_cast<uint32_t>(current_));
    w.U8(static_cast<uint32_t>(firmware_));
    w.U8(static_cast<uint32_t>(bootLoader_));
    w.U8(static_cast<uint32_t>(updatedFirmware_));
    w.U8(static_cast<uint32_t>(hostState_));
    w.U8(tracking_.liftOn);
    w.U8(tracking_.trackControl);
    w.U8(tracking_.value1);
    w.U8(tracking_.value2);
    w.U32(static_cast<uint32_t>(factoryResets_));
    w.U32(static_cast<uint32_t>(calibrations_));
    w.U32(static_cast<uint32_t>(busyPolls_));
    w.U8(static_cast<uint32_t>(status_));
    w.U32(static_cast<uint32_t>(updateBusyPolls_));
    w.U32(static_cast<uint32_t>(reportDelay_.load()));
    w.Bytes(profiles_->data(), kProfilesBytes);
    w.Bytes(image_.data(), image_.size());
    w.U16(static_cast<uint32_t>(lightCommands_.size()));
    for (const Report& r : lightCommands_) w.Bytes(r.data(), r.size());
    w.U16(static_cast<uint32_t>(lightBlocks_.size()));
    for (const auto& block : lightBlocks_) w.Bytes(block.second.data(), block.second.size());
    w.U8(static_cast<uint32_t>(preambleParts_));
    w.U8(updateFinished_ ? 1 : 0);
    w.U32(static_cast<uint32_t>(receivedImage_.size()));
    w.Bytes(receivedImage_.data(), receivedImage_.size());
  }
  Writer file;
  file.Bytes(kMagicV2, sizeof kMagicV2);
  file.U32(static_cast<uint32_t>(w.out.size()));
  file.out += w.out;
  file.U32(Crc32(reinterpret_cast<const uint8_t*>(file.out.data()), file.out.size()));
  return file.out;
}

namespace {

bool ReadV2(const uint8_t* bytes, size_t size, LastingState& s) {
  if (size < 16) return false;
  const size_t payload = bytes[8] | (bytes[9] << 8) | (bytes[10] << 16) | (static_cast<size_t>(bytes[11]) << 24);
  if (payload != size - 16) return false;
  const uint8_t* tail = bytes + size - 4;
  const uint32_t crc = tail[0] | (tail[1] << 8) | (tail[2] << 16) | (static_cast<uint32_t>(tail[3]) << 24);
  if (Crc32(bytes, size - 4) != crc) return false;

  Reader in(bytes + 12, payload);
  const uint32_t present = in.U8();
  const uint32_t current = in.U8();
  s.present = present == 1;
  s.current = static_cast<int>(current);
  s.firmware = static_cast<int>(in.U8());
  s.bootLoader = static_cast<int>(in.U8());
  s.updatedFirmware = static_cast<int>(in.U8());
  s.hostState = static_cast<int>(in.U8());
  s.tracking.liftOn = static_cast<uint8_t>(in.U8());
  s.tracking.trackControl = static_cast<uint8_t>(in.U8());
  s.tracking.value1 = static_cast<uint8_t>(in.U8());
  s.tracking.value2 = static_cast<uint8_t>(in.U8());
  const uint32_t resets = in.U32(), calibrations = in.U32(), busy = in.U32();
  s.readyStatus = static_cast<int>(in.U8());
  const uint32_t updateBusy = in.U32(), delay = in.U32();
  if (present > 1 || current >= static_cast<uint32_t>(kProfileCount) || resets > 0x7FFFFFFF ||
      calibrations > 0x7FFFFFFF || busy > kMaxPolls || updateBusy > kMaxPolls || delay > kMaxReportDelay)
    return false;
  s.factoryResets = static_cast<int>(resets);
  s.calibrations = static_cast<int>(calibrations);
  s.busyPolls = static_cast<int>(busy);
  s.updateBusyPolls = static_cast<int>(updateBusy);
  s.reportDelay = static_cast<int>(delay);
  in.Bytes(s.profiles->data(), kProfilesBytes);
  in.Bytes(s.image.data(), s.image.size());

  const uint32_t commands = in.U16();
  if (commands > SimulatedMouse::kMaxLightCommands) return false;
  for (uint32_t i = 0; i < commands && in.ok(); ++i) {
    Report r(kLightCommandSize);
    if (!in.Bytes(r.data(), r.size()) || r[0] != kReportLightCommand || r[1] != 0x10) return false;
    s.lightCommands.push_back(r);
  }
  const uint32_t blocks = in.U16();
  if (blocks > SimulatedMouse::kMaxLightBlocks) return false;
  for (uint32_t i = 0; i < blocks && in.ok(); ++i) {
    Report r(kLightDatabaseSize);
    if (!in.Bytes(r.data(), r.size()) || r[0] != kReportLightDatabase || !ChecksumValid(r)) return false;
    if (!s.lightBlocks.emplace(r[1] | (r[2] << 8), r).second) return false;  // an index twice
  }
  const uint32_t parts = in.U8(), finished = in.U8(), imageSize = in.U32();
  if (parts > 7 || finished > 1 || imageSize > SimulatedMouse::kMaxFirmwareImage) return false;
  s.preambleParts = static_cast<int>(parts);
  s.updateFinished = finished == 1;
  s.receivedImage.resize(imageSize);
  in.Bytes(s.receivedImage.data(), imageSize);
  return in.AtEnd();
}

// The first format: magic, int32 current, firmware, boot loader, four
// tracking bytes, the profiles, a 16-bit sum.
bool ReadV1(const uint8_t* bytes, size_t size, LastingState& s) {
  constexpr size_t kHeader = 8 + 3 * 4 + 4;
  if (size != kHeader + kProfilesBytes + 2) return false;
  const uint16_t sum = Checksum16(bytes, size - 2);
  if (bytes[size - 2] != (sum & 0xFF) || bytes[size - 1] != (sum >> 8)) return false;
  Reader in(bytes + 8, size - 8);
  const uint32_t current = in.U32(), firmware = in.U32(), bootLoader = in.U32();
  if (current >= static_cast<uint32_t>(kProfileCount) || firmware > 255 || bootLoader > 255) return false;
  s.current = static_cast<int>(current);
  s.firmware = static_cast<int>(firmware);
  s.bootLoader = static_cast<int>(bootLoader);
  s.tracking.liftOn = static_cast<uint8_t>(in.U8());
  s.tracking.trackControl = static_cast<uint8_t>(in.U8());
  s.tracking.value1 = static_cast<uint8_t>(in.U8());
  s.tracking.value2 = static_cast<uint8_t>(in.U8());
  return in.Bytes(s.profiles->data(), kProfilesBytes);
}

}  // namespace

bool SimulatedMouse::Deserialize(const std::string& data) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  if (data.size() < 8) return false;
  LastingState s;
  {
    // What the first format did not keep stays as the mouse has it.
    Lock lock(lock_);
    s.present = present_;
    s.updatedFirmware = updatedFirmware_;
    s.hostState = hostState_;
    s.factoryResets = factoryResets_;
    s.calibrations = calibrations_;
    s.busyPolls = busyPolls_;
    s.readyStatus = status_;
    s.updateBusyPolls = updateBusyPolls_;
    s.reportDelay = reportDelay_.load();
    s.image = image_;
    s.lightCommands = lightCommands_;
    s.lightBlocks = lightBlocks_;
    s.preambleParts = preambleParts_;
    s.updateFinished = updateFinished_;
    s.receivedImage = receivedImage_;
  }
  bool ok = false;
  if (std::memcmp(bytes, kMagicV2, 8) == 0) {
    // This format carries the light state itself: it replaces the mouse's,
    // never adds to it (only the first format leaves it as it is).
    s.lightCommands.clear();
    s.lightBlocks.clear();
    ok = ReadV2(bytes, data.size(), s);
  }
  else if (std::memcmp(bytes, kMagicV1, 8) == 0) ok = ReadV1(bytes, data.size(), s);
  if (!ok) return false;
  for (ProfileRecord& p : *s.profiles) SanitizeProfile(p);

  Lock lock(lock_);
  present_ = s.present;
  current_ = s.current;
  firmware_ = s.firmware;
  bootLoader_ = s.bootLoader;
  updatedFirmware_ = s.updatedFirmware;
  hostState_ = s.hostState;
  tracking_ = s.tracking;
  factoryResets_ = s.factoryResets;
  calibrations_ = s.calibrations;
  busyPolls_ = s.busyPolls;
  status_ = s.readyStatus;
  updateBusyPolls_ = s.updateBusyPolls;
  reportDelay_ = s.reportDelay;
  profiles_ = std::move(s.profiles);
  image_ = s.image;
  lightCommands_ = std::move(s.lightCommands);
  lightBlocks_ = std::move(s.lightBlocks);
  preambleParts_ = s.preambleParts;
  updateFinished_ = s.updateFinished;
  receivedImage_ = std::move(s.receivedImage);
  // A restored mouse has no exchange in progress.
  busyLeft_ = updateBusyLeft_ = 0;
  selectProfile_ = 0;
  selectWhat_ = kSelectProfileSettings;
  updateStarted_ = updatePrepared_ = false;
  updateSize_ = 0;
  updateImage_.clear();
  blocksReceived_.clear();
  expectedBlock_ = -1;
  return true;
}

bool SimulatedMouse::Save(const std::string& path) const { return WriteFileReplacing(path, Serialize()); }

bool SimulatedMouse::Load(const std::string& path) {
  std::string data;
  return ReadWholeFile(path, data, kMaxStateFile) && Deserialize(data);
}

std::string SimulatedMouse::DescribeState() const {
  Lock lock(lock_);
  std::string out;
  char line[320];
  auto add = [&](int written) {
    if (written <= 0) return;
    const size_t n = static_cast<size_t>(written);
    out.append(line, n < sizeof line ? n : sizeof line - 1);  // a cut line stays within the buffer
  };
  add(std::snprintf(line, sizeof line,
                    "present %d, current profile %d, firmware %d, boot loader %d, host state %d, factory resets %d\n",
                    present_ ? 1 : 0, current_, firmware_, bootLoader_, hostState_, factoryResets_));
  add(std::snprintf(line, sizeof line, "lift-off %d, tracking %d, calibration %d %d, calibrations %d\n",
                    tracking_.liftOn, tracking_.trackControl, tracking_.value1, tracking_.value2, calibrations_));
  add(std::snprintf(line, sizeof line,
                    "busy polls %d, ready status %d, report delay %d ms, failing next %d reports%s\n", busyPolls_,
                    status_, reportDelay_.load(), failNext_, failById_.empty() ? "" : " (and by id)"));
  add(std::snprintf(line, sizeof line, "light commands %zu, light database blocks %zu\n", lightCommands_.size(),
                    lightBlocks_.size()));
  add(std::snprintf(line, sizeof line,
                    "update: preamble parts %d%d%d, %s, last image %zu bytes, busy polls %d, send again %d, "
                    "new version %d\n",
                    preambleParts_ & 1, (preambleParts_ >> 1) & 1, (preambleParts_ >> 2) & 1,
                    updateStarted_ ? "in progress" : updateFinished_ ? "finished" : "idle", receivedImage_.size(),
                    updateBusyPolls_, sendAgainLeft_, updatedFirmware_));
  auto dpi = [](int32_t level) { return static_cast<long long>(level) * 100; };  // levels are in 100 dpi
  for (int n = 0; n < kProfileCount; ++n) {
    const ProfileRecord& p = (*profiles_)[static_cast<size_t>(n)];
    add(std::snprintf(line, sizeof line,
                      "profile %d: dpi %lld %lld %lld %lld %lld, enabled %d%d%d%d%d, active level %d; sensitivity %s %d/%d/%d; "
                      "polling %d\n",
                      n, dpi(p.CpiLevel_X[0]), dpi(p.CpiLevel_X[1]), dpi(p.CpiLevel_X[2]), dpi(p.CpiLevel_X[3]),
                      dpi(p.CpiLevel_X[4]),
                      p.dpi[0], p.dpi[1], p.dpi[2], p.dpi[3], p.dpi[4], p.Cpi_X,
                      p.XYSynchronous == 1 ? "x/y" : "common", p.Sensitivity, p.Sensitivity_X, p.Sensitivity_Y,
                      p.PollingRate));
    add(std::snprintf(line, sizeof line, "  lights: mode %d, flow %d, type %d, speed %d;", p.LightEffectMode,
                      p.LightColorFlow, p.LightEffectType, p.LightEffectSpeed));
    for (const LightInfo& l : p.Lights)
      add(std::snprintf(line, sizeof line, " [%s colour %d (%d,%d,%d)]", l.On == 1 ? "on" : "off", l.ColorNumber,
                        l.Red, l.Green, l.Blue));
    out += "\n  buttons:";
    int macros = 0;
    for (const MacroKeyInfo& k : p.MacroKeys) {
      add(std::snprintf(line, sizeof line, " %d", k.FunctionCode));
      if (k.FunctionCode == 0x30) {
        ++macros;
        add(std::snprintf(line, sizeof line, "[%d events]", k.EventCount));
      }
    }
    add(std::snprintf(line, sizeof line, "\n  macros: %d\n", macros));
  }
  return out;
}

}  // namespace vextra
