// featlink.ini, which tells the HID backend which mouse to look for. Each id
// is the file's value when that fits 16 bits and the default otherwise.
// Input: the file.
#include "common/ini_file.h"
#include "featlink/featlink_config.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // The defaults as the library's notes show them, and as the engine writes them.
  seeds.Add("documented", "[Device]\r\nVendorId=0x5A5A\r\nProductId=0x5A01\r\n");
  const std::string path = fuzz::Folder() + "featlink.ini";
  IniFile ini(path);
  const FeatlinkDeviceIds ids;
  ini.SetInt("Device", "VendorId", ids.vendorId);
  ini.SetInt("Device", "ProductId", ids.productId + 1);
  ini.CommitWhole();
  seeds.Add("decimal", fuzz::ReadFile(path));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzz::FreshFolder("featlink") + "featlink.ini";
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::WriteFile(path, text);
  const FeatlinkDeviceIds ids = ReadFeatlinkConfig(path);

  const FeatlinkDeviceIds defaults;
  IniFile ini;
  ini.Parse(text);
  auto expected = [&ini](const char* key, uint16_t def) {
    const int32_t v = ini.GetInt("Device", key, def);
    return v >= 0 && v <= 0xFFFF ? static_cast<uint16_t>(v) : def;
  };
  FUZZ_CHECK(ids.vendorId == expected("VendorId", defaults.vendorId));
  FUZZ_CHECK(ids.productId == expected("ProductId", defaults.productId));
  return 0;
}
