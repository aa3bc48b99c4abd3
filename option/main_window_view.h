// What the main window shows for a settings block: the five profile slots
// with their markers, light previews, colour-flow pictures and names, the
// model badge and the language flag; and the main window's fixed data (the
// colour-flow files, the help library files, the help string of each control).
#pragma once

#include <cstdint>
#include <string>

#include "common/settings_block.h"

namespace vextra {

struct PreviewColour {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const PreviewColour& o) const { return red == o.red && green == o.green && blue == o.blue; }
  bool operator!=(const PreviewColour& o) const { return !(*this == o); }
};

constexpr int kColourFlowPictures = 5;

struct SlotView {
  bool latched = false;          // the slot's button in the selected state
  bool windowsProfileOn = false;  // "on" marker shown and "off" hidden, else the reverse
  PreviewColour preview[kLightZones];
  int colourFlowPicture = -1;     // 0..4 shown over the preview; -1 none
  std::string name;               // the slot's ProFileName, never read past its field
  bool nameHighlighted = false;
};

struct MainWindowView {
  int latchedSlot = -1;  // -1: no slot is current, all five buttons released
  SlotView slots[kProfileCount];
  int flagIndex = 1;     // language flag 0..16
  bool badgeVisible = false;
};

namespace main_window {

MainWindowView ViewOf(const SettingsBlock& block);

// The light previews and colour-flow pictures alone (the light page asks for
// these without a full refresh).
void PreviewOf(const ProfileRecord& profile, SlotView& slot);

// The language the help line and flag stand for: QuickHelpLan when it is a
// language index 0..16, else English (1).
int32_t ShownLanguage(int32_t quickHelpLan);

// programFolder + "help" + the language's library; English outside 0..16.
std::string HelpLibraryPath(const std::string& programFolder, int32_t quickHelpLan);

// The colour-flow animations in creation order (picture n of every slot is
// file n), relative to the program folder's "Gif" folder.
inline constexpr const char* kColourFlowFiles[kColourFlowPictures] = {
    "ColorFlow-Animation_all-together.gif", "ColorFlow-Animation_down-up.gif",
    "ColorFlow-Animation_up-down.gif", "ColorFlow-Animation_right-left.gif",
    "ColorFlow-Animation_left-right.gif"};
// programFolder + "Gif" + file; picture outside 0..4 gives an empty path.
std::string ColourFlowPath(const std::string& programFolder, int picture);

// Which help string relabels a control of the main window, by the name of its
// layout string. Both buttons of a windows-profile pair are called "windows
// profile": the "off" ones take kHelpWindowsProfileOff, the "on" ones
// kHelpWindowsProfileOn.
struct HelpBinding {
  const char* layoutName;
  int32_t stringId;
};
extern const HelpBinding kMainWindowHelp[];
extern const int kMainWindowHelpCount;
// The string id for a layout name, 0 when the control is not relabelled.
int32_t HelpIdOf(const char* layoutName);

}  // namespace main_window
}  // namespace vextra
