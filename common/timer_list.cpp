#include "common/timer_list.h"

#include "common/ini_file.h"
#include "common/text.h"
#include "common/settings_block.h"

namespace vextra {

bool TimerList::Load(const std::string& path) {
  timers.clear();
  IniFile ini(path);
  if (!ini.Load()) return false;
  int count = ini.GetInt("Timer", "Count", -1);
  if (count > kMaxTimers) count = kMaxTimers;
  for (int i = 0; i < count; ++i) {
    TimerRecord t;
    if (!ini.GetStruct("Timer", std::to_string(i), &t, sizeof t)) continue;
    t.Name[sizeof t.Name - 1] = '\0';
    if (t.Seconds < kMinTimerSeconds) t.Seconds = kMinTimerSeconds;
    if (t.Seconds > kMaxTimerSeconds) t.Seconds = kMaxTimerSeconds;
    timers.push_back(t);
  }
  return true;
}

bool TimerList::Save(const std::string& path) const {
  IniFile ini(path);
  ini.SetInt("Timer", "Count", static_cast<int32_t>(timers.size()));
  for (size_t i = 0; i < timers.size(); ++i)
    ini.SetStruct("Timer", std::to_string(i), &timers[i], sizeof(TimerRecord));
  return ini.CommitWhole();  // the list is rewritten whole: no entry of a removed timer survives
}

const TimerRecord* TimerList::ByIndex(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= timers.size()) return nullptr;
  return &timers[static_cast<size_t>(index)];
}

bool TimerList::FindByName(const std::string& name, int& position) const {
  for (size_t i = 0; i < timers.size(); ++i) {
    if (SameNameIgnoringCase(std::string(timers[i].Name, FieldLength(timers[i].Name)), name)) {
      position = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

}  // namespace vextra
