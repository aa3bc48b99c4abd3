// The user's side of the simulated mouse: buttons, DPI, sensitivity, profile
// and polling changes, wheel and media keys, requests to the host, and the
// cable. Each changes what the mouse itself would change and raises the event
// the mouse sends; an unplugged mouse does and says nothing.
#include "sim/simulated_mouse.h"

namespace vextra {

using Lock = std::lock_guard<std::mutex>;

namespace {
constexpr uint16_t kButtonEvent = 0x8000;
constexpr uint16_t kButtonReleased = 0x100;
constexpr uint16_t kProfileEvent = 0x2000;
constexpr uint16_t kDpiEvent = 0xB000;
constexpr uint16_t kSensitivityEvent = 0xC000;
constexpr uint16_t kPollingEvent = 0xD000;
constexpr uint16_t kScrollEvent = 0x1000;
constexpr uint16_t kMediaEvent = 0xF000;
constexpr uint16_t kLightDatabaseRequest = 0xFD00;
constexpr uint16_t kMacroRequest = 0xFE00;
constexpr uint16_t kArrived = 1, kRemoved = 2;

// The next enabled DPI level from `from` in steps of `step` (+1 or -1),
// wrapping round; -1 when no level is enabled.
int NextEnabledLevel(const ProfileRecord& p, int from, int step) {
  if (from < 0 || from > 4) from = 0;
  for (int n = 1; n <= 5; ++n) {
    const int level = (from + 5 + step * n) % 5;
    if (p.dpi[level] == 1) return level;
  }
  return -1;
}
}  // namespace

void SimulatedMouse::SetEventSink(EventSink sink) {
  Lock lock(lock_);
  sink_ = std::move(sink);
}

void SimulatedMouse::Raise(uint16_t type, uint16_t value, bool evenIfAbsent) {
  EventSink sink;
  {
    Lock lock(lock_);
    if (!present_ && !evenIfAbsent) return;
    sink = sink_;
  }
  if (sink) sink(type, value);
}

void SimulatedMouse::PressButton(int button) {
  if (button >= 1 && button <= kButtonSlots) Raise(kButtonEvent, static_cast<uint16_t>(button));
}

void SimulatedMouse::ReleaseButton(int button) {
  if (button >= 1 && button <= kButtonSlots) Raise(kButtonEvent, static_cast<uint16_t>(kButtonReleased | button));
}

void SimulatedMouse::DpiUp() {
  int level;
  {
    Lock lock(lock_);
    if (!present_) return;
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    level = NextEnabledLevel(p, p.Cpi_X, +1);
    if (level < 0) return;  // no level in the cycle: the button does nothing
    p.Cpi_X = p.Cpi_Y = level;
  }
  Raise(kDpiEvent, static_cast<uint16_t>(level + 1));
}

void SimulatedMouse::DpiDown() {
  int level;
  {
    Lock lock(lock_);
    if (!present_) return;
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    level = NextEnabledLevel(p, p.Cpi_X, -1);
    if (level < 0) return;
    p.Cpi_X = p.Cpi_Y = level;
  }
  Raise(kDpiEvent, static_cast<uint16_t>(level + 1));
}

bool SimulatedMouse::ChangeCurrentProfile(int index) {
  {
    Lock lock(lock_);
    if (!present_ || index < 0 || index >= kProfileCount) return false;
    current_ = index;
  }
  Raise(kProfileEvent, static_cast<uint16_t>(index + 1));
  return true;
}

void SimulatedMouse::SwitchProfile(int index) { ChangeCurrentProfile(index); }

void SimulatedMouse::ProfileUp() { ChangeCurrentProfile((CurrentProfile() + 1) % kProfileCount); }

void SimulatedMouse::ProfileDown() {
  ChangeCurrentProfile((CurrentProfile() + kProfileCount - 1) % kProfileCount);
}

void SimulatedMouse::SetPollingRate(int code) {
  if (code < 0 || code > 3) return;
  {
    Lock lock(lock_);
    if (!present_) return;
    (*profiles_)[static_cast<size_t>(current_)].PollingRate = code;
  }
  Raise(kPollingEvent, static_cast<uint16_t>(code + 1));
}

void SimulatedMouse::SetSensitivity(int x, int y) {
  if (x < 1 || x > 11 || y < 0 || y > 11) return;
  {
    Lock lock(lock_);
    if (!present_) return;
    ProfileRecord& p = (*profiles_)[static_cast<size_t>(current_)];
    if (p.XYSynchronous == 1) {
      p.Sensitivity_X = x;
      if (y) p.Sensitivity_Y = y;
    } else {
      p.Sensitivity = x;
    }
  }
  Raise(kSensitivityEvent, static_cast<uint16_t>(x | (y << 8)));
}

void SimulatedMouse::MediaKey(int code, bool released) {
  if (code >= 32 && code <= 39)
    Raise(kMediaEvent, static_cast<uint16_t>(code | (released ? kButtonReleased : 0)));
}

void SimulatedMouse::ScrollStep(int direction) {
  if (direction != 0) Raise(kScrollEvent, direction < 0 ? 1 : 255);
}

void SimulatedMouse::RequestMacro(int n) {
  if (n >= 1 && n <= 110) Raise(kMacroRequest, static_cast<uint16_t>(n));
}

void SimulatedMouse::RequestLightDatabase() { Raise(kLightDatabaseRequest, 1); }

void SimulatedMouse::PlugIn() {
  {
    Lock lock(lock_);
    if (present_) return;
    present_ = true;
  }
  Raise(kPresenceEvent, kArrived);
}

void SimulatedMouse::Unplug() {
  {
    Lock lock(lock_);
    if (!present_) return;
    present_ = false;
  }
  Raise(kPresenceEvent, kRemoved, true);
}

}  // namespace vextra
