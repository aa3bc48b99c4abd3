#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/function_catalogue.h"

namespace vextra {
namespace {

class DisplayText : public ::testing::Test {
 protected:
  void SetUp() override { ResetProfile(*profile, 0); }
  std::string Text() { return SlotDisplayText(slot, *profile, devices, us); }

  std::unique_ptr<ProfileRecord> profile = std::make_unique<ProfileRecord>();
  std::vector<CompanionDevice> devices = {{0x0007, "Keypad"}, {0x1234, "Pad"}};
  UsKeyboardLayout us;
  MacroKeyInfo slot{};
};

TEST_F(DisplayText, Shortcut) {
  slot.FunctionCode = 5;
  slot.EventCount = 1;
  slot.Events[0].key = 4;
  struct Case {
    uint8_t modifiers;
    const char* text;
  } cases[] = {{0x01, "A"}, {0x1F, "A"}, {0x00, "A"}, {0x1E, "Ctrl+Shift+Alt+Win+A"},
               {0x06, "Ctrl+Shift+A"}, {0x18, "Alt+Win+A"}, {0x02, "Shift+A"}};
  for (const Case& c : cases) {
    slot.Events[0].action = c.modifiers;
    EXPECT_EQ(Text(), c.text) << int(c.modifiers);
  }
  slot.Events[0].key = 242;
  slot.Events[0].action = 0x04;
  EXPECT_EQ(Text(), "Ctrl+Wheel");
  slot.EventCount = 0;
  EXPECT_EQ(Text(), "");
  slot.EventCount = -2;
  EXPECT_EQ(Text(), "");
}

TEST_F(DisplayText, SlotTexts) {
  slot.FunctionCode = 15;
  struct Path {
    const char* path;
    const char* text;
  } paths[] = {{"C:\\Program Files\\Tool\\run.exe", "run.exe"}, {"C:/Games/x/play.bat", "play.bat"},
               {"D:\\a/b\\c.d.exe", "c.d.exe"}, {"tool.exe", "tool.exe"}, {"C:\\folder\\", ""}};
  for (const Path& p : paths) {
    CopyField(slot.ProgramPath, p.path);
    EXPECT_EQ(Text(), p.text) << p.path;
  }
  std::memset(slot.ProgramPath, 'p', sizeof slot.ProgramPath);  // unterminated
  EXPECT_EQ(Text().size(), sizeof slot.ProgramPath);

  slot.FunctionCode = 48;
  CopyField(slot.MacroName, "Combo");
  CopyField(slot.TimerName, "Tea");
  EXPECT_EQ(Text(), "Combo");
  slot.FunctionCode = 49;
  EXPECT_EQ(Text(), "Tea");

  profile->CpiLevel_X[2] = 16;
  profile->CpiLevel_X[4] = 57;
  slot.FunctionCode = 53;
  EXPECT_EQ(Text(), "Tanaim 1600 DPI");
  slot.FunctionCode = 55;
  EXPECT_EQ(Text(), "Tanaim 5700 DPI");
  profile->CpiLevel_X[0] = 2000000000;  // damaged: no overflow
  slot.FunctionCode = 51;
  EXPECT_EQ(Text(), "Tanaim 200000000000 DPI");

  // Companion devices by the low 16 bits of the id.
  slot.FunctionCode = 82;
  slot.SynraDeviceId = 0xABCD1234;
  EXPECT_EQ(Text(), "Tan-shift Pad Lock");
  slot.FunctionCode = 81;
  slot.SynraDeviceId = 7;
  EXPECT_EQ(Text(), "Tan-shift Keypad");
  slot.SynraDeviceId = 0x99;  // no longer in the list
  EXPECT_EQ(Text(), "");
  slot.FunctionCode = 83;
  EXPECT_EQ(Text(), "Tanshift all devices");
}

TEST_F(DisplayText, FixedTextsAndMeaninglessCodes) {
  struct Case {
    uint8_t code;
    const char* text;
  } cases[] = {{0, "Disabled"},        {6, "Disabled"},           {64, "Disabled"},
               {1, "Click"},           {3, "Universal scrolling"}, {11, "DPI Change"},
               {19, "Assign a sensitivity"}, {23, "Sensitivity Cycle"}, {27, "Open Driver"},
               {35, "Play/Pause"},     {39, "Windows Volume Down"}, {50, "Stop Timer"},
               {65, "Tanshift Vextra"}, {71, "Tanwheel Aero Flip 3D"}, {84, "Tanshift all Lock"}};
  for (const Case& c : cases) {
    slot.FunctionCode = c.code;
    EXPECT_EQ(Text(), c.text) << int(c.code);
  }
  // Codes without meaning show nothing, even with parameters left in the slot.
  CopyField(slot.MacroName, "left over");
  for (int code : {12, 28, 31, 40, 47, 56, 63, 72, 80, 85, 200, 255}) {
    slot.FunctionCode = static_cast<uint8_t>(code);
    EXPECT_EQ(Text(), "") << code;
    EXPECT_EQ(FunctionMenuId(static_cast<uint8_t>(code)), 0) << code;
  }
}

TEST(Catalogue, MenuIdsAndDefaults) {
  struct Case {
    uint8_t code;
    int menuId;
  } cases[] = {{0, 0},     {1, 1001},  {5, 1005},  {6, 1006},   {11, 0},    {15, 1015}, {19, 0},
               {23, 1041}, {25, 1043}, {26, 1055}, {27, 1056},  {50, 502},  {51, 1045}, {55, 1049},
               {64, 0},    {65, 1024}, {69, 1028}, {70, 1030},  {71, 1031}, {83, 11200}, {84, 0}};
  for (const Case& c : cases) EXPECT_EQ(FunctionMenuId(c.code), c.menuId) << int(c.code);
  EXPECT_EQ(MacroMenuId(0, 0), 1100);
  EXPECT_EQ(MacroMenuId(2, 5), 1305);
  EXPECT_EQ(MacroMenuId(99, 99), 11099);
  EXPECT_EQ(MacroMenuId(100, 0), 0);
  EXPECT_EQ(MacroMenuId(0, -1), 0);
  EXPECT_EQ(TimerMenuId(0), 505);
  EXPECT_EQ(TimerMenuId(49), 554);
  EXPECT_EQ(TimerMenuId(50), 0);
  EXPECT_EQ(DeviceMenuId(81, 1), 11210);
  EXPECT_EQ(DeviceMenuId(82, 3), 11231);
  EXPECT_EQ(DeviceMenuId(81, 0), 0);
  EXPECT_EQ(DeviceMenuId(83, 1), 0);

  const uint8_t defaults[24] = {1, 2, 3, 7, 65, 9, 10, 13, 14, 21, 22, 26,
                                8, 7, 37, 6, 0, 33, 34, 38, 39, 17, 18, 27};
  auto profile = std::make_unique<ProfileRecord>();
  ResetProfile(*profile, 3);
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(DefaultFunctionCode(i), defaults[i]) << i;
    EXPECT_EQ(profile->MacroKeys[i].FunctionCode, defaults[i]) << i;
  }
  EXPECT_EQ(DefaultFunctionCode(-1), 0);
  EXPECT_EQ(DefaultFunctionCode(24), 0);
}

class Assignment : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToDefaults(*block, 1);
    ClearChangeFlags(*block);
  }
  MacroKeyInfo& Slot(int i) { return block->Profiles[1].MacroKeys[i]; }
  void Assign(int button, uint8_t code, const AssignParams& params = AssignParams()) {
    AssignFunction(*block, 1, button, code, params, memory);
  }

  std::unique_ptr<SettingsBlock> block = std::make_unique<SettingsBlock>();
  TanshiftMemory memory;
};

