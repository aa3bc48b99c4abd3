// The Main page's view of a profile, what each control writes into it, and
// the DPI rows' own rules, rows and page together as the window wires them.
#include "option/main_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "option/dpi_row.h"

namespace vextra {
namespace {

class MainPageTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProfile(p, 0); }
  // What the window does with a view: every row shows its part.
  void ShowRows() {
    const MainPageView v = main_page::ViewOf(p);
    for (int i = 0; i < kDpiRowCount; ++i) {
      rows[i].SetValue(v.rows[i].value);
      rows[i].SetEnabled(v.rows[i].enabled);
      rows[i].SetSelected(v.rows[i].selected);
    }
  }
  // A row's notification delivered to the page, and the re-marking it asks for.
  MainPageEffect Deliver(int row, const DpiRow::Outcome& out) {
    if (!out.notify) return MainPageEffect{};
    MainPageEffect e = main_page::OnDpiRow(p, kDpiRowFirstId + row, *out.notify);
    if (e.activeRow)
      for (int i = 0; i < kDpiRowCount; ++i) rows[i].SetSelected(i == *e.activeRow);
    return e;
  }
  bool Unchanged() const { return std::memcmp(&p, &before, sizeof p) == 0; }

  ProfileRecord p;
  ProfileRecord before;
  DpiRow rows[kDpiRowCount];
};

TEST_F(MainPageTest, ViewOfTheDefaults) {
  const MainPageView v = main_page::ViewOf(p);
  EXPECT_EQ(v.sensitivity, 6);
  EXPECT_EQ(v.sensitivityField, 0);  // Sensitivity 6 shows 0
  EXPECT_EQ(v.scrollSpeed, 3);
  EXPECT_EQ(v.tiltSpeed, 3);
  EXPECT_EQ(v.doubleClick, 400);  // 900 - 500 ms
  EXPECT_EQ(v.scrollMode, 0);
  const int levels[] = {4, 8, 16, 32, 60};
  for (int i = 0; i < kDpiRowCount; ++i) {
    EXPECT_EQ(v.rows[i].value, levels[i]);
    EXPECT_TRUE(v.rows[i].enabled);
    EXPECT_EQ(v.rows[i].selected, i == 1);  // Cpi_X 1
  }
}

TEST_F(MainPageTest, ViewOfJunkStaysInsideEveryControl) {
  for (int32_t junk : {INT_MIN, -1, 0, 12, INT_MAX}) {
    SCOPED_TRACE(junk);
    p.Sensitivity = p.ScrollWheelSpeed = p.TiltSpeed = p.DbleClickSpeed = junk;
    p.ScrollWheelFlag = junk == 0 ? 2 : junk;
    p.Cpi_X = junk == 0 ? 5 : junk;
    for (int32_t& level : p.CpiLevel_X) level = junk;
    const MainPageView v = main_page::ViewOf(p);
    EXPECT_GE(v.sensitivity, 1);
    EXPECT_LE(v.sensitivity, 11);
    EXPECT_EQ(v.sensitivityField, v.sensitivity - 6);
    EXPECT_GE(v.doubleClick, 0);
    EXPECT_LE(v.doubleClick, 700);
    EXPECT_EQ(v.scrollMode, -1);
    for (const DpiRowView& r : v.rows) {
      EXPECT_GE(r.value, 1);
      EXPECT_LE(r.value, 60);
      EXPECT_FALSE(r.selected);
    }
  }
}

