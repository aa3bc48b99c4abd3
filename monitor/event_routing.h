// Device events: the 32-bit event code and the table that routes each event
// to the handler that carries it out.
#pragma once

#include <cstdint>

namespace vextra {

// type in the high half, value in the low half.
inline uint32_t DeviceEventCode(uint32_t wParam, uint32_t lParam) {
  return ((wParam & 0xFFFF) << 16) | (lParam & 0xFFFF);
}
// The presence message (wParam 1 arrived, 0 removed) as an event code.
inline uint32_t PresenceEventCode(uint32_t wParam) {
  return (0x7F00u << 16) | (wParam == 1 ? 1u : wParam == 0 ? 2u : 0u);
}

enum class EventRoute {
  Ignore,
  Arrival,
  Removal,
  UniversalScroll,   // arg: direction -1 / +1
  VolumeSound,       // arg: sound timer 607 / 608
  ProfileChanged,    // arg: profile index 0..4
  LdaEvent,          // arg: value
  Quicklaunch,       // arg: slot 0..23
  Button,            // arg: slot 0..23; pressed flag
  ShowOption,
  DpiChanged,        // arg: level index 0..4
  SensitivityChanged,  // arg: value (b | h << 8)
  PollingChanged,    // arg: polling code 0..3
  Media,             // arg: function 32..39; pressed flag
  LightDatabaseJob,
  MacroJob,          // arg: n 1..110
  SynraShift,        // arg: value
};

struct RoutedEvent {
  EventRoute route = EventRoute::Ignore;
  int arg = 0;
  bool pressed = false;
};

// deviceState: 1 present, 2 removed, 0 not known yet.
RoutedEvent RouteEvent(uint32_t code, int deviceState);

}  // namespace vextra
