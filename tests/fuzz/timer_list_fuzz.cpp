// The timer list file (config\Timer.ini): at most 50 timers, 10..999 seconds,
// terminated names, and a saved list loads back equal.
// Input: one byte of choices (bit 0: repair the structures' checksums), then
// the file.
#include <cstring>
#include <memory>

#include "common/timer_list.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/sample_block.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // The timers the sample block's slots name, as the Option would save them.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 4);
  TimerList list;
  for (int s = 0; s < 6; ++s) {
    const MacroKeyInfo& slot = block->Profiles[s % kProfileCount].MacroKeys[s];
    TimerRecord t{};
    t.Seconds = slot.TimerSeconds;
    std::memcpy(t.Name, slot.TimerName, sizeof t.Name < sizeof slot.TimerName ? sizeof t.Name : sizeof slot.TimerName);
    t.Name[sizeof t.Name - 1] = '\0';
    list.timers.push_back(t);
  }
  const std::string path = fuzz::Folder() + "Timer.ini";
  list.Save(path);
  seeds.Add("sample-timers", '\1' + fuzz::ReadFile(path));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  std::string text = in.Rest();
  if (choices & 1) text = fuzz::FixStructChecksums(text);
  const std::string folder = fuzz::FreshFolder("timers");
  fuzz::WriteFile(folder + "Timer.ini", text);

  TimerList loaded;
  FUZZ_CHECK(loaded.Load(folder + "Timer.ini"));
  FUZZ_CHECK(loaded.timers.size() <= static_cast<size_t>(kMaxTimers));
  for (const TimerRecord& t : loaded.timers) {
    FUZZ_CHECK(t.Seconds >= kMinTimerSeconds && t.Seconds <= kMaxTimerSeconds);
    FUZZ_CHECK(std::memchr(t.Name, 0, sizeof t.Name) != nullptr);
  }
  FUZZ_CHECK(loaded.Save(folder + "saved.ini"));
  TimerList again;
  FUZZ_CHECK(again.Load(folder + "saved.ini"));
  FUZZ_CHECK(again.timers.size() == loaded.timers.size());
  for (size_t i = 0; i < again.timers.size(); ++i)
    FUZZ_CHECK(std::memcmp(&again.timers[i], &loaded.timers[i], sizeof(TimerRecord)) == 0);
  return 0;
}
