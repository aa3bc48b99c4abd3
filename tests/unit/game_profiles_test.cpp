#include "monitor/game_profiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace vextra {
namespace {

TEST(GameProfiles, MatchesByFileNameIgnoringCaseInProfileOrder) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  CopyField(block->Profiles[1].GameFile1, "  C:\\Games\\FOO.EXE  ");
  CopyField(block->Profiles[3].GameFile0, "D:\\Other\\foo.exe");
  CopyField(block->Profiles[2].GameFile2, "bar.exe");
  CopyField(block->Profiles[0].GameFile0, "   ");
  struct Case {
    const char* executable;
    int profile;
  } cases[] = {{"foo.exe", 1},
               {"C:\\Program Files\\Foo.Exe", 1},
               {"bar.exe", 2},
               {"BAR.EXE", 2},
               {"baz.exe", -1},
               {"", -1},
               {"foo", -1}};
  for (const Case& c : cases) EXPECT_EQ(MatchGameProfile(*block, c.executable), c.profile) << c.executable;
}

}  // namespace
}  // namespace vextra
