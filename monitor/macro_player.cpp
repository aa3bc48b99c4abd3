#include "monitor/macro_player.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "common/function_catalogue.h"
#include "common/key_table.h"
#include "common/program_messages.h"

namespace vextra {

namespace {

constexpr int kRepeatFirstDelay = 1000;  // a held shortcut types again after this
constexpr int kRepeatInterval = 100;     // and then this often
constexpr int kModifierGap = 1;
constexpr int kLongPress = 500;   // a macro press held longer than this repeats
constexpr int kTypematic = 33;
constexpr int kStopGap = 50;      // between the releases of a stopped macro
constexpr int kPollSlice = 100;   // a stop request waits at most this long
constexpr int kMaxLoops = 255;

constexpr unsigned kVkShift = 0x10, kVkControl = 0x11, kVkAlt = 0x12, kVkLeftWin = 0x5B, kVkRightWin = 0x5C;

unsigned FoldSides(unsigned virtualKey) {
  switch (virtualKey) {
    case 0xA0: case 0xA1: return kVkShift;
    case 0xA2: case 0xA3: return kVkControl;
    case 0xA4: case 0xA5: return kVkAlt;
    default: return virtualKey;
  }
}

// A key pressed again while held: a lock key would toggle at every repeat,
// and a code without a key has nothing to repeat.
bool RepeatableInMacro(unsigned virtualKey) {
  switch (virtualKey) {
    case 0:
    case 0x14: case 0x90: case 0x91:  // Caps Lock, Num Lock, Scroll Lock
      return false;
    default:
      return true;
  }
}

// A held shortcut repeats its key only: a repeated Win key opens the start
// menu, and a side modifier is a modifier.
bool RepeatableShortcut(unsigned virtualKey) {
  if (virtualKey == kVkLeftWin || virtualKey == kVkRightWin) return false;
  return RepeatableInMacro(virtualKey) && (virtualKey < 0xA0 || virtualKey > 0xA5);
}

bool IsMouseCode(uint8_t code) { return code >= 240 && code <= 244; }

MouseButton ButtonOf(uint8_t code) {
  switch (code) {
    case 240: return MouseButton::Left;
    case 241: return MouseButton::Right;
    case 242: return MouseButton::Middle;
    case 243: return MouseButton::Extended2;  // side button 1
    default: return MouseButton::Extended1;   // side button 2
  }
}

// The modifiers of a shortcut in the order they are pressed.
std::vector<unsigned> Modifiers(uint8_t bits) {
  std::vector<unsigned> list;
  if (bits & 0x01) return list;
  if (bits & 0x04) list.push_back(kVkControl);
  if (bits & 0x02) list.push_back(kVkShift);
  if (bits & 0x08) list.push_back(kVkAlt);
  if (bits & 0x10) list.push_back(kVkLeftWin);
  return list;
}

}  // namespace

unsigned MacroVirtualKey(uint8_t code, const KeyboardLayout& layout) {
  return FoldSides(PlaybackVirtualKey(code, layout));
}

MacroPlayer::MacroPlayer(InputSink& input, const KeyboardLayout& layout, MacroHost& host, MacroClock& windowClock,
                         MacroClock& macroClock, std::function<ProfileRecord*()> currentProfile,
                         std::function<void()> postMacroPlay)
    : input_(input),
      layout_(layout),
      host_(host),
      windowClock_(windowClock),
      macroClock_(macroClock),
      currentProfile_(std::move(currentProfile)),
      postMacroPlay_(std::move(postMacroPlay)) {}

const MacroKeyInfo* MacroPlayer::Slot(int slot) const {
  if (slot < 0 || slot >= kButtonSlots || !currentProfile_) return nullptr;
  const ProfileRecord* profile = currentProfile_();
  return profile ? &profile->MacroKeys[slot] : nullptr;
}

// ---------------------------------------------------------------- shortcuts

void MacroPlayer::ShortcutPressed(int slot) {
  const MacroKeyInfo* key = Slot(slot);
  if (!key) return;
  const size_t at = static_cast<size_t>(slot);
  // A press without the release before it: the release was lost, so let go
  // of what that press holds before pressing again.
  if (shortcutHeld_[at]) ReleaseShortcut(shortcutPressed_[at]);
  shortcutPressed_[at] = Shortcut{key->Events[0].key, key->Events[0].action};
  shortcutHeld_[at] = true;
  PressShortcut(shortcutPressed_[at]);
  repeatSlot_ = slot;
  repeatPending_ = true;
  host_.StartTimer(kTimerKeyRepeat, kRepeatFirstDelay);
}

void MacroPlayer::ShortcutReleased(int slot) {
  if (slot < 0 || slot >= kButtonSlots) return;
  host_.KillTimer(kTimerKeyRepeat);
  repeatSlot_ = -1;
  repeatPending_ = false;
  const size_t at = static_cast<size_t>(slot);
  // Release what this button pressed, even if its settings changed since.
  if (!shortcutHeld_[at]) return;
  shortcutHeld_[at] = false;
  ReleaseShortcut(shortcutPressed_[at]);
}

bool MacroPlayer::ShortcutHeld(int slot) const {
  return slot >= 0 && slot < kButtonSlots && shortcutHeld_[static_cast<size_t>(slot)];
}

void MacroPlayer::PressShortcut(const Shortcut& shortcut) {
  for (unsigned modifier : Modifiers(shortcut.modifierBits)) {
    input_.Key(modifier, layout_.VirtualKeyToScan(modifier), false);
    windowClock_.Sleep(kModifierGap);
  }
  const unsigned vk = MacroVirtualKey(shortcut.code, layout_);
  if (vk != 0) input_.Key(vk, layout_.VirtualKeyToScan(vk), false);
}

void MacroPlayer::ReleaseShortcut(const Shortcut& shortcut) {
  const unsigned vk = MacroVirtualKey(shortcut.code, layout_);
  if (vk != 0) input_.Key(vk, layout_.VirtualKeyToScan(vk), true);
  const std::vector<unsigned> modifiers = Modifiers(shortcut.modifierBits);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    windowClock_.Sleep(kModifierGap);
    input_.Key(*it, layout_.VirtualKeyToScan(*it), true);
  }
}

