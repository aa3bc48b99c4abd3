// The closed set of button function codes: texts, menu commands, defaults and
// the assignment rules shared by the programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/keyboard_layout.h"
#include "common/macro_format.h"
#include "common/settings_block.h"
#include "common/timer_list.h"

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

// Fixed text of a code ("Click", "Disabled" ...); empty for the codes whose
// text comes from the slot and for codes without meaning.
const char* FunctionText(uint8_t code);
// Assignment menu command that writes the code; 0 when it has none (or
// depends on a list position: macros, timers, companion devices).
int FunctionMenuId(uint8_t code);

// The menu lists the first 100 sets and the first 100 macros of each.
constexpr int kMenuMacroSets = 100;
constexpr int kMenuMacrosPerSet = 100;
// Menu command of macro `macro` of set `set` (code 48); 0 beyond the menu's lists.
int MacroMenuId(int set, int macro);
// Menu command of the timer at list position `index` (code 49); 0 beyond 50 timers.
int TimerMenuId(int index);
// Menu command of code 81 or 82 for the companion device at 1-based list
// position `position`; 0 for other codes or positions.
int DeviceMenuId(uint8_t code, int position);

constexpr uint32_t kAllDevices = 0xFFFF;

struct CompanionDevice {
  uint16_t id;
  std::string name;
};

// The text the button page shows for a slot of `profile`.
std::string SlotDisplayText(const MacroKeyInfo& slot, const ProfileRecord& profile,
                            const std::vector<CompanionDevice>& devices, const KeyboardLayout& layout);

// Where an assignment takes its parameters from.
struct AssignParams {
  std::string macroSetName;
  const MacroRecord* macro = nullptr;  // code 48
  const TimerRecord* timer = nullptr;  // code 49
  std::string programPath;             // code 15
  bool hasShortcut = false;            // code 5: key and modifier bits
  uint8_t shortcutKey = 0;
  uint8_t shortcutModifiers = 0;
  uint32_t deviceId = 0;               // codes 81, 82 (83 and 84 always store kAllDevices)
};

// The saved layer codes of buttons 3 and 4, kept for the life of the program.
struct TanshiftMemory {
  uint8_t saved[2] = {0, 0};  // [0] button 3, [1] button 4; 0 = nothing saved
};

// Writes `code` into slot `button` of `profile` with the assignment rules,
// marks the slot changed and applies the Tanshift key rule.
void AssignFunction(SettingsBlock& block, int profile, int button, uint8_t code,
                    const AssignParams& params, TanshiftMemory& memory);

}  // namespace vextra
