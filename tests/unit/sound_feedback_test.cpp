// Sounds and countdowns against a fake clock: what plays, and when.
#include "monitor/sound_feedback.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "common/memory_registry.h"
#include "monitor/monitor_core.h"
#include "sim/simulated_mouse.h"
#include "temp_folder.h"

using namespace vextra;

namespace {

// Window timers on a fake clock: periodic until killed, as on Windows.
class FakeTimers : public SoundTimers {
 public:
  long now = 0;
  std::map<int, std::pair<int, long>> running;  // id -> period, next expiry
  std::function<void(int)> fire;

  void StartTimer(int id, int milliseconds) override { running[id] = {milliseconds, now + milliseconds}; }
  void KillTimer(int id) override { running.erase(id); }
  void Advance(long milliseconds) {
    const long end = now + milliseconds;
    for (;;) {
      auto next = running.end();
      for (auto it = running.begin(); it != running.end(); ++it)
        if (it->second.second <= end && (next == running.end() || it->second.second < next->second.second)) next = it;
      if (next == running.end()) break;
      const int id = next->first;
      now = next->second.second;
      next->second.second += next->second.first;
      fire(id);
    }
    now = end;
  }
};

struct Played {
  long at;
  std::string file;  // the path after the program folder
  bool operator==(const Played& o) const { return at == o.at && file == o.file; }
};
std::ostream& operator<<(std::ostream& out, const Played& p) { return out << p.at << ":" << p.file; }

class RecordingPlayer : public SoundPlayer {
 public:
  explicit RecordingPlayer(const long& now) : now_(now) {}
  std::vector<Played> played;
  int stops = 0;
  bool stoppedBeforeEachPlay = true;
  void Stop() override {
    ++stops;
    stopped_ = true;
  }
  void Play(const std::string& path) override {
    if (!stopped_) stoppedBeforeEachPlay = false;
    stopped_ = false;
    played.push_back({now_, path.substr(std::strlen(kFolder))});
  }
  static constexpr const char* kFolder = "C:\\Vextra\\";

 private:
  const long& now_;
  bool stopped_ = false;
};

class SoundFeedbackTest : public ::testing::Test {
 protected:
  FakeTimers timers;
  RecordingPlayer player{timers.now};
  std::unique_ptr<SettingsBlock> block = std::make_unique<SettingsBlock>();
  SoundFeedback sound{player, timers, RecordingPlayer::kFolder,
                      [this]() -> const ProfileRecord* {
                        const int i = block->CurrentProfile;
                        return i >= 0 && i < kProfileCount ? &block->Profiles[i] : nullptr;
                      },
                      [this] { return block->CurrentProfile; }};

