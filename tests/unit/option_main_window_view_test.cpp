// What the main window shows for a block: slots, markers, light previews,
// colour-flow pictures, names, badge and flag, also for blocks full of junk.
#include "option/main_window_view.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

#include "common/file_system.h"
#include "common/help_string_ids.h"

namespace vextra {
namespace {

std::unique_ptr<SettingsBlock> DefaultBlock() {
  auto b = std::make_unique<SettingsBlock>();
  ResetToDefaults(*b, 1);
  return b;
}

TEST(OptionMainWindowView, ShowsTheCurrentSlotMarkerNamesBadgeAndFlag) {
  auto b = DefaultBlock();
  b->CurrentProfile = 2;
  b->WindowsProfile = 4;
  b->MouseType = 1;
  b->QuickHelpLan = 6;
  CopyField(b->Profiles[3].ProFileName, "Shooter");
  const MainWindowView v = main_window::ViewOf(*b);
  EXPECT_EQ(v.latchedSlot, 2);
  for (int i = 0; i < kProfileCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(v.slots[i].latched, i == 2);
    EXPECT_EQ(v.slots[i].nameHighlighted, i == 2);
    EXPECT_EQ(v.slots[i].windowsProfileOn, i == 4);
  }
  EXPECT_EQ(v.slots[0].name, "Default1");
  EXPECT_EQ(v.slots[3].name, "Shooter");
  EXPECT_TRUE(v.badgeVisible);
  EXPECT_EQ(v.flagIndex, 6);
}

TEST(OptionMainWindowView, IndicesOutOfRangeSelectNothingAndShowEnglish) {
  const int32_t junk[] = {-1, 5, 17, 99, INT_MIN, INT_MAX};
  for (int32_t value : junk) {
    SCOPED_TRACE(value);
    auto b = DefaultBlock();
    b->CurrentProfile = value;
    b->WindowsProfile = value;
    b->QuickHelpLan = value == 5 ? 16 : value;  // 16 is a language, the others are not
    b->MouseType = value;
    const MainWindowView v = main_window::ViewOf(*b);
    EXPECT_EQ(v.latchedSlot, -1);
    for (const SlotView& s : v.slots) {
      EXPECT_FALSE(s.latched);
      EXPECT_FALSE(s.nameHighlighted);
      EXPECT_FALSE(s.windowsProfileOn);
    }
    EXPECT_EQ(v.flagIndex, value == 5 ? 16 : 1);
    EXPECT_FALSE(v.badgeVisible);
  }
}

TEST(OptionMainWindowView, AnUnterminatedNameEndsWithItsField) {
  auto b = DefaultBlock();
  std::memset(b->Profiles[1].ProFileName, 'N', sizeof b->Profiles[1].ProFileName);
  const MainWindowView v = main_window::ViewOf(*b);
  EXPECT_EQ(v.slots[1].name, std::string(250, 'N'));
}

TEST(OptionMainWindowView, PreviewsAreBlackWithoutEffectOrForUnlitZonesAndFlowsShowTheirPicture) {
  struct Case {
    int32_t type, flow;
    uint8_t on;
    bool black;
    int picture;
  };
  const Case cases[] = {
      {0, 3, 1, true, -1},   // no effect: dark, no animation
      {1, 3, 0, false, 2},   // type 1 lights every zone; flow 3 is "up-down"
      {3, 0, 1, false, -1},  // lit zone keeps its colour; flow 0 shows nothing
      {3, 5, 0, true, 4},    // unlit zone dark, animation still over it
      {2, 6, 2, true, -1},   // on-flag other than 1 is unlit; flow 6 is none
      {3, -1, 1, false, -1},
      {INT_MIN, INT_MIN, 1, false, -1},  // any other type: lit zones show
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " flow " << c.flow << " on " << int(c.on));
    ProfileRecord p;
    ResetProfile(p, 2);
    p.LightEffectType = c.type;
    p.LightColorFlow = c.flow;
    for (LightInfo& l : p.Lights) l = LightInfo{1, c.on, 250, 20, 7};
    SlotView s;
    main_window::PreviewOf(p, s);
    const PreviewColour expected = c.black ? PreviewColour{} : PreviewColour{250, 20, 7};
    for (const PreviewColour& colour : s.preview) EXPECT_EQ(colour, expected);
    EXPECT_EQ(s.colourFlowPicture, c.picture);
  }
  EXPECT_EQ(FileNameOf(main_window::ColourFlowPath("/p/", 2)), "ColorFlow-Animation_up-down.gif");
  EXPECT_EQ(main_window::ColourFlowPath("/p/", 5), "");
}

TEST(OptionMainWindowView, HelpLibraryFallsBackToEnglish) {
  const std::pair<int32_t, const char*> cases[] = {
      {-1, "English_help.dll"}, {99, "English_help.dll"}, {17, "English_help.dll"},
      {0, "Danish_help.dll"},   {6, "Japanese_help.dll"}, {9, "Russian_help.dll"},
      {16, "Vietnamese_help.dll"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    const std::string path = main_window::HelpLibraryPath("/prog/", c.first);
    EXPECT_EQ(path, JoinPath(JoinPath("/prog/", "help"), c.second));
  }
}

TEST(OptionMainWindowView, HelpIdsByLayoutName) {
  EXPECT_EQ(main_window::HelpIdOf("Profile 3"), kHelpProfileSlot3);
  EXPECT_EQ(main_window::HelpIdOf("Profile 3 name"), kHelpProfileName3);
  EXPECT_EQ(main_window::HelpIdOf("Cancel"), kHelpCancel);
  // The marker pair shares one name; the window tells on from off itself.
  EXPECT_EQ(main_window::HelpIdOf("windows profile"), 0);
  EXPECT_EQ(main_window::HelpIdOf("Page position"), 0);
  EXPECT_EQ(main_window::HelpIdOf(nullptr), 0);
}

}  // namespace
}  // namespace vextra
