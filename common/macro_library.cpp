#include "common/macro_library.h"

#include <cstring>

#include "common/ini_file.h"

namespace vextra {

std::string TrimSpaces(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return text.substr(b, e - b);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  const std::string x = TrimSpaces(a), y = TrimSpaces(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    char c = x[i], d = y[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (d >= 'A' && d <= 'Z') d = static_cast<char>(d - 'A' + 'a');
    if (c != d) return false;
  }
  return true;
}

namespace {
int Clamp(int value, int high) { return value < 0 ? 0 : value > high ? high : value; }
}  // namespace

bool MacroLibrary::Load(const std::string& path) {
  sets.clear();
  IniFile ini(path);
  if (!ini.Load()) return false;
  const int setCount = Clamp(ini.GetInt("SetMacro", "number", -1), kMaxLoadedSets);
  for (int i = 0; i < setCount; ++i) {
    const std::string key = std::to_string(i);
    if (!ini.HasKey("SetMacro", key)) continue;
    MacroSet set;
    set.name = ini.GetString("SetMacro", key, "");
    const std::string section = TrimSpaces(set.name);
    const int macroCount = Clamp(ini.GetInt(section, "number", -1), kMaxLoadedMacrosPerSet);
    for (int j = 0; j < macroCount; ++j) {
      MacroRecord macro;
      if (!ini.GetStruct(section, std::to_string(j), &macro, sizeof macro)) continue;
      SanitizeMacro(macro);
      set.macros.push_back(macro);
    }
    sets.push_back(std::move(set));
  }
  return true;
}

bool MacroLibrary::Save(const std::string& path) const {
  IniFile ini(path);  // a fresh document: no section of a removed set survives
  ini.SetInt("SetMacro", "number", static_cast<int32_t>(sets.size()));
  for (size_t i = 0; i < sets.size(); ++i) ini.SetString("SetMacro", std::to_string(i), sets[i].name);
  for (const MacroSet& set : sets) {
    const std::string section = TrimSpaces(set.name);
    ini.SetInt(section, "number", static_cast<int32_t>(set.macros.size()));
    for (size_t j = 0; j < set.macros.size(); ++j)
      ini.SetStruct(section, std::to_string(j), &set.macros[j], sizeof(MacroRecord));
  }
  return ini.Commit();
}

int MacroLibrary::FindSet(const std::string& name) const {
  for (size_t i = 0; i < sets.size(); ++i)
    if (SameNameIgnoringCase(sets[i].name, name)) return static_cast<int>(i);
  return -1;
}

int MacroLibrary::FindMacro(int set, const std::string& name) const {
  if (set < 0 || static_cast<size_t>(set) >= sets.size()) return -1;
  const std::vector<MacroRecord>& macros = sets[static_cast<size_t>(set)].macros;
  for (size_t j = 0; j < macros.size(); ++j) {
    std::string macroName(macros[j].Name, FieldLength(macros[j].Name));
    if (SameNameIgnoringCase(macroName, name)) return static_cast<int>(j);
  }
  return -1;
}

bool MacroLibrary::SyncWithSlots(const SettingsBlock& block) {
  bool changed = false;
  for (const ProfileRecord& profile : block.Profiles) {
    for (const MacroKeyInfo& slot : profile.MacroKeys) {
      const std::string setName(slot.MacroSetName, FieldLength(slot.MacroSetName));
      if (slot.FunctionCode != 48 || setName.empty()) continue;
      const std::string macroName(slot.MacroName, FieldLength(slot.MacroName));
      MacroRecord fromSlot;
      CopySlotToMacro(slot, fromSlot);
      int s = FindSet(setName);
      if (s < 0) {
        sets.push_back(MacroSet{setName, {fromSlot}});
        changed = true;
        continue;
      }
      int m = FindMacro(s, macroName);
      std::vector<MacroRecord>& macros = sets[static_cast<size_t>(s)].macros;
      if (m < 0) {
        macros.push_back(fromSlot);
        changed = true;
      } else if (!SameEvents(macros[static_cast<size_t>(m)], slot)) {
        MacroRecord& target = macros[static_cast<size_t>(m)];
        // The slot wins: its events, count and loop count; the library keeps its name.
        target.LoopCount = fromSlot.LoopCount;
        target.EventCount = fromSlot.EventCount;
        std::memcpy(target.Events, fromSlot.Events, sizeof target.Events);
        changed = true;
      }
    }
  }
  return changed;
}

}  // namespace vextra
