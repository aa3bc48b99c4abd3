// The macro library: named sets of macros, kept in config\Preset_sequence.dat,
// and its synchronisation with the macros held in button slots.
#pragma once

#include <string>
#include <vector>

#include "common/macro_format.h"

namespace vextra {

struct MacroSet {
  std::string name;
  std::vector<MacroRecord> macros;
};

// Bounds for what a library file can make us load: far above what the macro
// manager lets a user create (100 sets of 100 macros), so nothing real is
// lost, yet a damaged count cannot make the load run away.
constexpr int kMaxLoadedSets = 1000;
constexpr int kMaxLoadedMacrosPerSet = 1000;

class MacroLibrary {
 public:
  std::vector<MacroSet> sets;

  // Replaces the library by the file's content. Entries whose key is absent
  // or whose record fails its checksum are skipped. False when unreadable.
  bool Load(const std::string& path);
  // Writes the whole library as a fresh file replacing the old one in one step.
  bool Save(const std::string& path) const;

  // Set index by name (trimmed, ignoring case), or -1.
  int FindSet(const std::string& name) const;
  // Macro index inside a set by name (trimmed, ignoring case), or -1.
  int FindMacro(int set, const std::string& name) const;

  // Brings the library in line with the macro slots of all profiles: a slot's
  // missing set or macro is added, a differing macro takes the slot's events.
  // Returns true when the library changed.
  bool SyncWithSlots(const SettingsBlock& block);
};

std::string TrimSpaces(const std::string& text);
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace vextra
