// The macro library: named sets of macros, kept in config\Preset_sequence.dat,
// and its synchronisation with the macros held in button slots.
#pragma once

#include <string>
#include <vector>

#include "common/macro_format.h"
#include "common/text.h"

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
// A set name lives in a 200-character buffer.
constexpr size_t kMaxSetNameChars = 199;

// The file's section that lists the sets. A set whose trimmed name equals it
// (ignoring case) would overwrite that list with its own keys.
constexpr const char kSetListSection[] = "SetMacro";

// False for a set name whose macros the file cannot hold (see kSetListSection);
// the macro manager refuses such names.
bool IsStorableSetName(const std::string& name);

class MacroLibrary {
 public:
  std::vector<MacroSet> sets;

  // Replaces the library by the file's content. Entries whose key is absent
  // or whose record fails its checksum are skipped, and so is a listed set
  // that another spelling of its name already brought in (both read the same
  // section). False when the file cannot be read; the library is then empty.
  bool Load(const std::string& path);
  // Writes the whole library as a fresh file replacing the old one in one step.
  // Sets whose names differ only in case or outer blanks share one section,
  // so they are written as one set holding the macros of all of them.
  // False when writing fails, or when a set that is not storable held macros
  // (the rest is written all the same).
  bool Save(const std::string& path) const;

  // Set index by name (trimmed, ignoring case), or -1.
  int FindSet(const std::string& name) const;
  // Macro index inside a set by name (trimmed, ignoring case), or -1.
  int FindMacro(int set, const std::string& name) const;

  // Brings the library in line with the macro slots of all profiles: a slot's
  // missing set or macro is added, a differing macro takes the slot's events.
  // Returns true when the library changed.
  bool SyncWithSlots(const SettingsBlock& block);
  // The same, followed by the save that always ends a synchronisation.
  // Returns whether the library changed; `saved` tells whether the save worked.
  bool SyncWithSlotsAndSave(const SettingsBlock& block, const std::string& path, bool* saved = nullptr);
};

}  // namespace vextra
