#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/file_system.h"
#include "common/function_catalogue.h"
#include "common/ini_file.h"
#include "common/key_table.h"
#include "common/macro_library.h"
#include "common/timer_list.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

// A layout whose key at scan 0x10 (US "Q") types A, and at 0x1E (US "A") types Q.
class SwappedLayout : public UsKeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned scan) const override {
    if (scan == 0x10) return 'A';
    if (scan == 0x1E) return 'Q';
    return UsKeyboardLayout::ScanToVirtualKey(scan);
  }
  unsigned VirtualKeyToScan(unsigned vk) const override {
    if (vk == 'A') return 0x10;
    if (vk == 'Q') return 0x1E;
    return UsKeyboardLayout::VirtualKeyToScan(vk);
  }
};

TEST(KeyTable, RowsAndIrregularities) {
  int rows = 0;
  for (const KeyRow& row : kKeyTable) {
    ASSERT_NE(row.code, 0);
    EXPECT_EQ(RowByCode(row.code), &row);  // one row per code
    EXPECT_EQ(row.scan != 0, row.code >= 4 && row.code <= 69) << int(row.code);
    ++rows;
  }
  EXPECT_EQ(rows, 109);
  for (uint8_t none : {50, 100, 102, 130}) EXPECT_EQ(RowByCode(none), nullptr);
  UsKeyboardLayout us;
  struct Case {
    unsigned vk;
    uint8_t code;
  } cases[] = {{0x6C, 88}, {0xA2, 224}, {0xA0, 225}, {0xA4, 226}, {0xA3, 228}, {0xA1, 229},
               {0xA5, 230}, {0x5B, 227}, {0x5C, 231}, {0xF0, 240}, {0xF4, 244}, {0x5D, 101},
               {'Z', 29}, {'0', 39}, {0x7B, 69}};
  for (const Case& c : cases) {
    EXPECT_EQ(RecordingCode(c.vk, us), c.code) << c.vk;
    EXPECT_EQ(PlaybackVirtualKey(c.code, us), c.vk) << int(c.code);
  }
  EXPECT_EQ(RecordingCode(0x10, us), 0);  // generic Shift has no row: not recorded
}

TEST(KeyTable, NamesAndLayoutPosition) {
  UsKeyboardLayout us;
  struct Case {
    uint8_t code;
    const char* name;
  } cases[] = {{4, "A"}, {30, "1"}, {42, "BackSpace"}, {40, "Enter"}, {57, "Caps Lock"},
               {58, "F1"}, {69, "F12"}, {72, "Break"}, {82, "Up Arrow"}, {88, "Num_Enter"},
               {89, "Num_1"}, {98, "Num_0"}, {99, "Num_."}, {100, "Europe 2"}, {101, "APP"},
               {110, ""}, {130, "Sleep"}, {229, "Right Shift"}, {243, "Side Button 1"}, {3, ""}};
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code, us), c.name) << int(c.code);
  SwappedLayout swapped;
  EXPECT_EQ(RecordingCode('A', swapped), 20);  // recorded by position
  EXPECT_EQ(KeyName(20, swapped), "A");
  EXPECT_EQ(PlaybackVirtualKey(20, swapped), static_cast<unsigned>('A'));
}

MacroRecord MakeMacro(const char* name, int events, uint8_t key) {
  MacroRecord m;
  std::memset(&m, 0, sizeof m);
  CopyField(m.Name, name);
  m.LoopCount = 2;
  for (int i = 0; i < events; ++i) AppendEvent(m, key, i % 2 ? kKeyRelease : kKeyPress);
  return m;
}

TEST(Macro, RecordingLimits) {
  MacroRecord m = MakeMacro("x", 499, 4);
  EXPECT_TRUE(AppendEvent(m, 5, kKeyPress));
  EXPECT_EQ(m.EventCount, 500);
  EXPECT_FALSE(AppendEvent(m, 6, kKeyPress));  // the 501st is dropped
  EXPECT_EQ(m.EventCount, 500);
  SetLastDelay(m, 70000);
  EXPECT_EQ(m.Events[499].delay, 65535);
  MacroKeyInfo slot{};
  CopyMacroToSlot("Set", m, slot);
  EXPECT_EQ(slot.EventCount, 500);
  EXPECT_EQ(std::memcmp(slot.Events, m.Events, 2000), 0);
  EXPECT_TRUE(SameEvents(m, slot));
}

