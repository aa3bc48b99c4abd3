#include "common/settings_store.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <memory>

#include "common/file_system.h"
#include "common/language.h"
#include "common/macro_library.h"
#include "common/timer_list.h"
#include "tests/support/sample_block.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

// Registry double that records every key opened and serves fixed values.
class CountingRegistry : public Registry {
 public:
  std::map<std::string, std::string> values;  // "subkey|name" -> value
  int opens = 0;
  std::unique_ptr<RegistryKey> OpenOrCreate(RegistryRoot, const std::string& subkey) override {
    ++opens;
    struct Key : RegistryKey {
      CountingRegistry* owner;
      std::string subkey;
      bool ReadString(const std::string& name, std::string& value, size_t) override {
        auto it = owner->values.find(subkey + "|" + name);
        if (it == owner->values.end()) return false;
        value = it->second;
        return true;
      }
      bool WriteString(const std::string& name, const std::string& value) override {
        owner->values[subkey + "|" + name] = value;
        return true;
      }
    };
    auto key = std::make_unique<Key>();
    key->owner = this;
    key->subkey = subkey;
    return key;
  }
};

class SettingsStoreTest : public ::testing::Test {
 protected:
  TempFolder dir;
  SettingsStore store{dir.path(), nullptr};
  std::unique_ptr<SettingsBlock> saved = std::make_unique<SettingsBlock>();
  std::unique_ptr<SettingsBlock> loaded = std::make_unique<SettingsBlock>();
};

TEST_F(SettingsStoreTest, SaveAllThenLoadAllReproducesTheBlock) {
  FillSampleBlock(*saved, 3);
  ASSERT_EQ(store.SaveAll(*saved), 1);
  std::memset(loaded.get(), 0x5A, sizeof *loaded);
  ASSERT_EQ(store.LoadAll(*loaded), 1);
  ClearChangeFlags(*loaded);
  EXPECT_EQ(std::memcmp(saved.get(), loaded.get(), sizeof *saved), 0);
  // and the files are where the other programs look for them
  EXPECT_TRUE(CanOpenForReading(dir.path() + "config.ini"));
  for (int n = 0; n < 5; ++n)
    EXPECT_TRUE(CanOpenForReading(dir.path() + "config/Default" + std::to_string(n) + ".vmp"));
}

TEST_F(SettingsStoreTest, MissingFilesAndKeys) {
  // no files at all: globals -1, every profile its defaults
  ASSERT_EQ(store.LoadAll(*loaded), 1);
  EXPECT_EQ(loaded->CurrentProfile, -1);
  EXPECT_EQ(loaded->TrackControlFlag, -1);
  EXPECT_STREQ(loaded->Profiles[2].ProFileName, "Default3");
  EXPECT_EQ(loaded->Profiles[2].Lights[3].ColorNumber, 1);

  // a profile file with only some keys: absent integers -1, UseColorForAll 0
  ASSERT_TRUE(CreateFolders(dir.path() + "config"));
  ASSERT_TRUE(WriteFileReplacing(store.ProfilePath(1),
                                 "[Setting]\r\nProFileName=Partial\r\nMouseSpeed=7\r\n"));
  ASSERT_EQ(store.LoadAll(*loaded), 1);
  const ProfileRecord& p = loaded->Profiles[1];
  EXPECT_STREQ(p.ProFileName, "Partial");
  EXPECT_EQ(p.MouseSpeed, 7);
  EXPECT_EQ(p.DbleClickSpeed, -1);
  EXPECT_EQ(p.CpiLevel_Y[4], -1);
  EXPECT_EQ(p.dpi[5], 0xFF);
  EXPECT_EQ(p.SoundVolume, -1);
  EXPECT_EQ(p.UseColorForAll, 0);
  // absent structures take the factory contents of that profile
  EXPECT_EQ(p.Lights[0].ColorNumber, 19);
  EXPECT_EQ(p.MacroKeys[4].FunctionCode, 65);
}

TEST_F(SettingsStoreTest, DeletingOneProfileFileResetsOnlyThatProfile) {
  FillSampleBlock(*saved, 9);
  store.SaveAll(*saved);
  ASSERT_TRUE(RemoveFile(store.ProfilePath(2)));
  store.LoadAll(*loaded);
  EXPECT_STREQ(loaded->Profiles[2].ProFileName, "Default3");
  for (const LightInfo& l : loaded->Profiles[2].Lights) EXPECT_EQ(l.ColorNumber, 1);
  EXPECT_EQ(std::memcmp(&loaded->Profiles[3], &saved->Profiles[3], sizeof(ProfileRecord)), 0);
}

