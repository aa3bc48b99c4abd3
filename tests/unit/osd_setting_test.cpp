#include "common/osd_setting.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

class OSDSettingTest : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string path = dir.path() + "config.ini";

  static OSDSetting Sample() {
    OSDSetting s = DefaultOSDSetting();
    for (int i = 0; i < 28; ++i) s.Options[i] = static_cast<uint8_t>(i * 9 + 1);
    s.Value28 = 0x01020304;
    s.Value32 = -7;
    std::strcpy(s.Text36, "CPU");
    s.Value136 = 90;
    std::strcpy(s.Text140, "Pop3");
    std::strcpy(s.Text240, "Skype");
    s.Value340 = 2;
    return s;
  }
  void StoreRaw(const OSDSetting& s) {
    IniFile ini(path);
    ini.SetStruct("config", "OSDSetting", &s, sizeof s);
    ASSERT_TRUE(ini.Commit());
  }
};

TEST_F(OSDSettingTest, DefaultsAreZeroExceptTwoWords) {
  OSDSetting d = DefaultOSDSetting();
  const auto* bytes = reinterpret_cast<const uint8_t*>(&d);
  for (size_t i = 0; i < sizeof d; ++i) {
    if (i != 136 && i != 340) {
      EXPECT_EQ(bytes[i], 0) << i;
    }
  }
  int32_t at136, at340;
  std::memcpy(&at136, bytes + 136, 4);
  std::memcpy(&at340, bytes + 340, 4);
  EXPECT_EQ(at136, 110);
  EXPECT_EQ(at340, 5);
}

TEST_F(OSDSettingTest, RoundTripKeepsTheRestOfTheFile) {
  ASSERT_TRUE(WriteFileReplacing(path, "[Setting]\r\nCurrentProfile=2\r\n[config]\r\nOther=1\r\n"));
  const OSDSetting written = Sample();
  ASSERT_TRUE(WriteOSDSetting(path, written));
  OSDSetting read = DefaultOSDSetting();
  ASSERT_TRUE(ReadOSDSetting(path, read));
  EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetInt("Setting", "CurrentProfile", -1), 2);
  EXPECT_EQ(ini.GetInt("config", "Other", -1), 1);
  EXPECT_EQ(ini.GetString("config", "OSDSetting", "").size(), 2u * 345);
}

TEST_F(OSDSettingTest, DamagedOrMissingRecordGivesTheDefaults) {
  const OSDSetting defaults = DefaultOSDSetting();
  const std::string good = IniFile::EncodeStruct(&defaults, sizeof defaults);
  std::string badChecksum = good;
  badChecksum[badChecksum.size() - 1] = badChecksum.back() == '0' ? '1' : '0';
  std::string changedByte = good;
  changedByte[0] = '7';
  const std::string cases[] = {
      "",                                              // no file at all
      "[config]\r\nOther=1\r\n",                       // no key
      "[config]\r\nOSDSetting=" + badChecksum + "\r\n",
      "[config]\r\nOSDSetting=" + changedByte + "\r\n",
      "[config]\r\nOSDSetting=" + good.substr(2) + "\r\n",  // one byte short
      "[config]\r\nOSDSetting=" + good + "00\r\n",          // one byte long
      "[config]\r\nOSDSetting=zz" + good.substr(2) + "\r\n",
  };
  for (const std::string& text : cases) {
    if (text.empty())
      RemoveFile(path);
    else
      ASSERT_TRUE(WriteFileReplacing(path, text));
    OSDSetting read = Sample();
    EXPECT_FALSE(ReadOSDSetting(path, read)) << text;
    EXPECT_EQ(std::memcmp(&read, &defaults, sizeof read), 0) << text;
  }
}

TEST_F(OSDSettingTest, StringsAreTerminatedAfterReading) {
  OSDSetting full = Sample();
  std::memset(full.Text36, 'a', sizeof full.Text36);
  std::memset(full.Text140, 'b', sizeof full.Text140);
  std::memset(full.Text240, 'c', sizeof full.Text240);
  StoreRaw(full);
  OSDSetting read;
  ASSERT_TRUE(ReadOSDSetting(path, read));
  EXPECT_EQ(std::strlen(read.Text36), 99u);
  EXPECT_EQ(std::strlen(read.Text140), 99u);
  EXPECT_EQ(std::strlen(read.Text240), 99u);
  EXPECT_EQ(read.Value136, 90);  // neighbours untouched
  EXPECT_EQ(read.Value340, 2);
}

}  // namespace
}  // namespace vextra
