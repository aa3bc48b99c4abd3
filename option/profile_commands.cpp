#include "option/profile_commands.h"

#include "common/file_system.h"

namespace vextra {
namespace {

const char kExtension[] = ".vmp";

template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, FieldLength(field));
}

std::string Cut(const std::string& text, size_t limit) { return text.size() > limit ? text.substr(0, limit) : text; }

}  // namespace

std::string ImportStartPath(const std::string& programFolder) {
  return JoinPath(JoinPath(programFolder, "config"), kExtension);
}

std::string ProposedExportPath(const std::string& programFolder, const ProfileRecord& profile) {
  const std::string folder = JoinPath(JoinPath(programFolder, "config"), "");
  const size_t room = kFileDialogChars - 1;  // the terminator
  const size_t fixed = folder.size() + sizeof kExtension - 1;
  const std::string name = FieldText(profile.ProFileName);
  if (fixed >= room) return Cut(folder + name + kExtension, room);
  return folder + Cut(name, room - fixed) + kExtension;
}

ProfileProperties PropertiesOf(const ProfileRecord& p) {
  ProfileProperties out;
  out.name = Cut(FieldText(p.ProFileName), kProfileNameChars);
  out.paths[0] = FieldText(p.GameFile0);
  out.paths[1] = FieldText(p.GameFile1);
  out.paths[2] = FieldText(p.GameFile2);
  return out;
}

void StoreProperties(ProfileRecord& p, const ProfileProperties& in) {
  CopyField(p.ProFileName, Cut(in.name, kProfileNameChars).c_str());
  CopyField(p.GameFile0, in.paths[0].c_str());
  CopyField(p.GameFile1, in.paths[1].c_str());
  CopyField(p.GameFile2, in.paths[2].c_str());
}

}  // namespace vextra
