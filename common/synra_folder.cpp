#include "common/synra_folder.h"

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/text.h"

namespace vextra {
namespace {

const char kSection[] = "Vext+";
const char kProductName[] = "Vextra";

bool AlreadyRegistered(const IniFile& ini) {
  if (ini.HasSection(kSection)) return true;
  for (const std::string& section : ini.SectionNames())
    if (EqualIgnoringCase(ini.GetString(section, "Name", ""), kProductName)) return true;
  return false;
}

}  // namespace

std::string SynraFolder(const std::string& commonAppData) {
  return JoinPath(JoinPath(JoinPath(commonAppData, "Velmar"), "Synra"), "");
}

std::string TanaimPath(const std::string& commonAppData) {
  return SynraFolder(commonAppData) + "Tanaim.ini";
}

std::string SynraConfigPath(const std::string& commonAppData) {
  return SynraFolder(commonAppData) + "TConfig.ini";
}

bool RegisterWithSynra(const std::string& commonAppData) {
  // Without the system folder the path would fall back to the current folder.
  if (commonAppData.empty()) return false;
  if (!CreateFolders(SynraFolder(commonAppData))) return false;
  const std::string path = SynraConfigPath(commonAppData);
  IniFile ini(path);
  if (!ini.Load() && CanOpenForReading(path)) {
    // There but unreadable: the other products' sections must not be lost.
    return false;
  }
  if (AlreadyRegistered(ini)) return true;
  ini.SetString(kSection, "Name", kProductName);
  ini.SetString(kSection, "WindowName", "VELMAR Vextra Mouse Monitor");
  ini.SetInt(kSection, "Device", 0);
  return ini.Commit();
}

}  // namespace vextra
