// The macro library file (config\Preset_sequence.dat). Whatever it holds, the
// load stays within its bounds, and what was loaded, saved and loaded again
// is what was loaded.
// Input: one byte of choices (bit 0: repair the structures' checksums), then
// the file.
#include <cstring>
#include <memory>

#include "common/macro_library.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

void CheckBounds(const MacroLibrary& library) {
  FUZZ_CHECK(library.sets.size() <= static_cast<size_t>(kMaxLoadedSets));
  for (size_t i = 0; i < library.sets.size(); ++i) {
    const MacroSet& set = library.sets[i];
    FUZZ_CHECK(set.name.size() <= kMaxSetNameChars);
    FUZZ_CHECK(library.FindSet(set.name) == static_cast<int>(i));  // one set per name
    FUZZ_CHECK(set.macros.size() <= static_cast<size_t>(kMaxLoadedMacrosPerSet));
    for (const MacroRecord& m : set.macros) {
      FUZZ_CHECK(m.EventCount >= 0 && m.EventCount <= kMaxMacroEvents);
      FUZZ_CHECK(std::memchr(m.Name, 0, sizeof m.Name) != nullptr);
    }
  }
}

bool SameLibrary(const MacroLibrary& a, const MacroLibrary& b) {
  if (a.sets.size() != b.sets.size()) return false;
  for (size_t i = 0; i < a.sets.size(); ++i) {
    const MacroSet &x = a.sets[i], &y = b.sets[i];
    if (x.name != y.name || x.macros.size() != y.macros.size()) return false;
    for (size_t j = 0; j < x.macros.size(); ++j)
      if (std::memcmp(&x.macros[j], &y.macros[j], sizeof(MacroRecord)) != 0) return false;
  }
  return true;
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  // A library made from the sample block's slots, kept small: two sets of two
  // macros, and one of them long.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 2);
  MacroLibrary full;
  full.SyncWithSlots(*block);
  MacroLibrary small;
  for (size_t s = 0; s < full.sets.size() && s < 2; ++s) {
    MacroSet set{full.sets[s].name, {}};
    for (size_t m = 0; m < full.sets[s].macros.size() && m < 2; ++m) {
      MacroRecord macro = full.sets[s].macros[m];
      if (m == 0) {
        macro.EventCount = 6;
        SanitizeMacro(macro);
      }
      set.macros.push_back(macro);
    }
    small.sets.push_back(set);
  }
  const std::string path = fuzz::Folder() + "seed.dat";
  small.Save(path);
  seeds.Add("sample-library", '\1' + fuzz::ReadFile(path));
  small.sets.resize(1);
  small.sets[0].macros.resize(1);
  small.Save(path);
  seeds.Add("one-macro", '\1' + fuzz::ReadFile(path));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  std::string text = in.Rest();
  if (choices & 1) text = fuzz::FixStructChecksums(text);
  const std::string folder = fuzz::FreshFolder("library");
  fuzz::WriteFile(folder + "Preset_sequence.dat", text);

  MacroLibrary loaded;
  FUZZ_CHECK(loaded.Load(folder + "Preset_sequence.dat"));
  CheckBounds(loaded);
  FUZZ_CHECK(loaded.Save(folder + "saved.dat"));
  MacroLibrary again;
  FUZZ_CHECK(again.Load(folder + "saved.dat"));
  CheckBounds(again);
  // Names the file cannot hold as they are (a line break, enclosing quotes)
  // come back changed, and with them the section their macros are looked up in.
  bool heldAsTheyAre = true;
  for (const MacroSet& set : loaded.sets) heldAsTheyAre = heldAsTheyAre && fuzz::AsStored(set.name) == set.name;
  if (heldAsTheyAre) FUZZ_CHECK(SameLibrary(loaded, again));
  return 0;
}
