#include "featlink/sim_commands.h"

#include <cstdlib>
#include <sstream>

namespace vextra {

SimCommandOutcome RunSimCommand(SimulatedMouse& mouse, const std::string& line) {
  SimCommandOutcome outcome;
  std::istringstream in(line);
  std::string verb, arg;
  in >> verb >> arg;
  const int n = std::atoi(arg.c_str());
  if (verb == "plug" || verb == "unplug") {
    const bool present = verb == "plug";
    mouse.SetPresent(present);
    outcome.presenceChanged = true;
    outcome.present = present;
  } else if (verb == "press" && n >= 1 && n <= 24) {
    mouse.PressButton(n);
  } else if (verb == "release" && n >= 1 && n <= 24) {
    mouse.ReleaseButton(n);
  } else if (verb == "click" && n >= 1 && n <= 24) {
    mouse.PressButton(n);
    mouse.ReleaseButton(n);
  } else if (verb == "dpi" && (arg == "up" || arg == "down")) {
    arg == "up" ? mouse.DpiUp() : mouse.DpiDown();
  } else if (verb == "profile" && n >= 1 && n <= 5) {
    mouse.SwitchProfile(n - 1);
  } else if (verb == "polling" && n >= 1 && n <= 4) {
    mouse.SetPollingRate(n - 1);
  } else if (verb == "scroll" && (arg == "up" || arg == "down")) {
    mouse.ScrollStep(arg == "up" ? -1 : 1);
  } else if (verb == "sensitivity" && n >= 1 && n <= 11) {
    mouse.SetSensitivity(n, 0);
  } else if (verb == "media" && n >= 32 && n <= 39) {
    mouse.MediaKey(n, false);
    mouse.MediaKey(n, true);
  } else if (verb == "slow" && n >= 0) {
    mouse.SetReportDelay(n);
  } else if (verb == "busy" && n >= 0) {
    mouse.SetBusyPolls(n);
  } else if (verb == "macro" && n >= 1 && n <= 110) {
    mouse.RequestMacro(n);
  } else if (verb == "state") {
    outcome.ok = true;
    outcome.reply = mouse.DescribeState();
    return outcome;
  } else {
    outcome.reply = "unknown command: " + line;
    return outcome;
  }
  outcome.ok = true;
  outcome.saveState = true;
  outcome.reply = "ok";
  return outcome;
}

}  // namespace vextra
