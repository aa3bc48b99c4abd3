#include "common/settings_store.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "common/file_system.h"
#include "common/windows_values.h"

namespace vextra {
namespace {

const char kSetting[] = "Setting";
const char kFileName[] = "FileName";

struct IntKey {
  const char* name;
  int32_t ProfileRecord::*field;
};

// Integer keys of a profile file that come before the dpi bytes, in file order.
constexpr IntKey kLeadingInts[] = {
    {"DbleClickSpeed", &ProfileRecord::DbleClickSpeed},
    {"ScrollWheelSpeed", &ProfileRecord::ScrollWheelSpeed},
    {"ScrollWheelFlag", &ProfileRecord::ScrollWheelFlag},
    {"MouseSpeed", &ProfileRecord::MouseSpeed},
    {"Acceleration", &ProfileRecord::Acceleration},
    {"AccelerationFlag", &ProfileRecord::AccelerationFlag},
    {"MouseTrails", &ProfileRecord::MouseTrails},
    {"TiltSpeed", &ProfileRecord::TiltSpeed},
    {"MediaOption", &ProfileRecord::MediaOption},
    {"HDDKeyboard", &ProfileRecord::HDDKeyboard},
    {"Orientation", &ProfileRecord::Orientation},
    {"XYSynchronous", &ProfileRecord::XYSynchronous},
    {"Sensitivity_X", &ProfileRecord::Sensitivity_X},
    {"Sensitivity_Y", &ProfileRecord::Sensitivity_Y},
    {"Sensitivity", &ProfileRecord::Sensitivity},
};
constexpr IntKey kCpiInts[] = {
    {"Cpi_X", &ProfileRecord::Cpi_X},
    {"Cpi_Y", &ProfileRecord::Cpi_Y},
    {"XYCpiFlag", &ProfileRecord::XYCpiFlag},
};
constexpr IntKey kTrailingInts[] = {
    {"PollingRate", &ProfileRecord::PollingRate},
    {"LightOnFlag", &ProfileRecord::LightOnFlag},
    {"LightEffectMode", &ProfileRecord::LightEffectMode},
    {"LightColorFlow", &ProfileRecord::LightColorFlow},
    {"LightEffectType", &ProfileRecord::LightEffectType},
    {"LightEffectSpeed", &ProfileRecord::LightEffectSpeed},
    {"SoundProfile", &ProfileRecord::SoundProfile},
    {"SoundDpi", &ProfileRecord::SoundDpi},
    {"SoundSens", &ProfileRecord::SoundSens},
    {"VolumeUpDown", &ProfileRecord::VolumeUpDown},
    {"SoundVolume", &ProfileRecord::SoundVolume},
    {"UseColorForAll", &ProfileRecord::UseColorForAll},
};

std::string Indexed(const char* format, int i) {
  char key[64];
  std::snprintf(key, sizeof key, format, i);
  return key;
}

template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, FieldLength(field));
}

void WriteProfileKeys(const ProfileRecord& p, IniFile& ini) {
  ini.SetString(kSetting, "ProFileName", FieldText(p.ProFileName));
  ini.SetString(kSetting, "GameFile0", FieldText(p.GameFile0));
  ini.SetString(kSetting, "GameFile1", FieldText(p.GameFile1));
  ini.SetString(kSetting, "GameFile2", FieldText(p.GameFile2));
  for (const IntKey& k : kLeadingInts) ini.SetInt(kSetting, k.name, p.*k.field);
  for (int i = 0; i < 6; ++i) ini.SetInt(kSetting, Indexed("dpi%d", i), p.dpi[i]);
  for (const IntKey& k : kCpiInts) ini.SetInt(kSetting, k.name, p.*k.field);
  for (int i = 0; i < 5; ++i) ini.SetInt(kSetting, Indexed("CpiLevel_X%d", i), p.CpiLevel_X[i]);
  for (int i = 0; i < 5; ++i) ini.SetInt(kSetting, Indexed("CpiLevel_Y%d", i), p.CpiLevel_Y[i]);
  for (const IntKey& k : kTrailingInts) ini.SetInt(kSetting, k.name, p.*k.field);
  for (int i = 0; i < kLightZones; ++i)
    ini.SetStruct(kSetting, Indexed("LightInfo%d", i), &p.Lights[i], sizeof(LightInfo));
  for (int i = 0; i < kButtonSlots; ++i)
    ini.SetStruct(kSetting, Indexed("MacroKeyInfo%d", i), &p.MacroKeys[i], sizeof(MacroKeyInfo));
}

