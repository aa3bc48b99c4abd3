#include "option/main_page.h"

#include <algorithm>

#include "common/help_string_ids.h"

namespace vextra {
namespace main_page {
namespace {

// Stored values may be anything (a missing key reads -1, the section can hold
// junk): clamp in 64 bits so that no arithmetic on them overflows.
int Clamp(int64_t v, SliderRange r) { return static_cast<int>(std::clamp<int64_t>(v, r.minimum, r.maximum)); }
bool Inside(int v, SliderRange r) { return v >= r.minimum && v <= r.maximum; }

}  // namespace

MainPageView ViewOf(const ProfileRecord& p) {
  MainPageView v;
  v.sensitivity = Clamp(p.Sensitivity, kSensitivityRange);
  v.sensitivityField = Clamp(int64_t{p.Sensitivity} - kSensitivityFieldOffset, kSensitivityFieldRange);
  v.scrollSpeed = Clamp(p.ScrollWheelSpeed, kSpeedRange);
  v.tiltSpeed = Clamp(p.TiltSpeed, kSpeedRange);
  v.doubleClick = Clamp(int64_t{kDoubleClickSliderBase} - p.DbleClickSpeed, kDoubleClickRange);
  v.scrollMode = p.ScrollWheelFlag == 0 || p.ScrollWheelFlag == 1 ? p.ScrollWheelFlag : -1;
  for (int i = 0; i < kDpiRowCount; ++i) {
    v.rows[i].value = Clamp(p.CpiLevel_X[i], SliderRange{kDpiMinimum, kDpiMaximum});
    v.rows[i].enabled = p.dpi[i] != 0;
    v.rows[i].selected = p.Cpi_X == i;
  }
  return v;
}

MainPageEffect SetSensitivity(ProfileRecord& p, int value) {
  MainPageEffect e;
  if (!Inside(value, kSensitivityRange) || value == p.Sensitivity) return e;
  p.Sensitivity = value;
  e.changed = true;
  e.sensitivityField = value - kSensitivityFieldOffset;
  return e;
}

MainPageEffect SetSensitivityField(ProfileRecord& p, int value) {
  MainPageEffect e;
  const int shown = Clamp(value, kSensitivityFieldRange);
  if (shown != value) e.sensitivityField = shown;  // the field shows what is kept
  const int v = shown + kSensitivityFieldOffset;
  if (v == p.Sensitivity) return e;
  p.Sensitivity = v;
  e.changed = true;
  e.sensitivitySlider = v;
  return e;
}

MainPageEffect SetScrollSpeed(ProfileRecord& p, int value) {
  MainPageEffect e;
  if (!Inside(value, kSpeedRange)) return e;
  e.changed = p.ScrollWheelSpeed != value;
  p.ScrollWheelSpeed = value;
  return e;
}

MainPageEffect SetTiltSpeed(ProfileRecord& p, int value) {
  MainPageEffect e;
  if (!Inside(value, kSpeedRange)) return e;
  e.changed = p.TiltSpeed != value;
  p.TiltSpeed = value;
  return e;
}

MainPageEffect SetDoubleClick(ProfileRecord& p, int value) {
  MainPageEffect e;
  if (!Inside(value, kDoubleClickRange)) return e;
  const int time = kDoubleClickSliderBase - value;
  e.changed = p.DbleClickSpeed != time;
  p.DbleClickSpeed = time;
  e.doubleClickTime = time;
  return e;
}

MainPageEffect SetScrollMode(ProfileRecord& p, int mode) {
  MainPageEffect e;
  if (mode != 0 && mode != 1) return e;
  e.changed = p.ScrollWheelFlag != mode;
  p.ScrollWheelFlag = mode;
  e.scrollMode = mode;
  return e;
}

MainPageEffect OnDpiRow(ProfileRecord& p, intptr_t rowId, uintptr_t wParam) {
  MainPageEffect e;
  if (rowId < kDpiRowFirstId || rowId >= kDpiRowFirstId + kDpiRowCount) return e;
  const int i = static_cast<int>(rowId - kDpiRowFirstId);
  const DpiRowMessage m = DecodeDpiRow(wParam);
  switch (m.code) {
    case kDpiRowEnabled: {
      const uint8_t enabled = (m.value & 0xFF) != 0 ? 1 : 0;
      if (!enabled && p.Cpi_X == i) {
        // The active level must stay in the cycle.
        e.rowEnabledAgain = i;
        return e;
      }
      e.changed = p.dpi[i] != enabled;
      p.dpi[i] = enabled;
      return e;
    }
    case kDpiRowValue:
      if (m.value < kDpiMinimum || m.value > kDpiMaximum) return e;
      e.changed = p.CpiLevel_X[i] != m.value;
      p.CpiLevel_X[i] = m.value;
      return e;
    case kDpiRowActivate:
      // Only an enabled level can become the active one (a disabled row's
      // header cannot be clicked).
      if (p.dpi[i] == 0) return e;
      e.changed = p.Cpi_X != i;
      p.Cpi_X = i;
      e.activeRow = i;
      return e;
    default:
      return e;
  }
}

const HelpBinding kMainPageHelp[] = {
    {"SENSITIVITY", kHelpSensitivitySlider},
    {"Sensitivity", kHelpSensitivityField},
    {"Scroll speed", kHelpScrollLines},
    {"not one page", kHelpScrollLines},
    {"one page", kHelpScrollPage},
    {"Tilt Speed", kHelpTiltSpeed},
    {"Double Click speed", kHelpDoubleClickSpeed},
};
const int kMainPageHelpCount = static_cast<int>(sizeof kMainPageHelp / sizeof kMainPageHelp[0]);
const int32_t kDpiRowPartsHelp = kHelpDpiLevel;
const int32_t kDpiRowEnableHelp = kHelpDpiLevelEnable;

}  // namespace main_page
}  // namespace vextra
