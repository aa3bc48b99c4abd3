// Every report decoder on arbitrary bytes. None may read or write out of
// bounds; what decodes encodes and decodes again to the same content (the
// formats are symmetric), and a decoded macro stays within its event area.
// Input: one byte of choices (bit 0: seal the report's 16-bit checksum, so
// mutations reach what lies behind it), then the report.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "device/reports.h"
#include "sim/simulated_mouse.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

bool SameSlot(const MacroKeyInfo& a, const MacroKeyInfo& b) {
  return a.ButtonNumber == b.ButtonNumber && a.LoopCount == b.LoopCount && a.EventCount == b.EventCount &&
         std::memcmp(a.Name, b.Name, sizeof a.Name) == 0 &&
         std::memcmp(a.MacroSetName, b.MacroSetName, sizeof a.MacroSetName) == 0 &&
         std::memcmp(a.MacroName, b.MacroName, sizeof a.MacroName) == 0 &&
         std::memcmp(a.Events, b.Events, sizeof a.Events) == 0;
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  // What the simulated mouse answers, holding the sample block's profiles.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 3);
  SimulatedMouse mouse;
  for (int n = 0; n < kProfileCount; ++n) mouse.SetProfile(n, block->Profiles[n]);
  int count = 0;
  auto read = [&](uint8_t id, size_t size) {
    Report r = ReadBuffer(id, size);
    if (mouse.GetFeature(r.data(), r.size())) seeds.Add("read-" + std::to_string(count++), '\0' + std::string(r.begin(), r.end()));
  };
  auto select = [&](int profile, uint8_t what) {
    const Report s = EncodeSelect(profile, what);
    mouse.SetFeature(s.data(), s.size());
  };
  for (int n = 0; n < 2; ++n) {
    select(n, kSelectProfileSettings);
    read(kReportProfileSettings, kProfileSettingsSize);
    select(n, kSelectButtonTable);
    read(kReportButtonTable, kButtonTableSize);
    select(n, static_cast<uint8_t>(n * 7));
    read(kReportMacro, kMacroReportSize);
  }
  read(kReportSelect, kSelectSize);  // the status
  read(kReportCurrentProfile, kCurrentProfileSize);
  read(kReportDeviceInfo, kDeviceInfoSize);
  read(kReportTracking, kTrackingSize);
  read(kReportCalibration, kCalibrationReadSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto profile = std::make_unique<ProfileRecord>();
  static auto again = std::make_unique<ProfileRecord>();
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  const std::string bytes = in.Rest();
  Report r(bytes.begin(), bytes.end());
  if ((choices & 1) && r.size() >= 2) SealReport(r);

  uint8_t status = 0;
  int current = 0;
  DecodeStatus(r, status);
  if (DecodeCurrentProfile(r, current)) FUZZ_CHECK(current >= 0 && current < kProfileCount);

  if (DecodeProfileSettings(r, *profile)) {
    const Report encoded = EncodeProfileSettings(*profile, r[2]);
    FUZZ_CHECK(DecodeProfileSettings(encoded, *again));
    FUZZ_CHECK(EncodeProfileSettings(*again, r[2]) == encoded);
  }
  if (DecodeButtonTable(r, *profile)) {
    const Report encoded = EncodeButtonTable(*profile, r[2]);
    FUZZ_CHECK(DecodeButtonTable(encoded, *again));
    FUZZ_CHECK(EncodeButtonTable(*again, r[2]) == encoded);
  }
  const int button = r.size() > 4 ? r[4] % kButtonSlots : 0;
  MacroKeyInfo& slot = profile->MacroKeys[button];
  if (DecodeMacro(r, button, slot)) {
    FUZZ_CHECK(slot.EventCount >= 0 && slot.EventCount <= kMaxMacroEvents);
    const Report encoded = EncodeMacro(slot, r[3], button);
    FUZZ_CHECK(encoded.size() == kMacroReportSize);
    MacroKeyInfo& decoded = again->MacroKeys[button];
    FUZZ_CHECK(DecodeMacro(encoded, button, decoded));
    FUZZ_CHECK(SameSlot(slot, decoded));
  }
  DeviceInfo info;
  DecodeDeviceInfo(r, info);
  TrackingState tracking, back;
  if (DecodeTracking(r, tracking)) {
    FUZZ_CHECK(DecodeTracking(EncodeTracking(tracking.liftOn, tracking.trackControl, tracking.value1, tracking.value2),
                              back));
    FUZZ_CHECK(std::memcmp(&back, &tracking, sizeof back) == 0);
  }
  std::array<uint8_t, kCalibrationSamples> samples;
  DecodeCalibrationImage(r, samples);
  return 0;
}
