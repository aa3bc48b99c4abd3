#include "monitor/event_routing.h"

#include <gtest/gtest.h>

namespace vextra {
namespace {

TEST(EventRouting, TableRowByRow) {
  struct Case {
    uint32_t wParam, lParam;
    int deviceState;
    EventRoute route;
    int arg;
    bool pressed;
  } cases[] = {
      {0x1000, 1, 1, EventRoute::UniversalScroll, -1, false},
      {0x1000, 255, 1, EventRoute::UniversalScroll, 1, false},
      {0x1000, 2, 1, EventRoute::Ignore, 0, false},
      {0x1A00, 1, 1, EventRoute::Ignore, 0, false},
      {0x1B00, 1, 1, EventRoute::VolumeSound, 607, false},
      {0x1B00, 255, 1, EventRoute::VolumeSound, 608, false},
      {0x1B00, 0x101, 1, EventRoute::Ignore, 0, false},
      {0x2000, 3, 1, EventRoute::ProfileChanged, 2, false},
      {0x2000, 6, 1, EventRoute::Ignore, 0, false},
      {0x3000, 0x1234, 1, EventRoute::LdaEvent, 0x1234, false},
      {0x6000, 24, 1, EventRoute::Quicklaunch, 23, false},
      {0x6000, 0x118, 1, EventRoute::Ignore, 0, false},
      {0x8000, 5, 1, EventRoute::Button, 4, true},
      {0x9000, 0x105, 1, EventRoute::Button, 4, false},
      {0x8000, 25, 1, EventRoute::Ignore, 0, false},
      {0xA000, 1, 1, EventRoute::ShowOption, 0, false},
      {0xB000, 5, 1, EventRoute::DpiChanged, 4, false},
      {0xB000, 0, 1, EventRoute::Ignore, 0, false},
      {0xC000, 0x0300, 1, EventRoute::SensitivityChanged, 0x300, false},
      {0xD000, 4, 1, EventRoute::PollingChanged, 3, false},
      {0xD000, 5, 1, EventRoute::Ignore, 0, false},
      {0xE000, 1, 1, EventRoute::Ignore, 0, false},
      {0xF000, 35, 1, EventRoute::Media, 35, true},
      {0xF000, 0x123, 1, EventRoute::Media, 35, false},
      {0xF000, 40, 1, EventRoute::Ignore, 0, false},
      {0xFD00, 1, 1, EventRoute::LightDatabaseJob, 0, false},
      {0xFE00, 110, 1, EventRoute::MacroJob, 110, false},
      {0xFE00, 111, 1, EventRoute::Ignore, 0, false},
      {0xFF00, 0x0203, 1, EventRoute::SynraShift, 0x203, false},
      {0x12345, 0xFFFF1, 1, EventRoute::Ignore, 0, false},  // only the low halves count: type 0x2345
  };
  for (const Case& c : cases) {
    RoutedEvent r = RouteEvent(DeviceEventCode(c.wParam, c.lParam), c.deviceState);
    EXPECT_EQ(r.route, c.route) << std::hex << c.wParam << " " << c.lParam;
    EXPECT_EQ(r.arg, c.arg) << std::hex << c.wParam << " " << c.lParam;
    EXPECT_EQ(r.pressed, c.pressed) << std::hex << c.wParam << " " << c.lParam;
  }
}

TEST(EventRouting, PresenceRunsEachTransitionOnce) {
  EXPECT_EQ(RouteEvent(PresenceEventCode(1), 0).route, EventRoute::Arrival);
  EXPECT_EQ(RouteEvent(PresenceEventCode(1), 1).route, EventRoute::Ignore);  // already present
  EXPECT_EQ(RouteEvent(PresenceEventCode(0), 1).route, EventRoute::Removal);
  EXPECT_EQ(RouteEvent(PresenceEventCode(0), 2).route, EventRoute::Ignore);
  EXPECT_EQ(RouteEvent(PresenceEventCode(7), 1).route, EventRoute::Ignore);
}

}  // namespace
}  // namespace vextra
