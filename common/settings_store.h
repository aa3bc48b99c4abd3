// Stores the settings block: globals in config.ini, one profile file per
// on-board profile in the "config" folder, and the few values only one program
// writes (firmware version, device presence, export names).
#pragma once

#include <string>

#include "common/ini_file.h"
#include "common/registry.h"
#include "common/settings_block.h"

namespace vextra {

class SettingsStore {
 public:
  // programFolder ends with a separator. registry may be null: then no
  // Windows values are read or written.
  SettingsStore(std::string programFolder, Registry* registry);

  int LoadAll(SettingsBlock& block) const;
  int SaveAll(const SettingsBlock& block) const;
  int SaveDeviceFlags(const SettingsBlock& block) const;

  // One profile as a profile file. Keys that are absent read as -1 (integers;
  // "UseColorForAll" 0) or empty (strings); an absent or damaged light or slot
  // structure takes the defaults of profile `defaultsIndex` for that entry.
  static int LoadProfile(ProfileRecord& profile, const std::string& path, int defaultsIndex = 0);
  static int SaveProfile(const ProfileRecord& profile, const std::string& path);
  static int ProfileFileExists(const std::string& path);

  void SaveExportName(int profileNumber, const std::string& title) const;
  int ReadFirmwareVersion() const;
  void SaveFirmwareVersion(int value) const;
  void SaveCurrentProfile(int index) const;
  void SaveDevicePresent(int present) const;

  // Export of the current profile to a file the user chose: the file holds
  // exactly this profile's keys, "Profile<n>" of [FileName] takes its title
  // and a copy goes to the "config" folder under that title. 1 on success.
  int ExportProfile(const SettingsBlock& block, const std::string& target) const;
  // Import of a profile file into the current profile: copied into the program
  // folder under its title, loaded, and all 24 slots of the profile marked
  // changed. 0 (nothing changed) when the file cannot be read or no profile
  // is current.
  int ImportProfile(SettingsBlock& block, const std::string& source) const;

  std::string ConfigPath() const;
  std::string ProfilePath(int index) const;
  const std::string& programFolder() const { return programFolder_; }

 private:
  std::string programFolder_;
  Registry* registry_;
};

// How the Option shows a stored firmware version: "N/A" below 100 or above
// 500, else the number with a point after the first digit (150 -> "1.50").
std::string FormatFirmwareVersion(int value);

}  // namespace vextra
