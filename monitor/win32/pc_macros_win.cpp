// Shortcuts and macros on Windows: keybd_event and mouse_event for the input,
// Sleep for the pauses, with a 1 ms timer resolution while a macro plays.
#include <windows.h>
#include <mmsystem.h>

#include "common/win32/keyboard_layout_win.h"
#include "monitor/macro_player.h"
#include "monitor/win32/monitor_pc.h"

namespace vextra {

namespace {

class WinInputSink : public InputSink {
 public:
  void Key(unsigned virtualKey, unsigned scan, bool release) override {
    keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(scan), release ? KEYEVENTF_KEYUP : 0, 0);
  }

  void Mouse(MouseButton button, bool release) override {
    DWORD flags = 0, data = 0;
    switch (button) {
      case MouseButton::Left: flags = release ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN; break;
      case MouseButton::Right: flags = release ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN; break;
      case MouseButton::Middle: flags = release ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN; break;
      case MouseButton::Extended1:
      case MouseButton::Extended2:
        flags = release ? MOUSEEVENTF_XUP : MOUSEEVENTF_XDOWN;
        data = button == MouseButton::Extended1 ? XBUTTON1 : XBUTTON2;
        break;
    }
    mouse_event(flags, 0, 0, data, static_cast<ULONG_PTR>(GetMessageExtraInfo()));
  }
};

// The shortcut's 1 ms gaps on the window thread.
class WinPlainClock : public MacroClock {
 public:
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
};

// The macro thread's pauses, each measured to the point in time where the
// previous one should have ended: Sleep returns up to a timer tick late, and
// over a long macro those late returns would otherwise add up.
class WinScheduledClock : public MacroClock {
 public:
  WinScheduledClock() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs_ = frequency.QuadPart / 1000;
    if (ticksPerMs_ <= 0) ticksPerMs_ = 1;
  }

  void StartSchedule() override { due_ = Now(); }

  void Sleep(int milliseconds) override {
    due_ += static_cast<LONGLONG>(milliseconds) * ticksPerMs_;
    const LONGLONG now = Now();
    // Far behind (the machine stalled): carry on from now rather than send
    // the events that are due in one burst.
    if (now - due_ > kMaxBehindMs * ticksPerMs_) due_ = now;
    const LONGLONG ahead = due_ - now;
    if (ahead > 0) ::Sleep(static_cast<DWORD>((ahead + ticksPerMs_ / 2) / ticksPerMs_));
  }

 private:
  static constexpr LONGLONG kMaxBehindMs = 100;
  static LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
  }
  LONGLONG ticksPerMs_ = 1;
  LONGLONG due_ = 0;
};

class MonitorMacroHost : public MacroHost {
 public:
  explicit MonitorMacroHost(MonitorHost* host) : host_(host) {}
  void StartTimer(int id, int milliseconds) override {
    if (host_) host_->StartTimer(id, milliseconds);
  }
  void KillTimer(int id) override {
    if (host_) host_->KillTimer(id);
  }
  // Both threads trace; OutputDebugStringA is safe from either.
  void Trace(const std::string& text) override { OutputDebugStringA(text.c_str()); }

 private:
  MonitorHost* host_;
};

// The system objects the player works through, built before it.
struct WinMacroSystem {
  explicit WinMacroSystem(MonitorHost* monitorHost) : host(monitorHost) {}
  WinInputSink input;
  WinKeyboardLayout layout;
  MonitorMacroHost host;
  WinPlainClock windowClock;
  WinScheduledClock macroClock;
};

class WinMacroActions : private WinMacroSystem, public MacroPlayer {
 public:
  explicit WinMacroActions(PcContext& context)
      : WinMacroSystem(context.host),
        MacroPlayer(input, layout, host, windowClock, macroClock, context.currentProfile, context.postMacroPlay) {}

  // A 1 ms timer resolution while the macro plays, given back afterwards.
  void PlayMacro() override {
    const bool fine = timeBeginPeriod(1) == TIMERR_NOERROR;
    MacroPlayer::PlayMacro();
    if (fine) timeEndPeriod(1);
  }
};

}  // namespace

std::unique_ptr<PcActions> MakeMacroActions(PcContext& context) { return std::make_unique<WinMacroActions>(context); }

}  // namespace vextra