void MacroPlayer::Timer(int id) {
  if (id != kTimerKeyRepeat) return;
  // An expiry already queued when the button was released.
  if (repeatSlot_ < 0 || !shortcutHeld_[static_cast<size_t>(repeatSlot_)]) {
    host_.KillTimer(kTimerKeyRepeat);
    return;
  }
  if (repeatPending_) {
    repeatPending_ = false;
    host_.StartTimer(kTimerKeyRepeat, kRepeatInterval);
  }
  const unsigned vk = PlaybackVirtualKey(shortcutPressed_[static_cast<size_t>(repeatSlot_)].code, layout_);
  if (!RepeatableShortcut(vk)) return;
  const unsigned scan = layout_.VirtualKeyToScan(vk);
  input_.Key(vk, scan, true);
  windowClock_.Sleep(kModifierGap);
  input_.Key(vk, scan, false);
}

void MacroPlayer::StopAll() {
  host_.KillTimer(kTimerKeyRepeat);
  repeatSlot_ = -1;
  repeatPending_ = false;
  for (size_t slot = 0; slot < shortcutHeld_.size(); ++slot) {
    if (!shortcutHeld_[slot]) continue;
    shortcutHeld_[slot] = false;
    ReleaseShortcut(shortcutPressed_[slot]);
  }
  if (MacroBusy.load()) MacroStopRequest.store(1);
}

// ---------------------------------------------------------------- macros

void MacroPlayer::MacroButton(int slot) {
  const MacroKeyInfo* key = Slot(slot);
  if (!key || key->FunctionCode != kFnMacro || key->EventCount <= 0) return;
  if (MacroBusy.load()) {
    MacroStopRequest.store(1);
    return;
  }
  eventCount_ = std::min<int>(key->EventCount, kMaxMacroEvents);
  std::copy(key->Events, key->Events + eventCount_, events_.begin());
  loopCount_ = std::min(std::max(key->LoopCount, 1), kMaxLoops);
  MacroStopRequest.store(0);
  currentIndex_.store(0);
  // Busy from the hand-over on: a press before the macro thread starts
  // stops this macro instead of replacing the events it is about to read.
  MacroBusy.store(1);
  if (postMacroPlay_) postMacroPlay_();
}

