#include "option/dpi_row.h"

#include <algorithm>

namespace vextra {
namespace {
bool IsLevel(int v) { return v >= kDpiMinimum && v <= kDpiMaximum; }
}  // namespace

DpiRow::Outcome DpiRow::Preset(int index) {
  Outcome out;
  // The presets are children: a disabled row has none to click.
  if (index < 0 || index >= kDpiPresetCount || !enabled_) return out;
  value_ = kDpiPresets[index];
  out.slider = out.field = true;
  out.notify = DpiRowWParam(kDpiRowValue, value_);
  return out;
}

DpiRow::Outcome DpiRow::SliderChanged(int value) {
  Outcome out;
  // A slider of 1..60 cannot report anything else.
  if (!IsLevel(value) || !enabled_ || value == value_) return out;
  value_ = value;
  out.field = true;
  out.notify = DpiRowWParam(kDpiRowValue, value_);
  return out;
}

DpiRow::Outcome DpiRow::FieldChanged(int value) {
  Outcome out;
  if (!enabled_) return out;
  const int v = std::clamp(value, kDpiFieldMinimum, kDpiFieldMaximum) / 100;
  if (v == value_) return out;
  value_ = v;
  out.slider = true;
  out.notify = DpiRowWParam(kDpiRowValue, value_);
  return out;
}

DpiRow::Outcome DpiRow::EnableBoxClicked(bool latched) {
  Outcome out;
  if (selected_) {
    // The box is disabled while the row is active; should a click arrive
    // anyway, the box goes back to its state and nothing is told.
    out.box = true;
    return out;
  }
  enabled_ = latched;
  out.children = true;
  out.notify = DpiRowWParam(kDpiRowEnabled, enabled_ ? 1 : 0);
  return out;
}

DpiRow::Outcome DpiRow::HeaderClicked() {
  Outcome out;
  if (!enabled_) return out;  // the header is a child, disabled with the row
  out.notify = DpiRowWParam(kDpiRowActivate, 0);
  return out;
}

DpiRow::Outcome DpiRow::SetValue(int value) {
  value_ = std::clamp(value, kDpiMinimum, kDpiMaximum);
  Outcome out;
  out.slider = out.field = true;
  return out;
}

DpiRow::Outcome DpiRow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Outcome out;
  out.box = out.children = true;
  return out;
}

DpiRow::Outcome DpiRow::SetSelected(bool selected) {
  selected_ = selected;
  Outcome out;
  out.header = out.children = true;
  return out;
}

}  // namespace vextra
