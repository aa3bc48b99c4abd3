// The fixed-layout settings record shared by the programs through the named
// section, kept as each program's private copy and stored by the settings store.
// Its byte layout is the exchange format: little-endian, 32-bit integers, no
// pointers, identical in the 32- and 64-bit builds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vextra {

constexpr int kProfileCount = 5;
constexpr int kButtonSlots = 24;      // 12 buttons on the normal layer + 12 on the Tanshift layer
constexpr int kLayerButtons = 12;
constexpr int kLightZones = 4;
constexpr int kMaxMacroEvents = 500;

#pragma pack(push, 1)

struct MacroEvent {
  uint8_t key;      // key code (HID usage, or 240..244 for mouse buttons)
  uint8_t action;   // 1 = press, 2 = release
  uint16_t delay;   // milliseconds after this event
};
static_assert(sizeof(MacroEvent) == 4, "macro event is 4 bytes");

struct LightInfo {
  uint8_t ColorNumber;  // index into the mouse's fixed palette
  uint8_t On;
  uint8_t Red;
  uint8_t Green;
  uint8_t Blue;
};
static_assert(sizeof(LightInfo) == 5, "LightInfo is 5 bytes");

struct MacroKeyInfo {
  uint8_t ButtonNumber;     // 0..23, equals the slot index
  uint8_t FunctionCode;     // see function_catalogue.h
  uint8_t Reserved0[2];
  uint32_t SynraDeviceId;   // codes 81..84: companion device id, 0xFFFF = all devices
  char Name[50];
  char MacroSetName[50];    // code 48
  char MacroName[50];       // code 48; also the slot's display text
  uint8_t Reserved1[2];
  int32_t LoopCount;        // code 48
  int16_t EventCount;       // 0..500; 1 for a shortcut (code 5)
  MacroEvent Events[kMaxMacroEvents];  // code 5: Events[0].key = key, Events[0].action = modifier bits
  uint8_t Reserved2[2];
  int32_t TimerSeconds;     // code 49
  char TimerName[100];      // code 49
  char ProgramPath[260];    // code 15; never sent to the mouse
};

struct ProfileRecord {
  char ProFileName[250];
  char GameFile0[500];
  char GameFile1[500];
  char GameFile2[500];
  uint8_t Padding0[2];
  int32_t DbleClickSpeed;
  int32_t ScrollWheelSpeed;
  int32_t ScrollWheelFlag;
  int32_t MouseSpeed;
  int32_t Acceleration;
  int32_t AccelerationFlag;
  int32_t MouseTrails;
  int32_t TiltSpeed;
  int32_t MediaOption;
  int32_t HDDKeyboard;
  int32_t Orientation;
  int32_t XYSynchronous;
  int32_t Sensitivity_X;
  int32_t Sensitivity_Y;
  int32_t Sensitivity;
  uint8_t dpi[6];           // dpi0..dpi5; only dpi0..dpi4 reach the mouse
  uint8_t Padding1[2];
  int32_t Cpi_X;
  int32_t Cpi_Y;
  int32_t XYCpiFlag;
  int32_t CpiLevel_X[5];
  int32_t CpiLevel_Y[5];
  int32_t PollingRate;
  int32_t LightOnFlag;
  int32_t LightEffectMode;
  int32_t LightColorFlow;
  int32_t LightEffectType;
  int32_t LightEffectSpeed;
  int32_t SoundProfile;
  int32_t SoundDpi;
  int32_t SoundSens;
  int32_t VolumeUpDown;
  int32_t SoundVolume;
  int32_t UseColorForAll;
  LightInfo Lights[kLightZones];              // stored as LightInfo0..3
  MacroKeyInfo MacroKeys[kButtonSlots];       // stored as MacroKeyInfo0..23
};