void MacroPlayer::PlayMacro() {
  if (!MacroBusy.load()) return;  // nothing was handed over
  macroClock_.StartSchedule();
  HeldKeyStack.clear();
  for (int pass = 0; pass < loopCount_ && !MacroStopRequest.load(); ++pass) {
    for (int i = 0; i < eventCount_; ++i) {
      currentIndex_.store(i);
      if (MacroStopRequest.load()) break;
      PlayEvent(events_[static_cast<size_t>(i)]);
    }
  }
  char text[80];
  std::snprintf(text, sizeof text, "g_iCurAction= %d,start=%d,end=%d\n", currentIndex_.load(), 0, eventCount_);
  host_.Trace(text);
  if (MacroStopRequest.load()) ReleaseHeld();
  HeldKeyStack.clear();
  MacroBusy.store(0);
}

void MacroPlayer::PlayEvent(const MacroEvent& event) {
  const int delay = event.delay == 0 ? 1 : event.delay;
  // Only the editor's two kinds send anything; a damaged event keeps its time.
  if (event.action != 1 && event.action != 2) {
    Wait(delay);
    return;
  }
  const bool release = event.action == 2;
  Send(event.key, release);
  if (release) {
    Remove(event.key);
  } else {
    Push(event.key);
  }
  if (release || IsMouseCode(event.key) || delay <= kLongPress) {
    Wait(delay);
    return;
  }
  // A long press repeats its key as a held keyboard key would.
  if (!Wait(kLongPress)) return;
  if (!RepeatableInMacro(PlaybackVirtualKey(event.key, layout_))) {
    Wait(delay - kLongPress);
    return;
  }
  for (int remaining = delay - kLongPress; remaining > 0; remaining -= kTypematic) {
    if (MacroStopRequest.load()) return;
    Send(event.key, true);
    Send(event.key, false);
    macroClock_.Sleep(kTypematic);
  }
}

void MacroPlayer::Send(uint8_t code, bool release) {
  if (IsMouseCode(code)) {
    input_.Mouse(ButtonOf(code), release);
    return;
  }
  const unsigned vk = MacroVirtualKey(code, layout_);
  if (vk != 0) input_.Key(vk, layout_.VirtualKeyToScan(vk), release);
}

bool MacroPlayer::Wait(int milliseconds) {
  while (milliseconds > 0) {
    if (MacroStopRequest.load()) return false;
    const int slice = std::min(milliseconds, kPollSlice);
    macroClock_.Sleep(slice);
    milliseconds -= slice;
  }
  return !MacroStopRequest.load();
}

void MacroPlayer::Push(uint8_t code) { HeldKeyStack.push_back(code); }

void MacroPlayer::Remove(uint8_t code) {
  const auto top = std::find(HeldKeyStack.rbegin(), HeldKeyStack.rend(), code);
  if (top != HeldKeyStack.rend()) HeldKeyStack.erase(std::next(top).base());
}

// Lets go of what the stopped macro still holds, most recent first. One
// release frees a key however often it was pressed, so each key is released
// once: a looped macro that never releases cannot hold up the stop for long.
void MacroPlayer::ReleaseHeld() {
  std::array<bool, 256> released{};
  while (!HeldKeyStack.empty()) {
    const uint8_t code = HeldKeyStack.back();
    HeldKeyStack.pop_back();
    if (released[code]) continue;
    released[code] = true;
    const int index = currentIndex_.load();
    char text[64];
    std::snprintf(text, sizeof text, "g_iCurAction= %d,Map=%x\n", index, code);
    host_.Trace(text);
    if (index > 0) currentIndex_.store(index - 1);
    Send(code, true);
    macroClock_.Sleep(kStopGap);
  }
}

}  // namespace vextra
