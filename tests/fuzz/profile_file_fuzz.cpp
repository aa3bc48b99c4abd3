// A profile file (.vmp), read by the profile load and by the import. A loaded
// profile saved and loaded again is the same record; an import changes the
// current profile only (marking its 24 slots changed), and nothing when no
// profile is current.
// Input: one byte of choices (bit 0: repair the structures' checksums; bits
// 1-3: the current profile, 0..4 or none), then the file.
#include <cstring>
#include <memory>

#include "common/ini_file.h"
#include "common/settings_store.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

const SettingsBlock& Sample() {
  static const std::unique_ptr<SettingsBlock> block = [] {
    auto b = std::make_unique<SettingsBlock>();
    FillSampleBlock(*b, 6);
    return b;
  }();
  return *block;
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  const std::string path = fuzz::Folder() + "seed.vmp";
  SettingsStore::SaveProfile(Sample().Profiles[1], path);
  seeds.Add("sample-profile", std::string(1, '\x03') + fuzz::ReadFile(path));
  // The same with only two slots, so that mutations of the rest come cheap.
  IniFile ini(path);
  ini.Load();
  for (int i = 2; i < kButtonSlots; ++i) ini.RemoveKey("Setting", "MacroKeyInfo" + std::to_string(i));
  seeds.Add("sample-profile-two-slots", std::string(1, '\x05') + ini.Serialize());
  seeds.Add("no-current-profile", std::string(1, '\x0F') + ini.Serialize());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto block = std::make_unique<SettingsBlock>();
  static auto profile = std::make_unique<ProfileRecord>();
  static auto again = std::make_unique<ProfileRecord>();
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  std::string text = in.Rest();
  if (choices & 1) text = fuzz::FixStructChecksums(text);
  const int current = (choices >> 1 & 7) < 5 ? choices >> 1 & 7 : -1;
  const std::string folder = fuzz::FreshFolder("profile");
  const std::string source = folder + "in/import.vmp";
  fuzz::WriteFile(source, text);

  const int defaults = current < 0 ? 0 : current;
  ResetProfile(*profile, defaults);
  FUZZ_CHECK(SettingsStore::LoadProfile(*profile, source, defaults) == 1);
  SettingsStore::SaveProfile(*profile, folder + "saved.vmp");
  ResetProfile(*again, defaults);
  FUZZ_CHECK(SettingsStore::LoadProfile(*again, folder + "saved.vmp", defaults) == 1);
  // The names and paths come back as the file can hold them.
  for (char* field : {profile->ProFileName, profile->GameFile0, profile->GameFile1, profile->GameFile2}) {
    const size_t bytes = field == profile->ProFileName ? sizeof profile->ProFileName : sizeof profile->GameFile0;
    CopyField(field, bytes, fuzz::AsStored(std::string(field, FieldLength(field, bytes))).c_str());
  }
  FUZZ_CHECK(std::memcmp(profile.get(), again.get(), sizeof(ProfileRecord)) == 0);

  *block = Sample();
  block->CurrentProfile = current;
  const SettingsStore store(folder, nullptr);
  const int imported = store.ImportProfile(*block, source);
  const SettingsBlock& before = Sample();
  if (current < 0) {
    FUZZ_CHECK(imported == 0);
    FUZZ_CHECK(std::memcmp(&before.Profiles, &block->Profiles, sizeof before.Profiles) == 0);
    FUZZ_CHECK(std::memcmp(&before.ButtonChanged, &block->ButtonChanged, sizeof before.ButtonChanged) == 0);
    return 0;
  }
  FUZZ_CHECK(imported == 1);
  // The import loads over the profile as it was.
  *again = before.Profiles[current];
  SettingsStore::LoadProfile(*again, source, current);
  for (int n = 0; n < kProfileCount; ++n) {
    const ProfileRecord& expected = n == current ? *again : before.Profiles[n];
    FUZZ_CHECK(std::memcmp(&expected, &block->Profiles[n], sizeof expected) == 0);
    for (int s = 0; s < kButtonSlots; ++s)
      FUZZ_CHECK(block->ButtonChanged[n][s] == (n == current ? 1 : before.ButtonChanged[n][s]));
  }
  return 0;
}
