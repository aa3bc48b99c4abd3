#include "common/macro_library.h"

#include <cstring>

#include "common/ini_file.h"
#include "common/text.h"

namespace vextra {

namespace {
int Clamp(int value, int high) { return value < 0 ? 0 : value > high ? high : value; }

// A name as the file keeps it: a value ends at the first line break.
std::string StoredName(const std::string& name) { return name.substr(0, name.find_first_of("\r\n")); }
}  // namespace

// A name the file can hold as it is: not the list's own section, and not in
// enclosing quotes (a value reads back without them, so its macros would be
// looked for under another section).
bool IsStorableSetName(const std::string& name) {
  const std::string stored = TrimSpaces(StoredName(name));
  if (stored.size() > 1 && (stored[0] == '"' || stored[0] == '\'') && stored.back() == stored[0]) return false;
  return !SameNameIgnoringCase(StoredName(name), kSetListSection);
}

bool MacroLibrary::Load(const std::string& path) {
  sets.clear();
  IniFile ini(path);
  if (!ini.Load()) return false;
  const int setCount = Clamp(ini.GetInt(kSetListSection, "number", -1), kMaxLoadedSets);
  for (int i = 0; i < setCount; ++i) {
    const std::string key = std::to_string(i);
    if (!ini.HasKey(kSetListSection, key)) continue;
    MacroSet set;
    set.name = ini.GetString(kSetListSection, key, "", kMaxSetNameChars);
    if (FindSet(set.name) >= 0) continue;  // its section was read already
    if (IsStorableSetName(set.name)) {
      const std::string section = TrimSpaces(set.name);
      const int macroCount = Clamp(ini.GetInt(section, "number", -1), kMaxLoadedMacrosPerSet);
      for (int j = 0; j < macroCount; ++j) {
        MacroRecord macro;
        if (!ini.GetStruct(section, std::to_string(j), &macro, sizeof macro)) continue;
        SanitizeMacro(macro);
        set.macros.push_back(macro);
      }
    }
    sets.push_back(std::move(set));
  }
  return true;
}

bool MacroLibrary::Save(const std::string& path) const {
  // Sets that land in the same section are merged first; writing them one
  // after the other would let the last overwrite the others' macros.
  struct Group {
    const std::string* name;
    std::vector<const MacroRecord*> macros;
  };
  std::vector<Group> groups;
  for (const MacroSet& set : sets) {
    Group* group = nullptr;
    for (Group& g : groups)
      if (SameNameIgnoringCase(StoredName(*g.name), StoredName(set.name))) group = &g;
    if (!group) {
      groups.push_back(Group{&set.name, {}});
      group = &groups.back();
    }
    for (const MacroRecord& m : set.macros) group->macros.push_back(&m);
  }

  IniFile ini(path);  // a fresh document: no section of a removed set survives
  ini.SetInt(kSetListSection, "number", static_cast<int32_t>(groups.size()));
  for (size_t i = 0; i < groups.size(); ++i) ini.SetString(kSetListSection, std::to_string(i), *groups[i].name);
  bool complete = true;
  for (const Group& g : groups) {
    if (!IsStorableSetName(*g.name)) {
      complete = complete && g.macros.empty();
      continue;
    }
    const std::string section = TrimSpaces(StoredName(*g.name));
    ini.SetInt(section, "number", static_cast<int32_t>(g.macros.size()));
    for (size_t j = 0; j < g.macros.size(); ++j)
      ini.SetStruct(section, std::to_string(j), g.macros[j], sizeof(MacroRecord));
  }
  return ini.CommitWhole() && complete;
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

bool MacroLibrary::SyncWithSlotsAndSave(const SettingsBlock& block, const std::string& path, bool* saved) {
  const bool changed = SyncWithSlots(block);
  const bool ok = Save(path);
  if (saved) *saved = ok;
  return changed;
}

}  // namespace vextra
