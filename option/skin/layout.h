// The one-line layout format that places every skinned control:
// "name,x,y,width,height,help text".
#pragma once

#include <cstdint>

namespace vextra {

struct LayoutEntry {
  char name[40];
  int32_t left;
  int32_t top;
  int32_t right;   // x + width
  int32_t bottom;  // y + height
  char help[404];
};

// Fills `entry` from `layout` (zeroed first): the name before the first comma,
// four integers after it (blanks before a number are allowed), and the text
// after the last comma, trimmed, as help. Over-long names and help texts are
// cut to their fields. Returns 1 (0 only for a null string).
int ParseLayout(const char* layout, LayoutEntry& entry);

}  // namespace vextra