void ReadProfileKeys(ProfileRecord& p, const IniFile& ini, int defaultsIndex) {
  std::memset(p.Padding0, 0, sizeof p.Padding0);
  std::memset(p.Padding1, 0, sizeof p.Padding1);
  CopyField(p.ProFileName, ini.GetString(kSetting, "ProFileName", "").c_str());
  CopyField(p.GameFile0, ini.GetString(kSetting, "GameFile0", "").c_str());
  CopyField(p.GameFile1, ini.GetString(kSetting, "GameFile1", "").c_str());
  CopyField(p.GameFile2, ini.GetString(kSetting, "GameFile2", "").c_str());
  for (const IntKey& k : kLeadingInts) p.*k.field = ini.GetInt(kSetting, k.name, -1);
  for (int i = 0; i < 6; ++i)
    p.dpi[i] = static_cast<uint8_t>(ini.GetInt(kSetting, Indexed("dpi%d", i), -1));
  for (const IntKey& k : kCpiInts) p.*k.field = ini.GetInt(kSetting, k.name, -1);
  for (int i = 0; i < 5; ++i) p.CpiLevel_X[i] = ini.GetInt(kSetting, Indexed("CpiLevel_X%d", i), -1);
  for (int i = 0; i < 5; ++i) p.CpiLevel_Y[i] = ini.GetInt(kSetting, Indexed("CpiLevel_Y%d", i), -1);
  for (const IntKey& k : kTrailingInts)
    p.*k.field = ini.GetInt(kSetting, k.name, k.field == &ProfileRecord::UseColorForAll ? 0 : -1);

  // Entries that are absent or damaged take their factory contents rather
  // than whatever the record held before.
  std::unique_ptr<ProfileRecord> defaults;
  auto factory = [&]() -> const ProfileRecord& {
    if (!defaults) {
      defaults = std::make_unique<ProfileRecord>();
      ResetProfile(*defaults, defaultsIndex);
    }
    return *defaults;
  };
  for (int i = 0; i < kLightZones; ++i)
    if (!ini.GetStruct(kSetting, Indexed("LightInfo%d", i), &p.Lights[i], sizeof(LightInfo)))
      p.Lights[i] = factory().Lights[i];
  for (int i = 0; i < kButtonSlots; ++i)
    if (!ini.GetStruct(kSetting, Indexed("MacroKeyInfo%d", i), &p.MacroKeys[i], sizeof(MacroKeyInfo)))
      p.MacroKeys[i] = factory().MacroKeys[i];
  for (int i = 0; i < kButtonSlots; ++i) SanitizeSlot(p.MacroKeys[i], i);
}

}  // namespace

SettingsStore::SettingsStore(std::string programFolder, Registry* registry)
    : programFolder_(std::move(programFolder)), registry_(registry) {}

std::string SettingsStore::ConfigPath() const { return JoinPath(programFolder_, "config.ini"); }

std::string SettingsStore::ProfilePath(int index) const {
  return JoinPath(JoinPath(programFolder_, "config"), Indexed("Default%d", index) + ".vmp");
}

int SettingsStore::LoadAll(SettingsBlock& block) const {
  IniFile config(ConfigPath());
  config.Load();
  block.CurrentProfile = config.GetInt(kSetting, "CurrentProfile", -1);
  block.WindowsProfile = config.GetInt(kSetting, "WindowsProfile", -1);
  block.QuickHelpLan = config.GetInt(kSetting, "QuickHelpLan", -1);
  block.MouseType = config.GetInt(kSetting, "MouseType", -1);
  block.LiftOnFlag = config.GetInt(kSetting, "LiftOnFlag", -1);
  block.TrackControlFlag = config.GetInt(kSetting, "TrackControlFlag", -1);
  for (int n = 0; n < kProfileCount; ++n) {
    if (!LoadProfile(block.Profiles[n], ProfilePath(n), n)) ResetProfile(block.Profiles[n], n);
  }
  if (IsProfileIndex(block.CurrentProfile) && registry_)
    ReadWindowsValues(block.Profiles[block.CurrentProfile], *registry_);
  return 1;
}

