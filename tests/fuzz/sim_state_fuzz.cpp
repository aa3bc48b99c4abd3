// The simulated mouse's state file (mousesim.state), in both formats. A
// refused file leaves the mouse as it was; an accepted one gives a state that
// saves and restores to the same bytes.
// Input: one byte of choices (bit 0: make the length and CRC of the current
// format right; bit 1: make the sum of the first format right), then the file.
#include <memory>

#include "sim/simulated_mouse.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

uint32_t Crc32(const std::string& data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= static_cast<uint8_t>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
  }
  return crc ^ 0xFFFFFFFFu;
}

void Put(std::string& s, size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

// The format's framing made right around whatever payload the input holds.
void FixCurrentFormat(std::string& s) {
  if (s.size() < 16) return;
  Put(s, 8, static_cast<uint32_t>(s.size() - 16), 4);
  Put(s, s.size() - 4, Crc32(s, s.size() - 4), 4);
}

void FixFirstFormat(std::string& s) {
  if (s.size() < 2) return;
  const uint16_t sum = Checksum16(reinterpret_cast<const uint8_t*>(s.data()), s.size() - 2);
  Put(s, s.size() - 2, sum, 2);
}

// A mouse holding the sample block's profiles; with `lights`, also a light
// command and a block of the light database.
std::string SampleState(bool lights) {
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 8);
  SimulatedMouse mouse;
  for (int n = 0; n < kProfileCount; ++n) mouse.SetProfile(n, block->Profiles[n]);
  mouse.SetCurrentProfile(2);
  mouse.SetFirmwareVersions(153, 112);
  if (lights) {
    const Report light = EncodeLightCommand(1, 2, 3);
    mouse.SetFeature(light.data(), light.size());
    const uint8_t bytes[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const Report database = EncodeLightDatabaseBlock(3, bytes, sizeof bytes);
    mouse.SetFeature(database.data(), database.size());
  }
  return mouse.Serialize();
}

// What each input is read into before the file.
const std::string& BaseState() {
  static const std::string state = SampleState(false);
  return state;
}

}  // namespace

void fuzz::WriteSeeds(Seeds& seeds) {
  const std::string sample = SampleState(true);
  FUZZ_CHECK(SimulatedMouse().Deserialize(sample));
  seeds.Add("sample-state", '\1' + sample);
  // The first format: magic, current profile, firmware and boot loader
  // versions (32 bits each), four tracking bytes, the profiles, a 16-bit sum.
  std::string first = "VXSIM001" + std::string(16, '\0');
  Put(first, 8, 1, 4);
  Put(first, 12, 150, 4);
  Put(first, 16, 110, 4);
  first[20] = 1;
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 9);
  first += std::string(reinterpret_cast<const char*>(block->Profiles), sizeof block->Profiles);
  first += std::string(2, '\0');
  FixFirstFormat(first);
  FUZZ_CHECK(SimulatedMouse().Deserialize(first));
  seeds.Add("first-format", '\2' + first);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A fresh mouse each time: light state already held is not replaced by a
  // file's but added to.
  auto fresh = std::make_unique<SimulatedMouse>();
  SimulatedMouse& mouse = *fresh;
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  std::string file = in.Rest();
  if (choices & 1) FixCurrentFormat(file);
  if (choices & 2) FixFirstFormat(file);

  FUZZ_CHECK(mouse.Deserialize(BaseState()));
  const std::string before = mouse.Serialize();
  const bool accepted = mouse.Deserialize(file);
  const std::string after = mouse.Serialize();
  if (!accepted) {
    FUZZ_CHECK(after == before);
  } else {
    SimulatedMouse restored;
    FUZZ_CHECK(restored.Deserialize(after));
    FUZZ_CHECK(restored.Serialize() == after);
  }
  // The same through the file.
  const std::string path = fuzz::FreshFolder("state") + "mousesim.state";
  fuzz::WriteFile(path, file);
  SimulatedMouse fromFile;
  FUZZ_CHECK(fromFile.Load(path) == accepted);
  // The current format keeps everything that lasts; the first one leaves
  // what it did not keep as the mouse had it.
  if (accepted && file.compare(0, 8, "VXSIM002") == 0) FUZZ_CHECK(fromFile.Serialize() == after);
  return 0;
}
