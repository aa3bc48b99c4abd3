// Sounds and countdowns on Windows: wave files through the multimedia
// library, timers on the Monitor window.
#include <windows.h>
#include <mmsystem.h>

#include "monitor/sound_feedback.h"
#include "monitor/win32/monitor_pc.h"

namespace vextra {
namespace {

class WinSoundPlayer : public SoundPlayer {
 public:
  WinSoundPlayer() {
    // Loaded from the system folder only, so that no library of that name in
    // the program folder can be loaded in its place. Kept for the process's
    // lifetime: an asynchronous sound may still be playing at the end.
    char path[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(path, MAX_PATH);
    if (n == 0 || n + sizeof "\\winmm.dll" > MAX_PATH) return;
    lstrcatA(path, "\\winmm.dll");
    if (HMODULE winmm = LoadLibraryA(path))
      playSound_ = reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundA")));
  }

  void Stop() override {
    if (playSound_) playSound_(nullptr, nullptr, SND_PURGE);
  }

  void Play(const std::string& path) override {
    // SND_NODEFAULT: a missing file is silence, not the system's default sound.
    if (playSound_) playSound_(path.c_str(), nullptr, SND_FILENAME | SND_NOWAIT | SND_ASYNC | SND_NODEFAULT);
  }

 private:
  using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  PlaySoundFunction playSound_ = nullptr;
};

class HostSoundTimers : public SoundTimers {
 public:
  explicit HostSoundTimers(PcContext& context) : context_(context) {}
  void StartTimer(int id, int milliseconds) override {
    if (context_.host) context_.host->StartTimer(id, milliseconds);
  }
  void KillTimer(int id) override {
    if (context_.host) context_.host->KillTimer(id);
  }

 private:
  PcContext& context_;
};

// The player and the timers exist before the feedback that uses them.
struct SoundSystem {
  explicit SoundSystem(PcContext& context) : timers(context) {}
  WinSoundPlayer player;
  HostSoundTimers timers;
};

class WinSoundActions : private SoundSystem, public SoundFeedback {
 public:
  explicit WinSoundActions(PcContext& context)
      : SoundSystem(context),
        SoundFeedback(player, timers, context.programFolder,
                      [&context]() -> const ProfileRecord* {
                        return context.currentProfile ? context.currentProfile() : nullptr;
                      },
                      [&context] { return context.currentProfileIndex ? context.currentProfileIndex() : -1; }) {}
};

}  // namespace

std::unique_ptr<PcActions> MakeSoundActions(PcContext& context) { return std::make_unique<WinSoundActions>(context); }

}  // namespace vextra
