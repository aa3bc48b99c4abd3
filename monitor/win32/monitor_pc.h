// What the Monitor carries out on the PC, in four parts: macros and
// shortcuts, universal scrolling, sounds and countdowns, media players. Each
// part is a PcActions that overrides only its own calls; MonitorPc hands every
// call to the part that owns it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/settings_block.h"
#include "monitor/monitor_host.h"

namespace vextra {

// What the parts may use of the Monitor.
struct PcContext {
  MonitorHost* host = nullptr;  // timers, posts to the Monitor window, traces
  HWND window = nullptr;        // the Monitor window (set once it exists)
  std::string programFolder;    // with its trailing backslash
  // The current profile, or null when none is current. Window thread only.
  std::function<ProfileRecord*()> currentProfile;
  std::function<int()> currentProfileIndex;
  // Posts WM_MACRO_PLAY to the macro thread.
  std::function<void()> postMacroPlay;
};

std::unique_ptr<PcActions> MakeMacroActions(PcContext& context);   // shortcuts, timer 102, macros
std::unique_ptr<PcActions> MakeScrollActions(PcContext& context);  // universal scrolling, 1238
std::unique_ptr<PcActions> MakeSoundActions(PcContext& context);   // timers 600..608, countdowns
std::unique_ptr<PcActions> MakeMediaActions(PcContext& context);   // media functions 32..39

class MonitorPc : public PcActions {
 public:
  explicit MonitorPc(PcContext& context)
      : macros_(MakeMacroActions(context)),
        scroll_(MakeScrollActions(context)),
        sound_(MakeSoundActions(context)),
        media_(MakeMediaActions(context)) {}

  void UniversalScroll(int direction) override { scroll_->UniversalScroll(direction); }
  void BrowserScroll(int lines, int flag) override { scroll_->BrowserScroll(lines, flag); }
  void ShortcutPressed(int slot) override { macros_->ShortcutPressed(slot); }
  void ShortcutReleased(int slot) override { macros_->ShortcutReleased(slot); }
  bool ShortcutHeld(int slot) const override { return macros_->ShortcutHeld(slot); }
  void MacroButton(int slot) override { macros_->MacroButton(slot); }
  void PlayMacro() override { macros_->PlayMacro(); }
  void CountdownButton(int slot, bool start) override { sound_->CountdownButton(slot, start); }
  void VolumeKeySound(int timerId) override { sound_->VolumeKeySound(timerId); }
  void RememberDpi(int level) override { sound_->RememberDpi(level); }
  bool CountdownFinal() const override { return sound_->CountdownFinal(); }
  void MediaFunction(int function, int qualifier) override { media_->MediaFunction(function, qualifier); }
  void Timer(int id) override { (id == 102 ? macros_ : sound_)->Timer(id); }
  void StopAll() override {
    macros_->StopAll();
    sound_->StopAll();
  }

 private:
  std::unique_ptr<PcActions> macros_, scroll_, sound_, media_;
};

}  // namespace vextra
