// The user's side of the simulated mouse: buttons, DPI and profile changes,
// and the persistent state.
#include <cstdio>
#include <cstring>

#include "sim/simulated_mouse.h"

namespace vextra {

using Lock = std::lock_guard<std::mutex>;

void SimulatedMouse::SetEventSink(EventSink sink) {
  Lock lock(lock_);
  sink_ = std::move(sink);
}

void SimulatedMouse::Raise(uint16_t type, uint16_t value) {
  EventSink sink;
  {
    Lock lock(lock_);
    if (!present_) return;
    sink = sink_;
  }
  if (sink) sink(type, value);
}

void SimulatedMouse::PressButton(int button) {
  if (button >= 1 && button <= 24) Raise(0x8000, static_cast<uint16_t>(button));
}

void SimulatedMouse::ReleaseButton(int button) {
  if (button >= 1 && button <= 24) Raise(0x8000, static_cast<uint16_t>(0x100 | button));
}

void SimulatedMouse::DpiUp() {
  int level;
  {
    Lock lock(lock_);
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    level = p.Cpi_X;
    for (int step = 1; step <= 5; ++step) {
      int next = ((p.Cpi_X < 0 ? 0 : p.Cpi_X) + step) % 5;
      if (p.dpi[next] == 1) {
        level = next;
        break;
      }
    }
    p.Cpi_X = p.Cpi_Y = level;
  }
  Raise(0xB000, static_cast<uint16_t>(level + 1));
}

void SimulatedMouse::DpiDown() {
  int level;
  {
    Lock lock(lock_);
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    level = p.Cpi_X;
    for (int step = 1; step <= 5; ++step) {
      int next = ((p.Cpi_X < 0 ? 0 : p.Cpi_X) + 5 - step) % 5;
      if (p.dpi[next] == 1) {
        level = next;
        break;
      }
    }
    p.Cpi_X = p.Cpi_Y = level;
  }
  Raise(0xB000, static_cast<uint16_t>(level + 1));
}

void SimulatedMouse::SwitchProfile(int index) {
  if (index < 0 || index >= kProfileCount) return;
  {
    Lock lock(lock_);
    current_ = index;
  }
  Raise(0x2000, static_cast<uint16_t>(index + 1));
}

void SimulatedMouse::SetPollingRate(int code) {
  if (code < 0 || code > 3) return;
  {
    Lock lock(lock_);
    (*profiles_)[static_cast<size_t>(current_)].PollingRate = code;
  }
  Raise(0xD000, static_cast<uint16_t>(code + 1));
}

void SimulatedMouse::SetSensitivity(int x, int y) {
  if (x < 1 || x > 11 || y < 0 || y > 11) return;
  {
    Lock lock(lock_);
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    if (p.XYSynchronous == 1) {
      p.Sensitivity_X = x;
      if (y) p.Sensitivity_Y = y;
    } else {
      p.Sensitivity = x;
    }
  }
  Raise(0xC000, static_cast<uint16_t>(x | (y << 8)));
}

void SimulatedMouse::MediaKey(int code, bool released) {
  if (code >= 32 && code <= 39) Raise(0xF000, static_cast<uint16_t>(code | (released ? 0x100 : 0)));
}

void SimulatedMouse::ScrollStep(int direction) { Raise(0x1000, direction < 0 ? 1 : 255); }

void SimulatedMouse::RequestMacro(int n) {
  if (n >= 1 && n <= 110) Raise(0xFE00, static_cast<uint16_t>(n));
}

void SimulatedMouse::RequestLightDatabase() { Raise(0xFD00, 1); }

namespace {
const char kMagic[8] = {'V', 'X', 'S', 'I', 'M', '0', '0', '1'};
struct StateHeader {
  char magic[8];
  int32_t current, firmware, bootLoader;
  uint8_t tracking[4];
};
}  // namespace

std::string SimulatedMouse::Serialize() const {
  Lock lock(lock_);
  StateHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.current = current_;
  h.firmware = firmware_;
  h.bootLoader = bootLoader_;
  const uint8_t t[4] = {tracking_.liftOn, tracking_.trackControl, tracking_.value1, tracking_.value2};
  std::memcpy(h.tracking, t, 4);
  std::string out(reinterpret_cast<const char*>(&h), sizeof h);
  out.append(reinterpret_cast<const char*>(profiles_->data()), sizeof(ProfileRecord) * kProfileCount);
  const uint16_t sum = Checksum16(reinterpret_cast<const uint8_t*>(out.data()), out.size());
  out.push_back(static_cast<char>(sum & 0xFF));
  out.push_back(static_cast<char>(sum >> 8));
  return out;
}

bool SimulatedMouse::Deserialize(const std::string& data) {
  const size_t body = sizeof(StateHeader) + sizeof(ProfileRecord) * kProfileCount;
  if (data.size() != body + 2) return false;
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  const uint16_t sum = Checksum16(bytes, body);
  if (bytes[body] != (sum & 0xFF) || bytes[body + 1] != (sum >> 8)) return false;
  StateHeader h;
  std::memcpy(&h, bytes, sizeof h);
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.current < 0 || h.current >= kProfileCount)
    return false;
  auto profiles = std::make_unique<std::array<ProfileRecord, kProfileCount>>();
  std::memcpy(profiles->data(), bytes + sizeof h, sizeof(ProfileRecord) * kProfileCount);
  for (ProfileRecord& p : *profiles) SanitizeProfile(p);
  Lock lock(lock_);
  profiles_ = std::move(profiles);
  current_ = h.current;
  firmware_ = h.firmware;
  bootLoader_ = h.bootLoader;
  tracking_ = TrackingState{h.tracking[0], h.tracking[1], h.tracking[2], h.tracking[3]};
  return true;
}

std::string SimulatedMouse::DescribeState() const {
  Lock lock(lock_);
  std::string out;
  char line[256];
  std::snprintf(line, sizeof line, "present %d, current profile %d, firmware %d, boot loader %d, host state %d\n",
                present_ ? 1 : 0, current_, firmware_, bootLoader_, hostState_);
  out += line;
  std::snprintf(line, sizeof line, "lift-off %d, tracking %d, calibration %d %d, busy polls %d\n",
                tracking_.liftOn, tracking_.trackControl, tracking_.value1, tracking_.value2, busyPolls_);
  out += line;
  for (int n = 0; n < kProfileCount; ++n) {
    const ProfileRecord& p = (*profiles_)[static_cast<size_t>(n)];
    std::snprintf(line, sizeof line,
                  "profile %d: dpi levels %d %d %d %d %d (active %d), sensitivity %d/%d/%d, polling %d, "
                  "colour %d (%d,%d,%d)\n  buttons:",
                  n, p.CpiLevel_X[0], p.CpiLevel_X[1], p.CpiLevel_X[2], p.CpiLevel_X[3], p.CpiLevel_X[4],
                  p.Cpi_X, p.Sensitivity, p.Sensitivity_X, p.Sensitivity_Y, p.PollingRate,
                  p.Lights[0].ColorNumber, p.Lights[0].Red, p.Lights[0].Green, p.Lights[0].Blue);
    out += line;
    for (const MacroKeyInfo& k : p.MacroKeys) {
      std::snprintf(line, sizeof line, " %d", k.FunctionCode);
      out += line;
      if (k.FunctionCode == 0x30) {
        std::snprintf(line, sizeof line, "[%d events]", k.EventCount);
        out += line;
      }
    }
    out += "\n";
  }
  return out;
}

}  // namespace vextra
