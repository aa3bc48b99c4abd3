#include "tests/support/sample_block.h"

#include <cstdio>
#include <cstring>

namespace vextra {

void FillSampleBlock(SettingsBlock& b, unsigned seed) {
  std::memset(&b, 0, sizeof b);
  unsigned state = seed * 2654435761u + 12345u;
  auto next = [&state]() {
    state = state * 1103515245u + 12345u;
    return (state >> 8) & 0xFFFFFF;
  };
  b.CurrentProfile = static_cast<int32_t>(seed % 5);
  b.WindowsProfile = static_cast<int32_t>((seed + 2) % 5);
  b.QuickHelpLan = static_cast<int32_t>(seed % 17);
  b.LiftOnFlag = 2;
  b.TrackControlFlag = 1;
  b.MouseType = 3;
  for (int n = 0; n < kProfileCount; ++n) {
    ProfileRecord& p = b.Profiles[n];
    ResetProfile(p, n);
    std::snprintf(p.ProFileName, sizeof p.ProFileName, "Profile %d of seed %u - a long name", n, seed);
    std::snprintf(p.GameFile0, sizeof p.GameFile0, "C:\\Games\\Game %d\\run%u.exe", n, seed);
    std::snprintf(p.GameFile1, sizeof p.GameFile1, "D:\\Other Games\\x%d.exe", n);
    int32_t* ints[] = {&p.DbleClickSpeed, &p.ScrollWheelSpeed, &p.ScrollWheelFlag, &p.MouseSpeed,
                       &p.Acceleration,   &p.AccelerationFlag, &p.MouseTrails,     &p.TiltSpeed,
                       &p.MediaOption,    &p.HDDKeyboard,      &p.Orientation,     &p.XYSynchronous,
                       &p.Sensitivity_X,  &p.Sensitivity_Y,    &p.Sensitivity,     &p.Cpi_X,
                       &p.Cpi_Y,          &p.XYCpiFlag,        &p.PollingRate,     &p.LightOnFlag,
                       &p.LightEffectMode, &p.LightColorFlow,  &p.LightEffectType, &p.LightEffectSpeed,
                       &p.SoundProfile,   &p.SoundDpi,         &p.SoundSens,       &p.VolumeUpDown,
                       &p.SoundVolume,    &p.UseColorForAll};
    for (int32_t* v : ints) *v = static_cast<int32_t>(next() % 1000);
    p.MediaOption = -(n + 2);  // negative values must survive too
    for (int i = 0; i < 6; ++i) p.dpi[i] = static_cast<uint8_t>(next() & 0xFF);
    for (int i = 0; i < 5; ++i) {
      p.CpiLevel_X[i] = static_cast<int32_t>(next() % 120);
      p.CpiLevel_Y[i] = static_cast<int32_t>(next() % 120);
    }
    for (LightInfo& l : p.Lights)
      l = LightInfo{static_cast<uint8_t>(next()), static_cast<uint8_t>(next() & 1),
                    static_cast<uint8_t>(next()), static_cast<uint8_t>(next()),
                    static_cast<uint8_t>(next())};
    for (int s = 0; s < kButtonSlots; ++s) {
      MacroKeyInfo& k = p.MacroKeys[s];
      k.FunctionCode = 48;
      k.SynraDeviceId = next();
      std::snprintf(k.Name, sizeof k.Name, "Slot %d", s);
      std::snprintf(k.MacroSetName, sizeof k.MacroSetName, "Set %d", s % 3);
      std::snprintf(k.MacroName, sizeof k.MacroName, "Macro %d-%d", n, s);
      k.LoopCount = static_cast<int32_t>(1 + next() % 255);
      k.EventCount = kMaxMacroEvents;
      for (MacroEvent& e : k.Events)
        e = MacroEvent{static_cast<uint8_t>(4 + next() % 60), static_cast<uint8_t>(1 + (next() & 1)),
                       static_cast<uint16_t>(next())};
      k.TimerSeconds = static_cast<int32_t>(10 + next() % 990);
      std::snprintf(k.TimerName, sizeof k.TimerName, "Timer %d", s);
      std::snprintf(k.ProgramPath, sizeof k.ProgramPath, "C:\\Program Files\\Tool %d\\tool.exe", s);
    }
  }
}

}  // namespace vextra
