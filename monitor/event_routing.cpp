#include "monitor/event_routing.h"

#include "common/program_messages.h"

namespace vextra {

RoutedEvent RouteEvent(uint32_t code, int deviceState) {
  const uint32_t type = code >> 16;
  const int v = static_cast<int>(code & 0xFFFF);
  const int b = v & 0xFF, h = v >> 8;
  RoutedEvent r;
  switch (type) {
    case 0x7F00:
      if (v == 1 && deviceState != 1) r.route = EventRoute::Arrival;
      if (v == 2 && deviceState != 2) r.route = EventRoute::Removal;
      break;
    case 0x1000:
      if (v == 1) r = {EventRoute::UniversalScroll, -1, false};
      if (v == 255) r = {EventRoute::UniversalScroll, 1, false};
      break;
    case 0x1B00:
      if ((b == 1 || b == 255) && h == 0) r = {EventRoute::VolumeSound, b == 1 ? kTimerVolumeUpSound : kTimerVolumeDownSound, false};
      break;
    case 0x2000:
      if (v >= 1 && v <= 5) r = {EventRoute::ProfileChanged, v - 1, false};
      break;
    case 0x3000:
      r = {EventRoute::LdaEvent, v, false};
      break;
    case 0x6000:
      if (b >= 1 && b <= 24 && h == 0) r = {EventRoute::Quicklaunch, b - 1, false};
      break;
    case 0x8000:
    case 0x9000:
      if (b >= 1 && b <= 24) r = {EventRoute::Button, b - 1, h == 0};
      break;
    case 0xA000:
      if (v == 1) r.route = EventRoute::ShowOption;
      break;
    case 0xB000:
      if (v >= 1 && v <= 5) r = {EventRoute::DpiChanged, v - 1, false};
      break;
    case 0xC000:
      r = {EventRoute::SensitivityChanged, v, false};
      break;
    case 0xD000:
      if (v >= 1 && v <= 4) r = {EventRoute::PollingChanged, v - 1, false};
      break;
    case 0xF000:
      if (b >= 32 && b <= 39) r = {EventRoute::Media, b, h == 0};
      break;
    case 0xFD00:
      if (b == 1) r.route = EventRoute::LightDatabaseJob;
      break;
    case 0xFE00:
      if (b >= 1 && b <= 110) r = {EventRoute::MacroJob, b, false};
      break;
    case 0xFF00:
      r = {EventRoute::SynraShift, v, false};
      break;
    default:  // 0x1A00, 0xE000 and unknown types are ignored
      break;
  }
  return r;
}

}  // namespace vextra
