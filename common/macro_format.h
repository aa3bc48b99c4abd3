// The macro record: the unit of the macro library and its file, and its copy
// inside a button slot.
#pragma once

#include <cstdint>

#include "common/settings_block.h"

namespace vextra {

#pragma pack(push, 1)
struct MacroRecord {
  char Name[50];
  uint8_t Padding[2];
  int32_t LoopCount;   // times the macro plays; 1 when looping is off
  int32_t EventCount;  // 0..500
  MacroEvent Events[kMaxMacroEvents];
};
#pragma pack(pop)
static_assert(sizeof(MacroRecord) == 2060, "MacroRecord size");
static_assert(offsetof(MacroRecord, LoopCount) == 52, "");
static_assert(offsetof(MacroRecord, EventCount) == 56, "");
static_assert(offsetof(MacroRecord, Events) == 60, "");

constexpr uint8_t kKeyPress = 1;
constexpr uint8_t kKeyRelease = 2;

// Terminated name, event count within 0..500, unused events zero.
void SanitizeMacro(MacroRecord& macro);
// Appends a recorded event; false (nothing added) once 500 events are held.
// The delay is the time until the next event, clamped to 65535 ms.
bool AppendEvent(MacroRecord& macro, uint8_t code, uint8_t action);
// Inserts an event (delay 0) before position `at`; `at` outside 0..count-1
// appends. False (nothing added) once 500 events are held.
bool InsertEvent(MacroRecord& macro, int at, uint8_t code, uint8_t action);
// A measured gap as a stored delay: negative -> 0, 65535 ms or more -> 65535.
uint16_t ClampDelay(int64_t milliseconds);
// Sets the delay of event `index` (ignored outside the held events).
void SetEventDelay(MacroRecord& macro, int index, int64_t milliseconds);
void SetLastDelay(MacroRecord& macro, int64_t milliseconds);

// Library macro -> slot fields (set name, macro name, loop, count, events).
void CopyMacroToSlot(const char* setName, const MacroRecord& macro, MacroKeyInfo& slot);
// Slot's macro fields -> a macro record.
void CopySlotToMacro(const MacroKeyInfo& slot, MacroRecord& macro);
// Same event count and the same events, 4 bytes for 4 bytes.
bool SameEvents(const MacroRecord& macro, const MacroKeyInfo& slot);

}  // namespace vextra
