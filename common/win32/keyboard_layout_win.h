// The keyboard layout of the calling thread, through MapVirtualKeyA.
#pragma once

#include "common/keyboard_layout.h"

namespace vextra {

class WinKeyboardLayout : public KeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned scan) const override;
  unsigned VirtualKeyToScan(unsigned virtualKey) const override;
};

}  // namespace vextra
