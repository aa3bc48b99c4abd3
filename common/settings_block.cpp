#include "common/settings_block.h"

#include <cstdio>
#include <cstring>

#include "common/function_catalogue.h"

namespace vextra {
namespace {

// Per-profile light colours: palette number, red, green, blue.
struct ProfileColour {
  uint8_t number, red, green, blue;
};
constexpr ProfileColour kProfileColours[kProfileCount] = {
    {19, 0, 100, 250}, {19, 0, 100, 250}, {1, 250, 0, 0}, {12, 0, 250, 0}, {23, 0, 0, 250}};

constexpr int32_t kDefaultCpiLevels[5] = {4, 8, 16, 32, 60};

}  // namespace

void CopyField(char* field, size_t fieldSize, const char* text) {
  if (fieldSize == 0) return;
  size_t n = 0;
  if (text) {
    while (n + 1 < fieldSize && text[n] != '\0') ++n;
    std::memcpy(field, text, n);
  }
  std::memset(field + n, 0, fieldSize - n);
}

size_t FieldLength(const char* field, size_t fieldSize) {
  const void* zero = std::memchr(field, 0, fieldSize);
  return zero ? static_cast<size_t>(static_cast<const char*>(zero) - field) : fieldSize;
}

void ResetSlot(MacroKeyInfo& slot, int index) {
  std::memset(&slot, 0, sizeof slot);
  slot.ButtonNumber = static_cast<uint8_t>(index);
  slot.FunctionCode = DefaultFunctionCode(index);
}

void ResetProfile(ProfileRecord& p, int n) {
  const uint8_t dpi5 = p.dpi[5];
  std::memset(&p, 0, sizeof p);
  p.dpi[5] = dpi5;
  std::snprintf(p.ProFileName, sizeof p.ProFileName, "Default%d", n + 1);
  p.DbleClickSpeed = 500;
  p.ScrollWheelSpeed = 3;
  p.ScrollWheelFlag = 0;
  p.MouseSpeed = 10;
  p.Acceleration = 10;
  p.AccelerationFlag = 0;
  p.MouseTrails = 0;
  p.TiltSpeed = 3;
  p.MediaOption = 0;
  p.HDDKeyboard = 1;
  p.Orientation = 0;
  p.XYSynchronous = 0;
  p.Sensitivity_X = 6;
  p.Sensitivity_Y = 6;
  p.Sensitivity = 6;
  for (int i = 0; i < 5; ++i) p.dpi[i] = 1;
  p.Cpi_X = 1;
  p.Cpi_Y = 1;
  p.XYCpiFlag = 0;
  for (int i = 0; i < 5; ++i) {
    p.CpiLevel_X[i] = kDefaultCpiLevels[i];
    p.CpiLevel_Y[i] = kDefaultCpiLevels[i];
  }
  p.PollingRate = 3;
  p.LightOnFlag = 1;
  p.LightEffectMode = 1;
  p.LightColorFlow = n == 0 ? 1 : 0;
  p.LightEffectType = n == 0 ? 3 : 1;
  p.LightEffectSpeed = 2;
  p.SoundProfile = 1;
  p.SoundDpi = 1;
  p.SoundSens = 1;
  p.VolumeUpDown = 1;
  p.SoundVolume = 2;
  p.UseColorForAll = 0;
  const ProfileColour& c = kProfileColours[(n >= 0 && n < kProfileCount) ? n : 0];
  for (LightInfo& light : p.Lights) light = LightInfo{c.number, 1, c.red, c.green, c.blue};
  for (int s = 0; s < kButtonSlots; ++s) ResetSlot(p.MacroKeys[s], s);
}

void ResetToDefaults(SettingsBlock& b, int32_t languageIndex) {
  b.CurrentProfile = 0;
  b.WindowsProfile = -1;
  b.QuickHelpLan = languageIndex;
  b.LiftOnFlag = 0;
  b.TrackControlFlag = 0;
  for (int n = 0; n < kProfileCount; ++n) ResetProfile(b.Profiles[n], n);
}

// Exactly the listed fields: the window profile, the language and the two
// device flags keep their values.
void ResetToEmpty(SettingsBlock& b) {
  b.CurrentProfile = -1;
  b.MouseType = 0;
  std::memset(b.Profiles, 0, sizeof b.Profiles);
  std::memset(b.ButtonChanged, 0, sizeof b.ButtonChanged);
  std::memset(b.ProfileChanged, 0, sizeof b.ProfileChanged);
  b.CurrentProfileChanged = 0;
  b.DeviceFlagsChanged = 0;
}

namespace {

bool DeviceFieldsDiffer(const ProfileRecord& a, const ProfileRecord& b) {
  return a.HDDKeyboard != b.HDDKeyboard || a.Orientation != b.Orientation ||
         a.XYSynchronous != b.XYSynchronous || a.Sensitivity_X != b.Sensitivity_X ||
         a.Sensitivity_Y != b.Sensitivity_Y || a.Sensitivity != b.Sensitivity ||
         std::memcmp(a.dpi, b.dpi, sizeof a.dpi) != 0 || a.Cpi_X != b.Cpi_X ||
         a.Cpi_Y != b.Cpi_Y || a.XYCpiFlag != b.XYCpiFlag ||
         std::memcmp(a.CpiLevel_X, b.CpiLevel_X, sizeof a.CpiLevel_X) != 0 ||
         std::memcmp(a.CpiLevel_Y, b.CpiLevel_Y, sizeof a.CpiLevel_Y) != 0 ||
         a.PollingRate != b.PollingRate || a.LightOnFlag != b.LightOnFlag ||
         a.LightEffectMode != b.LightEffectMode || a.LightColorFlow != b.LightColorFlow ||
         a.LightEffectType != b.LightEffectType || a.LightEffectSpeed != b.LightEffectSpeed ||
         std::memcmp(a.Lights, b.Lights, sizeof a.Lights) != 0;
}

}  // namespace

void DetectChanges(const SettingsBlock& received, SettingsBlock& edited) {
  edited.CurrentProfileChanged = edited.CurrentProfile != received.CurrentProfile ? 1 : 0;
  edited.DeviceFlagsChanged = (edited.LiftOnFlag != received.LiftOnFlag ||
                               edited.TrackControlFlag != received.TrackControlFlag)
                                  ? 1
                                  : 0;
  for (int p = 0; p < kProfileCount; ++p)
    edited.ProfileChanged[p] = DeviceFieldsDiffer(received.Profiles[p], edited.Profiles[p]) ? 1 : 0;
}

void MarkAllChanged(SettingsBlock& b) {
  for (auto& profile : b.ButtonChanged)
    for (int32_t& flag : profile) flag = 1;
  for (int32_t& flag : b.ProfileChanged) flag = 1;
  b.CurrentProfileChanged = 1;
  b.DeviceFlagsChanged = 1;
}

void ClearChangeFlags(SettingsBlock& b) {
  std::memset(reinterpret_cast<char*>(&b) + kChangeFlagsOffset, 0, kChangeFlagsSize);
}

namespace {
template <size_t N>
void Terminate(char (&field)[N]) { field[N - 1] = '\0'; }
}  // namespace

void SanitizeSlot(MacroKeyInfo& s, int index) {
  s.ButtonNumber = static_cast<uint8_t>(index);
  Terminate(s.Name);
  Terminate(s.MacroSetName);
  Terminate(s.MacroName);
  Terminate(s.TimerName);
  Terminate(s.ProgramPath);
  if (s.EventCount < 0) s.EventCount = 0;
  if (s.EventCount > kMaxMacroEvents) s.EventCount = kMaxMacroEvents;
}

void SanitizeProfile(ProfileRecord& p) {
  Terminate(p.ProFileName);
  Terminate(p.GameFile0);
  Terminate(p.GameFile1);
  Terminate(p.GameFile2);
  for (int s = 0; s < kButtonSlots; ++s) SanitizeSlot(p.MacroKeys[s], s);
}

void SanitizeBlock(SettingsBlock& b) {
  for (ProfileRecord& p : b.Profiles) SanitizeProfile(p);
}

}  // namespace vextra