TEST(MacroLibrary, SaveLoadAndHostileFiles) {
  TempFolder dir;
  const std::string path = dir.path() + "Preset_sequence.dat";
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"  Games ", {MakeMacro("One", 3, 4), MakeMacro("Two", 500, 5)}});
  lib.sets.push_back(MacroSet{"Office", {}});
  ASSERT_TRUE(lib.Save(path));
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetString("SetMacro", "0", ""), "Games");  // value blanks are not kept by the format
  EXPECT_EQ(ini.GetInt("Games", "number", 0), 2);
  MacroLibrary back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);
  ASSERT_EQ(back.sets[0].macros.size(), 2u);
  EXPECT_EQ(std::memcmp(&back.sets[0].macros[1], &lib.sets[0].macros[1], sizeof(MacroRecord)), 0);

  // A huge count, a missing entry, a bad checksum and a hostile event count.
  MacroRecord evil = MakeMacro("Evil", 2, 4);
  evil.EventCount = 100000;
  std::memset(evil.Name, 'n', sizeof evil.Name);
  ini.SetInt("SetMacro", "number", 1000000000);
  ini.SetInt("Games", "number", 1000000000);
  ini.SetString("Games", "0", "00FF");
  ini.SetStruct("Games", "1", &evil, sizeof evil);
  ASSERT_TRUE(ini.Commit());
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);
  ASSERT_EQ(back.sets[0].macros.size(), 1u);
  EXPECT_EQ(back.sets[0].macros[0].EventCount, 500);
  EXPECT_EQ(FieldLength(back.sets[0].macros[0].Name), 49u);

  EXPECT_FALSE(back.Load(dir.path() + "missing.dat"));
  EXPECT_TRUE(back.sets.empty());
}

TEST(MacroLibrary, SynchronisationWithSlots) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"Games", {MakeMacro("Jump", 4, 44)}});
  // slot 1: same set in other case and blanks, macro renamed in the library
  MacroKeyInfo& a = block->Profiles[1].MacroKeys[5];
  a.FunctionCode = 48;
  CopyMacroToSlot(" gAMES ", MakeMacro("Run", 6, 7), a);
  // slot 2: identical to the library
  MacroKeyInfo& b = block->Profiles[2].MacroKeys[6];
  b.FunctionCode = 48;
  CopyMacroToSlot("Games", lib.sets[0].macros[0], b);
  // slot 3: a set the library lost
  MacroKeyInfo& c = block->Profiles[3].MacroKeys[7];
  c.FunctionCode = 48;
  CopyMacroToSlot("Gone", MakeMacro("Lost", 2, 9), c);
  EXPECT_TRUE(lib.SyncWithSlots(*block));
  ASSERT_EQ(lib.sets.size(), 2u);
  ASSERT_EQ(lib.sets[0].macros.size(), 2u);
  EXPECT_STREQ(lib.sets[0].macros[1].Name, "Run");
  EXPECT_EQ(lib.sets[1].name, "Gone");
  EXPECT_EQ(lib.sets[1].macros[0].EventCount, 2);
  EXPECT_FALSE(lib.SyncWithSlots(*block));  // nothing left to do

  // the slot wins over a library macro with other events
  b.Events[0].delay = 999;
  EXPECT_TRUE(lib.SyncWithSlots(*block));
  EXPECT_EQ(lib.sets[0].macros[0].Events[0].delay, 999);
}

TEST(TimerList, LoadSaveLookup) {
  TempFolder dir;
  const std::string path = dir.path() + "Timer.ini";
  TimerList list;
  EXPECT_FALSE(list.Load(path));
  EXPECT_TRUE(list.timers.empty());
  for (int i = 0; i < 3; ++i) {
    TimerRecord t{};
    t.Seconds = 10 + i;
    std::snprintf(t.Name, sizeof t.Name, "Egg %d", i);
    list.timers.push_back(t);
  }
  ASSERT_TRUE(list.Save(path));
  TimerList back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.timers.size(), 3u);
  EXPECT_EQ(back.ByIndex(2)->Seconds, 12);
  EXPECT_EQ(back.ByIndex(3), nullptr);
  int at = -1;
  EXPECT_TRUE(back.FindByName("  egg 1 ", at));
  EXPECT_EQ(at, 1);
  EXPECT_FALSE(back.FindByName("egg", at));

  IniFile ini(path);
  ini.Load();
  ini.SetInt("Timer", "Count", 1000000000);
  ini.Commit();
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.timers.size(), 3u);
}

