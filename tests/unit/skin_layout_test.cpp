#include <gtest/gtest.h>

#include <string>

#include "option/skin/layout.h"

namespace vextra {
namespace {

struct LayoutCase {
  const char* text;
  const char* name;
  int left, top, right, bottom;
  const char* help;
};

TEST(SkinLayout, ParsesNameRectangleAndHelp) {
  const LayoutCase cases[] = {
      {"Main,4,75,160,38,Main settings for the selected device", "Main", 4, 75, 164, 113,
       "Main settings for the selected device"},
      {"windows profile,139, 514,22,22,", "windows profile", 139, 514, 161, 536, ""},
      {"Check Interval, 164,204,65,15,", "Check Interval", 164, 204, 229, 219, ""},
      {"B1,33,40,158,17,   Trimmed help \t ", "B1", 33, 40, 191, 57, "Trimmed help"},
      {"B2,1,2,3,4,first part, second part,  third part ", "B2", 1, 2, 4, 6, "third part"},
      {"Neg,-5,-6,10,10,x", "Neg", -5, -6, 5, 4, "x"},
      {"NoNumbers", "NoNumbers", 0, 0, 0, 0, ""},
      {"Short,7,8", "Short", 7, 8, 7, 8, "8"},  // help is whatever follows the last comma
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.text);
    LayoutEntry e;
    ASSERT_EQ(ParseLayout(c.text, e), 1);
    EXPECT_STREQ(e.name, c.name);
    EXPECT_EQ(e.left, c.left);
    EXPECT_EQ(e.top, c.top);
    EXPECT_EQ(e.right, c.right);
    EXPECT_EQ(e.bottom, c.bottom);
    EXPECT_STREQ(e.help, c.help);
  }
}

TEST(SkinLayout, OverlongFieldsAreCutNotOverrun) {
  const std::string name(60, 'N');
  const std::string help(500, 'h');
  const std::string text = name + ",1,2,3,4," + help;
  LayoutEntry e;
  ASSERT_EQ(ParseLayout(text.c_str(), e), 1);
  EXPECT_EQ(std::string(e.name), std::string(39, 'N'));
  EXPECT_EQ(std::string(e.help), std::string(403, 'h'));
  EXPECT_EQ(e.right, 4);

  // Numbers too big for 32 bits saturate instead of overflowing.
  ASSERT_EQ(ParseLayout("Big,99999999999,0,99999999999,1,", e), 1);
  EXPECT_EQ(e.left, INT32_MAX);
  EXPECT_EQ(e.right, INT32_MAX);
  EXPECT_EQ(ParseLayout(nullptr, e), 0);
}

}  // namespace
}  // namespace vextra
