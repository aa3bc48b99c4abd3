// The key table against the system's own layout functions: on the US layout
// every character key's scan code maps to the row's virtual key and back, so
// recording and playback through MapVirtualKeyA give the table's codes.
#include <windows.h>

#include "common/key_table.h"
#include "common/win32/keyboard_layout_win.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

int main() {
  WinKeyboardLayout layout;
  UsKeyboardLayout us;
  for (const KeyRow& row : kKeyTable) {
    if (row.code < 4 || row.code > 69) continue;
    WCHECK_EQ(layout.ScanToVirtualKey(row.scan), static_cast<unsigned>(row.virtualKey));
    WCHECK_EQ(layout.VirtualKeyToScan(row.virtualKey), static_cast<unsigned>(row.scan));
    WCHECK_EQ(RecordingCode(row.virtualKey, layout), row.code);
    WCHECK_EQ(PlaybackVirtualKey(row.code, layout), static_cast<unsigned>(row.virtualKey));
    WCHECK_EQ(KeyName(row.code, layout), KeyName(row.code, us));
  }
  return wine_check::Finish();
}
