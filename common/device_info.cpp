#include "common/device_info.h"

#include <algorithm>
#include <cstdio>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/settings_block.h"

namespace vextra {
namespace {

const char kSetting[] = "Setting";
const char kCount[] = "Count";

std::string DeviceSection(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "Device%d", i);
  return name;
}

std::string CpiKey(int level) {
  char name[16];
  std::snprintf(name, sizeof name, "CPI %d", level);
  return name;
}

// An id that does not fit 16 bits is damage, not a device: read it as unset.
uint16_t ReadId(const IniFile& ini, const std::string& section, const char* key) {
  int32_t value = ini.GetInt(section, key, 0);
  return value >= 0 && value <= 0xFFFF ? static_cast<uint16_t>(value) : 0;
}

}  // namespace

void DeviceInfoEntry::SetName(const std::string& name) { CopyField(Name, name.c_str()); }

bool DeviceInfoList::AddOrUpdate(const DeviceInfoEntry& entry) {
  for (DeviceInfoEntry& e : entries_) {
    if (e.PID == entry.PID) {
      e = entry;
      e.Name[kDeviceNameSize - 1] = '\0';
      return true;
    }
  }
  if (Count() >= kMaxDeviceInfos) return false;
  entries_.push_back(entry);
  entries_.back().Name[kDeviceNameSize - 1] = '\0';
  return true;
}

const DeviceInfoEntry* DeviceInfoList::FindByProductId(uint16_t pid) const {
  for (const DeviceInfoEntry& e : entries_)
    if (e.PID == pid) return &e;
  return nullptr;
}

bool DeviceInfoList::Load(const std::string& path) {
  entries_.clear();
  IniFile ini(path);
  if (!ini.Load()) return false;
  const int count = std::clamp<int32_t>(ini.GetInt(kSetting, kCount, 0), 0, kMaxDeviceInfos);
  for (int i = 0; i < count; ++i) {
    const std::string section = DeviceSection(i);
    DeviceInfoEntry e;
    e.VID = ReadId(ini, section, "VID");
    e.PID = ReadId(ini, section, "PID");
    e.SetName(ini.GetString(section, "Name", "", kDeviceNameSize - 1));
    for (int level = 0; level < 5; ++level) e.CPI[level] = ini.GetInt(section, CpiKey(level), 0);
    entries_.push_back(e);
  }
  return true;
}

bool DeviceInfoList::Save(const std::string& path) const {
  IniFile ini(path);
  // A file that exists but cannot be parsed is not replaced by one that
  // holds only our keys.
  if (!ini.Load() && CanOpenForReading(path)) return false;
  ini.SetInt(kSetting, kCount, Count());
  for (int i = 0; i < Count(); ++i) {
    const DeviceInfoEntry& e = entries_[i];
    const std::string section = DeviceSection(i);
    ini.SetInt(section, "VID", e.VID);
    ini.SetInt(section, "PID", e.PID);
    ini.SetString(section, "Name", std::string(e.Name, FieldLength(e.Name)));
    for (int level = 0; level < 5; ++level) ini.SetInt(section, CpiKey(level), e.CPI[level]);
  }
  return ini.Commit();
}

}  // namespace vextra