TEST_F(SettingsStoreTest, WindowsValuesOnlyForAValidCurrentProfile) {
  CountingRegistry registry;
  registry.values["Control Panel\\Mouse|DoubleClickSpeed"] = "640";
  SettingsStore withRegistry(dir.path(), &registry);
  FillSampleBlock(*saved, 1);
  saved->CurrentProfile = 7;
  withRegistry.SaveAll(*saved);
  EXPECT_EQ(registry.opens, 0);
  withRegistry.LoadAll(*loaded);
  EXPECT_EQ(registry.opens, 0);
  EXPECT_EQ(loaded->CurrentProfile, 7);
  EXPECT_EQ(loaded->Profiles[1].DbleClickSpeed, saved->Profiles[1].DbleClickSpeed);

  saved->CurrentProfile = 1;
  withRegistry.SaveAll(*saved);
  EXPECT_GT(registry.opens, 0);
  EXPECT_EQ(registry.values["Control Panel\\Mouse|DoubleClickSpeed"],
            std::to_string(saved->Profiles[1].DbleClickSpeed));
  registry.values["Control Panel\\Mouse|DoubleClickSpeed"] = "640";
  withRegistry.LoadAll(*loaded);
  EXPECT_EQ(loaded->Profiles[1].DbleClickSpeed, 640);  // the user's value replaces the stored one
  EXPECT_EQ(loaded->Profiles[2].DbleClickSpeed, saved->Profiles[2].DbleClickSpeed);
}

TEST_F(SettingsStoreTest, OneValueWritersKeepTheRestOfConfig) {
  FillSampleBlock(*saved, 2);
  store.SaveAll(*saved);
  store.SaveFirmwareVersion(150);
  store.SaveCurrentProfile(4);
  store.SaveDevicePresent(1);
  store.SaveExportName(3, "My Export");
  saved->LiftOnFlag = 9;
  store.SaveDeviceFlags(*saved);
  IniFile config(store.ConfigPath());
  ASSERT_TRUE(config.Load());
  EXPECT_EQ(config.GetInt("Setting", "FWVersion", 0), 150);
  EXPECT_EQ(config.GetInt("Setting", "CurrentProfile", 0), 4);
  EXPECT_EQ(config.GetInt("Setting", "Device", 0), 1);
  EXPECT_EQ(config.GetInt("Setting", "LiftOnFlag", 0), 9);
  EXPECT_EQ(config.GetInt("Setting", "MouseType", 0), 3);
  EXPECT_EQ(config.GetString("FileName", "Profile3", ""), "My Export");
  EXPECT_EQ(store.ReadFirmwareVersion(), 150);
}

TEST(FirmwareVersion, DisplayRule) {
  struct Case {
    int value;
    const char* text;
  } cases[] = {{99, "N/A"}, {100, "1.00"}, {150, "1.50"}, {500, "5.00"}, {501, "N/A"}, {-1, "N/A"}};
  for (const Case& c : cases) EXPECT_EQ(FormatFirmwareVersion(c.value), c.text) << c.value;
  TempFolder dir;
  EXPECT_EQ(SettingsStore(dir.path(), nullptr).ReadFirmwareVersion(), 100);
}

TEST(Language, SystemLanguageTable) {
  struct Case {
    uint16_t id;
    int32_t index;
  } cases[] = {{1030, 0}, {1033, 1}, {2057, 1}, {0, 1},     {1035, 2},  {5132, 3},  {3079, 4},
               {2064, 5}, {1041, 6}, {1042, 7}, {1045, 8},  {1049, 9},  {2052, 10}, {3082, 11},
               {20490, 11}, {1053, 12}, {1054, 13}, {1028, 14}, {1055, 15}, {1066, 16}, {2070, 1}};
  for (const Case& c : cases) EXPECT_EQ(SystemLanguageIndex(c.id), c.index) << c.id;
}

TEST_F(SettingsStoreTest, ExportReplacesTheTargetAndCopiesIntoConfig) {
  FillSampleBlock(*saved, 4);
  saved->CurrentProfile = 2;
  const std::string target = dir.path() + "exported.vmp";
  ASSERT_TRUE(WriteFileReplacing(target, "[Setting]\r\nStale=1\r\n[Other]\r\nx=2\r\n"));
  ASSERT_EQ(store.ExportProfile(*saved, target), 1);
  IniFile exported(target);
  ASSERT_TRUE(exported.Load());
  EXPECT_FALSE(exported.HasKey("Setting", "Stale"));
  EXPECT_FALSE(exported.HasSection("Other"));
  auto profile = std::make_unique<ProfileRecord>();
  ASSERT_EQ(SettingsStore::LoadProfile(*profile, dir.path() + "config/exported.vmp"), 1);
  EXPECT_EQ(std::memcmp(profile.get(), &saved->Profiles[2], sizeof *profile), 0);
  IniFile config(store.ConfigPath());
  config.Load();
  EXPECT_EQ(config.GetString("FileName", "Profile3", ""), "exported");
}

