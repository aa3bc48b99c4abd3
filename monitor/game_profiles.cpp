#include "monitor/game_profiles.h"

#include "common/file_system.h"
#include "common/text.h"

namespace vextra {

namespace {
std::string Entry(const char* field, size_t size) {
  const std::string raw(field, FieldLength(field, size));
  std::string trimmed = TrimSpaces(raw);
  // other white space around the entry counts too
  while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n')) trimmed.pop_back();
  return FileNameOf(TrimSpaces(trimmed));
}
}  // namespace

int MatchGameProfile(const SettingsBlock& block, const std::string& executable) {
  const std::string name = FileNameOf(executable);
  if (name.empty()) return -1;
  for (int p = 0; p < kProfileCount; ++p) {
    const ProfileRecord& profile = block.Profiles[p];
    const char* const entries[3] = {profile.GameFile0, profile.GameFile1, profile.GameFile2};
    for (const char* field : entries) {
      const std::string entry = Entry(field, sizeof profile.GameFile0);
      if (!entry.empty() && SameNameIgnoringCase(entry, name)) return p;
    }
  }
  return -1;
}

}  // namespace vextra
