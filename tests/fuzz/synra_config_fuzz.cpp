// The registration in the Synra program's TConfig.ini. Whatever the file
// holds, the registration leaves every other product's key as it was, leaves
// the Monitor registered, and a second registration changes nothing.
// Input: TConfig.ini.
#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/synra_folder.h"
#include "common/text.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // The file as the registration writes it, alone and after another product's.
  const std::string root = fuzz::FreshFolder("seed");
  RegisterWithSynra(root);
  seeds.Add("registered", fuzz::ReadFile(SynraConfigPath(root)));
  IniFile other(SynraConfigPath(root));
  other.Parse("[Other+]\r\nName=Other\r\nWindowName=Other Monitor\r\nDevice=1\r\n");
  other.CommitWhole();
  seeds.Add("another-product", fuzz::ReadFile(SynraConfigPath(root)));
  RegisterWithSynra(root);
  seeds.Add("both", fuzz::ReadFile(SynraConfigPath(root)));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string root = fuzz::FreshFolder("synra");
  const std::string path = SynraConfigPath(root);
  const std::string text(reinterpret_cast<const char*>(data), size);
  CreateFolders(SynraFolder(root));
  fuzz::WriteFile(path, text);

  FUZZ_CHECK(RegisterWithSynra(root));
  const std::string once = fuzz::ReadFile(path);
  IniFile before, after;
  before.Parse(text);
  after.Parse(once);
  for (const std::string& section : before.SectionNames())
    for (const std::string& key : before.KeyNames(section))
      FUZZ_CHECK(after.GetString(section, key, "\x01") == before.GetString(section, key, "\x01"));
  bool named = after.HasSection("Vext+");
  for (const std::string& section : after.SectionNames())
    named = named || EqualIgnoringCase(after.GetString(section, "Name", ""), "Vextra");
  FUZZ_CHECK(named);

  FUZZ_CHECK(RegisterWithSynra(root));
  FUZZ_CHECK(fuzz::ReadFile(path) == once);
  return 0;
}
