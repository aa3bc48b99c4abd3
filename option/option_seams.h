// What the Option's session needs from the system around it: the Monitor's
// section with its mutex, the Monitor's window, and the steps of the main
// window that happen in the middle of an apply. The Windows shell implements
// these with the real kernel objects and windows; tests pass recording fakes.
#pragma once

#include <cstdint>

#include "common/settings_block.h"

namespace vextra {

enum class SectionOpen {
  kOpened,     // mapped read/write, whole block
  kAbsent,     // no Monitor: nothing to exchange, nothing to tell the user
  kMapFailed,  // exists but cannot be mapped: the user is told so
};

// The Monitor's named section and the mutex that guards it. Both are opened,
// never created: they belong to the Monitor.
class SharedBlockLink {
 public:
  virtual ~SharedBlockLink() = default;
  // The settings mutex; false when it does not exist (no Monitor running).
  virtual bool OpenSettingsMutex() = 0;
  virtual SectionOpen OpenSection() = 0;
  // Whole-block copies made while holding the mutex (unbounded wait). False,
  // with nothing copied, when the section or the mutex is not open or the
  // wait does not succeed.
  virtual bool Read(SettingsBlock& block) = 0;
  virtual bool Write(const SettingsBlock& block) = 0;
};

// The Monitor's window, found by its title.
class MonitorWindow {
 public:
  virtual ~MonitorWindow() = default;
  virtual bool Exists() = 0;
  // SendMessage: returns when the Monitor has handled it. Does nothing when
  // the window is not there.
  virtual void Send(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
};

// The main window's share of Apply and Reset, called at its place in the
// sequence.
class ApplyObserver {
 public:
  virtual ~ApplyObserver() = default;
  // Wait cursor on; "OK" and "Apply" disabled and repainted at once.
  virtual void ApplyStarted() {}
  // The Main and Advanced pages shown again from the working block.
  virtual void RefreshPages() {}
  // Wait cursor off; "OK" and "Apply" enabled and repainted.
  virtual void ApplyFinished() {}
  // Reset only: every control shown again, then the help library loaded for
  // the reset language (both before the apply starts).
  virtual void RefreshAll() {}
  virtual void ReloadHelp() {}
};

}  // namespace vextra
