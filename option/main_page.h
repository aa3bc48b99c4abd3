// The Main page's logic: what it shows for the current profile and what each
// of its controls writes into that profile of the working block. Only the
// double-click time leaves the program at once (the window gives it to the
// system); everything else waits for Apply.
#pragma once

#include <cstdint>
#include <optional>

#include "common/settings_block.h"
#include "option/dpi_row.h"

namespace vextra {

// Control ids of the page.
constexpr int kSensitivitySliderId = 300;  // 1..11
constexpr int kScrollSpeedSliderId = 301;  // 1..10
constexpr int kTiltSpeedSliderId = 302;    // 1..10
constexpr int kDoubleClickSliderId = 303;  // 0..700
constexpr int kSensitivityFieldId = 400;   // -5..5
constexpr int kDpiRowFirstId = 500;        // rows 500..504
constexpr int kDpiRowCount = 5;

struct SliderRange {
  int minimum, maximum;
};
constexpr SliderRange kSensitivityRange{1, 11};
constexpr SliderRange kSpeedRange{1, 10};  // scroll and tilt speed
constexpr SliderRange kDoubleClickRange{0, 700};
constexpr SliderRange kSensitivityFieldRange{-5, 5};
constexpr int kSensitivityFieldOffset = 6;    // field = Sensitivity - 6
constexpr int kDoubleClickSliderBase = 900;   // DbleClickSpeed = 900 - slider

struct DpiRowView {
  int value = 8;  // 1..60
  bool enabled = true;
  bool selected = false;
};

// Every position is inside its control's range, whatever the profile holds.
struct MainPageView {
  int sensitivity = 6;
  int sensitivityField = 0;
  int scrollSpeed = 3;
  int tiltSpeed = 3;
  int doubleClick = 400;
  int scrollMode = 0;  // latched: 0 "not one page", 1 "one page"; -1 neither
  DpiRowView rows[kDpiRowCount];
};

// What the window must do after an edit.
struct MainPageEffect {
  bool changed = false;                   // the profile was written
  std::optional<int> sensitivitySlider;   // move the SENSITIVITY slider
  std::optional<int> sensitivityField;    // show this in the Sensitivity field
  std::optional<int> doubleClickTime;     // give the system this double-click time now
  std::optional<int> scrollMode;          // latch this scroll-mode button, release the other
  std::optional<int> activeRow;           // re-mark the rows: this one selected, the others not
  std::optional<int> rowEnabledAgain;     // this row's box was switched off and must show on again
};

namespace main_page {

MainPageView ViewOf(const ProfileRecord& profile);

// Values that the control cannot produce are ignored, except the number
// field's, which is clipped to its range as it is typed.
MainPageEffect SetSensitivity(ProfileRecord& profile, int sliderValue);
MainPageEffect SetSensitivityField(ProfileRecord& profile, int fieldValue);
MainPageEffect SetScrollSpeed(ProfileRecord& profile, int sliderValue);
MainPageEffect SetTiltSpeed(ProfileRecord& profile, int sliderValue);
MainPageEffect SetDoubleClick(ProfileRecord& profile, int sliderValue);
MainPageEffect SetScrollMode(ProfileRecord& profile, int mode);  // 0 or 1

// WM_DPI_ROW from row `rowId` (500..504; other ids change nothing).
MainPageEffect OnDpiRow(ProfileRecord& profile, intptr_t rowId, uintptr_t wParam);

// Relabelling from a help library: the page's controls by layout name, and
// the two ids every DPI row uses.
struct HelpBinding {
  const char* layoutName;
  int32_t stringId;
};
extern const HelpBinding kMainPageHelp[];
extern const int kMainPageHelpCount;
extern const int32_t kDpiRowPartsHelp;   // presets, header strip, slider, field
extern const int32_t kDpiRowEnableHelp;  // the enable box

}  // namespace main_page
}  // namespace vextra
