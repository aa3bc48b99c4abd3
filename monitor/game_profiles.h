// Profile switching by foreground program: which profile, if any, lists the
// program that owns the foreground window.
#pragma once

#include <string>

#include "common/settings_block.h"

namespace vextra {

// The first profile (0..4, and within it GameFile0..2) whose entry, trimmed
// and reduced to its file name, equals the executable's file name ignoring
// case; -1 when none does.
int MatchGameProfile(const SettingsBlock& block, const std::string& executable);

}  // namespace vextra
