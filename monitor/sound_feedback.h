// Spoken feedback of the Monitor: the announcements of changes made on the
// mouse (delayed 500 ms so a quick series is announced once, with its last
// value) and the countdown started from a button.
#pragma once

#include <functional>
#include <string>

#include "common/settings_block.h"
#include "monitor/monitor_host.h"
#include "common/program_messages.h"

namespace vextra {

// Sound ids with a file of their own; 100..6000 name a number.
enum SoundId {
  kSoundGo = 0,
  kSoundTenSeconds = 10,
  kSoundTimerStopped = 18,
  kSoundTimerActivated = 19,
  kSoundSensitivityUp = 30,
  kSoundSensitivityDown = 31,
  kSoundVolumeUp = 32,
  kSoundVolumeDown = 33,
  kSoundProfileOne = 40,
  kSoundWindowsProfile = 45,
  kSoundNumberFirst = 100,
  kSoundNumberLast = 6000,
};

// The file of a sound id, empty for an id without one.
std::string SoundFileName(int soundId);
// The loudness folder, "Wave\Volume-N" (0..4; any other value counts as 2).
std::string SoundFolder(int soundVolume);
// programFolder (with its trailing backslash) + folder + "\" + file; empty
// when the id has no file.
std::string SoundPath(const std::string& programFolder, int soundVolume, int soundId);

// Plays wave files without waiting for them.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Stops whatever this program is playing.
  virtual void Stop() = 0;
  // Starts the file; a missing file is silence.
  virtual void Play(const std::string& path) = 0;
};

// The Monitor window's timers.
class SoundTimers {
 public:
  virtual ~SoundTimers() = default;
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;
};

// The sound part of what the Monitor carries out on the PC.
class SoundFeedback : public PcActions {
 public:
  static constexpr int kCountdownTimer = kTimerCountdown;
  static constexpr int kCountdownTick = 1000;

  // currentProfile: the current profile, null when none is; currentIndex its
  // index. Both are read when a sound plays.
  SoundFeedback(SoundPlayer& player, SoundTimers& timers, std::string programFolder,
                std::function<const ProfileRecord*()> currentProfile, std::function<int()> currentIndex);

  // Stops what plays, then plays the id from the current profile's loudness folder.
  void Play(int soundId);

  // Function codes 49 (start) and 50 (stop) of the button in slot 0..23, pressed.
  void CountdownButton(int slot, bool start) override;
  // Volume up (607) or down (608) on the mouse: announced once it has settled.
  void VolumeKeySound(int timerId) override;
  // The DPI value the pending DPI announcement speaks (x 100).
  void RememberDpi(int levelValue) override { dpi_ = levelValue; }
  // Timers 600 (countdown tick) and 601..608 (announcements).
  void Timer(int id) override;
  // At shutdown: no countdown and no sound outlive the window.
  void StopAll() override;
  // The last five seconds of a countdown: announcements wait.
  bool CountdownFinal() const override { return final_; }

  bool countdownRunning() const { return running_; }
  int remaining() const { return count_; }

 private:
  void KillAnnouncements();
  void Tick();
  void EndCountdown();

  SoundPlayer& player_;
  SoundTimers& timers_;
  std::string programFolder_;
  std::function<const ProfileRecord*()> currentProfile_;
  std::function<int()> currentIndex_;
  bool running_ = false;
  bool final_ = false;
  int count_ = 0;
  int dpi_ = 0;
};

}  // namespace vextra