TEST(Catalogue, DisplayTexts) {
  auto p = std::make_unique<ProfileRecord>();
  ResetProfile(*p, 0);
  UsKeyboardLayout us;
  std::vector<CompanionDevice> devices = {{0x1234, "Pad"}};
  MacroKeyInfo s{};
  s.FunctionCode = 5;
  s.EventCount = 1;
  s.Events[0].key = 4;
  struct Shortcut {
    uint8_t modifiers;
    const char* text;
  } shortcuts[] = {{0x01, "A"}, {0x1F, "A"}, {0x1E, "Ctrl+Shift+Alt+Win+A"}, {0x06, "Ctrl+Shift+A"}};
  for (const Shortcut& c : shortcuts) {
    s.Events[0].action = c.modifiers;
    EXPECT_EQ(SlotDisplayText(s, *p, devices, us), c.text);
  }
  s.EventCount = 0;
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "");
  s = MacroKeyInfo{};
  s.FunctionCode = 15;
  CopyField(s.ProgramPath, "C:\\Program Files\\Tool\\run.exe");
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "run.exe");
  s.FunctionCode = 53;
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "Tanaim 1600 DPI");
  s.FunctionCode = 82;
  s.SynraDeviceId = 0xABCD1234;
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "Tan-shift Pad Lock");
  s.SynraDeviceId = 0x99;
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "");
  for (uint8_t code : {0, 6, 64}) {
    s.FunctionCode = code;
    EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "Disabled");
  }
  s.FunctionCode = 12;
  EXPECT_EQ(SlotDisplayText(s, *p, devices, us), "");
  EXPECT_EQ(FunctionMenuId(6), 1006);
  EXPECT_EQ(FunctionMenuId(23), 1041);
}

TEST(Catalogue, AssignmentAndTanshiftRule) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  ClearChangeFlags(*block);
  TanshiftMemory memory;
  AssignParams none;
  MacroKeyInfo& slot15 = block->Profiles[0].MacroKeys[15];
  MacroKeyInfo& slot16 = block->Profiles[0].MacroKeys[16];
  EXPECT_EQ(slot15.FunctionCode, 6);
  EXPECT_EQ(slot16.FunctionCode, 0);

  // button 4 already has 65: slot 16 stays 0; then Click puts 6 into it
  AssignFunction(*block, 0, 4, 65, none, memory);
  EXPECT_EQ(slot16.FunctionCode, 0);
  EXPECT_EQ(block->ButtonChanged[0][4], 1);
  AssignFunction(*block, 0, 4, 1, none, memory);
  EXPECT_EQ(slot16.FunctionCode, 6);
  EXPECT_EQ(block->ButtonChanged[0][16], 1);

  // button 3: slot 15 holding 7 is saved and cleared, and restored later
  slot15.FunctionCode = 7;
  AssignFunction(*block, 0, 3, 65, none, memory);
  EXPECT_EQ(slot15.FunctionCode, 0);
  AssignFunction(*block, 0, 3, 1, none, memory);
  EXPECT_EQ(slot15.FunctionCode, 7);
  AssignFunction(*block, 0, 3, 84, none, memory);  // not a layer key
  EXPECT_EQ(slot15.FunctionCode, 7);

  // a macro, then "Disabled": the macro fields go, the timer and path stay
  MacroRecord m = MakeMacro("Jump", 4, 44);
  AssignParams withMacro;
  withMacro.macroSetName = "Games";
  withMacro.macro = &m;
  MacroKeyInfo& slot7 = block->Profiles[0].MacroKeys[7];
  CopyField(slot7.ProgramPath, "x.exe");
  AssignFunction(*block, 0, 7, 48, withMacro, memory);
  EXPECT_STREQ(slot7.MacroSetName, "Games");
  EXPECT_STREQ(slot7.MacroName, "Jump");
  EXPECT_EQ(slot7.EventCount, 4);
  AssignFunction(*block, 0, 7, 6, none, memory);
  EXPECT_EQ(slot7.FunctionCode, 6);
  EXPECT_EQ(slot7.EventCount, 0);
  EXPECT_EQ(slot7.MacroName[0], 0);
  EXPECT_STREQ(slot7.ProgramPath, "x.exe");

  TimerRecord t{};
  t.Seconds = 90;
  CopyField(t.Name, "Tea");
  AssignParams withTimer;
  withTimer.timer = &t;
  AssignFunction(*block, 0, 8, 49, withTimer, memory);
  EXPECT_EQ(block->Profiles[0].MacroKeys[8].TimerSeconds, 90);
  EXPECT_STREQ(block->Profiles[0].MacroKeys[8].TimerName, "Tea");
}

}  // namespace
}  // namespace vextra