TEST_F(Assignment, ParametersPerCode) {
  MacroRecord m;
  std::memset(&m, 0, sizeof m);
  CopyField(m.Name, "Jump");
  m.LoopCount = 3;
  for (int i = 0; i < 500; ++i) AppendEvent(m, 44, i % 2 ? kKeyRelease : kKeyPress);
  AssignParams withMacro;
  withMacro.macroSetName = std::string(300, 's');  // longer than the field
  withMacro.macro = &m;
  MacroKeyInfo& s = Slot(7);
  CopyField(s.ProgramPath, "x.exe");
  Assign(7, 48, withMacro);
  EXPECT_EQ(s.FunctionCode, 48);
  EXPECT_EQ(FieldLength(s.MacroSetName), 49u);
  EXPECT_STREQ(s.MacroName, "Jump");
  EXPECT_EQ(s.LoopCount, 3);
  EXPECT_EQ(s.EventCount, 500);
  EXPECT_EQ(std::memcmp(s.Events, m.Events, sizeof s.Events), 0);
  EXPECT_EQ(s.ButtonNumber, 7);
  EXPECT_EQ(block->ButtonChanged[1][7], 1);

  // "Disabled" stores 6; the macro fields go, path and timer stay.
  TimerRecord t;
  std::memset(&t, 0, sizeof t);
  t.Seconds = 90;
  CopyField(t.Name, "Tea");
  s.TimerSeconds = 15;
  Assign(7, 6);
  EXPECT_EQ(s.FunctionCode, 6);
  EXPECT_EQ(s.LoopCount, 0);
  EXPECT_EQ(s.EventCount, 0);
  EXPECT_EQ(s.MacroName[0], 0);
  EXPECT_EQ(s.MacroSetName[0], 0);
  EXPECT_EQ(s.Events[499].key, 0);
  EXPECT_STREQ(s.ProgramPath, "x.exe");
  EXPECT_EQ(s.TimerSeconds, 15);

  // A timer: its fields, and the macro fields cleared.
  Assign(7, 48, withMacro);
  AssignParams withTimer;
  withTimer.timer = &t;
  Assign(7, 49, withTimer);
  EXPECT_EQ(s.TimerSeconds, 90);
  EXPECT_STREQ(s.TimerName, "Tea");
  EXPECT_EQ(s.EventCount, 0);
  EXPECT_EQ(s.MacroName[0], 0);

  // A shortcut: key, modifiers, count 1.
  AssignParams shortcut;
  shortcut.hasShortcut = true;
  shortcut.shortcutKey = 6;
  shortcut.shortcutModifiers = 0x04;
  Assign(7, 5, shortcut);
  EXPECT_EQ(s.EventCount, 1);
  EXPECT_EQ(s.Events[0].key, 6);
  EXPECT_EQ(s.Events[0].action, 0x04);
  EXPECT_STREQ(s.TimerName, "Tea");

  // Quicklaunch: the path, cut to its field.
  AssignParams program;
  program.programPath = "C:\\" + std::string(400, 'd') + "\\run.exe";
  Assign(7, 15, program);
  EXPECT_EQ(FieldLength(s.ProgramPath), 259u);
  EXPECT_EQ(s.EventCount, 0);

  // Companion devices: the chosen id, or "all devices".
  AssignParams device;
  device.deviceId = 0x1234;
  Assign(8, 81, device);
  EXPECT_EQ(Slot(8).SynraDeviceId, 0x1234u);
  Assign(8, 83, device);
  EXPECT_EQ(Slot(8).SynraDeviceId, kAllDevices);

  // Unchanged code still marks the button; bad positions change nothing.
  block->ButtonChanged[1][9] = 0;
  Assign(9, Slot(9).FunctionCode);
  EXPECT_EQ(block->ButtonChanged[1][9], 1);
  auto before = std::make_unique<SettingsBlock>(*block);
  AssignFunction(*block, 5, 0, 1, AssignParams(), memory);
  AssignFunction(*block, -1, 0, 1, AssignParams(), memory);
  AssignFunction(*block, 0, 24, 1, AssignParams(), memory);
  AssignFunction(*block, 0, -1, 1, AssignParams(), memory);
  EXPECT_EQ(std::memcmp(before.get(), block.get(), sizeof *block), 0);
}

