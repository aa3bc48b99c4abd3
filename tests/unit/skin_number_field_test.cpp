#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "option/skin/number_field.h"

namespace vextra {
namespace {

TEST(SkinNumberField, DigitsOnlyKeepsTheLeadingRun) {
  EXPECT_EQ(KeepLeadingDigits("12a34", false), "12");
  EXPECT_EQ(KeepLeadingDigits("5-", false), "5");  // 0 ... 10: a typed "-" is cut at once
  EXPECT_EQ(KeepLeadingDigits("-", false), "");
  EXPECT_EQ(KeepLeadingDigits("-", true), "-");  // -5 ... 5 keeps it
  EXPECT_EQ(KeepLeadingDigits("-4+2x", true), "-4+2");
  EXPECT_EQ(KeepLeadingDigits("", true), "");

  for (unsigned vk : {unsigned{'0'}, unsigned{'9'}, 0x60u, 0x69u, 8u, 13u, 0x23u, 0x24u, 0x25u, 0x27u, 0x2Eu, 187u, 189u})
    EXPECT_TRUE(IsNumberFieldKey(vk)) << vk;
  for (unsigned vk : {unsigned{'A'}, unsigned{'V'}, unsigned{' '}, 0x26u, 0x28u, 0x6Du, 0x6Bu, 0x2Du, 190u, 27u})
    EXPECT_FALSE(IsNumberFieldKey(vk)) << vk;

  EXPECT_EQ(TextToInt("  -42x"), -42);
  EXPECT_EQ(TextToInt("99999999999"), INT_MAX);
  EXPECT_EQ(TextToInt("-99999999999"), INT_MIN);
  EXPECT_EQ(TextToInt("+"), 0);
}

TEST(SkinNumberField, TextLimitFollowsTheRange) {
  EXPECT_EQ(SpinTextLimit(-5, 5), 2);
  EXPECT_EQ(SpinTextLimit(0, 10), 2);
  EXPECT_EQ(SpinTextLimit(100, 6000), 4);
  EXPECT_EQ(SpinTextLimit(-10, -1), 3);
}

struct SpinCase {
  int minimum, maximum;
  const char* text;
  bool enter;
  int value;
  bool rewrite;
  const char* shown;  // the text afterwards
  bool notify;
};

TEST(SkinNumberField, SpinTextRules) {
  const SpinCase cases[] = {
      {-5, 5, "-", false, 0, false, "-", true},    // a leading "-" stays while typing
      {-5, 5, "-3", false, -3, false, "-3", true},
      {-5, 5, "+4", false, 4, true, "4", true},
      {-5, 5, "-9", false, -9, false, "-9", false},  // below the minimum: kept, not reported
      {-5, 5, "-9", true, -5, true, "-5", true},     // Enter clamps
      {-5, 5, "5-3", false, 5, true, "5", true},     // only a leading sign counts; 53 > max
      {1, 10, "0", false, 1, true, "1", true},       // clearing to "0" shows the minimum
      {1, 10, "0007", false, 7, true, "7", true},
      {1, 10, "", false, 0, false, "", false},       // an empty field is left to the user
      {1, 10, "", true, 1, true, "1", true},
      {1, 10, "15", false, 10, true, "10", true},
      {0, 10, "0", false, 0, false, "0", true},
      {100, 6000, "7", false, 7, false, "7", false},  // still typing towards 700
      {100, 6000, "700", false, 700, false, "700", true},
      {100, 6000, "9000", false, 6000, true, "6000", true},
  };
  for (const SpinCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.enter ? " Enter" : "") + " in " + std::to_string(c.minimum) + ".." +
                 std::to_string(c.maximum));
    const SpinTextOutcome out = SpinTextChanged(c.text, c.minimum, c.maximum, c.enter);
    EXPECT_EQ(out.value, c.value);
    EXPECT_EQ(out.rewrite, c.rewrite);
    EXPECT_EQ(out.rewrite ? out.text : std::string(c.text), c.shown);
    EXPECT_EQ(out.notify, c.notify);
  }
}

TEST(SkinNumberField, ArrowsStepWithinTheRange) {
  EXPECT_EQ(SpinStepUp("4", 0, 10, 1), 5);
  EXPECT_EQ(SpinStepUp("10", 0, 10, 1), 10);  // at max: stays
  EXPECT_EQ(SpinStepUp("12", 0, 10, 1), std::nullopt);
  EXPECT_EQ(SpinStepUp("5950", 100, 6000, 100), 6000);
  EXPECT_EQ(SpinStepUp("", 100, 6000, 100), 100);  // 0 + 100
  EXPECT_EQ(SpinStepDown("-5", -5, 5, 1), -5);
  EXPECT_EQ(SpinStepDown("-6", -5, 5, 1), std::nullopt);
  EXPECT_EQ(SpinStepDown("200", 100, 6000, 100), 100);
  EXPECT_EQ(SpinStepUp("2147483647", 0, INT_MAX, 5), INT_MAX);  // no overflow
}

}  // namespace
}  // namespace vextra