TEST_F(SettingsStoreTest, ImportLoadsIntoTheCurrentProfileAndMarksItsButtons) {
  FillSampleBlock(*saved, 5);
  const std::string source = dir.path() + "incoming.vmp";
  ASSERT_EQ(SettingsStore::SaveProfile(saved->Profiles[4], source), 1);

  ResetToDefaults(*loaded, 1);
  ClearChangeFlags(*loaded);
  loaded->CurrentProfile = 1;
  EXPECT_EQ(store.ImportProfile(*loaded, dir.path() + "missing.vmp"), 0);
  EXPECT_STREQ(loaded->Profiles[1].ProFileName, "Default2");

  ASSERT_EQ(store.ImportProfile(*loaded, source), 1);
  EXPECT_EQ(std::memcmp(&loaded->Profiles[1], &saved->Profiles[4], sizeof(ProfileRecord)), 0);
  for (int s = 0; s < 24; ++s) EXPECT_EQ(loaded->ButtonChanged[1][s], 1);
  EXPECT_EQ(loaded->ButtonChanged[0][0], 0);
  EXPECT_TRUE(CanOpenForReading(dir.path() + "incoming.vmp"));

  loaded->CurrentProfile = -1;
  EXPECT_EQ(store.ImportProfile(*loaded, source), 0);
}

TEST_F(SettingsStoreTest, HostileProfileFileLoadsBounded) {
  MacroKeyInfo evil;
  std::memset(&evil, 'x', sizeof evil);  // no terminators, event count 0x7878
  IniFile ini(store.ProfilePath(0));
  CreateFolders(dir.path() + "config");
  ini.SetString("Setting", "ProFileName", std::string(5000, 'N'));
  ini.SetString("Setting", "GameFile0", std::string(3000, 'G'));
  ini.SetStruct("Setting", "MacroKeyInfo3", &evil, sizeof evil);
  ini.SetString("Setting", "MacroKeyInfo4", "00FF");  // wrong length
  ini.SetString("Setting", "LightInfo1", "0102030405FF");  // wrong checksum
  ini.SetString("Setting", "Cpi_X", "99999999999999999999");
  ASSERT_TRUE(ini.Commit());
  ASSERT_EQ(store.LoadAll(*loaded), 1);
  const ProfileRecord& p = loaded->Profiles[0];
  EXPECT_EQ(FieldLength(p.ProFileName), 249u);
  EXPECT_EQ(FieldLength(p.GameFile0), 499u);
  EXPECT_EQ(p.MacroKeys[3].EventCount, 500);
  EXPECT_EQ(p.MacroKeys[3].ButtonNumber, 3);
  EXPECT_EQ(FieldLength(p.MacroKeys[3].MacroName), 49u);
  EXPECT_EQ(p.MacroKeys[4].FunctionCode, 65);  // damaged entry: factory slot
  EXPECT_EQ(p.Lights[1].ColorNumber, 19);
  // An overflowing number never reads as a valid level, and its neighbour
  // keeps its own (absent) value.
  EXPECT_FALSE(p.Cpi_X >= 0 && p.Cpi_X <= 4);
  EXPECT_EQ(p.Cpi_Y, -1);
}

// Every store refuses to replace a file it could not read: the user's file is
// kept whole rather than rewritten with defaults.
TEST_F(SettingsStoreTest, FilesThatCannotBeReadAreNotOverwritten) {
  FillSampleBlock(*saved, 1);
  store.SaveAll(*saved);
  const std::string files[] = {store.ConfigPath(), store.ProfilePath(2),
                               dir.path() + "config/Preset_sequence.dat",
                               dir.path() + "config/Timer.ini"};
  const off_t tooLarge = (128 << 20) + 1;  // past the reader's limit; sparse
  for (const std::string& f : files) {
    if (!CanOpenForReading(f)) {
      ASSERT_TRUE(WriteFileReplacing(f, "[keep]\r\n"));
    }
    ASSERT_EQ(truncate(f.c_str(), tooLarge), 0) << f;
  }
  ASSERT_EQ(store.LoadAll(*loaded), 1);
  store.SaveAll(*loaded);
  store.SaveDevicePresent(1);
  store.SaveFirmwareVersion(150);
  MacroLibrary library;
  EXPECT_FALSE(library.Load(files[2]));
  library.sets.push_back(MacroSet{"New", {}});
  EXPECT_FALSE(library.Save(files[2]));
  TimerList timers;
  EXPECT_FALSE(timers.Load(files[3]));
  timers.timers.push_back(TimerRecord{});
  EXPECT_FALSE(timers.Save(files[3]));
  for (const std::string& f : files) {
    struct stat st;
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_size, tooLarge) << f;
  }
}

}  // namespace
}  // namespace vextra
