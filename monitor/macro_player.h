// Shortcuts and macros of the mouse's buttons, carried out as keyboard and
// mouse input on the PC. Shortcuts run on the window thread (pressed and
// released with the button, repeated by timer 102 while it is held); macros
// are started and stopped on the window thread and played on the macro thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/keyboard_layout.h"
#include "common/settings_block.h"
#include "monitor/monitor_host.h"

namespace vextra {

enum class MouseButton { Left, Right, Middle, Extended1, Extended2 };

// Synthesised input (keybd_event and mouse_event on Windows).
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void Key(unsigned virtualKey, unsigned scan, bool release) = 0;
  virtual void Mouse(MouseButton button, bool release) = 0;
};

// Pauses between input events.
class MacroClock {
 public:
  virtual ~MacroClock() = default;
  // Called when a playback begins: the pauses that follow may be measured
  // from here, so that the small overshoot of each does not add up.
  virtual void StartSchedule() {}
  virtual void Sleep(int milliseconds) = 0;
};

// Timer 102 on the Monitor window, and debug traces.
class MacroHost {
 public:
  virtual ~MacroHost() = default;
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;
  virtual void Trace(const std::string& text) = 0;
};

// Key code -> the virtual key to send: the playback conversion, with the
// side-specific modifiers folded to the generic ones. 0 when the code has no key.
unsigned MacroVirtualKey(uint8_t code, const KeyboardLayout& layout);

class MacroPlayer : public PcActions {
 public:
  // windowClock serves the window thread (the shortcut's 1 ms gaps),
  // macroClock the macro thread; they may be the same object only when
  // neither keeps state between pauses.
  MacroPlayer(InputSink& input, const KeyboardLayout& layout, MacroHost& host, MacroClock& windowClock,
              MacroClock& macroClock, std::function<ProfileRecord*()> currentProfile,
              std::function<void()> postMacroPlay);

  // Window thread.
  void ShortcutPressed(int slot) override;
  void ShortcutReleased(int slot) override;
  bool ShortcutHeld(int slot) const override;
  void MacroButton(int slot) override;
  void Timer(int id) override;
  void StopAll() override;
  // Macro thread.
  void PlayMacro() override;

  bool busy() const { return MacroBusy.load() != 0; }

 private:
  struct Shortcut {
    uint8_t code = 0;
    uint8_t modifierBits = 1;
  };

  const MacroKeyInfo* Slot(int slot) const;
  void PressShortcut(const Shortcut& shortcut);
  void ReleaseShortcut(const Shortcut& shortcut);
  void PlayEvent(const MacroEvent& event);
  void Send(uint8_t code, bool release);
  // Sleeps in slices so that a stop request is seen within 100 ms; false when stopped.
  bool Wait(int milliseconds);
  void Push(uint8_t code);
  void Remove(uint8_t code);
  void ReleaseHeld();

  InputSink& input_;
  const KeyboardLayout& layout_;
  MacroHost& host_;
  MacroClock& windowClock_;
  MacroClock& macroClock_;
  std::function<ProfileRecord*()> currentProfile_;
  std::function<void()> postMacroPlay_;

  // Shortcuts (window thread): what each held button pressed, and the last
  // pressed one, which timer 102 repeats.
  std::array<bool, kButtonSlots> shortcutHeld_{};
  std::array<Shortcut, kButtonSlots> shortcutPressed_{};
  int repeatSlot_ = -1;
  bool repeatPending_ = false;

  // The loaded macro: written by the window thread only while no macro is busy.
  std::array<MacroEvent, kMaxMacroEvents> events_{};
  int eventCount_ = 0;
  int loopCount_ = 1;
  // Set by the window thread when it hands a macro over, cleared by the macro
  // thread when playback has ended, so that the loaded macro is never
  // replaced while the macro thread may still read it.
  std::atomic<int> MacroBusy{0};
  std::atomic<int> MacroStopRequest{0};
  std::atomic<int> currentIndex_{0};
  std::vector<uint8_t> HeldKeyStack;  // macro thread only; most recent press last
};

}  // namespace vextra
