#include "common/device_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

class DeviceInfoTest : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string path = dir.path() + "DeviceInfo.ini";
  DeviceInfoList list;

  void WriteFile(const std::string& text) { ASSERT_TRUE(WriteFileReplacing(path, text)); }

  static DeviceInfoEntry Entry(uint16_t vid, uint16_t pid, const char* name, int32_t cpi0) {
    DeviceInfoEntry e;
    e.VID = vid;
    e.PID = pid;
    e.SetName(name);
    for (int i = 0; i < 5; ++i) e.CPI[i] = cpi0 + i;
    return e;
  }
};

TEST_F(DeviceInfoTest, CountBoundsTheList) {
  EXPECT_FALSE(list.Load(path));  // no file
  EXPECT_EQ(list.Count(), 0);

  std::string devices;
  for (int i = 0; i < 150; ++i)
    devices += "[Device" + std::to_string(i) + "]\r\nPID=" + std::to_string(i + 1) + "\r\n";
  struct Case {
    const char* setting;
    int count;
  } cases[] = {
      {"", 0}, {"Count=0\r\n", 0}, {"Count=-5\r\n", 0}, {"Count=junk\r\n", 0},
      {"Count=3\r\n", 3}, {"Count=150\r\n", 100}, {"Count=2147483647\r\n", 100},
  };
  for (const Case& c : cases) {
    list.AddOrUpdate(Entry(1, 999, "stale", 0));
    WriteFile(std::string("[Setting]\r\n") + c.setting + devices);
    ASSERT_TRUE(list.Load(path));
    ASSERT_EQ(list.Count(), c.count) << c.setting;
    if (c.count > 0) {
      EXPECT_EQ(list.entries().back().PID, c.count) << c.setting;
    }
    EXPECT_EQ(list.FindByProductId(999), nullptr);
  }
}

TEST_F(DeviceInfoTest, ReadsEntriesAndBoundsTheirFields) {
  WriteFile(
      "[Setting]\r\nCount=3\r\n"
      "[Device0]\r\nVID=4660\r\nPID=0x5678\r\nName=Velmar Tanaim Keyboard Pro\r\n"
      "CPI 0=400\r\nCPI 1=800\r\nCPI 2=1600\r\nCPI 3=3200\r\nCPI 4=6400\r\n"
      "[Device1]\r\nVID=70000\r\nPID=-1\r\nName=Headset\r\nCPI 4=-9\r\n");
  ASSERT_TRUE(list.Load(path));
  ASSERT_EQ(list.Count(), 3);
  const DeviceInfoEntry& a = list.entries()[0];
  EXPECT_EQ(a.VID, 4660);
  EXPECT_EQ(a.PID, 0x5678);
  EXPECT_STREQ(a.Name, "Velmar Tanaim Keybo");  // 19 characters kept
  EXPECT_EQ(a.CPI[0], 400);
  EXPECT_EQ(a.CPI[4], 6400);
  const DeviceInfoEntry& b = list.entries()[1];
  EXPECT_EQ(b.VID, 0);  // ids that do not fit 16 bits read as unset
  EXPECT_EQ(b.PID, 0);
  EXPECT_EQ(b.CPI[0], 0);
  EXPECT_EQ(b.CPI[4], -9);
  const DeviceInfoEntry& c = list.entries()[2];  // section missing: all defaults
  EXPECT_EQ(c.VID, 0);
  EXPECT_STREQ(c.Name, "");
  EXPECT_EQ(list.FindByProductId(0x5678), &a);
  EXPECT_EQ(list.FindByProductId(0x1111), nullptr);
}

TEST_F(DeviceInfoTest, SaveRoundTripsAndKeepsOtherKeys) {
  WriteFile("; written by hand\r\n[Setting]\r\nCount=9\r\nOwner=x\r\n[Other]\r\nKey=1\r\n");
  ASSERT_TRUE(list.AddOrUpdate(Entry(0x1234, 0x0001, "Mouse", 400)));
  ASSERT_TRUE(list.AddOrUpdate(Entry(0x1234, 0xFFFF, "Keyboard with a long name", 800)));
  ASSERT_TRUE(list.Save(path));

  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetInt("Setting", "Count", -1), 2);
  EXPECT_EQ(ini.GetString("Setting", "Owner", ""), "x");
  EXPECT_EQ(ini.GetInt("Other", "Key", -1), 1);
  EXPECT_EQ(ini.GetInt("Device1", "PID", -1), 0xFFFF);
  EXPECT_EQ(ini.GetInt("Device1", "CPI 3", -1), 803);

  DeviceInfoList loaded;
  ASSERT_TRUE(loaded.Load(path));
  ASSERT_EQ(loaded.Count(), 2);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(std::memcmp(&loaded.entries()[i], &list.entries()[i], sizeof(DeviceInfoEntry)), 0);
  EXPECT_STREQ(loaded.entries()[1].Name, "Keyboard with a lon");
}

TEST_F(DeviceInfoTest, AddOrUpdateKeepsOneEntryPerProductId) {
  ASSERT_TRUE(list.AddOrUpdate(Entry(1, 7, "First", 0)));
  ASSERT_TRUE(list.AddOrUpdate(Entry(2, 7, "Later", 0)));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_STREQ(list.FindByProductId(7)->Name, "Later");
  EXPECT_EQ(list.FindByProductId(7)->VID, 2);

  DeviceInfoEntry unterminated = Entry(1, 8, "", 0);
  std::memset(unterminated.Name, 'n', sizeof unterminated.Name);
  ASSERT_TRUE(list.AddOrUpdate(unterminated));
  EXPECT_EQ(std::strlen(list.FindByProductId(8)->Name), 19u);

  for (uint16_t pid = 100; list.Count() < kMaxDeviceInfos; ++pid)
    ASSERT_TRUE(list.AddOrUpdate(Entry(1, pid, "d", 0)));
  EXPECT_FALSE(list.AddOrUpdate(Entry(1, 9, "one too many", 0)));
  EXPECT_EQ(list.Count(), kMaxDeviceInfos);
  EXPECT_TRUE(list.AddOrUpdate(Entry(1, 7, "Update", 0)));  // a known device still updates
  EXPECT_STREQ(list.FindByProductId(7)->Name, "Update");
}

}  // namespace
}  // namespace vextra
