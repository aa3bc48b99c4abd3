#include "common/osd_setting.h"

#include "common/file_system.h"
#include "common/ini_file.h"

namespace vextra {
namespace {

const char kSection[] = "config";
const char kKey[] = "OSDSetting";

}  // namespace

OSDSetting DefaultOSDSetting() {
  OSDSetting s{};
  s.Value136 = 110;
  s.Value340 = 5;
  return s;
}

bool ReadOSDSetting(const std::string& configPath, OSDSetting& setting) {
  IniFile ini(configPath);
  ini.Load();
  OSDSetting read{};
  if (!ini.GetStruct(kSection, kKey, &read, sizeof read)) {
    setting = DefaultOSDSetting();
    return false;
  }
  // The record comes from a file anyone may edit.
  read.Text36[sizeof read.Text36 - 1] = '\0';
  read.Text140[sizeof read.Text140 - 1] = '\0';
  read.Text240[sizeof read.Text240 - 1] = '\0';
  setting = read;
  return true;
}

bool WriteOSDSetting(const std::string& configPath, const OSDSetting& setting) {
  IniFile ini(configPath);
  // A file that exists but cannot be read is not replaced by one holding
  // only this record.
  if (!ini.Load() && CanOpenForReading(configPath)) return false;
  ini.SetStruct(kSection, kKey, &setting, sizeof setting);
  return ini.Commit();
}

}  // namespace vextra
