#include "common/synra_folder.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

class SynraFolderTest : public ::testing::Test {
 protected:
  TempFolder dir;
  std::string base = dir.path() + "ProgramData";
  std::string folder = base + "/Velmar/Synra/";
  std::string config = folder + "TConfig.ini";

  std::string Content() {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(config, text));
    return text;
  }
};

TEST_F(SynraFolderTest, PathsLieInTheSharedFolder) {
  EXPECT_EQ(SynraFolder(base), folder);
  EXPECT_EQ(SynraFolder(base + "/"), folder);
  EXPECT_EQ(SynraConfigPath(base), config);
  EXPECT_EQ(TanaimPath(base), folder + "Tanaim.ini");
}

TEST_F(SynraFolderTest, RegistersOnceInAFreshFolder) {
  ASSERT_TRUE(RegisterWithSynra(base));
  IniFile ini(config);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetString("Vext+", "Name", ""), "Vextra");
  EXPECT_EQ(ini.GetString("Vext+", "WindowName", ""), "VELMAR Vextra Mouse Monitor");
  EXPECT_EQ(ini.GetString("Vext+", "Device", ""), "0");
  EXPECT_EQ(ini.SectionNames().size(), 1u);

  const std::string first = Content();
  ASSERT_TRUE(RegisterWithSynra(base));
  EXPECT_EQ(Content(), first);
  EXPECT_FALSE(CanOpenForReading(TanaimPath(base)));  // never created by us
}

TEST_F(SynraFolderTest, LeavesOtherProductsAndAnExistingEntryAlone) {
  ASSERT_TRUE(CreateFolders(folder));
  const std::string others =
      "; shared by the family\r\n[Keyboard]\r\nName=Tanaim\r\nDevice=1\r\n[Headset]\r\nName=Sono\r\n";
  ASSERT_TRUE(WriteFileReplacing(config, others));
  ASSERT_TRUE(RegisterWithSynra(base));
  EXPECT_EQ(Content().substr(0, others.size()), others);
  IniFile ini(config);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.GetString("Vext+", "Name", ""), "Vextra");

  const std::string customised = others + "[vext+]\r\nName=Vextra\r\nDevice=1\r\n";
  ASSERT_TRUE(WriteFileReplacing(config, customised));
  ASSERT_TRUE(RegisterWithSynra(base));
  EXPECT_EQ(Content(), customised);

  // found by its name under another section: not registered twice
  const std::string renamed = others + "[Mouse]\r\nName=VEXTRA\r\n";
  ASSERT_TRUE(WriteFileReplacing(config, renamed));
  ASSERT_TRUE(RegisterWithSynra(base));
  EXPECT_EQ(Content(), renamed);
}

TEST_F(SynraFolderTest, RefusesWithoutAFolder) {
  EXPECT_FALSE(RegisterWithSynra(""));
  ASSERT_TRUE(WriteFileReplacing(dir.path() + "file", "x"));
  EXPECT_FALSE(RegisterWithSynra(dir.path() + "file"));  // a file where the folder should be
}

}  // namespace
}  // namespace vextra
