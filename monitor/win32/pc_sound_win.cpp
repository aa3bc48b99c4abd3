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
  void Stop() override { PlaySoundA(nullptr, nullptr, SND_PURGE); }

  void Play(const std::string& path) override {
    // SND_NODEFAULT: a missing file is silence, not the system's default sound.
    PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NOWAIT | SND_ASYNC | SND_NODEFAULT);
  }
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
