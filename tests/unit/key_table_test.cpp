#include <gtest/gtest.h>

#include "common/key_table.h"

namespace vextra {
namespace {

// A layout whose key at scan 0x10 (US "Q") types A, and at 0x1E (US "A") types Q.
class SwappedLayout : public UsKeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned scan) const override {
    if (scan == 0x10) return 'A';
    if (scan == 0x1E) return 'Q';
    return UsKeyboardLayout::ScanToVirtualKey(scan);
  }
  unsigned VirtualKeyToScan(unsigned vk) const override {
    if (vk == 'A') return 0x10;
    if (vk == 'Q') return 0x1E;
    return UsKeyboardLayout::VirtualKeyToScan(vk);
  }
};

// A layout that knows no key at all.
class EmptyLayout : public KeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned) const override { return 0; }
  unsigned VirtualKeyToScan(unsigned) const override { return 0; }
};

TEST(KeyTable, RowsAndIrregularities) {
  int rows = 0;
  for (const KeyRow& row : kKeyTable) {
    ASSERT_NE(row.code, 0);
    EXPECT_EQ(RowByCode(row.code), &row);  // one row per code
    EXPECT_EQ(RowByVirtualKey(row.virtualKey), &row) << int(row.code);  // one row per virtual key
    EXPECT_EQ(row.scan != 0, row.code >= 4 && row.code <= 69) << int(row.code);
    if (row.scan) {
      EXPECT_EQ(RowByScan(row.scan), &row) << int(row.code);  // positions are unique
    }
    ++rows;
  }
  EXPECT_EQ(rows, 109);
  for (uint8_t none : {0, 3, 50, 100, 102, 129, 130, 232, 239, 245})
    EXPECT_EQ(RowByCode(none), nullptr) << int(none);

  // Set-1 positions the recording of other layouts depends on.
  struct Scan {
    uint8_t code, scan;
  } scans[] = {{4, 0x1E}, {5, 0x30}, {16, 0x32}, {20, 0x10}, {29, 0x2C}, {30, 0x02}, {39, 0x0B},
               {40, 0x1C}, {41, 0x01}, {49, 0x2B}, {53, 0x29}, {56, 0x35}, {57, 0x3A}, {58, 0x3B},
               {67, 0x44}, {68, 0x57}, {69, 0x58}};
  for (const Scan& s : scans) EXPECT_EQ(RowByCode(s.code)->scan, s.scan) << int(s.code);

  UsKeyboardLayout us;
  struct Case {
    unsigned vk;
    uint8_t code;
  } cases[] = {{0x6C, 88}, {0xA2, 224}, {0xA0, 225}, {0xA4, 226}, {0xA3, 228}, {0xA1, 229},
               {0xA5, 230}, {0x5B, 227}, {0x5C, 231}, {0xF0, 240}, {0xF4, 244}, {0x5D, 101},
               {'Z', 29},   {'0', 39},   {0x7B, 69},  {0xDC, 49},  {0x13, 72},  {0x60, 98}};
  for (const Case& c : cases) {
    EXPECT_EQ(RecordingCode(c.vk, us), c.code) << c.vk;
    EXPECT_EQ(PlaybackVirtualKey(c.code, us), c.vk) << int(c.code);
  }
  EXPECT_EQ(RecordingCode(0x10, us), 0);  // generic Shift has no row: not recorded
  EXPECT_EQ(RecordingCode(0x0D + 0x100, us), 0);
  EXPECT_EQ(PlaybackVirtualKey(50, us), 0u);
  EXPECT_EQ(PlaybackVirtualKey(130, us), 0u);
}

TEST(KeyTable, Names) {
  UsKeyboardLayout us;
  struct Case {
    uint8_t code;
    const char* name;
  } cases[] = {{4, "A"},          {29, "Z"},           {30, "1"},          {39, "0"},
               {40, "Enter"},     {41, "Esc"},         {42, "BackSpace"},  {43, "Tab"},
               {44, "Space"},     {45, "-"},           {46, "="},          {49, "\\"},
               {51, ";"},         {53, "`"},           {56, "/"},          {57, "Caps Lock"},
               {58, "F1"},        {69, "F12"},         {70, "Print Screen"}, {72, "Break"},
               {79, "Right Arrow"}, {82, "Up Arrow"},  {83, "Num Lock"},   {84, "Num_/"},
               {87, "Num_+"},     {88, "Num_Enter"},   {89, "Num_1"},      {97, "Num_9"},
               {98, "Num_0"},     {99, "Num_."},       {100, "Europe 2"},  {101, "APP"},
               {102, ""},         {110, ""},           {129, ""},          {130, "Sleep"},
               {224, "Left Control"}, {227, "Left GUI"}, {229, "Right Shift"}, {231, "Right GUI"},
               {240, "Left Button"}, {242, "Wheel"},   {243, "Side Button 1"}, {244, "Side Button 2"},
               {3, ""},           {50, ""},            {245, ""}};
  for (const Case& c : cases) EXPECT_EQ(KeyName(c.code, us), c.name) << int(c.code);

  // Layout-independent names stay when the layout knows nothing; the others go.
  EmptyLayout none;
  EXPECT_EQ(KeyName(4, none), "");
  EXPECT_EQ(KeyName(58, none), "F1");
  EXPECT_EQ(KeyName(243, none), "Side Button 1");
}

TEST(KeyTable, RecordingByPositionOnAnotherLayout) {
  SwappedLayout swapped;
  // The key at scan 0x10 types A here: it records as code 20 and is named "A".
  EXPECT_EQ(RecordingCode('A', swapped), 20);
  EXPECT_EQ(KeyName(20, swapped), "A");
  EXPECT_EQ(PlaybackVirtualKey(20, swapped), static_cast<unsigned>('A'));
  EXPECT_EQ(RecordingCode('Q', swapped), 4);
  EXPECT_EQ(KeyName(4, swapped), "Q");
  // Keys beyond the character block keep their row's code and virtual key.
  EXPECT_EQ(RecordingCode(0x25, swapped), 80);
  EXPECT_EQ(PlaybackVirtualKey(80, swapped), 0x25u);

  // A character key the layout cannot place keeps the row's own code; playback
  // of a code the layout has no key for presses nothing.
  EmptyLayout none;
  EXPECT_EQ(RecordingCode('A', none), 4);
  EXPECT_EQ(PlaybackVirtualKey(4, none), 0u);
  EXPECT_EQ(PlaybackVirtualKey(224, none), 0xA2u);
}

}  // namespace
}  // namespace vextra
