#include "option/skin/slider_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vextra {

int SliderGeometry::Travel() const { return std::max(rightBound - thumbWidth - leftBound, 0); }

int SliderGeometry::ClampValue(int value) const {
  return std::clamp(value, std::min(minimum, maximum), std::max(minimum, maximum));
}

int SliderGeometry::ThumbLeftFor(int value) const {
  const int64_t span = int64_t{maximum} - minimum;
  if (span <= 0) return leftBound;
  return static_cast<int>(leftBound + int64_t{Travel()} * (int64_t{ClampValue(value)} - minimum) / span);
}

int SliderGeometry::ClampThumbLeft(int left) const {
  return std::clamp(left, leftBound, leftBound + Travel());
}

int SliderGeometry::DragValueAt(int thumbLeft) const {
  if (Travel() == 0) return minimum;
  return static_cast<int>(minimum + (int64_t{thumbLeft} - leftBound) * (int64_t{maximum} - minimum) / Travel());
}

double SliderGeometry::ExactValueAt(int thumbLeft) const {
  if (Travel() == 0) return minimum;
  return minimum + (double(thumbLeft) - leftBound) * (double(maximum) - minimum) / Travel();
}

int SliderValueFromExact(double exact, bool snap, int minimum, int maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  if (std::isnan(exact)) return minimum;
  double v = snap ? std::floor(exact + 0.5) : std::trunc(exact);
  v = std::clamp(v, double(minimum), double(maximum));
  return static_cast<int>(v);
}

double TrackClickValue(int x, int trackLeft, int trackRight, int minimum, int maximum) {
  if (trackRight <= trackLeft) return minimum;
  return (double(x) - trackLeft) * (double(maximum) - minimum) / (double(trackRight) - trackLeft) + minimum;
}

}  // namespace vextra
