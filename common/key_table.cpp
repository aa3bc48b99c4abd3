#include "common/key_table.h"

namespace vextra {

const KeyRow kKeyTable[kKeyRowCount] = {
    // letters A..Z
    {0x41, 4, 0x1E}, {0x42, 5, 0x30}, {0x43, 6, 0x2E}, {0x44, 7, 0x20}, {0x45, 8, 0x12},
    {0x46, 9, 0x21}, {0x47, 10, 0x22}, {0x48, 11, 0x23}, {0x49, 12, 0x17}, {0x4A, 13, 0x24},
    {0x4B, 14, 0x25}, {0x4C, 15, 0x26}, {0x4D, 16, 0x32}, {0x4E, 17, 0x31}, {0x4F, 18, 0x18},
    {0x50, 19, 0x19}, {0x51, 20, 0x10}, {0x52, 21, 0x13}, {0x53, 22, 0x1F}, {0x54, 23, 0x14},
    {0x55, 24, 0x16}, {0x56, 25, 0x2F}, {0x57, 26, 0x11}, {0x58, 27, 0x2D}, {0x59, 28, 0x15},
    {0x5A, 29, 0x2C},
    // digits 1..9, 0
    {0x31, 30, 0x02}, {0x32, 31, 0x03}, {0x33, 32, 0x04}, {0x34, 33, 0x05}, {0x35, 34, 0x06},
    {0x36, 35, 0x07}, {0x37, 36, 0x08}, {0x38, 37, 0x09}, {0x39, 38, 0x0A}, {0x30, 39, 0x0B},
    // Enter, Esc, BackSpace, Tab, Space, punctuation, Caps Lock
    {0x0D, 40, 0x1C}, {0x1B, 41, 0x01}, {0x08, 42, 0x0E}, {0x09, 43, 0x0F}, {0x20, 44, 0x39},
    {0xBD, 45, 0x0C}, {0xBB, 46, 0x0D}, {0xDB, 47, 0x1A}, {0xDD, 48, 0x1B}, {0xDC, 49, 0x2B},
    {0xBA, 51, 0x27}, {0xDE, 52, 0x28}, {0xC0, 53, 0x29}, {0xBC, 54, 0x33}, {0xBE, 55, 0x34},
    {0xBF, 56, 0x35}, {0x14, 57, 0x3A},
    // F1..F12
    {0x70, 58, 0x3B}, {0x71, 59, 0x3C}, {0x72, 60, 0x3D}, {0x73, 61, 0x3E}, {0x74, 62, 0x3F},
    {0x75, 63, 0x40}, {0x76, 64, 0x41}, {0x77, 65, 0x42}, {0x78, 66, 0x43}, {0x79, 67, 0x44},
    {0x7A, 68, 0x57}, {0x7B, 69, 0x58},
    // Print Screen .. Up Arrow, Num Lock, keypad
    {0x2C, 70, 0}, {0x91, 71, 0}, {0x13, 72, 0}, {0x2D, 73, 0}, {0x24, 74, 0}, {0x21, 75, 0},
    {0x2E, 76, 0}, {0x23, 77, 0}, {0x22, 78, 0}, {0x27, 79, 0}, {0x25, 80, 0}, {0x28, 81, 0},
    {0x26, 82, 0}, {0x90, 83, 0}, {0x6F, 84, 0}, {0x6A, 85, 0}, {0x6D, 86, 0}, {0x6B, 87, 0},
    {0x6C, 88, 0},  // the separator key stands for keypad Enter
    {0x61, 89, 0}, {0x62, 90, 0}, {0x63, 91, 0}, {0x64, 92, 0}, {0x65, 93, 0}, {0x66, 94, 0},
    {0x67, 95, 0}, {0x68, 96, 0}, {0x69, 97, 0}, {0x60, 98, 0}, {0x6E, 99, 0},
    {0x5D, 101, 0},
    // side-specific modifiers and the Windows keys
    {0xA2, 224, 0}, {0xA0, 225, 0}, {0xA4, 226, 0}, {0x5B, 227, 0},
    {0xA3, 228, 0}, {0xA1, 229, 0}, {0xA5, 230, 0}, {0x5C, 231, 0},
    // mouse buttons
    {0xF0, 240, 0}, {0xF1, 241, 0}, {0xF2, 242, 0}, {0xF3, 243, 0}, {0xF4, 244, 0},
};

const KeyRow* RowByCode(uint8_t code) {
  for (const KeyRow& row : kKeyTable)
    if (row.code == code) return &row;
  return nullptr;
}

const KeyRow* RowByVirtualKey(unsigned virtualKey) {
  for (const KeyRow& row : kKeyTable)
    if (row.virtualKey == virtualKey) return &row;
  return nullptr;
}

const KeyRow* RowByScan(unsigned scan) {
  if (scan == 0) return nullptr;
  for (const KeyRow& row : kKeyTable)
    if (row.scan == scan) return &row;
  return nullptr;
}

unsigned UsKeyboardLayout::ScanToVirtualKey(unsigned scan) const {
  static const struct {
    uint8_t scan, vk;
  } kModifiers[] = {{0x2A, 0xA0}, {0x36, 0xA1}, {0x1D, 0xA2}, {0x38, 0xA4}};
  if (const KeyRow* row = RowByScan(scan)) return row->virtualKey;
  for (const auto& m : kModifiers)
    if (m.scan == scan) return m.vk;
  return 0;
}

unsigned UsKeyboardLayout::VirtualKeyToScan(unsigned virtualKey) const {
  const KeyRow* row = RowByVirtualKey(virtualKey);
  return row ? row->scan : 0;
}

std::string VirtualKeyName(unsigned vk) {
  if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) return std::string(1, static_cast<char>(vk));
  static const struct {
    uint8_t vk;
    const char* name;
  } kNames[] = {
      {0x08, "BackSpace"}, {0x09, "Tab"},    {0x0C, "Clear"},   {0x0D, "Enter"},     {0x10, "Shift"},
      {0x11, "Ctrl"},      {0x12, "Alt"},    {0x13, "Pause"},   {0x14, "Caps Lock"}, {0x1B, "Esc"},
      {0x20, "Space"},     {0x5B, "Win"},    {0x5C, "Win"},     {0x5D, "APP"},       {0xA0, "Shift"},
      {0xA1, "Shift"},     {0xA2, "Ctrl"},   {0xA3, "Ctrl"},    {0xA4, "Alt"},       {0xA5, "Alt"},
      {0xBA, ";"},         {0xBB, "="},      {0xBC, ","},       {0xBD, "-"},         {0xBE, "."},
      {0xBF, "/"},         {0xC0, "`"},      {0xDB, "["},       {0xDC, "\\"},        {0xDD, "]"},
      {0xDE, "'"},         {0xDF, "OEM_8"},  {0xE2, "\\"},
      // keys that some layouts put in the character block
      {0x15, "Kana"},      {0x19, "Kanji"},  {0x1C, "Convert"}, {0x1D, "NonConvert"},
      {0xC1, "ABNT_C1"},   {0xC2, "ABNT_C2"},
  };
  for (const auto& n : kNames)
    if (n.vk == vk) return n.name;
  return std::string();
}

