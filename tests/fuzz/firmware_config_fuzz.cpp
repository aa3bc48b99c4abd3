// The firmware updater's FWUpdate\config.ini, read by the Monitor's firmware
// check. The check starts the updater exactly when the file's version (a
// missing one counting as the largest) differs from the mouse's, with "1"
// when the file's is newer, and never writes the file.
// Input: the mouse's firmware version, one byte of choices (bit 0: no file),
// then the file.
#include <memory>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "monitor/monitor_core.h"
#include "sim/simulated_mouse.h"
#include "tests/fuzz/fuzz_monitor_host.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  const std::string path = fuzz::Folder() + "config.ini";
  // As the program folder ships it.
  IniFile ini(path);
  ini.SetString("Firmware", "Name", "Vextra_Firmware.bin");
  ini.SetInt("Firmware", "Version", 150);
  ini.CommitWhole();
  const std::string file = fuzz::ReadFile(path);
  for (const uint8_t mouse : {149, 150, 151}) seeds.Add("version-" + std::to_string(mouse), std::string{char(mouse), 0} + file);
  seeds.Add("no-file", std::string{char(150), 1});
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = fuzz::FreshFolder("program");
  static fuzz::FuzzHost host;
  static PcActions pc;
  static fuzz::NoClock clock;
  static SimulatedMouse mouse;
  static MonitorCore core(host, pc, mouse, clock, folder, nullptr);
  fuzz::Input in(data, size);
  const int version = in.Byte();
  const bool noFile = in.Byte() & 1;
  const std::string text = in.Rest();
  const std::string path = JoinPath(folder + "FWUpdate", "config.ini");
  RemoveFile(path);
  if (!noFile) fuzz::WriteFile(path, text);

  mouse.SetFirmwareVersions(version, 110);
  host.opened.clear();
  core.setStartWithOption(true);
  core.FirmwareCheck();

  IniFile expected;
  if (!noFile) expected.Parse(text);
  const uint32_t shipped = static_cast<uint32_t>(expected.GetInt("Firmware", "Version", -1));
  const uint32_t mine = static_cast<uint32_t>(version);
  if (version == 0 || shipped == mine) {
    FUZZ_CHECK(host.opened.empty());
    FUZZ_CHECK(core.startWithOption());
  } else {
    FUZZ_CHECK(host.opened.size() == 1);
    FUZZ_CHECK(host.opened[0].first == JoinPath(folder + "FWUpdate", "Vextra Firmware Updater.exe"));
    FUZZ_CHECK(host.opened[0].second == (shipped > mine ? "1" : "0"));
    FUZZ_CHECK(!core.startWithOption());
  }
  bool exists = false;
  const std::string after = fuzz::ReadFile(path, &exists);
  FUZZ_CHECK(exists == !noFile && after == (noFile ? std::string() : text));
  return 0;
}
