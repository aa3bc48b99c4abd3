// The on-screen-display record in config.ini ([config] OSDSetting). A read
// gives either the defaults (false) or a record with terminated strings; what
// was read and written reads back the same, and the file's other keys stay.
// Input: one byte of choices (bit 0: repair the structures' checksums), then
// config.ini.
#include <cstring>
#include <memory>

#include "common/ini_file.h"
#include "common/osd_setting.h"
#include "common/settings_store.h"
#include "common/text.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // A config.ini as the store writes it, with a record whose texts come
  // from the sample block.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 7);
  const std::string folder = fuzz::FreshFolder("seed");
  SettingsStore store(folder, nullptr);
  store.SaveAll(*block);
  OSDSetting osd = DefaultOSDSetting();
  for (int i = 0; i < 28; ++i) osd.Options[i] = static_cast<uint8_t>(i % 3);
  osd.Value28 = block->Profiles[0].CpiLevel_X[1];
  osd.Value32 = -block->Profiles[0].CpiLevel_X[2];
  CopyField(osd.Text36, block->Profiles[0].ProFileName);
  CopyField(osd.Text140, block->Profiles[1].GameFile0);
  CopyField(osd.Text240, block->Profiles[2].MacroKeys[0].ProgramPath);
  WriteOSDSetting(store.ConfigPath(), osd);
  seeds.Add("sample-config", '\1' + fuzz::ReadFile(store.ConfigPath()));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  std::string text = in.Rest();
  if (choices & 1) text = fuzz::FixStructChecksums(text);
  const std::string path = fuzz::FreshFolder("osd") + "config.ini";
  fuzz::WriteFile(path, text);

  OSDSetting read;
  std::memset(&read, 0x55, sizeof read);
  const OSDSetting defaults = DefaultOSDSetting();
  if (!ReadOSDSetting(path, read)) FUZZ_CHECK(std::memcmp(&read, &defaults, sizeof read) == 0);
  FUZZ_CHECK(std::memchr(read.Text36, 0, sizeof read.Text36) && std::memchr(read.Text140, 0, sizeof read.Text140) &&
             std::memchr(read.Text240, 0, sizeof read.Text240));

  FUZZ_CHECK(WriteOSDSetting(path, read));
  OSDSetting back;
  FUZZ_CHECK(ReadOSDSetting(path, back));
  FUZZ_CHECK(std::memcmp(&read, &back, sizeof read) == 0);
  IniFile before, after;
  before.Parse(text);
  after.Parse(fuzz::ReadFile(path));
  for (const std::string& section : before.SectionNames())
    for (const std::string& key : before.KeyNames(section))
      if (!SameNameIgnoringCase(section, "config") || !SameNameIgnoringCase(key, "OSDSetting"))
        FUZZ_CHECK(after.GetString(section, key, "\x01") == before.GetString(section, key, "\x01"));
  return 0;
}
