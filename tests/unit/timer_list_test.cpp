#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "common/ini_file.h"
#include "common/timer_list.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

TimerRecord MakeTimer(int seconds, const char* name) {
  TimerRecord t;
  std::memset(&t, 0, sizeof t);
  t.Seconds = seconds;
  std::snprintf(t.Name, sizeof t.Name, "%s", name);
  return t;
}

class TimerFile : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string path = dir.path() + "Timer.ini";
};

TEST_F(TimerFile, SaveLoadAndLookup) {
  TimerList list;
  EXPECT_FALSE(list.Load(path));  // missing file: empty list
  EXPECT_TRUE(list.timers.empty());
  list.timers = {MakeTimer(10, "Egg 0"), MakeTimer(11, " Egg 1 "), MakeTimer(999, "Tea")};
  ASSERT_TRUE(list.Save(path));
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetInt("Timer", "Count", -1), 3);
  EXPECT_EQ(ini.GetString("Timer", "2", "").size(), 2 * 105u);  // 104 bytes + checksum

  TimerList back;
  ASSERT_TRUE(back.Load(path));
  ASSERT_EQ(back.timers.size(), 3u);
  EXPECT_EQ(std::memcmp(back.timers.data(), list.timers.data(), 3 * sizeof(TimerRecord)), 0);
  ASSERT_NE(back.ByIndex(2), nullptr);
  EXPECT_EQ(back.ByIndex(2)->Seconds, 999);
  EXPECT_EQ(back.ByIndex(3), nullptr);
  EXPECT_EQ(back.ByIndex(-1), nullptr);

  int at = -1;
  EXPECT_TRUE(back.FindByName("  egg 1", at));
  EXPECT_EQ(at, 1);
  EXPECT_TRUE(back.FindByName("TEA", at));
  EXPECT_EQ(at, 2);
  at = -1;
  EXPECT_FALSE(back.FindByName("egg", at));
  EXPECT_FALSE(back.FindByName("", at));
  EXPECT_EQ(at, -1);

  // Saving replaces the file: fewer timers leave no old key behind.
  back.timers.resize(1);
  ASSERT_TRUE(back.Save(path));
  ASSERT_TRUE(ini.Load());
  EXPECT_FALSE(ini.HasKey("Timer", "1"));
  ASSERT_TRUE(list.Load(path));
  EXPECT_EQ(list.timers.size(), 1u);
}

TEST_F(TimerFile, HostileFileIsBounded) {
  IniFile ini(path);
  TimerRecord good = MakeTimer(60, "Good");
  TimerRecord wild = MakeTimer(-40, "");
  std::memset(wild.Name, 'w', sizeof wild.Name);  // no terminator
  TimerRecord huge = MakeTimer(2000000000, "Huge");
  std::string truncated = IniFile::EncodeStruct(&good, sizeof good);
  truncated.resize(100);
  std::string badSum = IniFile::EncodeStruct(&good, sizeof good);
  badSum.back() = badSum.back() == '0' ? '1' : '0';
  ini.SetInt("Timer", "Count", 1000000000);
  ini.SetString("Timer", "0", truncated);
  ini.SetString("Timer", "1", badSum);
  ini.SetStruct("Timer", "2", &wild, sizeof wild);
  ini.SetStruct("Timer", "3", &huge, sizeof huge);
  // entries far past the 50 that are kept
  for (int i = 4; i < 80; ++i) ini.SetStruct("Timer", std::to_string(i), &good, sizeof good);
  ASSERT_TRUE(ini.Commit());

  TimerList list;
  ASSERT_TRUE(list.Load(path));
  ASSERT_EQ(list.timers.size(), 48u);  // entries 2..49; 0 and 1 are unreadable
  EXPECT_EQ(list.timers[0].Seconds, kMinTimerSeconds);
  EXPECT_EQ(std::strlen(list.timers[0].Name), 99u);
  EXPECT_EQ(list.timers[1].Seconds, kMaxTimerSeconds);
  EXPECT_EQ(list.timers[2].Seconds, 60);

  ini.Clear();
  ini.SetInt("Timer", "Count", -5);
  ini.SetStruct("Timer", "0", &good, sizeof good);
  ASSERT_TRUE(ini.Commit());
  ASSERT_TRUE(list.Load(path));
  EXPECT_TRUE(list.timers.empty());
}

}  // namespace
}  // namespace vextra
