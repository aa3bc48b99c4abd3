// The INI engine every settings file goes through: any text parses; what it
// serialises parses back to the same text and values; and a save merges its
// changes into the file as another writer left it, keeping that writer's keys.
// Input: one byte of choices (bit 0: repair the structures' checksums; bit 1:
// read a structure of every value), one byte that splits the rest into the
// file as this writer loaded it and the file as another writer left it.
#include <memory>
#include <vector>

#include "common/ini_file.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

struct Change {
  std::string section, key, value;
};

// Every value of the document reads the same in `other`.
void CheckSameValues(const IniFile& document, const IniFile& other) {
  for (const std::string& section : document.SectionNames())
    for (const std::string& key : document.KeyNames(section))
      FUZZ_CHECK(other.GetString(section, key, "\x01") == document.GetString(section, key, "\x01"));
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  // config.ini and a profile file as the store writes them, split in two.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 12);
  const std::string folder = fuzz::FreshFolder("seed");
  const SettingsStore store(folder, nullptr);
  store.SaveAll(*block);
  store.SaveExportName(2, "Exported");
  const std::string config = fuzz::ReadFile(store.ConfigPath());
  seeds.Add("config", std::string("\1\x80") + config + config.substr(config.size() / 2));
  IniFile profile(store.ProfilePath(0));
  profile.Load();
  for (int i = 1; i < kButtonSlots; ++i) profile.RemoveKey("Setting", "MacroKeyInfo" + std::to_string(i));
  const std::string text = profile.Serialize();
  seeds.Add("profile", std::string("\3\x60") + text + config);
  seeds.Add("comments", std::string("\0\x80", 2) + "; a comment\r\n\r\n[A]\r\nx = \"1\"\r\n[a]\r\ny=2\r\n" +
                            "[B]\r\nno equals sign\r\nz=3\r\n");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  const size_t split = in.Byte();
  std::string text = in.Rest();
  if (choices & 1) text = fuzz::FixStructChecksums(text);
  const std::string mine = text.substr(0, text.size() * split / 255);
  const std::string theirs = text.substr(mine.size());

  // Parse and serialise: the text is stable after one pass, values stay.
  IniFile document;
  document.Parse(mine);
  const std::string serialized = document.Serialize();
  IniFile reread;
  reread.Parse(serialized);
  FUZZ_CHECK(reread.Serialize() == serialized);
  CheckSameValues(document, reread);
  if (choices & 2) {
    uint8_t buffer[64];
    for (const std::string& section : document.SectionNames())
      for (const std::string& key : document.KeyNames(section)) document.GetStruct(section, key, buffer, 5);
  }

  // This writer loads the file, another one replaces it meanwhile, then this
  // one saves a few changes.
  const std::string path = fuzz::FreshFolder("ini") + "settings.ini";
  fuzz::WriteFile(path, mine);
  IniFile writer(path);
  FUZZ_CHECK(writer.Load());
  IniFile other;
  other.Parse(theirs);
  std::vector<Change> changes;
  auto pick = [&changes](const IniFile& from) {
    for (const std::string& section : from.SectionNames()) {
      // A lone CR stays in a name that is read but ends the name when it is
      // written, so such a key cannot be named in a change.
      if (TrimSpaces(section).empty() || section.find('\r') != std::string::npos) continue;
      for (const std::string& key : from.KeyNames(section)) {
        if (key.find('\r') != std::string::npos) continue;
        if (changes.size() % 2 == 0 && changes.size() < 6)
          changes.push_back({section, key, "v" + std::to_string(changes.size())});
        else if (changes.size() < 6)
          changes.push_back({section, key, ""});  // a removal
      }
    }
  };
  pick(other);
  pick(writer);
  changes.push_back({"Fuzz New", "Key", "new"});
  for (const Change& c : changes) {
    if (c.value.empty())
      writer.RemoveKey(c.section, c.key);
    else
      writer.SetString(c.section, c.key, c.value);
  }
  fuzz::WriteFile(path, theirs);
  FUZZ_CHECK(writer.Commit());

  IniFile saved(path);
  FUZZ_CHECK(saved.Load());
  auto changed = [&changes](const std::string& section, const std::string& key) {
    for (const Change& c : changes)
      if (SameNameIgnoringCase(c.section, section) && SameNameIgnoringCase(c.key, key)) return true;
    return false;
  };
  for (size_t i = 0; i < changes.size(); ++i) {
    const Change& c = changes[i];
    bool later = false;  // a later change of the same key decides
    for (size_t j = i + 1; j < changes.size(); ++j)
      later = later || (SameNameIgnoringCase(changes[j].section, c.section) && SameNameIgnoringCase(changes[j].key, c.key));
    if (!later && !c.value.empty()) FUZZ_CHECK(saved.GetString(c.section, c.key, "\x01") == c.value);
  }
  for (const std::string& section : other.SectionNames())
    for (const std::string& key : other.KeyNames(section))
      if (!changed(section, key)) FUZZ_CHECK(saved.GetString(section, key, "\x01") == other.GetString(section, key, "\x01"));
  return 0;
}
