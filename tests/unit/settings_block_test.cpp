#include "common/settings_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace vextra {
namespace {

std::unique_ptr<SettingsBlock> NewBlock() {
  auto b = std::make_unique<SettingsBlock>();
  std::memset(b.get(), 0xAB, sizeof *b);
  return b;
}

TEST(SettingsBlock, FullResetSetsGlobalsAndKeepsMouseTypeAndFlags) {
  auto b = NewBlock();
  b->MouseType = 42;
  ResetToDefaults(*b, 7);
  EXPECT_EQ(b->CurrentProfile, 0);
  EXPECT_EQ(b->WindowsProfile, -1);
  EXPECT_EQ(b->QuickHelpLan, 7);
  EXPECT_EQ(b->LiftOnFlag, 0);
  EXPECT_EQ(b->TrackControlFlag, 0);
  EXPECT_EQ(b->MouseType, 42);
  // change flags are not the reset's business
  EXPECT_EQ(b->ButtonChanged[0][0], static_cast<int32_t>(0xABABABAB));
  EXPECT_EQ(b->DeviceFlagsChanged, static_cast<int32_t>(0xABABABAB));
}

TEST(SettingsBlock, ProfileResetPerProfileValues) {
  struct Expect {
    const char* name;
    uint8_t colour, red, green, blue;
    int32_t colorFlow, effectType;
  } expected[5] = {{"Default1", 19, 0, 100, 250, 1, 3}, {"Default2", 19, 0, 100, 250, 0, 1},
                   {"Default3", 1, 250, 0, 0, 0, 1},    {"Default4", 12, 0, 250, 0, 0, 1},
                   {"Default5", 23, 0, 0, 250, 0, 1}};
  auto b = NewBlock();
  ResetToDefaults(*b, 1);
  for (int n = 0; n < 5; ++n) {
    SCOPED_TRACE(n);
    const ProfileRecord& p = b->Profiles[n];
    EXPECT_STREQ(p.ProFileName, expected[n].name);
    EXPECT_EQ(p.GameFile0[0], 0);
    for (const LightInfo& l : p.Lights) {
      EXPECT_EQ(l.ColorNumber, expected[n].colour);
      EXPECT_EQ(l.On, 1);
      EXPECT_EQ(l.Red, expected[n].red);
      EXPECT_EQ(l.Green, expected[n].green);
      EXPECT_EQ(l.Blue, expected[n].blue);
    }
    EXPECT_EQ(p.LightColorFlow, expected[n].colorFlow);
    EXPECT_EQ(p.LightEffectType, expected[n].effectType);
    EXPECT_EQ(p.DbleClickSpeed, 500);
    EXPECT_EQ(p.ScrollWheelSpeed, 3);
    EXPECT_EQ(p.MouseSpeed, 10);
    EXPECT_EQ(p.Acceleration, 10);
    EXPECT_EQ(p.HDDKeyboard, 1);
    EXPECT_EQ(p.Sensitivity, 6);
    EXPECT_EQ(p.Cpi_X, 1);
    EXPECT_EQ(p.CpiLevel_X[4], 60);
    EXPECT_EQ(p.CpiLevel_Y[2], 16);
    EXPECT_EQ(p.PollingRate, 3);
    EXPECT_EQ(p.SoundVolume, 2);
    EXPECT_EQ(p.UseColorForAll, 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p.dpi[i], 1);
    EXPECT_EQ(p.dpi[5], 0xAB);  // dpi5 is not the reset's business
    EXPECT_EQ(p.Padding0[0], 0);
    for (int s = 0; s < 24; ++s) EXPECT_EQ(p.MacroKeys[s].ButtonNumber, s);
    EXPECT_EQ(p.MacroKeys[4].FunctionCode, 65);
    EXPECT_EQ(p.MacroKeys[15].FunctionCode, 6);
    EXPECT_EQ(p.MacroKeys[16].FunctionCode, 0);
    EXPECT_EQ(p.MacroKeys[23].FunctionCode, 27);
    EXPECT_EQ(p.MacroKeys[0].EventCount, 0);
    EXPECT_EQ(p.MacroKeys[0].Name[0], 0);
  }
}

TEST(SettingsBlock, EmptyResetZeroesProfilesAndFlagsOnly) {
  auto b = NewBlock();
  b->WindowsProfile = 3;
  b->QuickHelpLan = 7;
  b->LiftOnFlag = 2;
  b->TrackControlFlag = 1;
  b->MouseType = 5;
  b->Profiles[3].dpi[5] = 1;
  b->ButtonChanged[4][23] = 1;
  b->ProfileChanged[2] = 1;
  b->CurrentProfileChanged = 1;
  b->DeviceFlagsChanged = 1;
  ResetToEmpty(*b);
  EXPECT_EQ(b->CurrentProfile, -1);
  EXPECT_EQ(b->MouseType, 0);
  EXPECT_EQ(b->Profiles[3].dpi[5], 0);
  EXPECT_EQ(b->Profiles[4].MacroKeys[23].ButtonNumber, 0);
  EXPECT_EQ(b->ButtonChanged[4][23], 0);
  EXPECT_EQ(b->ProfileChanged[2], 0);
  EXPECT_EQ(b->CurrentProfileChanged, 0);
  EXPECT_EQ(b->DeviceFlagsChanged, 0);
  // Not listed for this reset: kept.
  EXPECT_EQ(b->WindowsProfile, 3);
  EXPECT_EQ(b->QuickHelpLan, 7);
  EXPECT_EQ(b->LiftOnFlag, 2);
  EXPECT_EQ(b->TrackControlFlag, 1);
}

TEST(SettingsBlock, ChangeDetectionCoversExactlyTheDeviceFields) {
  auto received = std::make_unique<SettingsBlock>();
  ResetToDefaults(*received, 1);
  ClearChangeFlags(*received);
  struct Case {
    const char* what;
    void (*edit)(ProfileRecord&);
    bool sets;
  } cases[] = {
      {"HDDKeyboard", [](ProfileRecord& p) { p.HDDKeyboard = 0; }, true},
      {"dpi5", [](ProfileRecord& p) { p.dpi[5] = 1; }, true},
      {"CpiLevel_Y4", [](ProfileRecord& p) { p.CpiLevel_Y[4] = 61; }, true},
      {"LightEffectSpeed", [](ProfileRecord& p) { p.LightEffectSpeed = 4; }, true},
      {"LightInfo3 blue", [](ProfileRecord& p) { p.Lights[3].Blue = 1; }, true},
      {"XYCpiFlag", [](ProfileRecord& p) { p.XYCpiFlag = 1; }, true},
      {"SoundDpi", [](ProfileRecord& p) { p.SoundDpi = 0; }, false},
      {"UseColorForAll", [](ProfileRecord& p) { p.UseColorForAll = 1; }, false},
      {"name", [](ProfileRecord& p) { p.ProFileName[0] = 'X'; }, false},
      {"MouseSpeed", [](ProfileRecord& p) { p.MouseSpeed = 3; }, false},
      {"MediaOption", [](ProfileRecord& p) { p.MediaOption = 3; }, false},
      {"slot code", [](ProfileRecord& p) { p.MacroKeys[3].FunctionCode = 1; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto edited = std::make_unique<SettingsBlock>(*received);
    c.edit(edited->Profiles[2]);
    DetectChanges(*received, *edited);
    EXPECT_EQ(edited->ProfileChanged[2], c.sets ? 1 : 0);
    EXPECT_EQ(edited->ProfileChanged[1], 0);
    EXPECT_EQ(edited->CurrentProfileChanged, 0);
    EXPECT_EQ(edited->DeviceFlagsChanged, 0);
  }
  auto edited = std::make_unique<SettingsBlock>(*received);
  edited->CurrentProfile = 3;
  edited->TrackControlFlag = 1;
  edited->ButtonChanged[0][5] = 1;
  DetectChanges(*received, *edited);
  EXPECT_EQ(edited->CurrentProfileChanged, 1);
  EXPECT_EQ(edited->DeviceFlagsChanged, 1);
  EXPECT_EQ(edited->ButtonChanged[0][5], 1);  // not recomputed
}

TEST(SettingsBlock, MarkAllAndClearTouchOnlyTheFlagArea) {
  auto b = std::make_unique<SettingsBlock>();
  ResetToDefaults(*b, 1);
  ClearChangeFlags(*b);
  auto before = std::make_unique<SettingsBlock>(*b);
  MarkAllChanged(*b);
  for (int p = 0; p < 5; ++p)
    for (int s = 0; s < 24; ++s) ASSERT_EQ(b->ButtonChanged[p][s], 1);
  for (int p = 0; p < 5; ++p) EXPECT_EQ(b->ProfileChanged[p], 1);
  EXPECT_EQ(b->CurrentProfileChanged, 1);
  EXPECT_EQ(b->DeviceFlagsChanged, 1);
  EXPECT_EQ(std::memcmp(b.get(), before.get(), kChangeFlagsOffset), 0);
  ClearChangeFlags(*b);
  EXPECT_EQ(std::memcmp(b.get(), before.get(), sizeof *b), 0);
}

TEST(SettingsBlock, SanitizeBoundsHostileSlots) {
  auto b = std::make_unique<SettingsBlock>();
  std::memset(b.get(), 0x7F, sizeof *b);  // no terminators anywhere, counts 0x7F7F
  SanitizeBlock(*b);
  const ProfileRecord& p = b->Profiles[4];
  EXPECT_EQ(FieldLength(p.ProFileName), 249u);
  EXPECT_EQ(p.MacroKeys[7].ButtonNumber, 7);
  EXPECT_EQ(p.MacroKeys[7].EventCount, 500);
  EXPECT_EQ(FieldLength(p.MacroKeys[7].ProgramPath), 259u);
  b->Profiles[0].MacroKeys[0].EventCount = -3;
  SanitizeBlock(*b);
  EXPECT_EQ(b->Profiles[0].MacroKeys[0].EventCount, 0);
}

TEST(SettingsBlock, AFullEventAreaSurvivesSanitizing) {
  auto slot = std::make_unique<MacroKeyInfo>();
  std::memset(slot.get(), 0, sizeof *slot);
  for (int i = 0; i < kMaxMacroEvents; ++i)
    slot->Events[i] = MacroEvent{static_cast<uint8_t>(4 + i % 90), static_cast<uint8_t>(1 + i % 2),
                                 static_cast<uint16_t>(i * 131)};
  slot->TimerSeconds = 0x5A5A5A5A;  // the field right after the event area
  slot->EventCount = 500;
  const auto full = std::make_unique<MacroKeyInfo>(*slot);
  for (int16_t count : {int16_t{500}, int16_t{501}, int16_t{0x7FFF}}) {
    SCOPED_TRACE(count);
    slot->EventCount = count;
    SanitizeSlot(*slot, 0);
    EXPECT_EQ(slot->EventCount, 500) << "every one of the 500 events is kept";
    EXPECT_EQ(std::memcmp(slot.get(), full.get(), sizeof *slot), 0) << "events and neighbours untouched";
  }
  slot->EventCount = 499;
  SanitizeSlot(*slot, 0);
  EXPECT_EQ(slot->EventCount, 499);
}

}  // namespace
}  // namespace vextra
