#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/macro_library.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

MacroRecord MakeMacro(const char* name, int events, uint8_t key) {
  MacroRecord m;
  std::memset(&m, 0, sizeof m);
  CopyField(m.Name, name);
  m.LoopCount = 2;
  for (int i = 0; i < events; ++i) AppendEvent(m, key, i % 2 ? kKeyRelease : kKeyPress);
  return m;
}

bool SameRecord(const MacroRecord& a, const MacroRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(MacroRecord, RecordingLimits) {
  MacroRecord m = MakeMacro("x", 499, 4);
  EXPECT_TRUE(AppendEvent(m, 5, kKeyPress));
  EXPECT_EQ(m.EventCount, 500);
  EXPECT_FALSE(AppendEvent(m, 6, kKeyPress));  // the 501st is dropped
  EXPECT_FALSE(InsertEvent(m, 0, 6, kKeyPress));
  EXPECT_EQ(m.EventCount, 500);
  EXPECT_EQ(m.Events[0].key, 4);
  // 70 s between two recorded events
  SetLastDelay(m, 70000);
  EXPECT_EQ(m.Events[499].delay, 65535);
  SetEventDelay(m, 0, -5);
  EXPECT_EQ(m.Events[0].delay, 0);
  const MacroRecord full = m;
  for (int index : {500, 501, -1, 1 << 20}) {  // past the events: ignored, nothing written
    SetEventDelay(m, index, 7);
    EXPECT_TRUE(SameRecord(m, full)) << index;
  }
  EXPECT_EQ(ClampDelay(65534), 65534);
  EXPECT_EQ(ClampDelay(65535), 65535);

  MacroKeyInfo slot{};
  CopyMacroToSlot("Set", m, slot);
  EXPECT_EQ(slot.EventCount, 500);
  EXPECT_EQ(std::memcmp(slot.Events, m.Events, 2000), 0);  // fills the whole area
  EXPECT_TRUE(SameEvents(m, slot));
  MacroRecord back;
  CopySlotToMacro(slot, back);
  EXPECT_TRUE(SameRecord(back, m));
}

TEST(MacroRecord, InsertKeepsOrder) {
  MacroRecord m = MakeMacro("x", 0, 0);
  AppendEvent(m, 4, kKeyPress);
  AppendEvent(m, 4, kKeyRelease);
  SetLastDelay(m, 30);
  ASSERT_TRUE(InsertEvent(m, 1, 5, kKeyPress));
  ASSERT_TRUE(InsertEvent(m, -1, 6, kKeyPress));  // append
  ASSERT_EQ(m.EventCount, 4);
  const uint8_t keys[] = {4, 5, 4, 6};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(m.Events[i].key, keys[i]) << i;
  EXPECT_EQ(m.Events[2].delay, 30);  // the moved event keeps its delay
  EXPECT_EQ(m.Events[1].delay, 0);
}

TEST(MacroRecord, HostileCountsAreBounded) {
  // A slot or record from outside may carry any count: copies never read or
  // write past the 500 events.
  MacroKeyInfo slot{};
  CopyField(slot.MacroName, "m");
  slot.EventCount = 30000;
  MacroRecord m;
  CopySlotToMacro(slot, m);
  EXPECT_EQ(m.EventCount, 500);
  slot.EventCount = -3;
  CopySlotToMacro(slot, m);
  EXPECT_EQ(m.EventCount, 0);

  m = MakeMacro("y", 2, 4);
  SetEventDelay(m, 2, 10);  // a held-over event beyond the count is not the macro's
  SetEventDelay(m, 1, 10);
  EXPECT_EQ(m.Events[1].delay, 10);
  EXPECT_EQ(m.Events[2].delay, 0);
  m.EventCount = 9999;
  const MacroRecord hostile = m;
  EXPECT_FALSE(AppendEvent(m, 4, kKeyPress));
  SetLastDelay(m, 10);  // must not write past the area
  SetEventDelay(m, 600, 10);
  EXPECT_TRUE(SameRecord(m, hostile));
  CopyMacroToSlot("s", m, slot);
  EXPECT_EQ(slot.EventCount, 500);
  EXPECT_FALSE(SameEvents(m, slot));
  m.EventCount = -1;
  SanitizeMacro(m);
  EXPECT_EQ(m.EventCount, 0);
  EXPECT_EQ(m.Events[0].key, 0);  // unused events are zero
}

class MacroLibraryFile : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string path = dir.path() + "Preset_sequence.dat";
};

