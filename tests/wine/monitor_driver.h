// What the Wine tests of the Monitor share: a folder laid out like the
// program folder with stand-in peers, the simulated mouse driven the way
// mousesim.exe drives it, and the settings edited the way the Option program
// edits them (whole block into the section under the mutex, then "apply").
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/settings_block.h"
#include "sim/simulated_mouse.h"

namespace monitor_driver {

// Runs our own windows' messages for a while; waits for a condition meanwhile.
void Pump(int milliseconds);
bool WaitFor(const std::function<bool()>& condition, int milliseconds);

std::string ReadText(const std::string& path);
// What the program folder holds: the simulated mouse as it saved itself, and
// an integer of config.ini's [Setting] (-99 when absent).
std::unique_ptr<vextra::SimulatedMouse> SavedMouse(const std::string& program);
int ConfigInt(const std::string& program, const char* key);
HWND Monitor();

// A command to the simulated mouse inside the Monitor ("press 5", "dpi up",
// "state" ...); its reply text goes to *reply when asked for.
bool Sim(const std::string& command, std::string* reply = nullptr);

// Whole-block copies under the settings mutex.
std::unique_ptr<vextra::SettingsBlock> ReadSection();
bool WriteSection(const vextra::SettingsBlock& block);
// As the Option program applies: the block with its change flags cleared goes
// through `edit`, into the section, and 1224 is sent. False when any step failed.
bool Apply(const std::function<void(vextra::SettingsBlock&)>& edit, WPARAM wParam = 0);
// SendMessage to the Monitor with a generous time-out.
LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, bool* answered = nullptr);

HANDLE StartProcess(const std::string& exe, const std::string& args, const std::string& folder);
bool Ended(HANDLE process, int milliseconds, DWORD* exitCode = nullptr);

struct Layout {
  bool option = true;   // VextraOption.exe stand-in
  bool osd = true;      // VextraOSD.exe stand-in
  bool updater = true;  // FWUpdate\Vextra Firmware Updater.exe stand-in
  int markProfile = 0;  // the mouse's current profile, whose first DPI level is `mark`
  int mark = 41;
};
// `program` (with its trailing backslash) gets the Monitor and the simulator
// library from `built`, the stand-ins (tests\monitor_peer.exe under their
// names), shipped firmware 150 and a mouse with firmware 150.
void LayOutProgram(const std::string& built, const std::string& tests, const std::string& program,
                   const Layout& layout = Layout());
// The Monitor has read the mouse back once the mark has reached the section.
bool WaitForReadBack(const Layout& layout, int milliseconds);

}  // namespace monitor_driver
