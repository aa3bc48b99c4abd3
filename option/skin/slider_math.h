// Arithmetic of the slider thumb (CPHSlider) and its clickable track
// (CclickHSlider): where the thumb stands for a value and which value a thumb
// position or a click on the track means.
#pragma once

namespace vextra {

struct SliderGeometry {
  int leftBound = 0;   // the thumb's left edge never goes left of this
  int rightBound = 0;  // nor its right edge right of this
  int thumbWidth = 0;
  int minimum = 0;
  int maximum = 10;

  // Room the thumb's left edge can travel (0 when the thumb does not fit).
  int Travel() const;
  int ClampValue(int value) const;

  // leftBound + travel * (value - min) / (max - min), value clamped first.
  int ThumbLeftFor(int value) const;
  // The thumb's left edge kept inside the bounds.
  int ClampThumbLeft(int left) const;
  // min + (left - leftBound) * (max - min) / travel: integer while dragging,
  // exact on release. Not clamped.
  int DragValueAt(int thumbLeft) const;
  double ExactValueAt(int thumbLeft) const;
};

// Release rule: round half up in snap mode, else truncate; then clamp.
int SliderValueFromExact(double exact, bool snap, int minimum, int maximum);

// A click on the track at x (same coordinates as trackLeft/trackRight):
// (x - left) * (max - min) / (right - left) + min, unrounded.
double TrackClickValue(int x, int trackLeft, int trackRight, int minimum, int maximum);

}  // namespace vextra
