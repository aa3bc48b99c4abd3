// Not built yet: the Monitor does nothing on the PC for this part.
#include "monitor/win32/monitor_pc.h"

namespace vextra {

std::unique_ptr<PcActions> MakeScrollActions(PcContext&) { return std::make_unique<PcActions>(); }

}  // namespace vextra