int SettingsStore::SaveAll(const SettingsBlock& block) const {
  if (IsProfileIndex(block.CurrentProfile) && registry_)
    WriteWindowsValues(block.Profiles[block.CurrentProfile], *registry_);
  // No Load before a save: Commit reads the file as it is then and changes
  // only these keys in it.
  IniFile config(ConfigPath());
  config.SetInt(kSetting, "CurrentProfile", block.CurrentProfile);
  config.SetInt(kSetting, "WindowsProfile", block.WindowsProfile);
  config.SetInt(kSetting, "QuickHelpLan", block.QuickHelpLan);
  config.SetInt(kSetting, "MouseType", block.MouseType);
  config.SetInt(kSetting, "LiftOnFlag", block.LiftOnFlag);
  config.SetInt(kSetting, "TrackControlFlag", block.TrackControlFlag);
  config.Commit();
  CreateFolders(JoinPath(programFolder_, "config"));
  for (int n = 0; n < kProfileCount; ++n) SaveProfile(block.Profiles[n], ProfilePath(n));
  return 1;  // write failures are not reported, as with the platform functions
}

int SettingsStore::SaveDeviceFlags(const SettingsBlock& block) const {
  IniFile config(ConfigPath());
  config.SetInt(kSetting, "LiftOnFlag", block.LiftOnFlag);
  config.SetInt(kSetting, "TrackControlFlag", block.TrackControlFlag);
  config.Commit();
  return 1;
}

int SettingsStore::LoadProfile(ProfileRecord& profile, const std::string& path, int defaultsIndex) {
  IniFile ini(path);
  if (!ini.Load()) return 0;
  ReadProfileKeys(profile, ini, defaultsIndex);
  return 1;
}

int SettingsStore::SaveProfile(const ProfileRecord& profile, const std::string& path) {
  IniFile ini(path);
  WriteProfileKeys(profile, ini);
  ini.Commit();
  return 1;
}

int SettingsStore::ProfileFileExists(const std::string& path) {
  return CanOpenForReading(path) ? 1 : 0;
}

void SettingsStore::SaveExportName(int profileNumber, const std::string& title) const {
  IniFile config(ConfigPath());
  config.SetString(kFileName, Indexed("Profile%d", profileNumber), title);
  config.Commit();
}

int SettingsStore::ReadFirmwareVersion() const {
  IniFile config(ConfigPath());
  config.Load();
  return config.GetInt(kSetting, "FWVersion", 100);
}

namespace {
void WriteOneInt(const std::string& path, const char* key, int value) {
  IniFile config(path);
  config.SetInt(kSetting, key, value);
  config.Commit();
}
}  // namespace

void SettingsStore::SaveFirmwareVersion(int value) const { WriteOneInt(ConfigPath(), "FWVersion", value); }
void SettingsStore::SaveCurrentProfile(int index) const { WriteOneInt(ConfigPath(), "CurrentProfile", index); }
void SettingsStore::SaveDevicePresent(int present) const { WriteOneInt(ConfigPath(), "Device", present); }

int SettingsStore::ExportProfile(const SettingsBlock& block, const std::string& target) const {
  if (!IsProfileIndex(block.CurrentProfile)) return 0;
  // A fresh document replacing the target in one step: no stale keys of an
  // earlier file survive, and a failed write leaves the earlier file intact.
  IniFile ini(target);
  WriteProfileKeys(block.Profiles[block.CurrentProfile], ini);
  if (!ini.CommitWhole()) return 0;
  const std::string title = FileTitleOf(target);
  SaveExportName(block.CurrentProfile + 1, title);
  const std::string configFolder = JoinPath(programFolder_, "config");
  CreateFolders(configFolder);
  CopyFileReplacing(target, JoinPath(configFolder, title + ".vmp"));
  return 1;
}

int SettingsStore::ImportProfile(SettingsBlock& block, const std::string& source) const {
  if (!IsProfileIndex(block.CurrentProfile) || !CanOpenForReading(source)) return 0;
  const std::string copy = JoinPath(programFolder_, FileTitleOf(source) + ".vmp");
  const std::string& from = CopyFileReplacing(source, copy) ? copy : source;
  auto loaded = std::make_unique<ProfileRecord>(block.Profiles[block.CurrentProfile]);
  int ok = LoadProfile(*loaded, from, block.CurrentProfile);
  if (ok) {
    block.Profiles[block.CurrentProfile] = *loaded;
    for (int32_t& flag : block.ButtonChanged[block.CurrentProfile]) flag = 1;
  }
  return ok;
}

std::string FormatFirmwareVersion(int value) {
  if (value < 100 || value > 500) return "N/A";
  std::string digits = std::to_string(value);
  return digits.substr(0, 1) + "." + digits.substr(1);
}

}  // namespace vextra