TEST_F(MainPageTest, SensitivityFieldIsClippedThenMovesTheSlider) {
  struct Case {
    int typed, stored;
    std::optional<int> slider, field;
  };
  const Case cases[] = {
      {7, 11, 11, 5},               // clipped to 5, slider to 11
      {-5, 1, 1, std::nullopt},     // slider to 1
      {-100, 1, 1, -5},
      {0, 6, std::nullopt, std::nullopt},  // equal: nothing to do
      {3, 9, 9, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    p.Sensitivity = 6;
    const MainPageEffect e = main_page::SetSensitivityField(p, c.typed);
    EXPECT_EQ(p.Sensitivity, c.stored);
    EXPECT_EQ(e.sensitivitySlider, c.slider);
    EXPECT_EQ(e.sensitivityField, c.field);
    EXPECT_EQ(e.changed, c.stored != 6);
  }
}

TEST_F(MainPageTest, SensitivitySliderStoresOnlyADifferentValueAndShowsItInTheField) {
  MainPageEffect e = main_page::SetSensitivity(p, 9);
  EXPECT_EQ(p.Sensitivity, 9);
  EXPECT_EQ(e.sensitivityField, 3);
  e = main_page::SetSensitivity(p, 9);
  EXPECT_FALSE(e.changed);
  EXPECT_FALSE(e.sensitivityField);
  before = p;
  for (int bogus : {0, 12, INT_MIN}) main_page::SetSensitivity(p, bogus);  // no slider says this
  EXPECT_TRUE(Unchanged());
}

TEST_F(MainPageTest, DoubleClickSliderStoresTheTimeAndGivesItToTheSystemAtOnce) {
  MainPageEffect e = main_page::SetDoubleClick(p, 700);
  EXPECT_EQ(p.DbleClickSpeed, 200);
  EXPECT_EQ(e.doubleClickTime, 200);
  e = main_page::SetDoubleClick(p, 0);
  EXPECT_EQ(p.DbleClickSpeed, 900);
  EXPECT_EQ(e.doubleClickTime, 900);
  e = main_page::SetDoubleClick(p, 701);
  EXPECT_EQ(p.DbleClickSpeed, 900);
  EXPECT_FALSE(e.doubleClickTime);
}

TEST_F(MainPageTest, SpeedsAndScrollMode) {
  main_page::SetScrollSpeed(p, 10);
  main_page::SetTiltSpeed(p, 1);
  main_page::SetScrollSpeed(p, 11);
  main_page::SetTiltSpeed(p, 0);
  EXPECT_EQ(p.ScrollWheelSpeed, 10);
  EXPECT_EQ(p.TiltSpeed, 1);
  MainPageEffect e = main_page::SetScrollMode(p, 1);
  EXPECT_EQ(p.ScrollWheelFlag, 1);
  EXPECT_EQ(e.scrollMode, 1);
  e = main_page::SetScrollMode(p, 2);
  EXPECT_EQ(p.ScrollWheelFlag, 1);
  EXPECT_FALSE(e.scrollMode);
}

TEST_F(MainPageTest, DpiRowMessagesOutsideTheRowsOrTheirValuesChangeNothing) {
  p.dpi[3] = 0;
  before = p;
  const std::pair<intptr_t, uint32_t> ignored[] = {
      {499, DpiRowWParam(kDpiRowValue, 20)}, {505, DpiRowWParam(kDpiRowValue, 20)},
      {-1, DpiRowWParam(kDpiRowActivate, 0)}, {500, DpiRowWParam(kDpiRowValue, 0)},
      {500, DpiRowWParam(kDpiRowValue, 61)},  {500, DpiRowWParam(4, 1)},
      {503, DpiRowWParam(kDpiRowActivate, 0)},  // a disabled level cannot become active
      {501, DpiRowWParam(kDpiRowEnabled, 0)},   // nor the active one be disabled
  };
  for (const auto& m : ignored) {
    SCOPED_TRACE(testing::Message() << m.first << " " << m.second);
    const MainPageEffect e = main_page::OnDpiRow(p, m.first, m.second);
    EXPECT_FALSE(e.changed);
    EXPECT_FALSE(e.activeRow);
  }
  EXPECT_TRUE(Unchanged());
  EXPECT_EQ(main_page::OnDpiRow(p, 501, DpiRowWParam(kDpiRowEnabled, 0)).rowEnabledAgain, 1);
}

TEST_F(MainPageTest, PresetSixtyInRowThreeStoresSixtyAndShowsSixThousand) {
  ShowRows();
  const DpiRow::Outcome out = rows[2].Preset(6);
  EXPECT_TRUE(out.slider);
  EXPECT_TRUE(out.field);
  EXPECT_EQ(rows[2].fieldValue(), 6000);
  EXPECT_TRUE(Deliver(2, out).changed);
  EXPECT_EQ(p.CpiLevel_X[2], 60);
  EXPECT_EQ(p.CpiLevel_X[1], 8);
}

TEST_F(MainPageTest, TypedDpiIsDividedByHundredWithinTheFieldsLimits) {
  ShowRows();
  struct Case {
    int typed, stored;
  };
  for (const Case& c : {Case{150, 1}, Case{6500, 60}, Case{99, 1}, Case{3299, 32}}) {
    SCOPED_TRACE(c.typed);
    p.CpiLevel_X[0] = 20;
    rows[0].SetValue(20);
    const DpiRow::Outcome out = rows[0].FieldChanged(c.typed);
    EXPECT_TRUE(out.slider);
    EXPECT_FALSE(out.field);  // the text being typed is left alone
    Deliver(0, out);
    EXPECT_EQ(p.CpiLevel_X[0], c.stored);
    EXPECT_EQ(rows[0].value(), c.stored);
  }
  EXPECT_FALSE(rows[0].FieldChanged(3250).notify);  // still 32: nothing to tell
}

TEST_F(MainPageTest, TheActiveRowsBoxCannotBeSwitchedOffUntilAnotherRowIsActive) {
  ShowRows();
  EXPECT_FALSE(rows[1].enableBoxEnabled());
  DpiRow::Outcome out = rows[1].EnableBoxClicked(false);
  EXPECT_FALSE(out.notify);
  EXPECT_TRUE(out.box);  // back to on
  EXPECT_TRUE(rows[1].enabled());
  EXPECT_EQ(p.dpi[1], 1);

  Deliver(3, rows[3].HeaderClicked());
  EXPECT_EQ(p.Cpi_X, 3);
  EXPECT_TRUE(rows[3].selected());
  EXPECT_FALSE(rows[1].selected());
  EXPECT_TRUE(rows[1].enableBoxEnabled());
  EXPECT_FALSE(rows[3].enableBoxEnabled());

  out = rows[1].EnableBoxClicked(false);
  ASSERT_TRUE(out.notify);
  EXPECT_TRUE(out.children);
  Deliver(1, out);
  EXPECT_EQ(p.dpi[1], 0);
  EXPECT_FALSE(rows[1].childrenEnabled());
  // A disabled row's children do nothing.
  EXPECT_FALSE(rows[1].Preset(3).notify);
  EXPECT_FALSE(rows[1].HeaderClicked().notify);
  EXPECT_FALSE(rows[1].SliderChanged(30).notify);
}

TEST_F(MainPageTest, SliderMovesTheFieldAndTellsOnlyAChange) {
  ShowRows();
  DpiRow::Outcome out = rows[4].SliderChanged(45);
  EXPECT_TRUE(out.field);
  EXPECT_FALSE(out.slider);
  EXPECT_EQ(rows[4].fieldValue(), 4500);
  Deliver(4, out);
  EXPECT_EQ(p.CpiLevel_X[4], 45);
  EXPECT_FALSE(rows[4].SliderChanged(45).notify);
  EXPECT_FALSE(rows[4].SliderChanged(61).notify);
}

}  // namespace
}  // namespace vextra
