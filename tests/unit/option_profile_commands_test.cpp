// The profile file dialogs' proposals and the profile properties dialog's
// texts: always cut to what their buffers and fields hold.
#include "option/profile_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/file_system.h"

namespace vextra {
namespace {

TEST(OptionProfileCommands, DialogsStartInTheConfigFolder) {
  const std::string config = JoinPath(JoinPath("/prog/", "config"), "");
  EXPECT_EQ(ImportStartPath("/prog/"), config + ".vmp");
  ProfileRecord p;
  ResetProfile(p, 0);
  CopyField(p.ProFileName, "My Profile");
  EXPECT_EQ(ProposedExportPath("/prog/", p), config + "My Profile.vmp");
}

TEST(OptionProfileCommands, ALongNameIsShortenedSoTheProposalKeepsItsExtension) {
  ProfileRecord p;
  ResetProfile(p, 0);
  std::memset(p.ProFileName, 'x', sizeof p.ProFileName);  // not even terminated
  for (const std::string& folder : {std::string("/prog/"), std::string(300, 'f') + "/"}) {
    const std::string proposal = ProposedExportPath(folder, p);
    EXPECT_LE(proposal.size(), kFileDialogChars - 1);
    if (folder.size() < 200) {
      EXPECT_EQ(proposal.substr(proposal.size() - 4), ".vmp");
    }
  }
}

TEST(OptionProfileCommands, PropertiesAreCutToTheirLimitsAndLandInTheirFields) {
  auto p = std::make_unique<ProfileRecord>();
  ResetProfile(*p, 1);
  p->MacroKeys[0].FunctionCode = 77;  // the field after the paths' neighbours must survive
  ProfileProperties in;
  in.name = "A name of twenty-five ch";
  in.paths[0] = "C:\\Games\\one.exe";
  in.paths[1] = std::string(5000, 'p');
  in.paths[2] = "";
  StoreProperties(*p, in);
  EXPECT_STREQ(p->ProFileName, "A name of twenty-fiv");
  EXPECT_STREQ(p->GameFile0, "C:\\Games\\one.exe");
  EXPECT_EQ(FieldLength(p->GameFile1), 499u);
  EXPECT_EQ(p->GameFile1[499], '\0');
  EXPECT_STREQ(p->GameFile2, "");
  EXPECT_EQ(p->DbleClickSpeed, 500);
  EXPECT_EQ(p->MacroKeys[0].FunctionCode, 77);

  // Edit mode shows what the record holds, never past its fields.
  std::memset(p->GameFile2, 'g', sizeof p->GameFile2);
  const ProfileProperties shown = PropertiesOf(*p);
  EXPECT_EQ(shown.name, "A name of twenty-fiv");
  EXPECT_EQ(shown.paths[1], std::string(499, 'p'));
  EXPECT_EQ(shown.paths[2], std::string(500, 'g'));
}

}  // namespace
}  // namespace vextra
