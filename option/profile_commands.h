// The main window's profile commands around the current profile: the file
// dialogs of Load and Save (filters, proposed names) and what the profile
// properties dialog of Create and Edit shows and gives back.
#pragma once

#include <cstddef>
#include <string>

#include "common/settings_block.h"

namespace vextra {

// Both profile file dialogs.
constexpr char kProfileFileFilter[] = "Velmar Mouse Profile(*.vmp)|*.vmp|";
constexpr char kProfileFileExtension[] = "*.vmp";
// The dialogs' file name buffers; proposals are cut to fit them.
constexpr size_t kFileDialogChars = 260;

// Where the open dialog starts: programFolder + "config" + ".vmp".
std::string ImportStartPath(const std::string& programFolder);
// The name the save dialog proposes: programFolder + "config" + the profile's
// name + ".vmp". A long name is shortened so that the whole proposal, with
// its extension, fits the dialog's buffer.
std::string ProposedExportPath(const std::string& programFolder, const ProfileRecord& profile);

// The profile properties dialog: a name of at most 20 characters and three
// program paths.
constexpr size_t kProfileNameChars = 20;
constexpr size_t kProgramPathChars = sizeof(ProfileRecord::GameFile0) - 1;  // 499
struct ProfileProperties {
  std::string name;
  std::string paths[3];
};

// What the dialog starts with in edit mode (create mode starts empty).
ProfileProperties PropertiesOf(const ProfileRecord& profile);
// OK: the four texts into the profile, each cut to its limit and terminated.
void StoreProperties(ProfileRecord& profile, const ProfileProperties& properties);

}  // namespace vextra
