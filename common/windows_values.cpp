#include "common/windows_values.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace vextra {

const AccelerationRow kAccelerationTable[kAccelerationRows] = {
    {0, 0, 0},  {1, 13, 0}, {1, 12, 0}, {1, 11, 0},  {1, 10, 0},  {1, 9, 0},  {1, 8, 0},
    {1, 7, 0},  {1, 6, 0},  {1, 5, 0},  {1, 4, 0},   {2, 4, 13},  {2, 4, 12}, {2, 4, 11},
    {2, 4, 10}, {2, 4, 9},  {2, 4, 8},  {2, 4, 7},   {2, 4, 6},   {2, 4, 5},
};

namespace {

const char kMouseKey[] = "Control Panel\\Mouse";
const char kDesktopKey[] = "Control Panel\\Desktop";
// The registry keeps these as short decimal text; anything longer is not ours.
constexpr size_t kValueBytes = 80;

bool WriteNumber(RegistryKey& key, const char* name, int32_t value) {
  return key.WriteString(name, std::to_string(value));
}

bool ReadNumber(RegistryKey& key, const char* name, int32_t& value) {
  std::string text;
  return key.ReadString(name, text, kValueBytes) && ParseRegistryNumber(text, value);
}

// Reads into the field only when the value is there and numeric.
void ReadField(RegistryKey& key, const char* name, int32_t& field) {
  int32_t value;
  if (ReadNumber(key, name, value)) field = value;
}

const AccelerationRow& RowFor(const ProfileRecord& profile) {
  if (profile.AccelerationFlag == 0) return kAccelerationTable[0];
  int32_t row = std::clamp<int32_t>(profile.Acceleration, 0, kAccelerationRows - 1);
  return kAccelerationTable[row];
}

struct MouseAcceleration {
  int32_t speed, threshold1, threshold2;
};

bool ReadAcceleration(RegistryKey& key, MouseAcceleration& out) {
  return ReadNumber(key, "MouseSpeed", out.speed) &&
         ReadNumber(key, "MouseThreshold1", out.threshold1) &&
         ReadNumber(key, "MouseThreshold2", out.threshold2);
}

}  // namespace

bool ParseRegistryNumber(const std::string& text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  if (digits == 0) return false;
  int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int32_t>::max()) return false;
  value = static_cast<int32_t>(signedValue);
  return true;
}

int WriteWindowsValues(const ProfileRecord& profile, Registry& registry) {
  std::unique_ptr<RegistryKey> mouse = registry.OpenOrCreate(RegistryRoot::CurrentUser, kMouseKey);
  if (!mouse) return -1;
  bool allWritten = true;
  allWritten &= WriteNumber(*mouse, "DoubleClickSpeed", profile.DbleClickSpeed);
  allWritten &= WriteNumber(*mouse, "MouseSensitivity", profile.MouseSpeed);
  allWritten &= WriteNumber(*mouse, "MouseTrails", profile.MouseTrails);
  const AccelerationRow& row = RowFor(profile);
  allWritten &= WriteNumber(*mouse, "MouseSpeed", row.Speed);
  allWritten &= WriteNumber(*mouse, "MouseThreshold1", row.Threshold1);
  allWritten &= WriteNumber(*mouse, "MouseThreshold2", row.Threshold2);
  mouse.reset();

  std::unique_ptr<RegistryKey> desktop =
      registry.OpenOrCreate(RegistryRoot::CurrentUser, kDesktopKey);
  if (!desktop) return -1;
  allWritten &= WriteNumber(*desktop, "WheelScrollLines",
                            profile.ScrollWheelFlag == 1 ? -1 : profile.ScrollWheelSpeed);
  allWritten &= WriteNumber(*desktop, "WheelScrollChars", profile.TiltSpeed);
  // A value the registry refused is a failed save, not a silent success.
  return allWritten ? 1 : -1;
}

int ReadWindowsValues(ProfileRecord& profile, Registry& registry) {
  std::unique_ptr<RegistryKey> mouse = registry.OpenOrCreate(RegistryRoot::CurrentUser, kMouseKey);
  if (!mouse) return 0;
  ReadField(*mouse, "DoubleClickSpeed", profile.DbleClickSpeed);
  ReadField(*mouse, "MouseSensitivity", profile.MouseSpeed);
  ReadField(*mouse, "MouseTrails", profile.MouseTrails);
  MouseAcceleration current;
  if (ReadAcceleration(*mouse, current)) {
    // The last matching row is the one with the smallest thresholds that
    // are not below the current ones.
    for (int row = 0; row < kAccelerationRows; ++row) {
      const AccelerationRow& r = kAccelerationTable[row];
      if (r.Speed == current.speed && r.Threshold1 >= current.threshold1 &&
          r.Threshold2 >= current.threshold2)
        profile.Acceleration = row;
    }
  }
  profile.AccelerationFlag = profile.Acceleration != 0 ? 1 : 0;
  mouse.reset();

  std::unique_ptr<RegistryKey> desktop =
      registry.OpenOrCreate(RegistryRoot::CurrentUser, kDesktopKey);
  if (!desktop) return -1;
  int32_t lines;
  if (ReadNumber(*desktop, "WheelScrollLines", lines)) {
    if (lines == -1) {
      profile.ScrollWheelFlag = 1;
      if (profile.ScrollWheelSpeed < 1 || profile.ScrollWheelSpeed > 10) profile.ScrollWheelSpeed = 3;
    } else {
      profile.ScrollWheelSpeed = lines;
      profile.ScrollWheelFlag = 0;
    }
  }
  ReadField(*desktop, "WheelScrollChars", profile.TiltSpeed);
  return 1;
}

WindowsApplyPlan PlanWindowsApply(ProfileRecord& profile, Registry& registry) {
  WindowsApplyPlan plan;
  plan.DoubleClickTime = profile.DbleClickSpeed;

  std::unique_ptr<RegistryKey> mouse = registry.OpenOrCreate(RegistryRoot::CurrentUser, kMouseKey);
  MouseAcceleration current;
  if (mouse && ReadAcceleration(*mouse, current)) {
    if (profile.AccelerationFlag != 1 &&
        (current.speed != 0 || current.threshold1 != 0 || current.threshold2 != 0)) {
      profile.Acceleration = 0;
      current = {0, 0, 0};
      mouse->WriteString("MouseSpeed", "0");
      mouse->WriteString("MouseThreshold2", "0");
      mouse->WriteString("MouseThreshold1", "0");
    }
    plan.SetMouse = true;
    plan.Mouse[0] = current.threshold1;
    plan.Mouse[1] = current.threshold2;
    plan.Mouse[2] = current.speed;
  }
  plan.PointerSpeed = profile.MouseSpeed;

  plan.WheelScrollLines = profile.ScrollWheelFlag != 0 ? -1 : profile.ScrollWheelSpeed;
  plan.WheelScrollChars = profile.TiltSpeed;
  plan.MouseTrails = profile.MouseTrails;
  return plan;
}

}  // namespace vextra
