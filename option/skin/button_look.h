// Which of its four images a CSkinButton shows.
#pragma once

namespace vextra {

enum class ButtonImage { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

struct ButtonLook {
  bool toggle = false;   // toggle mode (latches on release)
  bool latched = false;  // toggle on, or set by the owner
  bool enabled = true;
  bool held = false;  // left button down on it
  bool hovered = false;
};

// Toggle mode: disabled, else pressed while latched, else hover or normal.
// Push mode: pressed while latched and enabled or while held, else hover,
// else disabled, else normal.
ButtonImage ChooseButtonImage(const ButtonLook& look);

}  // namespace vextra
