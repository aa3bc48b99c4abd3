// The list of named countdown timers, kept in config\Timer.ini.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vextra {

#pragma pack(push, 1)
struct TimerRecord {
  int32_t Seconds;  // 10..999
  char Name[100];
};
#pragma pack(pop)
static_assert(sizeof(TimerRecord) == 104, "TimerRecord size");

static_assert(offsetof(TimerRecord, Name) == 4, "");

constexpr int kMaxTimers = 50;
constexpr int32_t kMinTimerSeconds = 10;
constexpr int32_t kMaxTimerSeconds = 999;

class TimerList {
 public:
  std::vector<TimerRecord> timers;

  // Replaces the list by the file's content. Only the first 50 listed entries
  // are looked at; absent or damaged ones are skipped, names are terminated
  // and durations brought into 10..999. False when the file cannot be read
  // (the list is then empty).
  bool Load(const std::string& path);
  // Writes the list as a fresh file replacing the old one in one step.
  bool Save(const std::string& path) const;
  // The timer at a list position, or null.
  const TimerRecord* ByIndex(int index) const;
  // First timer whose trimmed name equals the trimmed name ignoring case;
  // `position` is set only when one is found.
  bool FindByName(const std::string& name, int& position) const;
};

}  // namespace vextra
