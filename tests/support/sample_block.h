// Settings blocks full of varied, non-default values for store round trips,
// compatibility checks and benchmarks.
#pragma once

#include "common/settings_block.h"

namespace vextra {

// Every profile different, every field set, every slot a 500-event macro
// with set and macro names, timer name and program path; change flags zero.
void FillSampleBlock(SettingsBlock& block, unsigned seed);

}  // namespace vextra
