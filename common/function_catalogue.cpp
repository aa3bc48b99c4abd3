#include "common/function_catalogue.h"

#include <cstring>

#include "common/file_system.h"
#include "common/key_table.h"

namespace vextra {
namespace {
constexpr uint8_t kDefaultCodes[24] = {
    1, 2,  3,  7, 65, 9,  10, 13, 14, 21, 22, 26,   // normal layer
    8, 7, 37,  6,  0, 33, 34, 38, 39, 17, 18, 27};  // Tanshift layer

struct Entry {
  uint8_t code;
  const char* text;
  int menuId;
};
constexpr Entry kCatalogue[] = {
    {0, "Disabled", 0},         {1, "Click", 1001},          {2, "Menu", 1002},
    {3, "Universal scrolling", 1003}, {4, "Double-click", 1004}, {5, "", 1005},
    {6, "Disabled", 1006},      {7, "IE Forward", 1007},     {8, "IE Backward", 1008},
    {9, "Tilt Left", 1009},     {10, "Tilt Right", 1010},    {11, "DPI Change", 0},
    {13, "Scroll Up", 1013},    {14, "Scroll Down", 1014},   {15, "", 1015},
    {16, "Profile Cycle", 1016}, {17, "Profile Up", 1017},   {18, "Profile Down", 1018},
    {19, "Assign a sensitivity", 0}, {20, "DPI Cycle", 1020}, {21, "DPI Up", 1021},
    {22, "DPI Down", 1022},     {23, "Sensitivity Cycle", 1041}, {24, "Sensitivity Up", 1042},
    {25, "Sensitivity Down", 1043}, {26, "Windows key", 1055}, {27, "Open Driver", 1056},
    {32, "Open Player", 1032},  {33, "Previous Track", 1033}, {34, "Next Track", 1034},
    {35, "Play/Pause", 1035},   {36, "Stop", 1036},          {37, "Windows Mute", 1037},
    {38, "Windows Volume Up", 1038}, {39, "Windows Volume Down", 1039}, {48, "", 0},
    {49, "", 0},                {50, "Stop Timer", 502},     {51, "", 1045},
    {52, "", 1046},             {53, "", 1047},              {54, "", 1048},
    {55, "", 1049},             {64, "Disabled", 0},         {65, "Tanshift Vextra", 1024},
    {66, "Tanwheel Sensitivity", 1025}, {67, "Tanwheel Profile", 1026}, {68, "Tanwheel DPI", 1027},
    {69, "Tanwheel Volume", 1028}, {70, "Tanwheel Alt-Tab", 1030}, {71, "Tanwheel Aero Flip 3D", 1031},
    {81, "", 0},                {82, "", 0},                 {83, "Tanshift all devices", 11200},
    {84, "Tanshift all Lock", 0},
};

const Entry* Find(uint8_t code) {
  for (const Entry& e : kCatalogue)
    if (e.code == code) return &e;
  return nullptr;
}

bool IsLayerKeyCode(uint8_t code) { return code == 65 || code == 81 || code == 82 || code == 83; }
}  // namespace

uint8_t DefaultFunctionCode(int slot) {
  return (slot >= 0 && slot < 24) ? kDefaultCodes[slot] : 0;
}

const char* FunctionText(uint8_t code) {
  const Entry* e = Find(code);
  return e ? e->text : "";
}

int FunctionMenuId(uint8_t code) {
  const Entry* e = Find(code);
  return e ? e->menuId : 0;
}

int MacroMenuId(int set, int macro) {
  if (set < 0 || set >= kMenuMacroSets || macro < 0 || macro >= kMenuMacrosPerSet) return 0;
  return 1100 + set * 100 + macro;
}

int TimerMenuId(int index) { return (index >= 0 && index < kMaxTimers) ? 505 + index : 0; }

int DeviceMenuId(uint8_t code, int position) {
  // Positions are bounded so the ids stay clear of int overflow.
  if ((code != 81 && code != 82) || position < 1 || position > 10000) return 0;
  return 11200 + 10 * position + (code == 82 ? 1 : 0);
}

std::string SlotDisplayText(const MacroKeyInfo& slot, const ProfileRecord& profile,
                            const std::vector<CompanionDevice>& devices, const KeyboardLayout& layout) {
  const uint8_t code = slot.FunctionCode;
  switch (code) {
    case 5: {
      if (slot.EventCount <= 0) return std::string();
      const uint8_t modifiers = slot.Events[0].action;
      std::string text;
      if (!(modifiers & 0x01)) {
        if (modifiers & 0x04) text += "Ctrl+";
        if (modifiers & 0x02) text += "Shift+";
        if (modifiers & 0x08) text += "Alt+";
        if (modifiers & 0x10) text += "Win+";
      }
      return text + KeyName(slot.Events[0].key, layout);
    }
    case 15:
      return FileNameOf(std::string(slot.ProgramPath, FieldLength(slot.ProgramPath)));
    case 48:
      return std::string(slot.MacroName, FieldLength(slot.MacroName));
    case 49:
      return std::string(slot.TimerName, FieldLength(slot.TimerName));
    case 51: case 52: case 53: case 54: case 55: {
      // 64-bit product: a damaged level value must not overflow.
      const long long dpi = static_cast<long long>(profile.CpiLevel_X[code - 51]) * 100;
      return "Tanaim " + std::to_string(dpi) + " DPI";
    }
    case 81: case 82:
      for (const CompanionDevice& d : devices)
        if (d.id == (slot.SynraDeviceId & 0xFFFF)) return "Tan-shift " + d.name + (code == 82 ? " Lock" : "");
      return std::string();
    default:
      return FunctionText(code);
  }
}

void AssignFunction(SettingsBlock& block, int profile, int button, uint8_t code,
                    const AssignParams& params, TanshiftMemory& memory) {
  if (!IsProfileIndex(profile) || button < 0 || button >= kButtonSlots) return;
  MacroKeyInfo& slot = block.Profiles[profile].MacroKeys[button];
  const uint8_t previous = slot.FunctionCode;
  slot.FunctionCode = code;
  if (code == 49 && params.timer) {
    slot.TimerSeconds = params.timer->Seconds;
    char name[sizeof params.timer->Name + 1] = {};
    std::memcpy(name, params.timer->Name, sizeof params.timer->Name);
    CopyField(slot.TimerName, name);
  }
  if (code == 48) {
    if (params.macro) CopyMacroToSlot(params.macroSetName.c_str(), *params.macro, slot);
  } else if (code == 5) {
    if (params.hasShortcut) {
      std::memset(slot.Events, 0, sizeof slot.Events);
      slot.Events[0].key = params.shortcutKey;
      slot.Events[0].action = params.shortcutModifiers;
      slot.EventCount = 1;
    }
  } else {
    slot.LoopCount = 0;
    slot.EventCount = 0;
    std::memset(slot.Events, 0, sizeof slot.Events);
    std::memset(slot.MacroSetName, 0, sizeof slot.MacroSetName);
    std::memset(slot.MacroName, 0, sizeof slot.MacroName);
  }
  if (code == 15) CopyField(slot.ProgramPath, params.programPath.c_str());
  if (code == 81 || code == 82) slot.SynraDeviceId = params.deviceId;
  if (code == 83 || code == 84) slot.SynraDeviceId = kAllDevices;
  block.ButtonChanged[profile][button] = 1;

  if (code == previous || (button != 3 && button != 4)) return;
  MacroKeyInfo& layer = block.Profiles[profile].MacroKeys[12 + button];
  uint8_t& saved = memory.saved[button - 3];
  if (IsLayerKeyCode(code)) {
    if (layer.FunctionCode != 0) {
      saved = layer.FunctionCode;
      layer.FunctionCode = 0;
      block.ButtonChanged[profile][12 + button] = 1;
    }
  } else if (layer.FunctionCode == 0) {
    layer.FunctionCode = saved ? saved : 6;
    block.ButtonChanged[profile][12 + button] = 1;
  }
}

}  // namespace vextra
