// What the Monitor's decisions need from the system around them. The Windows
// shell implements these with real windows, timers and kernel objects; tests
// pass recording fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/settings_block.h"

namespace vextra {

class MonitorHost {
 public:
  virtual ~MonitorHost() = default;

  // Whole-block copies between the working block and the shared section,
  // under the settings mutex. False when there is no section or the wait failed.
  virtual bool CopyOut(const SettingsBlock& block) = 0;
  virtual bool CopyIn(SettingsBlock& block) = 0;

  // Windows of other programs, found by exact title. Posting to a window that
  // does not exist does nothing.
  virtual bool WindowExists(const char* title) = 0;
  virtual void PostToWindow(const char* title, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // Restores the window if minimised and makes it the active foreground
  // window; false when no window has that title.
  virtual bool BringForward(const char* title) = 0;
  virtual void PostToSelf(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // The Monitor window's handle as the 32 bits the payloads carry.
  virtual uint32_t SelfHandle32() = 0;

  // The Synra program: a WM_COPYDATA sent to its window, and the status
  // message posted to its monitor window.
  virtual void SendCopyData(uintptr_t window, uint32_t dwData, const void* data, uint32_t size) = 0;
  virtual void PostSynraActiveStatus() = 0;

  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

  // ShellExecute "open", shown normally; parameters may be null.
  virtual void ShellOpen(const std::string& path, const char* parameters) = 0;
  // File name of the executable that owns the foreground window, lower case;
  // empty when there is none.
  virtual std::string ForegroundExecutable() = 0;

  virtual void PostDeviceJob(int job, int argument) = 0;
  virtual int OpenFeatureDevice() = 0;
  virtual void CloseFeatureDevice() = 0;

  virtual void SetTrayIcon(bool present) = 0;
  // Makes the profile's pointer values live; with writeRegistry the user's
  // registry values are written first.
  virtual void ApplyWindowsValues(ProfileRecord& profile, bool writeRegistry) = 0;

  virtual void Sleep(int milliseconds) = 0;
  virtual void Trace(const std::string& text) = 0;
};

// What the Monitor does on the PC for a button or key of the mouse: shortcuts
// and macros, universal scrolling, sounds and countdowns, media players. The
// dispatch calls these; the base does nothing.
class PcActions {
 public:
  virtual ~PcActions() = default;
  virtual void UniversalScroll(int /*direction*/) {}
  virtual void ShortcutPressed(int /*slot*/) {}
  virtual void ShortcutReleased(int /*slot*/) {}
  // True while the button in this slot holds a pressed shortcut.
  virtual bool ShortcutHeld(int /*slot*/) const { return false; }
  virtual void MacroButton(int /*slot*/) {}
  virtual void CountdownButton(int /*slot*/, bool /*start*/) {}
  virtual void VolumeKeySound(int /*timerId*/) {}
  virtual void MediaFunction(int /*function*/, int /*qualifier*/) {}
  // Timers 102 and 600..608, on the window thread.
  virtual void Timer(int /*id*/) {}
  // WM_MACRO_PLAY on the macro thread.
  virtual void PlayMacro() {}
  // The Internet Explorer scroll message the scroll code posts to itself.
  virtual void BrowserScroll(int /*lines*/, int /*flag*/) {}
  // Stops a playing macro and the key repeat (at shutdown).
  virtual void StopAll() {}
  // True while a countdown is in its last five seconds: announcements wait.
  virtual bool CountdownFinal() const { return false; }
  // The values the announcement timers speak.
  virtual void RememberDpi(int /*level*/) {}
};

}  // namespace vextra
