// The companion device list (DeviceInfo.ini): at most 100 entries with
// terminated names, and what was loaded and saved loads back equal, with the
// file's other keys kept.
// Input: the file.
#include <cstring>
#include <memory>

#include "common/device_info.h"
#include "common/ini_file.h"
#include "common/text.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

// `b` is `a` saved and loaded again; names come back as the file holds them.
bool SameEntries(const DeviceInfoList& a, const DeviceInfoList& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i) {
    const DeviceInfoEntry &x = a.entries()[i], &y = b.entries()[i];
    if (x.VID != y.VID || x.PID != y.PID || fuzz::AsStored(x.Name) != y.Name ||
        std::memcmp(x.CPI, y.CPI, sizeof x.CPI) != 0)
      return false;
  }
  return true;
}

// The sections Save writes.
bool Owned(const std::string& section, int count) {
  if (SameNameIgnoringCase(section, "Setting")) return true;
  for (int i = 0; i < count; ++i)
    if (SameNameIgnoringCase(section, "Device" + std::to_string(i))) return true;
  return false;
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  // Registrations as companion programs make them, named after the sample
  // block's slots, plus a key of someone else's.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 5);
  DeviceInfoList list;
  for (int i = 0; i < 3; ++i) {
    DeviceInfoEntry e;
    e.VID = static_cast<uint16_t>(0x5A5A + i);
    e.PID = static_cast<uint16_t>(0x6000 + i);
    e.SetName(block->Profiles[i].MacroKeys[i].Name);
    for (int l = 0; l < 5; ++l) e.CPI[l] = block->Profiles[i].CpiLevel_X[l] * 100;
    list.AddOrUpdate(e);
  }
  const std::string path = fuzz::Folder() + "DeviceInfo.ini";
  fuzz::WriteFile(path, "[Other]\r\nKept=1\r\n");
  list.Save(path);
  seeds.Add("sample-devices", fuzz::ReadFile(path));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = fuzz::FreshFolder("devices");
  const std::string path = folder + "DeviceInfo.ini";
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::WriteFile(path, text);

  DeviceInfoList loaded;
  FUZZ_CHECK(loaded.Load(path));
  FUZZ_CHECK(loaded.Count() <= kMaxDeviceInfos);
  for (const DeviceInfoEntry& e : loaded.entries()) FUZZ_CHECK(std::memchr(e.Name, 0, sizeof e.Name) != nullptr);

  // Saved over the file it came from: the entries load back equal and the
  // keys the list does not own keep their values.
  FUZZ_CHECK(loaded.Save(path));
  DeviceInfoList again;
  FUZZ_CHECK(again.Load(path));
  FUZZ_CHECK(SameEntries(loaded, again));
  IniFile before, after;
  before.Parse(text);
  after.Parse(fuzz::ReadFile(path));
  for (const std::string& section : before.SectionNames()) {
    if (Owned(section, loaded.Count())) continue;
    for (const std::string& key : before.KeyNames(section))
      FUZZ_CHECK(after.GetString(section, key, "\x01") == before.GetString(section, key, "\x01"));
  }
  return 0;
}
