// The text commands mousesim.exe sends the simulator library, carried out on
// its simulated mouse:
//   plug | unplug | press N | release N | click N (1..24) | dpi up | dpi down
//   profile N (1..5) | polling N (1..4) | scroll up | scroll down | busy N
//   slow MS | sensitivity N (1..11) | media N (32..39) | macro N (1..110) | state
#pragma once

#include <string>

#include "sim/simulated_mouse.h"

namespace vextra {

struct SimCommandOutcome {
  bool ok = false;             // false: unknown command or argument out of range
  std::string reply;           // "ok", the state summary, or what was refused
  bool presenceChanged = false;  // plug / unplug: the programs are told
  bool present = false;
  bool saveState = false;      // the lasting state may have changed
};

SimCommandOutcome RunSimCommand(SimulatedMouse& mouse, const std::string& line);

}  // namespace vextra
