#include "common/win32/keyboard_layout_win.h"

#include <windows.h>

namespace vextra {

unsigned WinKeyboardLayout::ScanToVirtualKey(unsigned scan) const {
  return MapVirtualKeyA(scan, MAPVK_VSC_TO_VK_EX);
}

unsigned WinKeyboardLayout::VirtualKeyToScan(unsigned virtualKey) const {
  return MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
}

}  // namespace vextra