TEST_F(MacroLibraryFile, SaveAndLoad) {
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"  Games ", {MakeMacro("One", 3, 4), MakeMacro("Two", 500, 5)}});
  lib.sets.push_back(MacroSet{"Office", {}});
  ASSERT_TRUE(lib.Save(path));
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetInt("SetMacro", "number", 0), 2);
  EXPECT_EQ(ini.GetString("SetMacro", "0", ""), "Games");  // value blanks are not kept by the format
  EXPECT_EQ(ini.GetString("SetMacro", "1", ""), "Office");
  EXPECT_EQ(ini.GetInt("Games", "number", 0), 2);
  EXPECT_EQ(ini.GetInt("Office", "number", -1), 0);
  EXPECT_EQ(ini.GetString("Games", "1", "", 10000).size(), 2 * 2061u);  // 2060 bytes + checksum

  MacroLibrary back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);
  ASSERT_EQ(back.sets[0].macros.size(), 2u);
  EXPECT_TRUE(SameRecord(back.sets[0].macros[1], lib.sets[0].macros[1]));
  EXPECT_TRUE(back.sets[1].macros.empty());

  // Saving replaces the whole file: a removed set leaves no section behind.
  lib.sets.erase(lib.sets.begin());
  ASSERT_TRUE(lib.Save(path));
  ASSERT_TRUE(ini.Load());
  EXPECT_FALSE(ini.HasSection("Games"));

  EXPECT_FALSE(back.Load(dir.path() + "missing.dat"));
  EXPECT_TRUE(back.sets.empty());
}

TEST_F(MacroLibraryFile, HostileFileIsBounded) {
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"Games", {MakeMacro("One", 3, 4), MakeMacro("Two", 6, 5), MakeMacro("Three", 1, 6)}});
  lib.sets.push_back(MacroSet{"Office", {MakeMacro("Four", 2, 7)}});
  ASSERT_TRUE(lib.Save(path));

  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  MacroRecord evil = MakeMacro("Evil", 2, 4);
  evil.EventCount = 100000;
  std::memset(evil.Name, 'n', sizeof evil.Name);  // no terminator
  std::string truncated = ini.GetString("Games", "1", "", 10000);
  truncated.resize(truncated.size() / 2);
  std::string badSum = ini.GetString("Games", "2", "", 10000);
  badSum.back() = badSum.back() == '0' ? '1' : '0';
  ASSERT_EQ(badSum.size(), 2 * 2061u);  // only the checksum is wrong
  ini.SetInt("SetMacro", "number", 1000000000);
  ini.SetInt("Games", "number", 1000000000);
  ini.SetString("Games", "0", truncated);
  ini.SetString("Games", "1", badSum);
  ini.SetStruct("Games", "2", &evil, sizeof evil);
  ini.SetString("Games", "3", "");
  ini.SetInt("Office", "number", -7);
  ASSERT_TRUE(ini.Commit());

  MacroLibrary back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);
  ASSERT_EQ(back.sets[0].macros.size(), 1u);  // only the readable entry
  EXPECT_EQ(back.sets[0].macros[0].EventCount, 500);
  EXPECT_EQ(FieldLength(back.sets[0].macros[0].Name), 49u);
  EXPECT_TRUE(back.sets[1].macros.empty());

  // A set list with holes and an endless name.
  ini.Clear();
  ini.SetInt("SetMacro", "number", 5);
  ini.SetString("SetMacro", "1", std::string(5000, 'x'));
  ini.SetString("SetMacro", "3", "Kept");
  ini.SetInt("Kept", "number", 1);
  ini.SetStruct("Kept", "0", &lib.sets[0].macros[0], sizeof(MacroRecord));
  ASSERT_TRUE(ini.Commit());
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);
  EXPECT_EQ(back.sets[0].name.size(), kMaxSetNameChars);
  EXPECT_EQ(back.sets[1].name, "Kept");
  ASSERT_EQ(back.sets[1].macros.size(), 1u);
  EXPECT_TRUE(SameRecord(back.sets[1].macros[0], lib.sets[0].macros[0]));
}

TEST_F(MacroLibraryFile, SpellingsOfOneSetShareOneSection) {
  // Two listed spellings of one set both point at the same section: it is read once.
  IniFile ini(path);
  MacroRecord jump = MakeMacro("Jump", 2, 44);
  ini.SetInt("SetMacro", "number", 2);
  ini.SetString("SetMacro", "0", "Abc");
  ini.SetString("SetMacro", "1", "  abc");
  ini.SetInt("Abc", "number", 1);
  ini.SetStruct("Abc", "0", &jump, sizeof jump);
  ASSERT_TRUE(ini.Commit());
  MacroLibrary lib;
  ASSERT_TRUE(lib.Load(path));
  ASSERT_EQ(lib.sets.size(), 1u);
  EXPECT_EQ(lib.sets[0].macros.size(), 1u);
  EXPECT_EQ(lib.FindSet(" ABC "), 0);

  // Sets held under two spellings are written as one: no macro is overwritten.
  // (A line break ends a stored name, so it makes one more spelling.)
  lib.sets.push_back(MacroSet{" ABC ", {MakeMacro("Run", 4, 7)}});
  lib.sets.push_back(MacroSet{"abc\nx", {MakeMacro("Walk", 1, 8)}});
  ASSERT_TRUE(lib.Save(path));
  MacroLibrary back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 1u);
  ASSERT_EQ(back.sets[0].macros.size(), 3u);
  EXPECT_STREQ(back.sets[0].macros[0].Name, "Jump");
  EXPECT_STREQ(back.sets[0].macros[1].Name, "Run");
  EXPECT_STREQ(back.sets[0].macros[2].Name, "Walk");
}

