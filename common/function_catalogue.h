// The closed set of button function codes: texts, menu commands, defaults and
// the assignment rules shared by the programs.
#pragma once

#include <cstdint>

namespace vextra {

enum FunctionCode : uint8_t {
  kFnDisabledZero = 0,
  kFnClick = 1,
  kFnMenu = 2,
  kFnUniversalScrolling = 3,
  kFnDoubleClick = 4,
  kFnShortcut = 5,
  kFnDisabled = 6,
  kFnIEForward = 7,
  kFnIEBackward = 8,
  kFnTiltLeft = 9,
  kFnTiltRight = 10,
  kFnDpiChange = 11,
  kFnScrollUp = 13,
  kFnScrollDown = 14,
  kFnQuicklaunch = 15,
  kFnProfileCycle = 16,
  kFnProfileUp = 17,
  kFnProfileDown = 18,
  kFnAssignSensitivity = 19,
  kFnDpiCycle = 20,
  kFnDpiUp = 21,
  kFnDpiDown = 22,
  kFnSensitivityCycle = 23,
  kFnSensitivityUp = 24,
  kFnSensitivityDown = 25,
  kFnWindowsKey = 26,
  kFnOpenDriver = 27,
  kFnOpenPlayer = 32,
  kFnPreviousTrack = 33,
  kFnNextTrack = 34,
  kFnPlayPause = 35,
  kFnStop = 36,
  kFnWindowsMute = 37,
  kFnVolumeUp = 38,
  kFnVolumeDown = 39,
  kFnMacro = 48,
  kFnTimer = 49,
  kFnStopTimer = 50,
  kFnTanaim0 = 51,
  kFnTanaim4 = 55,
  kFnDisabled64 = 64,
  kFnTanshift = 65,
  kFnTanwheelSensitivity = 66,
  kFnTanwheelProfile = 67,
  kFnTanwheelDpi = 68,
  kFnTanwheelVolume = 69,
  kFnTanwheelAltTab = 70,
  kFnTanwheelFlip3D = 71,
  kFnTanshiftDevice = 81,
  kFnTanshiftDeviceLock = 82,
  kFnTanshiftAll = 83,
  kFnTanshiftAllLock = 84,
};

// Factory function code of slot 0..23 (12 + n is the Tanshift layer of button n).
uint8_t DefaultFunctionCode(int slot);

}  // namespace vextra