TEST_F(Assignment, TanshiftKeyRule) {
  EXPECT_EQ(Slot(15).FunctionCode, 6);
  EXPECT_EQ(Slot(16).FunctionCode, 0);

  // Button 4 already has 65: slot 16 stays 0; "Click" then puts 6 there.
  Assign(4, 65);
  EXPECT_EQ(Slot(16).FunctionCode, 0);
  EXPECT_EQ(block->ButtonChanged[1][16], 0);
  Assign(4, 1);
  EXPECT_EQ(Slot(16).FunctionCode, 6);
  EXPECT_EQ(block->ButtonChanged[1][16], 1);

  // Button 3: slot 15 holding 7 is saved and cleared, and restored later.
  Slot(15).FunctionCode = 7;
  Assign(3, 65);
  EXPECT_EQ(Slot(15).FunctionCode, 0);
  EXPECT_EQ(block->ButtonChanged[1][15], 1);
  Assign(3, 84);  // not a layer key: the layer comes back
  EXPECT_EQ(Slot(15).FunctionCode, 7);
  Assign(3, 82);
  EXPECT_EQ(Slot(15).FunctionCode, 0);
  Assign(3, 81);  // layer key to layer key: the layer stays free
  EXPECT_EQ(Slot(15).FunctionCode, 0);
  Assign(3, 1);
  EXPECT_EQ(Slot(15).FunctionCode, 7);

  // Each button has its own memory: button 4's layer never gets button 3's code.
  Slot(16).FunctionCode = 0;
  Assign(4, 83);
  Assign(4, 2);
  EXPECT_EQ(Slot(16).FunctionCode, 6);

  // Only buttons 3 and 4 act as the layer key.
  Assign(5, 65);
  EXPECT_EQ(Slot(17).FunctionCode, 33);
  // A repeated code is no change: the rule does not run.
  Slot(15).FunctionCode = 0;
  Assign(3, 1);
  EXPECT_EQ(Slot(15).FunctionCode, 0);
}

}  // namespace
}  // namespace vextra