TEST_F(MacroLibraryFile, SetNamedLikeTheSetListCannotBreakIt) {
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"Games", {MakeMacro("One", 3, 4)}});
  lib.sets.push_back(MacroSet{" setmacro ", {MakeMacro("Two", 2, 5)}});
  EXPECT_FALSE(IsStorableSetName(" SetMacro"));
  EXPECT_TRUE(IsStorableSetName("Set Macro"));
  // Enclosing quotes are dropped when the name is read back: its section
  // would not be found.
  EXPECT_FALSE(IsStorableSetName("\"Fav\""));
  EXPECT_FALSE(IsStorableSetName(" 'Fav' "));
  EXPECT_TRUE(IsStorableSetName("\"Fav"));
  EXPECT_FALSE(lib.Save(path));  // its macros could not be stored, and it says so
  MacroLibrary back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.sets.size(), 2u);  // the set list itself is intact
  EXPECT_EQ(back.sets[0].name, "Games");
  ASSERT_EQ(back.sets[0].macros.size(), 1u);
  EXPECT_TRUE(back.sets[1].macros.empty());
  lib.sets[1].macros.clear();
  EXPECT_TRUE(lib.Save(path));
}

void PutMacro(MacroKeyInfo& slot, const char* set, const MacroRecord& m) {
  slot.FunctionCode = 48;
  CopyMacroToSlot(set, m, slot);
}

TEST_F(MacroLibraryFile, SynchronisationWithSlots) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  MacroLibrary lib;
  lib.sets.push_back(MacroSet{"Games", {MakeMacro("Jump", 4, 44)}});
  // the same set in other case and blanks; its macro was renamed in the library
  PutMacro(block->Profiles[1].MacroKeys[5], " gAMES ", MakeMacro("Run", 6, 7));
  // identical to the library, names in other case
  PutMacro(block->Profiles[2].MacroKeys[6], "games", MakeMacro("JUMP ", 4, 44));
  // a set the library lost, used by two slots
  PutMacro(block->Profiles[3].MacroKeys[7], "Gone", MakeMacro("Lost", 2, 9));
  PutMacro(block->Profiles[4].MacroKeys[23], "GONE", MakeMacro("Lost", 2, 9));
  // not a macro slot any more, or without a set name: ignored
  PutMacro(block->Profiles[0].MacroKeys[0], "Other", MakeMacro("X", 1, 4));
  block->Profiles[0].MacroKeys[0].FunctionCode = 5;
  PutMacro(block->Profiles[0].MacroKeys[1], "", MakeMacro("Y", 1, 4));

  bool saved = false;
  EXPECT_TRUE(lib.SyncWithSlotsAndSave(*block, path, &saved));
  EXPECT_TRUE(saved);
  ASSERT_EQ(lib.sets.size(), 2u);
  ASSERT_EQ(lib.sets[0].macros.size(), 2u);
  EXPECT_STREQ(lib.sets[0].macros[1].Name, "Run");
  EXPECT_EQ(lib.sets[0].macros[1].EventCount, 6);
  EXPECT_EQ(lib.sets[1].name, "Gone");
  ASSERT_EQ(lib.sets[1].macros.size(), 1u);
  EXPECT_EQ(lib.sets[1].macros[0].EventCount, 2);
  EXPECT_EQ(lib.sets[1].macros[0].LoopCount, 2);
  MacroLibrary onDisk;
  ASSERT_TRUE(onDisk.Load(path));
  ASSERT_EQ(onDisk.sets.size(), 2u);
  EXPECT_EQ(onDisk.sets[0].macros.size(), 2u);

  EXPECT_FALSE(lib.SyncWithSlots(*block));  // nothing left to do

  // the slot wins over a library macro with other events: events, count and loop
  MacroKeyInfo& b = block->Profiles[2].MacroKeys[6];
  b.Events[0].delay = 999;
  b.LoopCount = 9;
  EXPECT_TRUE(lib.SyncWithSlots(*block));
  EXPECT_EQ(lib.sets[0].macros[0].Events[0].delay, 999);
  EXPECT_EQ(lib.sets[0].macros[0].LoopCount, 9);
  EXPECT_STREQ(lib.sets[0].macros[0].Name, "Jump");  // the library keeps its spelling
  b.EventCount = 3;  // a shorter macro in the slot: the library follows
  EXPECT_TRUE(lib.SyncWithSlots(*block));
  EXPECT_EQ(lib.sets[0].macros[0].EventCount, 3);
  EXPECT_EQ(lib.sets[0].macros[0].Events[3].key, 0);

  // a macro deleted in the library comes back on the next start
  lib.sets[1].macros.clear();
  ASSERT_TRUE(lib.Save(path));
  MacroLibrary restarted;
  ASSERT_TRUE(restarted.Load(path));
  EXPECT_TRUE(restarted.SyncWithSlotsAndSave(*block, path, &saved));
  ASSERT_EQ(restarted.sets[1].macros.size(), 1u);
  EXPECT_STREQ(restarted.sets[1].macros[0].Name, "Lost");
}

}  // namespace
}  // namespace vextra
