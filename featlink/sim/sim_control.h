// The control channel between mousesim.exe and the simulator library.
#pragma once

namespace vextra {
constexpr const char* kSimControlWindowTitle = "Vextra Mouse Simulator";
constexpr unsigned long kSimControlCommand = 0x564D5331;  // WM_COPYDATA dwData of a command
constexpr unsigned long kSimControlReply = 0x564D5332;    // ... and of its reply
}  // namespace vextra
