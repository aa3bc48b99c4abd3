#include "monitor/sound_feedback.h"

#include <cstdio>
#include <utility>

#include "common/program_messages.h"

namespace vextra {
namespace {

constexpr const char* kProfileFiles[5] = {"profile_one.wav", "profile_two.wav", "profile_three.wav",
                                          "profile_four.wav", "profile_five.wav"};

}  // namespace

std::string SoundFileName(int soundId) {
  switch (soundId) {
    case kSoundGo: return "go.wav";
    case 1: return "1_second.wav";
    case 2: return "2_seconds.wav";
    case 3: return "3_seconds.wav";
    case 4: return "4_seconds.wav";
    case 5: return "5_seconds.wav";
    case kSoundTenSeconds: return "10_seconds.wav";
    case kSoundTimerStopped: return "timer_stopped.wav";
    case kSoundTimerActivated: return "timer_activated.wav";
    case kSoundSensitivityUp: return "sens_up.wav";
    case kSoundSensitivityDown: return "sens_down.wav";
    case kSoundVolumeUp: return "volume_up.wav";
    case kSoundVolumeDown: return "volume_down.wav";
    case kSoundWindowsProfile: return "windows_profile.wav";
    default: break;
  }
  if (soundId >= kSoundProfileOne && soundId < kSoundProfileOne + 5) return kProfileFiles[soundId - kSoundProfileOne];
  if (soundId >= kSoundNumberFirst && soundId <= kSoundNumberLast) {
    char name[16];
    std::snprintf(name, sizeof name, "%d.wav", soundId);
    return name;
  }
  return std::string();
}

std::string SoundFolder(int soundVolume) {
  if (soundVolume < 0 || soundVolume > 4) soundVolume = 2;
  char folder[24];
  std::snprintf(folder, sizeof folder, "Wave\\Volume-%d", soundVolume);
  return folder;
}

std::string SoundPath(const std::string& programFolder, int soundVolume, int soundId) {
  const std::string file = SoundFileName(soundId);
  if (file.empty()) return std::string();
  return programFolder + SoundFolder(soundVolume) + "\\" + file;
}

SoundFeedback::SoundFeedback(SoundPlayer& player, SoundTimers& timers, std::string programFolder,
                             std::function<const ProfileRecord*()> currentProfile, std::function<int()> currentIndex)
    : player_(player),
      timers_(timers),
      programFolder_(std::move(programFolder)),
      currentProfile_(std::move(currentProfile)),
      currentIndex_(std::move(currentIndex)) {}

void SoundFeedback::Play(int soundId) {
  player_.Stop();
  const ProfileRecord* profile = currentProfile_ ? currentProfile_() : nullptr;
  const std::string path = SoundPath(programFolder_, profile ? profile->SoundVolume : 2, soundId);
  if (!path.empty()) player_.Play(path);
}

void SoundFeedback::CountdownButton(int slot, bool start) {
  if (!start) {
    if (!running_) return;
    timers_.KillTimer(kCountdownTimer);
    running_ = false;
    final_ = false;
    Play(kSoundTimerStopped);
    return;
  }
  const ProfileRecord* profile = currentProfile_ ? currentProfile_() : nullptr;
  if (!profile || slot < 0 || slot >= kButtonSlots) return;
  // A restart keeps the final flag: the announcements stay quiet until this
  // countdown ends or is stopped.
  if (running_) timers_.KillTimer(kCountdownTimer);
  running_ = true;
  // A negative length from a damaged block counts as none: "go" at the first tick.
  const int32_t seconds = profile->MacroKeys[slot].TimerSeconds;
  count_ = seconds < 0 ? 0 : seconds;
  Play(kSoundTimerActivated);
  timers_.StartTimer(kCountdownTimer, kCountdownTick);
  if (count_ == 10) Play(kSoundTenSeconds);
}

void SoundFeedback::VolumeKeySound(int timerId) {
  if (timerId != kTimerVolumeUpSound && timerId != kTimerVolumeDownSound) return;
  const ProfileRecord* profile = currentProfile_ ? currentProfile_() : nullptr;
  if (!profile || profile->VolumeUpDown != 1 || final_) return;
  KillAnnouncements();
  timers_.StartTimer(timerId, kAnnouncementDelay);
}

void SoundFeedback::KillAnnouncements() {
  for (int id : kAnnouncementTimers) timers_.KillTimer(id);
}

void SoundFeedback::Timer(int id) {
  if (id == kCountdownTimer) {
    Tick();
    return;
  }
  int sound = -1;
  switch (id) {
    case kTimerProfileSound: {
      const int index = currentIndex_ ? currentIndex_() : -1;
      if (index >= 0 && index < kProfileCount) sound = kSoundProfileOne + index;
      break;
    }
    case kTimerWindowsProfileSound: sound = kSoundWindowsProfile; break;
    // Outside 1..60 the value names no file, and nothing is heard.
    case kTimerDpiSound: sound = dpi_ > 0 && dpi_ <= kSoundNumberLast / 100 ? dpi_ * 100 : -1; break;
    case kTimerSensitivityUpSound: sound = kSoundSensitivityUp; break;
    case kTimerSensitivityDownSound: sound = kSoundSensitivityDown; break;
    case kTimerVolumeUpSound: sound = kSoundVolumeUp; break;
    case kTimerVolumeDownSound: sound = kSoundVolumeDown; break;
    default: return;
  }
  timers_.KillTimer(id);  // one-shot
  if (sound >= 0) Play(sound);
}

void SoundFeedback::Tick() {
  if (!running_) {  // a tick left over from a stopped countdown
    timers_.KillTimer(kCountdownTimer);
    return;
  }
  const int old = count_;
  count_ = old - 1;
  if (count_ <= 5) final_ = true;
  switch (old) {
    case 11: case 6: case 5: case 4: case 3: case 2:
      Play(old - 1);
      return;
    default:
      break;
  }
  if (old < 2) {
    timers_.KillTimer(kCountdownTimer);
    Play(kSoundGo);
    EndCountdown();
  }
}

void SoundFeedback::EndCountdown() {
  running_ = false;
  final_ = false;
}

void SoundFeedback::StopAll() {
  if (running_) timers_.KillTimer(kCountdownTimer);
  EndCountdown();
  KillAnnouncements();
  player_.Stop();
}

}  // namespace vextra
