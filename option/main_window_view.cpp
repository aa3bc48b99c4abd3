#include "option/main_window_view.h"

#include <cstring>

#include "assets/help/help_libraries.h"
#include "common/help_string_ids.h"
#include "common/file_system.h"

namespace vextra {
namespace main_window {

void PreviewOf(const ProfileRecord& p, SlotView& slot) {
  for (int z = 0; z < kLightZones; ++z) {
    const LightInfo& light = p.Lights[z];
    // No effect, or an effect that lights only the zones switched on.
    const bool dark = p.LightEffectType == 0 || (p.LightEffectType != 1 && light.On != 1);
    slot.preview[z] = dark ? PreviewColour{} : PreviewColour{light.Red, light.Green, light.Blue};
  }
  const bool flowing = p.LightColorFlow >= 1 && p.LightColorFlow <= kColourFlowPictures && p.LightEffectType != 0;
  slot.colourFlowPicture = flowing ? p.LightColorFlow - 1 : -1;
}

MainWindowView ViewOf(const SettingsBlock& b) {
  MainWindowView view;
  view.latchedSlot = IsProfileIndex(b.CurrentProfile) ? b.CurrentProfile : -1;
  for (int i = 0; i < kProfileCount; ++i) {
    SlotView& slot = view.slots[i];
    const ProfileRecord& p = b.Profiles[i];
    slot.latched = i == view.latchedSlot;
    slot.windowsProfileOn = i == b.WindowsProfile;
    PreviewOf(p, slot);
    slot.name.assign(p.ProFileName, FieldLength(p.ProFileName));
    slot.nameHighlighted = slot.latched;
  }
  view.flagIndex = ShownLanguage(b.QuickHelpLan);
  view.badgeVisible = b.MouseType == 1;
  return view;
}

int32_t ShownLanguage(int32_t quickHelpLan) {
  return quickHelpLan >= 0 && static_cast<size_t>(quickHelpLan) < kHelpLanguageCount ? quickHelpLan
                                                                                      : kHelpEnglishIndex;
}

std::string HelpLibraryPath(const std::string& programFolder, int32_t quickHelpLan) {
  return JoinPath(JoinPath(programFolder, "help"), HelpLibraryFile(quickHelpLan));
}

std::string ColourFlowPath(const std::string& programFolder, int picture) {
  if (picture < 0 || picture >= kColourFlowPictures) return std::string();
  return JoinPath(JoinPath(programFolder, "Gif"), kColourFlowFiles[picture]);
}

const HelpBinding kMainWindowHelp[] = {
    {"Min", kHelpMinimize},
    {"Exit", kHelpExit},
    {"Main", kHelpMainPage},
    {"Button Assign", kHelpButtonAssignPage},
    {"Color", kHelpColorPage},
    {"Advanced", kHelpAdvancedPage},
    {"Update", kHelpUpdatePage},
    {"Create", kHelpCreateProfile},
    {"Load", kHelpLoadProfile},
    {"Save", kHelpSaveProfile},
    {"Edit", kHelpEditProfile},
    {"Profile 1", kHelpProfileSlot1},
    {"Profile 2", kHelpProfileSlot2},
    {"Profile 3", kHelpProfileSlot3},
    {"Profile 4", kHelpProfileSlot4},
    {"Profile 5", kHelpProfileSlot5},
    {"Profile 1 name", kHelpProfileName1},
    {"Profile 2 name", kHelpProfileName2},
    {"Profile 3 name", kHelpProfileName3},
    {"Profile 4 name", kHelpProfileName4},
    {"Profile 5 name", kHelpProfileName5},
    {"OK", kHelpOk},
    {"Apply", kHelpApply},
    {"Cancel", kHelpCancel},
};
const int kMainWindowHelpCount = static_cast<int>(sizeof kMainWindowHelp / sizeof kMainWindowHelp[0]);

int32_t HelpIdOf(const char* layoutName) {
  if (!layoutName) return 0;
  for (const HelpBinding& b : kMainWindowHelp)
    if (std::strcmp(b.layoutName, layoutName) == 0) return b.stringId;
  return 0;
}

}  // namespace main_window
}  // namespace vextra