std::string KeyName(uint8_t code, const KeyboardLayout& layout) {
  if (code >= 4 && code <= 57) {
    const KeyRow* row = RowByCode(code);
    return row ? VirtualKeyName(layout.ScanToVirtualKey(row->scan)) : std::string();
  }
  if (code >= 58 && code <= 69) return "F" + std::to_string(code - 57);
  if (code >= 89 && code <= 97) return "Num_" + std::to_string(code - 88);
  static const struct {
    uint8_t code;
    const char* name;
  } kFixed[] = {
      {70, "Print Screen"}, {71, "Scroll Lock"},   {72, "Break"},        {73, "Insert"},
      {74, "Home"},         {75, "Page Up"},       {76, "Delete"},       {77, "End"},
      {78, "Page Down"},    {79, "Right Arrow"},   {80, "Left Arrow"},   {81, "Down Arrow"},
      {82, "Up Arrow"},     {83, "Num Lock"},      {84, "Num_/"},        {85, "Num_*"},
      {86, "Num_-"},        {87, "Num_+"},         {88, "Num_Enter"},    {98, "Num_0"},
      {99, "Num_."},        {100, "Europe 2"},     {101, "APP"},         {130, "Sleep"},
      {224, "Left Control"}, {225, "Left Shift"},  {226, "Left Alt"},    {227, "Left GUI"},
      {228, "Right Control"}, {229, "Right Shift"}, {230, "Right Alt"},  {231, "Right GUI"},
      {240, "Left Button"}, {241, "Right Button"}, {242, "Wheel"},       {243, "Side Button 1"},
      {244, "Side Button 2"},
  };
  for (const auto& f : kFixed)
    if (f.code == code) return f.name;
  return std::string();
}

uint8_t RecordingCode(unsigned virtualKey, const KeyboardLayout& layout) {
  const KeyRow* row = RowByVirtualKey(virtualKey);
  if (!row) return 0;
  if (row->code >= 4 && row->code <= 69) {
    // Character keys are recorded by position, whatever the layout prints on them.
    if (const KeyRow* byPosition = RowByScan(layout.VirtualKeyToScan(virtualKey))) return byPosition->code;
  }
  return row->code;
}

unsigned PlaybackVirtualKey(uint8_t code, const KeyboardLayout& layout) {
  const KeyRow* row = RowByCode(code);
  if (!row) return 0;
  if (code >= 4 && code <= 69) return layout.ScanToVirtualKey(row->scan);
  return row->virtualKey;
}

}  // namespace vextra
