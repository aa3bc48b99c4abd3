// Makes the current profile's Windows mouse values live in the running system.
#pragma once

#include <windows.h>

#include "common/registry.h"
#include "common/settings_block.h"

namespace vextra {

// Double-click time, acceleration, pointer speed, wheel lines and characters
// and trails, each announced with a settings-change message. The set-mouse
// change is sent to monitorWindow (may be null); the others are posted to all
// top-level windows. Failing system calls are ignored.
void ApplyWindowsValues(ProfileRecord& profile, Registry& registry, HWND monitorWindow);

}  // namespace vextra
