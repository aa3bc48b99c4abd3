// Everything other programs and the mouse can hand the Monitor, in any order
// and with any values: device events, Synra codes, the shared block as
// another program left it, timers, device jobs, apply requests, device
// registrations and the foreground program.
// Input: the number of operations, 5 bytes for each (what, two 16-bit
// arguments), then the shared block: the input's bytes over a whole sample
// block, so every one of its bytes can be hostile and a short input still
// stands for a full block.
#include <cstring>
#include <memory>

#include "common/file_system.h"
#include "common/text.h"
#include "monitor/monitor_core.h"
#include "common/program_messages.h"
#include "sim/simulated_mouse.h"
#include "tests/fuzz/fuzz_monitor_host.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

constexpr size_t kMaxOperations = 64;
constexpr size_t kOperationBytes = 5;

const SettingsBlock& Sample() {
  static const std::unique_ptr<SettingsBlock> block = [] {
    auto b = std::make_unique<SettingsBlock>();
    FillSampleBlock(*b, 11);
    return b;
  }();
  return *block;
}

std::string Operation(uint8_t what, uint16_t a, uint16_t b) {
  return std::string{static_cast<char>(what), static_cast<char>(a & 0xFF), static_cast<char>(a >> 8),
                     static_cast<char>(b & 0xFF), static_cast<char>(b >> 8)};
}

// What the Monitor holds after taking in a block: every string terminated,
// event counts within the event area, slot numbers their positions.
void CheckSanitised(const SettingsBlock& block) {
  for (const ProfileRecord& p : block.Profiles) {
    FUZZ_CHECK(std::memchr(p.ProFileName, 0, sizeof p.ProFileName) && std::memchr(p.GameFile0, 0, sizeof p.GameFile0));
    for (int s = 0; s < kButtonSlots; ++s) {
      const MacroKeyInfo& k = p.MacroKeys[s];
      FUZZ_CHECK(k.ButtonNumber == s);
      FUZZ_CHECK(k.EventCount >= 0 && k.EventCount <= kMaxMacroEvents);
      FUZZ_CHECK(std::memchr(k.Name, 0, sizeof k.Name) && std::memchr(k.MacroName, 0, sizeof k.MacroName) &&
                 std::memchr(k.ProgramPath, 0, sizeof k.ProgramPath));
    }
  }
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  const std::string block(reinterpret_cast<const char*>(&Sample()), sizeof(SettingsBlock));
  // Each kind of operation once, the block taken in first and last.
  std::string ops;
  const uint16_t args[][2] = {{2, 0}, {0x8000, 3}, {0x2000, 2}, {600, 0}, {1, 0}, {1, 0}, {0x6001, 0}, {2, 0}, {1, 0}};
  for (uint8_t what = 0; what < 9; ++what) ops += Operation(what, args[what][0], args[what][1]);
  ops = Operation(2, 0, 0) + ops + Operation(5, 1, 0);
  seeds.Add("every-operation", std::string(1, static_cast<char>(ops.size() / kOperationBytes)) + ops + block);
  // A reload and an apply of the block alone.
  const std::string apply = Operation(2, 0, 0) + Operation(5, 0, 0);
  seeds.Add("apply", std::string(1, '\2') + apply + block);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = fuzz::FreshFolder("program");
  static fuzz::FuzzHost host;
  static PcActions pc;
  static fuzz::NoClock clock;
  static SimulatedMouse mouse;
  static MonitorCore core(host, pc, mouse, clock, folder, nullptr);
  static auto shared = std::make_unique<SettingsBlock>();

  fuzz::Input in(data, size);
  const size_t count = in.Byte() % (kMaxOperations + 1);
  const std::string ops = in.Take(count * kOperationBytes);
  const std::string overlay = in.Take(sizeof(SettingsBlock));
  std::memcpy(shared.get(), &Sample(), sizeof(SettingsBlock));
  std::memcpy(shared.get(), overlay.data(), overlay.size());
  host.shared = shared.get();
  host.windowsExist = size & 1;
  core.setDeviceState(kDeviceConnected);

  for (size_t at = 0; at + kOperationBytes <= ops.size(); at += kOperationBytes) {
    const auto* op = reinterpret_cast<const uint8_t*>(ops.data() + at);
    const uint32_t a = static_cast<uint32_t>(op[1] | op[2] << 8);
    const uint32_t b = static_cast<uint32_t>(op[3] | op[4] << 8);
    switch (op[0] % 9) {
      case 0: core.OnDeviceEvent(DeviceEventCode(a, b)); break;
      case 1: core.OnSynraCode(static_cast<int16_t>(a), static_cast<int16_t>(b), b & 1); break;
      case 2:
        core.OnReloadShared();
        CheckSanitised(core.block());
        break;
      case 3: core.OnTimer(static_cast<int>(a % 700)); break;
      case 4: core.RunDeviceJob(static_cast<int>(a % 8), static_cast<int>(b % 130) - 10); break;
      case 5:
        core.OnApplySettings(static_cast<int>(a & 1));
        CheckSanitised(core.block());
        break;
      case 6: {
        DeviceInfoEntry entry;
        entry.PID = static_cast<uint16_t>(a % 200);
        entry.SetName(shared->Profiles[b % kProfileCount].MacroKeys[b % kButtonSlots].Name);
        core.RegisterDevice(entry);
        break;
      }
      case 7: core.OnLdaMode(static_cast<int>(a % 6)); break;
      case 8: {
        // A program named in a profile (or not) comes to the foreground.
        const ProfileRecord& p = shared->Profiles[a % kProfileCount];
        const char* files[] = {p.GameFile0, p.GameFile1, p.GameFile2};
        host.foreground = ToLowerAscii(FileNameOf(std::string(files[b % 3], FieldLength(files[b % 3], 500))));
        core.OnTimer(kTimerForeground);
        break;
      }
    }
    FUZZ_CHECK(core.devices().Count() <= kMaxDeviceInfos);
    if (const ProfileRecord* p = core.CurrentProfileRecord()) FUZZ_CHECK(p >= core.block().Profiles && p < core.block().Profiles + kProfileCount);
  }
  return 0;
}
