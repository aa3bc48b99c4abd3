// The simulator's control commands, as mousesim.exe sends them (one text per
// WM_COPYDATA, at most 4096 bytes, up to its first zero). Every command gets a
// reply, presence commands say what they did, and whatever the commands set,
// the mouse's state still saves and restores.
// Input: commands, one per line.
#include <string>

#include "featlink/sim_commands.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // Every command the tool's usage lists.
  const char* commands[] = {"plug",        "unplug",      "press 3",      "release 3",     "click 24",
                            "dpi up",      "dpi down",    "profile 5",    "polling 4",     "scroll up",
                            "scroll down", "busy 2",      "slow 0",       "sensitivity 11", "media 32",
                            "macro 110",   "state"};
  std::string all;
  for (const char* c : commands) all += std::string(c) + "\n";
  seeds.Add("every-command", all);
  seeds.Add("out-of-range", "press 25\nprofile 0\nslow 999999\nbusy 99999999\nmedia 40\nmacro 0\n");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SimulatedMouse mouse;
  static const std::string factory = mouse.Serialize();
  static size_t events = 0;
  static bool sinkSet = false;
  if (!sinkSet) {
    mouse.SetEventSink([](uint16_t, uint16_t) { ++events; });
    sinkSet = true;
  }
  FUZZ_CHECK(mouse.Deserialize(factory));
  events = 0;

  const std::string input(reinterpret_cast<const char*>(data), size);
  size_t start = 0, commands = 0;
  while (start < input.size() && commands < 64) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    std::string message = input.substr(start, end - start);
    start = end + 1;
    if (message.size() > 4096) continue;  // the library refuses such a message
    message = message.substr(0, message.find('\0'));
    ++commands;
    const SimCommandOutcome outcome = RunSimCommand(mouse, message);
    FUZZ_CHECK(!outcome.reply.empty());
    FUZZ_CHECK(!outcome.saveState || outcome.ok);
    if (outcome.presenceChanged) FUZZ_CHECK(outcome.ok && mouse.Present() == outcome.present);
  }
  FUZZ_CHECK(events <= 2 * commands);  // a click raises two events, every other command at most one

  const std::string state = mouse.Serialize();
  SimulatedMouse restored;
  FUZZ_CHECK(restored.Deserialize(state));
  FUZZ_CHECK(restored.Serialize() == state);
  return 0;
}