struct SettingsBlock {
  int32_t CurrentProfile;
  int32_t WindowsProfile;
  int32_t QuickHelpLan;
  int32_t LiftOnFlag;
  int32_t TrackControlFlag;
  int32_t MouseType;
  ProfileRecord Profiles[kProfileCount];
  int32_t ButtonChanged[kProfileCount][kButtonSlots];
  int32_t ProfileChanged[kProfileCount];
  int32_t CurrentProfileChanged;
  int32_t DeviceFlagsChanged;
};

#pragma pack(pop)

// Sizes and offsets are part of the exchange format.
static_assert(sizeof(MacroKeyInfo) == 2532, "MacroKeyInfo size");
static_assert(offsetof(MacroKeyInfo, FunctionCode) == 1, "");
static_assert(offsetof(MacroKeyInfo, SynraDeviceId) == 4, "");
static_assert(offsetof(MacroKeyInfo, Name) == 8, "");
static_assert(offsetof(MacroKeyInfo, MacroSetName) == 58, "");
static_assert(offsetof(MacroKeyInfo, MacroName) == 108, "");
static_assert(offsetof(MacroKeyInfo, LoopCount) == 160, "");
static_assert(offsetof(MacroKeyInfo, EventCount) == 164, "");
static_assert(offsetof(MacroKeyInfo, Events) == 166, "");
static_assert(offsetof(MacroKeyInfo, TimerSeconds) == 2168, "");
static_assert(offsetof(MacroKeyInfo, TimerName) == 2172, "");
static_assert(offsetof(MacroKeyInfo, ProgramPath) == 2272, "");

static_assert(sizeof(ProfileRecord) == 62708, "ProfileRecord size");
static_assert(offsetof(ProfileRecord, GameFile0) == 250, "");
static_assert(offsetof(ProfileRecord, GameFile1) == 750, "");
static_assert(offsetof(ProfileRecord, GameFile2) == 1250, "");
static_assert(offsetof(ProfileRecord, DbleClickSpeed) == 1752, "");
static_assert(offsetof(ProfileRecord, ScrollWheelSpeed) == 1756, "");
static_assert(offsetof(ProfileRecord, ScrollWheelFlag) == 1760, "");
static_assert(offsetof(ProfileRecord, MouseSpeed) == 1764, "");
static_assert(offsetof(ProfileRecord, Acceleration) == 1768, "");
static_assert(offsetof(ProfileRecord, AccelerationFlag) == 1772, "");
static_assert(offsetof(ProfileRecord, MouseTrails) == 1776, "");
static_assert(offsetof(ProfileRecord, TiltSpeed) == 1780, "");
static_assert(offsetof(ProfileRecord, MediaOption) == 1784, "");
static_assert(offsetof(ProfileRecord, HDDKeyboard) == 1788, "");
static_assert(offsetof(ProfileRecord, Orientation) == 1792, "");
static_assert(offsetof(ProfileRecord, XYSynchronous) == 1796, "");
static_assert(offsetof(ProfileRecord, Sensitivity_X) == 1800, "");
static_assert(offsetof(ProfileRecord, Sensitivity_Y) == 1804, "");
static_assert(offsetof(ProfileRecord, Sensitivity) == 1808, "");
static_assert(offsetof(ProfileRecord, dpi) == 1812, "");
static_assert(offsetof(ProfileRecord, Cpi_X) == 1820, "");
static_assert(offsetof(ProfileRecord, Cpi_Y) == 1824, "");
static_assert(offsetof(ProfileRecord, XYCpiFlag) == 1828, "");
static_assert(offsetof(ProfileRecord, CpiLevel_X) == 1832, "");
static_assert(offsetof(ProfileRecord, CpiLevel_Y) == 1852, "");
static_assert(offsetof(ProfileRecord, PollingRate) == 1872, "");
static_assert(offsetof(ProfileRecord, LightOnFlag) == 1876, "");
static_assert(offsetof(ProfileRecord, LightEffectMode) == 1880, "");
static_assert(offsetof(ProfileRecord, LightColorFlow) == 1884, "");
static_assert(offsetof(ProfileRecord, LightEffectType) == 1888, "");
static_assert(offsetof(ProfileRecord, LightEffectSpeed) == 1892, "");
static_assert(offsetof(ProfileRecord, SoundProfile) == 1896, "");
static_assert(offsetof(ProfileRecord, SoundDpi) == 1900, "");
static_assert(offsetof(ProfileRecord, SoundSens) == 1904, "");
static_assert(offsetof(ProfileRecord, VolumeUpDown) == 1908, "");
static_assert(offsetof(ProfileRecord, SoundVolume) == 1912, "");
static_assert(offsetof(ProfileRecord, UseColorForAll) == 1916, "");
static_assert(offsetof(ProfileRecord, Lights) == 1920, "");
static_assert(offsetof(ProfileRecord, MacroKeys) == 1940, "");

