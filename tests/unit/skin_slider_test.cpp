#include <gtest/gtest.h>

#include "option/skin/slider_math.h"

namespace vextra {
namespace {

SliderGeometry Geometry(int left, int right, int thumb, int minimum, int maximum) {
  SliderGeometry g;
  g.leftBound = left;
  g.rightBound = right;
  g.thumbWidth = thumb;
  g.minimum = minimum;
  g.maximum = maximum;
  return g;
}

TEST(SkinSlider, PositionAndValueRoundTrip) {
  // Tracks of the main and advanced pages (thumb widths as the skins have them).
  for (const SliderGeometry& g : {Geometry(0, 266, 20, 1, 11), Geometry(0, 240, 20, 1, 10),
                                  Geometry(0, 267, 13, 1, 60), Geometry(10, 112, 12, 0, 4)}) {
    EXPECT_EQ(g.ThumbLeftFor(g.minimum), g.leftBound);
    EXPECT_EQ(g.ThumbLeftFor(g.maximum), g.rightBound - g.thumbWidth);
    int previous = g.leftBound - 1;
    for (int v = g.minimum; v <= g.maximum; ++v) {
      const int left = g.ThumbLeftFor(v);
      EXPECT_GT(left, previous);
      previous = left;
      EXPECT_EQ(SliderValueFromExact(g.ExactValueAt(left), true, g.minimum, g.maximum), v) << v;
    }
  }
  const SliderGeometry g = Geometry(0, 266, 20, 1, 11);
  EXPECT_EQ(g.ThumbLeftFor(6), 123);
  EXPECT_EQ(g.ThumbLeftFor(40), 246);  // values are clamped first
  EXPECT_EQ(g.ThumbLeftFor(-3), 0);
}

TEST(SkinSlider, DragStopsAtTheBoundsWithMinAndMax) {
  const SliderGeometry g = Geometry(0, 266, 20, 1, 11);
  EXPECT_EQ(g.ClampThumbLeft(500), 246);  // right edge on the right bound
  EXPECT_EQ(g.DragValueAt(g.ClampThumbLeft(500)), 11);
  EXPECT_EQ(g.ClampThumbLeft(-40), 0);
  EXPECT_EQ(g.DragValueAt(g.ClampThumbLeft(-40)), 1);
  EXPECT_EQ(g.DragValueAt(122), 5);                       // integer while dragging: 1 + 1220 / 246
  EXPECT_NEAR(g.ExactValueAt(122), 5.959, 0.001);         // exact on release
  EXPECT_EQ(SliderValueFromExact(5.959, true, 1, 11), 6);  // snap rounds
  EXPECT_EQ(SliderValueFromExact(5.959, false, 1, 11), 5);  // otherwise truncates
  EXPECT_EQ(SliderValueFromExact(4.5, true, 1, 11), 5);
  EXPECT_EQ(SliderValueFromExact(12.7, true, 1, 11), 11);
  EXPECT_EQ(SliderValueFromExact(-2.0, false, 1, 11), 1);

  // A thumb wider than its track or an empty range: no division by zero.
  const SliderGeometry tight = Geometry(0, 10, 20, 0, 10);
  EXPECT_EQ(tight.ThumbLeftFor(7), 0);
  EXPECT_EQ(tight.DragValueAt(5), 0);
  EXPECT_EQ(tight.ClampThumbLeft(5), 0);
  EXPECT_EQ(Geometry(0, 100, 10, 3, 3).ThumbLeftFor(3), 0);
}

TEST(SkinSlider, TrackClickValue) {
  EXPECT_DOUBLE_EQ(TrackClickValue(133, 0, 266, 1, 11), 6.0);
  EXPECT_DOUBLE_EQ(TrackClickValue(545 + 140, 545, 685, 0, 700), 700.0);
  EXPECT_DOUBLE_EQ(TrackClickValue(545, 545, 685, 0, 700), 0.0);
  EXPECT_EQ(SliderValueFromExact(TrackClickValue(100, 0, 266, 1, 11), true, 1, 11), 5);  // 4.76
  EXPECT_DOUBLE_EQ(TrackClickValue(50, 60, 60, 1, 11), 1.0);
}

}  // namespace
}  // namespace vextra
