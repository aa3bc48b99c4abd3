#include "common/macro_format.h"

#include <cstring>

namespace vextra {

void SanitizeMacro(MacroRecord& m) {
  m.Name[sizeof m.Name - 1] = '\0';
  if (m.EventCount < 0) m.EventCount = 0;
  if (m.EventCount > kMaxMacroEvents) m.EventCount = kMaxMacroEvents;
  std::memset(&m.Events[m.EventCount], 0, sizeof(MacroEvent) * static_cast<size_t>(kMaxMacroEvents - m.EventCount));
}

bool AppendEvent(MacroRecord& m, uint8_t code, uint8_t action) {
  if (m.EventCount < 0 || m.EventCount >= kMaxMacroEvents) return false;
  m.Events[m.EventCount++] = MacroEvent{code, action, 0};
  return true;
}

bool InsertEvent(MacroRecord& m, int at, uint8_t code, uint8_t action) {
  if (m.EventCount < 0 || m.EventCount >= kMaxMacroEvents) return false;
  if (at < 0 || at >= m.EventCount) return AppendEvent(m, code, action);
  std::memmove(&m.Events[at + 1], &m.Events[at], sizeof(MacroEvent) * static_cast<size_t>(m.EventCount - at));
  m.Events[at] = MacroEvent{code, action, 0};
  ++m.EventCount;
  return true;
}

uint16_t ClampDelay(int64_t milliseconds) {
  if (milliseconds < 0) return 0;
  if (milliseconds > 65535) return 65535;
  return static_cast<uint16_t>(milliseconds);
}

void SetEventDelay(MacroRecord& m, int index, int64_t milliseconds) {
  if (index < 0 || index >= m.EventCount || index >= kMaxMacroEvents) return;
  m.Events[index].delay = ClampDelay(milliseconds);
}

void SetLastDelay(MacroRecord& m, int64_t milliseconds) { SetEventDelay(m, m.EventCount - 1, milliseconds); }

void CopyMacroToSlot(const char* setName, const MacroRecord& macro, MacroKeyInfo& slot) {
  CopyField(slot.MacroSetName, setName);
  char name[sizeof macro.Name + 1] = {};
  std::memcpy(name, macro.Name, sizeof macro.Name);
  CopyField(slot.MacroName, name);
  slot.LoopCount = macro.LoopCount;
  int count = macro.EventCount;
  if (count < 0) count = 0;
  if (count > kMaxMacroEvents) count = kMaxMacroEvents;
  slot.EventCount = static_cast<int16_t>(count);
  std::memset(slot.Events, 0, sizeof slot.Events);
  std::memcpy(slot.Events, macro.Events, sizeof(MacroEvent) * static_cast<size_t>(count));
}

void CopySlotToMacro(const MacroKeyInfo& slot, MacroRecord& macro) {
  std::memset(&macro, 0, sizeof macro);
  char name[sizeof slot.MacroName + 1] = {};
  std::memcpy(name, slot.MacroName, sizeof slot.MacroName);
  CopyField(macro.Name, name);
  macro.LoopCount = slot.LoopCount;
  int count = slot.EventCount;
  if (count < 0) count = 0;
  if (count > kMaxMacroEvents) count = kMaxMacroEvents;
  macro.EventCount = count;
  std::memcpy(macro.Events, slot.Events, sizeof(MacroEvent) * static_cast<size_t>(count));
}

bool SameEvents(const MacroRecord& macro, const MacroKeyInfo& slot) {
  if (macro.EventCount != slot.EventCount || macro.EventCount < 0 || macro.EventCount > kMaxMacroEvents)
    return false;
  return std::memcmp(macro.Events, slot.Events, sizeof(MacroEvent) * static_cast<size_t>(macro.EventCount)) == 0;
}

}  // namespace vextra