static_assert(sizeof(SettingsBlock) == 314072, "SettingsBlock size");
static_assert(offsetof(SettingsBlock, WindowsProfile) == 4, "");
static_assert(offsetof(SettingsBlock, QuickHelpLan) == 8, "");
static_assert(offsetof(SettingsBlock, LiftOnFlag) == 12, "");
static_assert(offsetof(SettingsBlock, TrackControlFlag) == 16, "");
static_assert(offsetof(SettingsBlock, MouseType) == 20, "");
static_assert(offsetof(SettingsBlock, Profiles) == 24, "");
static_assert(offsetof(SettingsBlock, ButtonChanged) == 313564, "");
static_assert(offsetof(SettingsBlock, ProfileChanged) == 314044, "");
static_assert(offsetof(SettingsBlock, CurrentProfileChanged) == 314064, "");
static_assert(offsetof(SettingsBlock, DeviceFlagsChanged) == 314068, "");

constexpr size_t kSettingsBlockSize = sizeof(SettingsBlock);
constexpr size_t kChangeFlagsOffset = offsetof(SettingsBlock, ButtonChanged);
constexpr size_t kChangeFlagsSize = kSettingsBlockSize - kChangeFlagsOffset;  // 508

inline bool IsProfileIndex(int32_t index) { return index >= 0 && index < kProfileCount; }

// Profile n back to its factory settings (name "Default<n+1>", per-profile colours,
// the profile-0 exceptions, default function codes). dpi5 is left as it is.
void ResetProfile(ProfileRecord& profile, int n);
// Full reset: every profile to its defaults; MouseType and the change flags untouched.
void ResetToDefaults(SettingsBlock& block, int32_t languageIndex);
// Everything zero except CurrentProfile = -1 (MouseType 0, change flags 0).
void ResetToEmpty(SettingsBlock& block);
// Default contents of slot `slot` (0..23).
void ResetSlot(MacroKeyInfo& slot, int index);

// Sets CurrentProfileChanged, DeviceFlagsChanged and ProfileChanged[] of `edited`
// by comparing it with `received`. ButtonChanged is left alone.
void DetectChanges(const SettingsBlock& received, SettingsBlock& edited);
void MarkAllChanged(SettingsBlock& block);
void ClearChangeFlags(SettingsBlock& block);

// Makes a block from an untrusted source safe to use: every string gets its
// terminating zero, event counts are clamped to 0..500, slot numbers match
// their position. Values that are merely out of range are left for the
// consumers, which treat them as "not set".
void SanitizeSlot(MacroKeyInfo& slot, int index);
void SanitizeProfile(ProfileRecord& profile);
void SanitizeBlock(SettingsBlock& block);

// Copies a C string into a fixed field, always terminated, cut to fit.
void CopyField(char* field, size_t fieldSize, const char* text);
template <size_t N>
void CopyField(char (&field)[N], const char* text) { CopyField(field, N, text); }
// Length of a fixed field's text, never reading past the field.
size_t FieldLength(const char* field, size_t fieldSize);
template <size_t N>
size_t FieldLength(const char (&field)[N]) { return FieldLength(field, N); }

}  // namespace vextra
