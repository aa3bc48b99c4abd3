#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "option/skin/button_look.h"
#include "option/skin/handle_table.h"
#include "option/skin/help_line_font.h"

namespace vextra {
namespace {

TEST(SkinButtonLook, ImageChoice) {
  using I = ButtonImage;
  struct Case {
    bool toggle, latched, enabled, held, hovered;
    I image;
  };
  const Case cases[] = {
      // toggle mode
      {true, false, false, false, true, I::kDisabled},
      {true, true, false, false, false, I::kDisabled},
      {true, true, true, false, true, I::kPressed},
      {true, false, true, true, false, I::kNormal},  // held does not count until release
      {true, false, true, false, true, I::kHover},
      // push mode
      {false, true, true, false, false, I::kPressed},
      {false, true, false, false, false, I::kDisabled},
      {false, false, true, true, true, I::kPressed},
      {false, false, true, false, true, I::kHover},
      {false, false, false, false, true, I::kHover},  // hover wins over disabled when set by the owner
      {false, false, false, false, false, I::kDisabled},
      {false, false, true, false, false, I::kNormal},
  };
  for (const Case& c : cases) {
    ButtonLook look;
    look.toggle = c.toggle;
    look.latched = c.latched;
    look.enabled = c.enabled;
    look.held = c.held;
    look.hovered = c.hovered;
    EXPECT_EQ(ChooseButtonImage(look), c.image) << c.toggle << c.latched << c.enabled << c.held << c.hovered;
  }
}

TEST(SkinHelpLineFont, PerLanguage) {
  EXPECT_STREQ(HelpLineFont(1).face, "Arial");
  EXPECT_EQ(HelpLineFont(1).width, 6);
  EXPECT_STREQ(HelpLineFont(6).face, "");
  EXPECT_EQ(HelpLineFont(6).width, 6);
  EXPECT_STREQ(HelpLineFont(9).face, "");
  EXPECT_EQ(HelpLineFont(9).width, 5);
  EXPECT_EQ(HelpLineFont(9).height, 13);
}

TEST(SkinHandleTable, SameBucketHandlesStayApart) {
  HandleTable<int> table;
  int a = 1, b = 2;
  // 16 * 1000 apart: the same bucket.
  const void* h1 = reinterpret_cast<const void*>(uintptr_t{0x10000});
  const void* h2 = reinterpret_cast<const void*>(uintptr_t{0x10000 + 16 * 1000});
  EXPECT_TRUE(table.Insert(h1, &a));
  EXPECT_TRUE(table.Insert(h2, &b));
  EXPECT_FALSE(table.Insert(h1, &b));
  EXPECT_EQ(table.Find(h1), &a);
  EXPECT_EQ(table.Find(h2), &b);
  EXPECT_EQ(table.size(), 2u);
  EXPECT_EQ(table.Entries().size(), 2u);
  EXPECT_EQ(table.Remove(h1), &a);
  EXPECT_EQ(table.Find(h1), nullptr);
  EXPECT_EQ(table.Find(h2), &b);
  EXPECT_EQ(table.Remove(h1), nullptr);
  EXPECT_EQ(table.size(), 1u);
}

}  // namespace
}  // namespace vextra