  void SetUp() override {
    ResetToDefaults(*block, -1);
    block->CurrentProfile = 1;
    Current().SoundVolume = 3;
    timers.fire = [this](int id) { sound.Timer(id); };
  }
  ProfileRecord& Current() { return block->Profiles[block->CurrentProfile]; }
  void StartCountdown(int seconds, int slot = 4) {
    Current().MacroKeys[slot].TimerSeconds = seconds;
    sound.CountdownButton(slot, true);
  }
};

TEST(SoundFiles, EachIdNamesItsFileAndOthersNone) {
  const std::map<int, std::string> table = {
      {0, "go.wav"}, {1, "1_second.wav"}, {2, "2_seconds.wav"}, {3, "3_seconds.wav"}, {4, "4_seconds.wav"},
      {5, "5_seconds.wav"}, {10, "10_seconds.wav"}, {18, "timer_stopped.wav"}, {19, "timer_activated.wav"},
      {30, "sens_up.wav"}, {31, "sens_down.wav"}, {32, "volume_up.wav"}, {33, "volume_down.wav"},
      {40, "profile_one.wav"}, {41, "profile_two.wav"}, {42, "profile_three.wav"}, {43, "profile_four.wav"},
      {44, "profile_five.wav"}, {45, "windows_profile.wav"}, {100, "100.wav"}, {800, "800.wav"}, {6000, "6000.wav"},
      {-1, ""}, {6, ""}, {9, ""}, {11, ""}, {17, ""}, {20, ""}, {29, ""}, {34, ""}, {39, ""}, {46, ""}, {99, ""},
      {6001, ""}, {1 << 30, ""}};
  for (const auto& [id, file] : table) EXPECT_EQ(SoundFileName(id), file) << id;
}

TEST(SoundFiles, PathUsesTheLoudnessFolderAndTwoForBadValues) {
  EXPECT_EQ(SoundPath("C:\\P\\", 0, 800), "C:\\P\\Wave\\Volume-0\\800.wav");
  EXPECT_EQ(SoundPath("C:\\P\\", 4, 0), "C:\\P\\Wave\\Volume-4\\go.wav");
  for (int bad : {7, 5, -1, -2147483647 - 1}) EXPECT_EQ(SoundPath("C:\\P\\", bad, 19), "C:\\P\\Wave\\Volume-2\\timer_activated.wav");
  EXPECT_EQ(SoundPath("C:\\P\\", 1, 46), "");
}

TEST_F(SoundFeedbackTest, PlayStopsTheLastSoundAndUsesTheProfilesLoudness) {
  Current().SoundVolume = 7;
  sound.Play(32);
  sound.Play(12345);  // no file: the sound still stops
  Current().SoundVolume = 0;
  sound.Play(41);
  EXPECT_EQ(player.played, (std::vector<Played>{{0, "Wave\\Volume-2\\volume_up.wav"}, {0, "Wave\\Volume-0\\profile_two.wav"}}));
  EXPECT_EQ(player.stops, 3);
}

TEST_F(SoundFeedbackTest, CountdownsSpeakTheirFilesAtTheRightTicks) {
  const std::string folder = "Wave\\Volume-3\\";
  struct Case {
    int seconds;
    std::vector<Played> expected;
  };
  const Played activated{0, "timer_activated.wav"};
  const std::vector<Case> cases = {
      {3, {activated, {1000, "2_seconds.wav"}, {2000, "1_second.wav"}, {3000, "go.wav"}}},
      {0, {activated, {1000, "go.wav"}}},
      {1, {activated, {1000, "go.wav"}}},
      {-5, {activated, {1000, "go.wav"}}},
      {12, {activated, {2000, "10_seconds.wav"}, {7000, "5_seconds.wav"}, {8000, "4_seconds.wav"},
            {9000, "3_seconds.wav"}, {10000, "2_seconds.wav"}, {11000, "1_second.wav"}, {12000, "go.wav"}}},
      {10, {activated, {0, "10_seconds.wav"}, {5000, "5_seconds.wav"}, {6000, "4_seconds.wav"}, {7000, "3_seconds.wav"},
            {8000, "2_seconds.wav"}, {9000, "1_second.wav"}, {10000, "go.wav"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    player.played.clear();
    timers.now = 0;
    StartCountdown(c.seconds);
    EXPECT_TRUE(sound.countdownRunning());
    timers.Advance(20000);
    std::vector<Played> expected = c.expected;
    for (Played& p : expected) p.file = folder + p.file;
    EXPECT_EQ(player.played, expected);
    EXPECT_TRUE(player.stoppedBeforeEachPlay);
    EXPECT_FALSE(sound.countdownRunning());
    EXPECT_FALSE(sound.CountdownFinal());
    EXPECT_TRUE(timers.running.empty()) << "the tick ends with the countdown";
  }
}

TEST_F(SoundFeedbackTest, FinalFlagCoversTheLastFiveSeconds) {
  StartCountdown(8);
  std::vector<bool> finals;
  for (int second = 1; second <= 8; ++second) {
    timers.Advance(1000);
    finals.push_back(sound.CountdownFinal());
  }
  // count after each tick: 7 6 5 4 3 2 1, then go
  EXPECT_EQ(finals, (std::vector<bool>{false, false, true, true, true, true, true, false}));
}

TEST_F(SoundFeedbackTest, StopEndsARunningCountdownAndOtherwiseDoesNothing) {
  sound.CountdownButton(3, false);
  EXPECT_TRUE(player.played.empty());
  EXPECT_EQ(player.stops, 0);

  StartCountdown(30);
  timers.Advance(27000);
  ASSERT_TRUE(sound.CountdownFinal());
  sound.CountdownButton(3, false);
  EXPECT_FALSE(sound.countdownRunning());
  EXPECT_FALSE(sound.CountdownFinal());
  EXPECT_EQ(player.played.back(), (Played{27000, "Wave\\Volume-3\\timer_stopped.wav"}));
  const size_t count = player.played.size();
  timers.Advance(10000);
  EXPECT_EQ(player.played.size(), count);
  EXPECT_TRUE(timers.running.empty());
}

TEST_F(SoundFeedbackTest, StartWhileRunningRestartsWithOneTick) {
  StartCountdown(3);
  timers.Advance(1500);
  StartCountdown(2, 7);  // at 1500: a new 2-second countdown
  timers.Advance(5000);
  EXPECT_EQ(player.played, (std::vector<Played>{{0, "Wave\\Volume-3\\timer_activated.wav"},
                                               {1000, "Wave\\Volume-3\\2_seconds.wav"},
                                               {1500, "Wave\\Volume-3\\timer_activated.wav"},
                                               {2500, "Wave\\Volume-3\\1_second.wav"},
                                               {3500, "Wave\\Volume-3\\go.wav"}}));
}

TEST_F(SoundFeedbackTest, CountdownNeedsACurrentProfileAndAValidSlot) {
  sound.CountdownButton(24, true);
  sound.CountdownButton(-1, true);
  block->CurrentProfile = 9;
  sound.CountdownButton(0, true);
  EXPECT_FALSE(sound.countdownRunning());
  EXPECT_TRUE(player.played.empty());
}

TEST_F(SoundFeedbackTest, AnnouncementTimersPlayOnceAtExpiry) {
  struct Case {
    int timer;
    std::string file;
  };
  sound.RememberDpi(16);
  const std::vector<Case> cases = {{601, "profile_two.wav"}, {602, "windows_profile.wav"}, {603, "1600.wav"},
                                   {605, "sens_up.wav"},     {606, "sens_down.wav"},       {607, "volume_up.wav"},
                                   {608, "volume_down.wav"}};
  for (const Case& c : cases) {
    player.played.clear();
    timers.StartTimer(c.timer, 500);
    timers.Advance(3000);
    EXPECT_EQ(player.played, (std::vector<Played>{{timers.now - 2500, "Wave\\Volume-3\\" + c.file}})) << c.timer;
    EXPECT_TRUE(timers.running.empty()) << c.timer;
  }
  // Values that name no file, and no current profile, are silence.
  player.played.clear();
  for (int dpi : {0, 61, -3, 2147483647}) {
    sound.RememberDpi(dpi);
    sound.Timer(603);
  }
  block->CurrentProfile = 5;  // out of range: not the Windows profile's file
  sound.Timer(601);
  EXPECT_TRUE(player.played.empty());
}

TEST_F(SoundFeedbackTest, VolumeKeysAnnounceOnlyWhenAllowed) {
  Current().VolumeUpDown = 0;
  sound.VolumeKeySound(607);
  EXPECT_TRUE(timers.running.empty());

  Current().VolumeUpDown = 1;
  timers.StartTimer(603, 500);  // a pending announcement is replaced
  sound.VolumeKeySound(607);
  sound.VolumeKeySound(608);
  sound.VolumeKeySound(609);  // not a volume timer
  EXPECT_EQ(timers.running.size(), 1u);
  EXPECT_EQ(timers.running.count(608), 1u);
  timers.Advance(1000);
  EXPECT_EQ(player.played, (std::vector<Played>{{500, "Wave\\Volume-3\\volume_down.wav"}}));

  StartCountdown(4);
  timers.Advance(1000);  // 3 seconds left
  sound.VolumeKeySound(607);
  EXPECT_EQ(timers.running.count(607), 0u);
}

TEST_F(SoundFeedbackTest, StopAllEndsCountdownAnnouncementsAndSound) {
  StartCountdown(20);
  timers.StartTimer(603, 500);
  sound.StopAll();
  EXPECT_TRUE(timers.running.empty());
  EXPECT_FALSE(sound.countdownRunning());
  EXPECT_EQ(player.stops, 2);
}

// --- with the Monitor's dispatch: the core starts the announcement timers.

class QuietHost : public MonitorHost {
 public:
  explicit QuietHost(FakeTimers& timers) : timers_(timers) {}
  bool CopyOut(const SettingsBlock&) override { return true; }
  bool CopyIn(SettingsBlock&) override { return false; }
  bool WindowExists(const char*) override { return false; }
  bool BringForward(const char*) override { return false; }
  void PostToWindow(const char*, unsigned, uintptr_t, intptr_t) override {}
  void PostToSelf(unsigned, uintptr_t, intptr_t) override {}
  uint32_t SelfHandle32() override { return 1; }
  void SendCopyData(uintptr_t, uint32_t, const void*, uint32_t) override {}
  void PostSynraActiveStatus() override {}
  void StartTimer(int id, int milliseconds) override { timers_.StartTimer(id, milliseconds); }
  void KillTimer(int id) override { timers_.KillTimer(id); }
  void ShellOpen(const std::string&, const char*) override {}
  std::string ForegroundExecutable() override { return std::string(); }
  void PostDeviceJob(int, int) override {}
  int OpenFeatureDevice() override { return 1; }
  void CloseFeatureDevice() override {}
  void SetTrayIcon(bool) override {}
  void ApplyWindowsValues(ProfileRecord&, bool) override {}
  void Sleep(int) override {}
  void Trace(const std::string&) override {}

 private:
  FakeTimers& timers_;
};

class NoClock : public DeviceClock {
 public:
  void Sleep(int) override {}
};

class SoundWithCoreTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakeTimers timers;
  RecordingPlayer player{timers.now};
  QuietHost host{timers};
  SimulatedMouse mouse;
  NoClock clock;
  MemoryRegistry registry;
  MonitorCore* corePointer = nullptr;
  SoundFeedback sound{player, timers, RecordingPlayer::kFolder,
                      [this]() -> const ProfileRecord* { return corePointer->CurrentProfileRecord(); },
                      [this] { return corePointer->block().CurrentProfile; }};
  MonitorCore core{host, sound, mouse, clock, folder.path(), &registry};

  void SetUp() override {
    corePointer = &core;
    core.LoadSettings(1);
    core.block().CurrentProfile = 0;
    for (ProfileRecord& p : core.block().Profiles) {
      p.SoundProfile = p.SoundDpi = p.SoundSens = p.VolumeUpDown = 1;
      p.SoundVolume = 1;
      p.Sensitivity = 5;
      p.XYSynchronous = 0;
      p.Cpi_X = p.Cpi_Y = 0;
      for (int i = 0; i < 5; ++i) p.CpiLevel_X[i] = 4 * (i + 1);
    }
    timers.fire = [this](int id) { core.OnTimer(id); };
  }
  void Event(uint32_t type, uint32_t value) { core.OnDeviceEvent(DeviceEventCode(type, value)); }
};

TEST_F(SoundWithCoreTest, ThreeDpiChangesWithinHalfASecondAnnounceTheLast) {
  Event(0xB000, 2);
  timers.Advance(200);
  Event(0xB000, 3);
  timers.Advance(200);
  Event(0xB000, 5);
  timers.Advance(2000);
  EXPECT_EQ(player.played, (std::vector<Played>{{900, "Wave\\Volume-1\\2000.wav"}}));
}

TEST_F(SoundWithCoreTest, LastFiveSecondsOfACountdownAreNotInterrupted) {
  core.block().Profiles[0].MacroKeys[2].FunctionCode = 49;
  core.block().Profiles[0].MacroKeys[2].TimerSeconds = 7;
  Event(0x8000, 3);
  timers.Advance(2100);  // 5 seconds left
  ASSERT_TRUE(sound.CountdownFinal());
  player.played.clear();
  Event(0xB000, 4);         // DPI
  Event(0xC000, 7);         // sensitivity up
  Event(0x1B00, 1);         // volume up
  Event(0x2000, 2);         // profile 2
  timers.Advance(5000);
  std::vector<std::string> files;
  for (const Played& p : player.played) files.push_back(p.file.substr(std::strlen("Wave\\Volume-1\\")));
  EXPECT_EQ(files, (std::vector<std::string>{"4_seconds.wav", "3_seconds.wav", "2_seconds.wav", "1_second.wav", "go.wav"}));

  // Once the countdown is over, the next change is heard again.
  Event(0x1B00, 255);
  timers.Advance(600);
  EXPECT_EQ(player.played.back().file, "Wave\\Volume-1\\volume_down.wav");
}

}  // namespace
