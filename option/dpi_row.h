// One DPI level on the Main page (CDpiRow): its value 1..60 in units of 100
// DPI, shown by a slider and a number field, seven preset buttons, an enable
// box and a header strip that makes it the active level. The row tells the
// page about a change with WM_DPI_ROW (kDpiRowMessage).
#pragma once

#include <cstdint>
#include <optional>

namespace vextra {

// WM_DPI_ROW: wParam (code << 16) | value, lParam the row's id.
constexpr unsigned kDpiRowMessage = 1117;

enum DpiRowCode : int {
  kDpiRowEnabled = 1,   // value: 1 enabled, 0 disabled
  kDpiRowValue = 2,     // value: the level 1..60
  kDpiRowActivate = 3,  // make this row the active level
};

constexpr int kDpiMinimum = 1;
constexpr int kDpiMaximum = 60;
constexpr int kDpiFieldMinimum = 100;   // the number field shows value * 100
constexpr int kDpiFieldMaximum = 6000;
constexpr int kDpiFieldStep = 100;
constexpr int kDpiPresetCount = 7;
inline constexpr int kDpiPresets[kDpiPresetCount] = {1, 10, 20, 30, 40, 50, 60};

// Ids of the row's own children.
constexpr int kDpiRowSliderId = 300;
constexpr int kDpiRowFieldId = 400;

constexpr uint32_t DpiRowWParam(int code, int value) {
  return (static_cast<uint32_t>(code) << 16) | (static_cast<uint32_t>(value) & 0xFFFFu);
}
struct DpiRowMessage {
  int code;
  int value;  // the low word
};
constexpr DpiRowMessage DecodeDpiRow(uintptr_t wParam) {
  return {static_cast<int>((wParam >> 16) & 0xFFFFu), static_cast<int>(wParam & 0xFFFFu)};
}

class DpiRow {
 public:
  // What the row's children must show after a change; the child that caused
  // the change is never rewritten (a field being typed in keeps its text).
  struct Outcome {
    bool slider = false;    // move the slider to value()
    bool field = false;     // show fieldValue()
    bool children = false;  // enable the children with childrenEnabled(), the box with enableBoxEnabled()
    bool box = false;       // set the enable box's latch to enabled()
    bool header = false;    // set the header strip's latch to selected()
    std::optional<uint32_t> notify;  // post WM_DPI_ROW with this wParam
  };

  // User actions.
  Outcome Preset(int index);        // 0..6
  Outcome SliderChanged(int value);
  Outcome FieldChanged(int value);  // the field's value, 100..6000
  Outcome EnableBoxClicked(bool latched);
  Outcome HeaderClicked();

  // Set by the page (no notification).
  Outcome SetValue(int value);
  Outcome SetEnabled(bool enabled);
  Outcome SetSelected(bool selected);

  int value() const { return value_; }
  bool enabled() const { return enabled_; }
  bool selected() const { return selected_; }
  int fieldValue() const { return value_ * 100; }
  bool childrenEnabled() const { return enabled_; }
  // The active level cannot be switched off.
  bool enableBoxEnabled() const { return !selected_; }

 private:
  int value_ = 8;
  bool enabled_ = true;
  bool selected_ = false;
};

}  // namespace vextra
