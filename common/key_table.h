// Key codes (USB HID keyboard usages, 240..244 for the mouse buttons), the
// key table pairing them with Windows virtual keys and scan codes, key names
// and the recording and playback conversions.
#pragma once

#include <cstdint>
#include <string>

#include "common/keyboard_layout.h"

namespace vextra {

struct KeyRow {
  uint8_t virtualKey;
  uint8_t code;
  uint8_t scan;  // set-1 scan code for codes 4..69, else 0
};

constexpr int kKeyRowCount = 109;
extern const KeyRow kKeyTable[kKeyRowCount];

const KeyRow* RowByCode(uint8_t code);
const KeyRow* RowByVirtualKey(unsigned virtualKey);
const KeyRow* RowByScan(unsigned scan);

// Name of a key code as shortcut texts and the event list show it.
std::string KeyName(uint8_t code, const KeyboardLayout& layout);
// Name of a virtual key in the layout-dependent range ("A", "7", "BackSpace" ...).
std::string VirtualKeyName(unsigned virtualKey);

// Virtual key from the keyboard hook -> key code recorded by key position;
// 0 when the key has no row (it is not recorded).
uint8_t RecordingCode(unsigned virtualKey, const KeyboardLayout& layout);
// Key code -> virtual key to press; 0 when the code has no row.
unsigned PlaybackVirtualKey(uint8_t code, const KeyboardLayout& layout);

}  // namespace vextra
