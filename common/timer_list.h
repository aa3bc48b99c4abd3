// The list of named countdown timers, kept in config\Timer.ini.
#pragma once

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

constexpr int kMaxTimers = 50;

class TimerList {
 public:
  std::vector<TimerRecord> timers;

  // At most 50 timers are kept; absent or damaged entries are skipped.
  bool Load(const std::string& path);
  bool Save(const std::string& path) const;
  const TimerRecord* ByIndex(int index) const;
  // First timer whose trimmed name equals the trimmed name ignoring case.
  bool FindByName(const std::string& name, int& position) const;
};

}  // namespace vextra
