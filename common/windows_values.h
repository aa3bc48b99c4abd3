// The pointer and wheel values that Windows itself keeps for the user, stored
// with each profile and exchanged with the user's registry.
#pragma once

#include <cstdint>
#include <string>

#include "common/registry.h"
#include "common/settings_block.h"

namespace vextra {

// Registry values of the profile's settings. 1, or -1 when a key cannot be
// opened or created (values already written stay).
int WriteWindowsValues(const ProfileRecord& profile, Registry& registry);
// Reads the user's values into the profile; a value that cannot be read
// leaves its field unchanged. 1; 0 when the Mouse key fails; -1 when the
// Desktop key fails.
int ReadWindowsValues(ProfileRecord& profile, Registry& registry);

constexpr int kAccelerationRows = 20;
// "MouseSpeed", "MouseThreshold1", "MouseThreshold2" of each acceleration row.
struct AccelerationRow {
  int32_t Speed;
  int32_t Threshold1;
  int32_t Threshold2;
};
extern const AccelerationRow kAccelerationTable[kAccelerationRows];

// Decimal text as the registry holds it: optional blanks and sign, then
// digits up to the first other character. False when there is no digit or
// the number does not fit 32 bits.
bool ParseRegistryNumber(const std::string& text, int32_t& value);

// The system calls that make a profile's values live, worked out without the
// system so the rules can be checked anywhere.
struct WindowsApplyPlan {
  int32_t DoubleClickTime = 0;
  // False when the registry's acceleration values could not all be read: the
  // system's acceleration is then left as it is.
  bool SetMouse = false;
  int32_t Mouse[3] = {0, 0, 0};  // threshold 1, threshold 2, speed: set-mouse order
  int32_t PointerSpeed = 0;
  int32_t WheelScrollLines = 0;  // -1 = one screen per notch
  int32_t WheelScrollChars = 0;
  int32_t MouseTrails = 0;
};

// Plans ApplyWindowsValues for the profile. When acceleration is off in the
// profile (AccelerationFlag != 1) but the registry still holds a non-zero
// acceleration row, this already sets the profile's Acceleration to 0 and
// writes "0" to the three registry values, so the plan passes 0, 0, 0.
WindowsApplyPlan PlanWindowsApply(ProfileRecord& profile, Registry& registry);

}  // namespace vextra
