#include "common/windows_values.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/memory_registry.h"

namespace vextra {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
const char kMouse[] = "Control Panel\\Mouse";
const char kDesktop[] = "Control Panel\\Desktop";

class WindowsValuesTest : public ::testing::Test {
 protected:
  MemoryRegistry reg;
  std::unique_ptr<ProfileRecord> owned = std::make_unique<ProfileRecord>();
  ProfileRecord& p = *owned;

  std::string Value(const char* key, const char* name) const {
    std::string v;
    return reg.GetString(kUser, key, name, v) ? v : "<absent>";
  }
  std::string Acceleration() const {
    return Value(kMouse, "MouseSpeed") + "," + Value(kMouse, "MouseThreshold1") + "," +
           Value(kMouse, "MouseThreshold2");
  }
  void SetAcceleration(const char* s, const char* t1, const char* t2) {
    reg.SetString(kUser, kMouse, "MouseSpeed", s);
    reg.SetString(kUser, kMouse, "MouseThreshold1", t1);
    reg.SetString(kUser, kMouse, "MouseThreshold2", t2);
  }
};

TEST_F(WindowsValuesTest, WriteStoresEveryValueAsDecimalText) {
  p.DbleClickSpeed = 640;
  p.MouseSpeed = 12;
  p.MouseTrails = 4;
  p.Acceleration = 14;
  p.AccelerationFlag = 1;
  p.ScrollWheelSpeed = 7;
  p.ScrollWheelFlag = 0;
  p.TiltSpeed = -2;  // out of range values pass as they are
  ASSERT_EQ(WriteWindowsValues(p, reg), 1);
  EXPECT_EQ(Value(kMouse, "DoubleClickSpeed"), "640");
  EXPECT_EQ(Value(kMouse, "MouseSensitivity"), "12");
  EXPECT_EQ(Value(kMouse, "MouseTrails"), "4");
  EXPECT_EQ(Acceleration(), "2,4,10");
  EXPECT_EQ(Value(kDesktop, "WheelScrollLines"), "7");
  EXPECT_EQ(Value(kDesktop, "WheelScrollChars"), "-2");

  p.ScrollWheelFlag = 1;
  ASSERT_EQ(WriteWindowsValues(p, reg), 1);
  EXPECT_EQ(Value(kDesktop, "WheelScrollLines"), "-1");
}

TEST_F(WindowsValuesTest, WriteChoosesTheAccelerationRow) {
  struct Case {
    int32_t flag, acceleration;
    const char* expected;
  } cases[] = {
      {0, 14, "0,0,0"},   // off, whatever the row says
      {1, 8, "1,6,0"},    {1, 1, "1,13,0"}, {1, 11, "2,4,13"},
      {1, 25, "2,4,5"},   // clamped to row 19
      {1, -3, "0,0,0"},   // clamped to row 0
      {2, 5, "1,9,0"},    // only 0 means off
  };
  for (const Case& c : cases) {
    p.AccelerationFlag = c.flag;
    p.Acceleration = c.acceleration;
    ASSERT_EQ(WriteWindowsValues(p, reg), 1);
    EXPECT_EQ(Acceleration(), c.expected) << c.flag << "/" << c.acceleration;
  }
}

TEST_F(WindowsValuesTest, EveryRowReadsBackAsItself) {
  for (int row = 0; row < kAccelerationRows; ++row) {
    p.AccelerationFlag = 1;
    p.Acceleration = row;
    ASSERT_EQ(WriteWindowsValues(p, reg), 1);
    p.Acceleration = -7;
    p.AccelerationFlag = -7;
    ASSERT_EQ(ReadWindowsValues(p, reg), 1);
    EXPECT_EQ(p.Acceleration, row);
    EXPECT_EQ(p.AccelerationFlag, row != 0 ? 1 : 0);
  }
}

TEST_F(WindowsValuesTest, ReadFindsTheLastMatchingRow) {
  struct Case {
    const char *s, *t1, *t2;
    int32_t before, acceleration, flag;
  } cases[] = {
      {"1", "6", "0", 0, 8, 1},
      {"2", "4", "10", 0, 14, 1},
      {"1", "14", "0", 5, 5, 1},   // no row: unchanged
      {"1", "14", "0", 0, 0, 0},
      {"1", "6", "10", 3, 3, 1},   // a fresh Wine prefix: no row either
      {"1", "3", "0", 2, 10, 1},   // thresholds below every row: the smallest
      {"0", "0", "0", 9, 0, 0},
      {" 2", "4", "5abc", 0, 19, 1},  // read as decimal numbers
      {"x", "6", "0", 4, 4, 1},    // not a number: no scan
  };
  for (const Case& c : cases) {
    SetAcceleration(c.s, c.t1, c.t2);
    p.Acceleration = c.before;
    p.AccelerationFlag = -1;
    ASSERT_EQ(ReadWindowsValues(p, reg), 1);
    EXPECT_EQ(p.Acceleration, c.acceleration) << c.s << "," << c.t1 << "," << c.t2;
    EXPECT_EQ(p.AccelerationFlag, c.flag) << c.s << "," << c.t1 << "," << c.t2;
  }
}

TEST_F(WindowsValuesTest, ReadLeavesUnreadableValuesAlone) {
  p.DbleClickSpeed = 500;
  p.MouseSpeed = 10;
  p.MouseTrails = 2;
  p.TiltSpeed = 3;
  reg.SetString(kUser, kMouse, "DoubleClickSpeed", "640");
  reg.SetString(kUser, kMouse, "MouseSensitivity", "not a number");
  reg.SetString(kUser, kDesktop, "WheelScrollChars", std::string(85, '7'));  // over 80 bytes
  // MouseTrails absent, as in a fresh profile
  ASSERT_EQ(ReadWindowsValues(p, reg), 1);
  EXPECT_EQ(p.DbleClickSpeed, 640);
  EXPECT_EQ(p.MouseSpeed, 10);
  EXPECT_EQ(p.MouseTrails, 2);
  EXPECT_EQ(p.TiltSpeed, 3);

  reg.SetString(kUser, kMouse, "MouseTrails", "99999999999");  // does not fit 32 bits
  reg.SetString(kUser, kDesktop, "WheelScrollChars", "-4");
  ASSERT_EQ(ReadWindowsValues(p, reg), 1);
  EXPECT_EQ(p.MouseTrails, 2);
  EXPECT_EQ(p.TiltSpeed, -4);
}

TEST_F(WindowsValuesTest, WheelLinesMinusOneRepairsTheSpeed) {
  struct Case {
    const char* lines;
    int32_t speedBefore, speed, flag;
  } cases[] = {
      {"-1", 0, 3, 1}, {"-1", 5, 5, 1}, {"-1", 1, 1, 1}, {"-1", 10, 10, 1},
      {"-1", 11, 3, 1}, {"7", 2, 7, 0}, {"0", 5, 0, 0},
  };
  for (const Case& c : cases) {
    reg.SetString(kUser, kDesktop, "WheelScrollLines", c.lines);
    p.ScrollWheelSpeed = c.speedBefore;
    p.ScrollWheelFlag = 1 - c.flag;
    ASSERT_EQ(ReadWindowsValues(p, reg), 1);
    EXPECT_EQ(p.ScrollWheelSpeed, c.speed) << c.lines << "/" << c.speedBefore;
    EXPECT_EQ(p.ScrollWheelFlag, c.flag) << c.lines << "/" << c.speedBefore;
  }
}

TEST_F(WindowsValuesTest, FailingKeys) {
  p.DbleClickSpeed = 640;
  p.ScrollWheelSpeed = 9;
  reg.SetString(kUser, kMouse, "DoubleClickSpeed", "500");
  reg.SetString(kUser, kDesktop, "WheelScrollLines", "4");

  reg.SetKeyFails(kUser, kMouse);
  EXPECT_EQ(WriteWindowsValues(p, reg), -1);
  EXPECT_EQ(Value(kDesktop, "WheelScrollLines"), "4");  // stopped at the first key
  EXPECT_EQ(ReadWindowsValues(p, reg), 0);
  EXPECT_EQ(p.DbleClickSpeed, 640);

  reg.SetKeyFails(kUser, kMouse, false);
  reg.SetKeyFails(kUser, kDesktop);
  EXPECT_EQ(WriteWindowsValues(p, reg), -1);
  EXPECT_EQ(Value(kMouse, "DoubleClickSpeed"), "640");  // what was written stays
  reg.SetString(kUser, kMouse, "DoubleClickSpeed", "700");
  EXPECT_EQ(ReadWindowsValues(p, reg), -1);
  EXPECT_EQ(p.DbleClickSpeed, 700);
  EXPECT_EQ(p.ScrollWheelSpeed, 9);
}

TEST_F(WindowsValuesTest, RefusedValueWriteIsReportedAfterWritingTheRest) {
  p.ScrollWheelSpeed = 6;
  reg.SetKeyReadOnly(kUser, kMouse);
  EXPECT_EQ(WriteWindowsValues(p, reg), -1);
  EXPECT_EQ(Value(kDesktop, "WheelScrollLines"), "6");
  reg.SetKeyReadOnly(kUser, kMouse, false);
  EXPECT_EQ(WriteWindowsValues(p, reg), 1);
}

TEST_F(WindowsValuesTest, PlanTurnsOffLeftoverAcceleration) {
  struct Case {
    int32_t flag;
    const char *s, *t1, *t2;
    bool reset;
    int32_t mouse[3];  // threshold 1, threshold 2, speed
  } cases[] = {
      {0, "1", "6", "10", true, {0, 0, 0}},
      {2, "0", "0", "1", true, {0, 0, 0}},   // any flag but 1 means off
      {-1, "0", "0", "0", false, {0, 0, 0}},
      {1, "1", "6", "0", false, {6, 0, 1}},  // on: the registry row goes live
      {1, "2", "4", "13", false, {4, 13, 2}},
  };
  for (const Case& c : cases) {
    SetAcceleration(c.s, c.t1, c.t2);
    const std::string before = Acceleration();
    p.AccelerationFlag = c.flag;
    p.Acceleration = 12;
    WindowsApplyPlan plan = PlanWindowsApply(p, reg);
    const std::string what = std::to_string(c.flag) + ":" + before;
    EXPECT_TRUE(plan.SetMouse) << what;
    EXPECT_EQ(plan.Mouse[0], c.mouse[0]) << what;
    EXPECT_EQ(plan.Mouse[1], c.mouse[1]) << what;
    EXPECT_EQ(plan.Mouse[2], c.mouse[2]) << what;
    EXPECT_EQ(p.Acceleration, c.reset ? 0 : 12) << what;
    EXPECT_EQ(Acceleration(), c.reset ? "0,0,0" : before) << what;
  }
}

TEST_F(WindowsValuesTest, PlanCarriesTheOtherValues) {
  SetAcceleration("1", "6", "0");
  p.AccelerationFlag = 1;
  p.DbleClickSpeed = 450;
  p.MouseSpeed = 15;
  p.ScrollWheelSpeed = 6;
  p.TiltSpeed = 4;
  p.MouseTrails = 7;
  for (int32_t wheelFlag : {0, 1, 3}) {
    p.ScrollWheelFlag = wheelFlag;
    WindowsApplyPlan plan = PlanWindowsApply(p, reg);
    EXPECT_EQ(plan.DoubleClickTime, 450);
    EXPECT_EQ(plan.PointerSpeed, 15);
    EXPECT_EQ(plan.WheelScrollLines, wheelFlag != 0 ? -1 : 6);
    EXPECT_EQ(plan.WheelScrollChars, 4);
    EXPECT_EQ(plan.MouseTrails, 7);
  }
}

TEST_F(WindowsValuesTest, PlanLeavesAccelerationAloneWhenItCannotBeRead) {
  SetAcceleration("1", "6", "10");
  reg.RemoveValue(kUser, kMouse, "MouseThreshold2");
  p.AccelerationFlag = 0;
  p.Acceleration = 5;
  p.MouseSpeed = 11;
  WindowsApplyPlan plan = PlanWindowsApply(p, reg);
  EXPECT_FALSE(plan.SetMouse);
  EXPECT_EQ(p.Acceleration, 5);
  EXPECT_EQ(Value(kMouse, "MouseSpeed"), "1");
  EXPECT_EQ(plan.PointerSpeed, 11);

  reg.SetKeyFails(kUser, kMouse);
  plan = PlanWindowsApply(p, reg);
  EXPECT_FALSE(plan.SetMouse);
  EXPECT_EQ(plan.PointerSpeed, 11);
}

}  // namespace
}  // namespace vextra
