// The pointer and wheel values that Windows itself keeps for the user, stored
// with each profile and exchanged with the user's registry.
#pragma once

#include "common/registry.h"
#include "common/settings_block.h"

namespace vextra {

// Registry values of the profile's settings. 1, or -1 when a key cannot be
// opened or created (values already written stay).
int WriteWindowsValues(const ProfileRecord& profile, Registry& registry);
// Reads the user's values into the profile; a value that cannot be read
// leaves its field unchanged. 1; 0 when the Mouse key fails; -1 when the
// Desktop key fails.
int ReadWindowsValues(ProfileRecord& profile, Registry& registry);

}  // namespace vextra
