// Shortcuts and macro playback against a recording input sink and a fake
// clock. The "window thread" steps (a second button press) run from inside
// the clock's sleeps, so the stop path is deterministic.
#include "monitor/macro_player.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/program_messages.h"

using namespace vextra;

namespace {

constexpr unsigned kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kWin = 0x5B;
constexpr uint8_t kA = 4, kB = 5, kC = 6;  // key codes of A, B, C
constexpr bool kUp = true, kDown = false;

// An input event as the sink saw it: key (virtual key) or mouse button.
struct Input {
  int time;
  bool mouse;
  unsigned key;  // virtual key, or the MouseButton value
  bool release;
  bool operator==(const Input& o) const {
    return time == o.time && mouse == o.mouse && key == o.key && release == o.release;
  }
};

std::ostream& operator<<(std::ostream& out, const Input& i) {
  return out << "{t=" << i.time << (i.mouse ? " mouse " : " key 0x") << std::hex << i.key << std::dec
             << (i.release ? " up}" : " down}");
}

class FakeClock : public MacroClock {
 public:
  int now = 0;
  int schedules = 0;
  std::vector<int> sleeps;
  // Runs once, on the first sleep that reaches `at` (the window thread acting).
  int at = -1;
  std::function<void()> action;

  void StartSchedule() override { ++schedules; }
  void Sleep(int milliseconds) override {
    sleeps.push_back(milliseconds);
    now += milliseconds;
    if (action && at >= 0 && now >= at) {
      auto run = std::move(action);
      action = nullptr;
      run();
    }
  }
};

class RecordingInput : public InputSink {
 public:
  explicit RecordingInput(const FakeClock& clock) : clock_(clock) {}
  std::vector<Input> events;
  std::vector<unsigned> scans;
  void Key(unsigned virtualKey, unsigned scan, bool release) override {
    events.push_back({clock_.now, false, virtualKey, release});
    scans.push_back(scan);
  }
  void Mouse(MouseButton button, bool release) override {
    events.push_back({clock_.now, true, static_cast<unsigned>(button), release});
    scans.push_back(0);
  }

 private:
  const FakeClock& clock_;
};

class RecordingHost : public MacroHost {
 public:
  std::vector<std::pair<int, int>> started;  // (id, milliseconds)
  int kills = 0;
  std::vector<std::string> traces;
  void StartTimer(int id, int milliseconds) override { started.push_back({id, milliseconds}); }
  void KillTimer(int id) override {
    if (id == kTimerKeyRepeat) ++kills;
  }
  void Trace(const std::string& text) override { traces.push_back(text); }
};

// The US layout, except that the keys at the positions of Q and A give A and
// Q (as on a French keyboard); scan codes are the virtual key + 0x100, so a
// test can tell that they came from the layout.
class FrenchishLayout : public UsKeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned scan) const override {
    if (scan == 0x10) return 'A';
    if (scan == 0x1E) return 'Q';
    return UsKeyboardLayout::ScanToVirtualKey(scan);
  }
  unsigned VirtualKeyToScan(unsigned virtualKey) const override { return 0x100 + virtualKey; }
};

class MacroPlayerTest : public ::testing::Test {
 protected:
  std::unique_ptr<ProfileRecord> profile = std::make_unique<ProfileRecord>();
  FakeClock windowClock;  // the shortcut's gaps; keeps its own time
  FakeClock clock;        // the macro thread's pauses
  RecordingInput input{clock};
  RecordingInput shortcutInput{windowClock};
  FrenchishLayout layout;
  RecordingHost host;
  int posts = 0;
  std::unique_ptr<MacroPlayer> player;
  std::unique_ptr<MacroPlayer> shortcuts;

  void SetUp() override {
    auto current = [this] { return profile.get(); };
    player = std::make_unique<MacroPlayer>(input, layout, host, windowClock, clock, current, [this] { ++posts; });
    shortcuts = std::make_unique<MacroPlayer>(shortcutInput, layout, host, windowClock, clock, current, nullptr);
  }

  void SetMacro(int slot, std::vector<MacroEvent> events, int loops = 1) {
    MacroKeyInfo& key = profile->MacroKeys[slot];
    key.FunctionCode = 48;
    key.LoopCount = loops;
    key.EventCount = static_cast<int16_t>(events.size());
    for (size_t i = 0; i < events.size(); ++i) key.Events[i] = events[i];
  }

  void SetShortcut(int slot, uint8_t code, uint8_t modifiers) {
    MacroKeyInfo& key = profile->MacroKeys[slot];
    key.FunctionCode = 5;
    key.EventCount = 1;
    key.Events[0] = MacroEvent{code, modifiers, 0};
  }

  // The window thread's press followed by the macro thread's playback.
  void Press(int slot) {
    const int before = posts;
    player->MacroButton(slot);
    if (posts > before) player->PlayMacro();
  }
};

TEST_F(MacroPlayerTest, LoopCountPlaysThatManyPassesBetweenOneAndTheFormatsLimit) {
  const struct {
    int loops;
    size_t passes;
  } cases[] = {{0, 1}, {-7, 1}, {1, 1}, {3, 3}, {255, 255}, {1000000, 255}};
  for (const auto& c : cases) {
    input.events.clear();
    SetMacro(0, {{kA, 1, 10}, {kA, 2, 10}}, c.loops);
    Press(0);
    EXPECT_EQ(input.events.size(), 2 * c.passes) << "loop count " << c.loops;
    EXPECT_FALSE(player->busy());
  }
}

TEST_F(MacroPlayerTest, EventsFollowEachOtherByTheirDelaysAndDelayZeroWaitsOneMillisecond) {
  SetMacro(0, {{kA, 1, 0}, {kA, 2, 250}, {240, 1, 7}, {240, 2, 0}, {kB, 1, 40}, {kB, 2, 0}});
  Press(0);
  const std::vector<Input> expected = {{0, false, 'Q', kDown}, {1, false, 'Q', kUp},  // A's position types Q here
                                       {251, true, 0, kDown},  {258, true, 0, kUp},
                                       {259, false, 'B', kDown}, {299, false, 'B', kUp}};
  EXPECT_EQ(input.events, expected);
  EXPECT_EQ(clock.now, 300);
  EXPECT_EQ(clock.schedules, 1);
  EXPECT_EQ(input.scans[0], 0x100u + 'Q');
  ASSERT_FALSE(host.traces.empty());
  EXPECT_EQ(host.traces.back(), "g_iCurAction= 5,start=0,end=6\n");
}

TEST_F(MacroPlayerTest, KeyCodesBecomeTheLayoutsKeysGenericModifiersAndFiveMouseButtons) {
  const struct {
    uint8_t code;
    bool mouse;
    unsigned key;
  } cases[] = {
      {20, false, 'A'},  // the key at Q's position
      {kA, false, 'Q'},
      {58, false, 0x70},  // F1
      {74, false, 0x24},  // Home: the table's own virtual key
      {224, false, kCtrl}, {225, false, kShift}, {226, false, kAlt},
      {228, false, kCtrl}, {229, false, kShift}, {230, false, kAlt},
      {227, false, kWin},
      {240, true, static_cast<unsigned>(MouseButton::Left)},
      {241, true, static_cast<unsigned>(MouseButton::Right)},
      {242, true, static_cast<unsigned>(MouseButton::Middle)},
      {243, true, static_cast<unsigned>(MouseButton::Extended2)},
      {244, true, static_cast<unsigned>(MouseButton::Extended1)},
  };
  for (const auto& c : cases) {
    input.events.clear();
    SetMacro(0, {{c.code, 1, 5}, {c.code, 2, 5}});
    Press(0);
    ASSERT_EQ(input.events.size(), 2u) << int(c.code);
    EXPECT_EQ(input.events[0], (Input{input.events[0].time, c.mouse, c.key, kDown})) << int(c.code);
    EXPECT_EQ(input.events[1], (Input{input.events[1].time, c.mouse, c.key, kUp})) << int(c.code);
  }
}

TEST_F(MacroPlayerTest, UnknownKeysAndDamagedKindsSendNothingButKeepTheirTime) {
  SetMacro(0, {{102, 1, 10}, {kA, 7, 20}, {241, 0, 30}, {102, 2, 10}, {kB, 1, 5}});
  Press(0);
  ASSERT_EQ(input.events.size(), 1u);
  EXPECT_EQ(input.events[0], (Input{70, false, 'B', kDown}));
}

TEST_F(MacroPlayerTest, LongPressRepeatsEvery33MillisecondsAfterHalfASecond) {
  SetMacro(0, {{kC, 1, 1500}, {kC, 2, 10}});
  Press(0);
  ASSERT_EQ(input.events.size(), 2u + 2 * 31);
  EXPECT_EQ(input.events.front(), (Input{0, false, 'C', kDown}));
  for (int pair = 0; pair < 31; ++pair) {
    const int t = 500 + 33 * pair;
    EXPECT_EQ(input.events[1 + 2 * pair], (Input{t, false, 'C', kUp}));
    EXPECT_EQ(input.events[2 + 2 * pair], (Input{t, false, 'C', kDown}));
  }
  EXPECT_EQ(input.events.back(), (Input{500 + 31 * 33, false, 'C', kUp}));

  // Every keyboard key repeats, side-specific modifiers and Win keys too.
  for (uint8_t code : {uint8_t(225), uint8_t(229), uint8_t(224), uint8_t(227)}) {
    input.events.clear();
    SetMacro(0, {{code, 1, 1500}, {code, 2, 10}});
    Press(0);
    EXPECT_EQ(input.events.size(), 2u + 2 * 31) << int(code);
  }

  // Mouse buttons and lock keys are held without repeating.
  for (uint8_t code : {uint8_t(240), uint8_t(57)}) {
    input.events.clear();
    SetMacro(0, {{code, 1, 1500}, {code, 2, 10}});
    const int start = clock.now;
    Press(0);
    ASSERT_EQ(input.events.size(), 2u) << int(code);
    EXPECT_EQ(input.events[1].time - start, 1500) << int(code);
  }
}

TEST_F(MacroPlayerTest, SecondPressStopsWithinOneEventAndReleasesHeldKeysInReverse50Apart) {
  SetMacro(3, {{kA, 1, 100}, {240, 1, 100}, {kB, 1, 100}, {kC, 1, 100}, {kC, 2, 100}, {kA, 2, 100}});
  clock.at = 250;  // during the pause after B's press
  clock.action = [this] { player->MacroButton(3); };
  Press(3);
  const std::vector<Input> expected = {
      {0, false, 'Q', kDown}, {100, true, 0, kDown}, {200, false, 'B', kDown},
      {300, false, 'B', kUp}, {350, true, 0, kUp},   {400, false, 'Q', kUp}};
  EXPECT_EQ(input.events, expected);
  EXPECT_EQ(clock.now, 450);
  EXPECT_EQ(posts, 1);  // the stopping press started nothing
  EXPECT_FALSE(player->busy());
  const std::vector<std::string> traces = {"g_iCurAction= 3,start=0,end=6\n", "g_iCurAction= 3,Map=5\n",
                                           "g_iCurAction= 2,Map=f0\n", "g_iCurAction= 1,Map=4\n"};
  EXPECT_EQ(host.traces, traces);

  // The next press plays the macro from the start.
  input.events.clear();
  Press(3);
  EXPECT_EQ(input.events.size(), 6u);
}

TEST_F(MacroPlayerTest, AStopIsSeenWithinAHundredMillisecondsOfALongPause) {
  const struct {
    MacroEvent first;
    const char* what;
  } cases[] = {{{kA, 2, 60000}, "release"}, {{kA, 1, 60000}, "long press"}, {{243, 1, 60000}, "mouse press"}};
  for (const auto& c : cases) {
    input.events.clear();
    SetMacro(0, {c.first, {kB, 1, 10}});
    const int start = clock.now;
    clock.at = start + 1234;
    clock.action = [this] { player->MacroButton(0); };
    Press(0);
    EXPECT_FALSE(player->busy());
    const int pressHeld = c.first.action == 1 ? 1 : 0;
    EXPECT_LE(clock.now - start, 1234 + 100 + 50 * pressHeld) << c.what;
    for (const Input& i : input.events) EXPECT_NE(i.key, static_cast<unsigned>('B')) << c.what;
    if (pressHeld) {
      EXPECT_TRUE(input.events.back().release) << c.what;
    }
  }
}

TEST_F(MacroPlayerTest, AnotherMacroButtonOnlyStopsThePlayingMacro) {
  SetMacro(1, {{kA, 1, 100}, {kA, 2, 100}, {kB, 1, 100}, {kB, 2, 100}});
  SetMacro(2, {{kC, 1, 10}, {kC, 2, 10}});
  clock.at = 150;
  clock.action = [this] { player->MacroButton(2); };
  Press(1);
  const std::vector<Input> expected = {{0, false, 'Q', kDown}, {100, false, 'Q', kUp}};
  EXPECT_EQ(input.events, expected);
  EXPECT_EQ(posts, 1);
}

TEST_F(MacroPlayerTest, StopReleasesKeysHeldFromEarlierPassesOncePerKey) {
  // Never released: every pass presses A again; stopped at the first event of a pass.
  SetMacro(0, {{kA, 1, 100}, {kB, 1, 100}, {kB, 2, 100}}, 50);
  clock.at = 3 * 300;
  clock.action = [this] { player->MacroButton(0); };
  Press(0);
  std::vector<Input> releases;
  for (const Input& i : input.events)
    if (i.release) releases.push_back(i);
  ASSERT_EQ(releases.size(), 4u);  // three B releases of the passes, then A once
  EXPECT_EQ(releases.back(), (Input{900, false, 'Q', kUp}));
  EXPECT_EQ(clock.now, 950);
}

TEST_F(MacroPlayerTest, DamagedOrEmptySlotsStartNothing) {
  SetMacro(0, {{kA, 1, 10}});
  profile->MacroKeys[0].EventCount = 0;
  SetMacro(1, {{kA, 1, 10}});
  profile->MacroKeys[1].EventCount = -3;
  SetMacro(2, {{kA, 1, 10}});
  profile->MacroKeys[2].FunctionCode = 5;
  for (int slot : {0, 1, 2, -1, 24, 1000}) player->MacroButton(slot);
  EXPECT_EQ(posts, 0);
  player->PlayMacro();  // a stray play message with nothing handed over
  EXPECT_TRUE(input.events.empty());

  // A count beyond the event area plays the 500 events there are.
  SetMacro(4, {});
  profile->MacroKeys[4].EventCount = 30000;
  for (auto& e : profile->MacroKeys[4].Events) e = MacroEvent{kA, 1, 1};
  Press(4);
  EXPECT_EQ(input.events.size(), 500u);
  EXPECT_EQ(host.traces.back(), "g_iCurAction= 499,start=0,end=500\n");
}

TEST_F(MacroPlayerTest, ShortcutPressesModifiersInOrderAndReleasesInReverse) {
  const struct {
    uint8_t bits;
    std::vector<unsigned> modifiers;
  } cases[] = {{0x06, {kCtrl, kShift}},
               {0x1E, {kCtrl, kShift, kAlt, kWin}},
               {0x08, {kAlt}},
               {0x1F, {}},  // bit 0: no modifiers, whatever else is set
               {0x00, {}}};
  for (const auto& c : cases) {
    shortcutInput.events.clear();
    SetShortcut(7, kB, c.bits);
    const int start = windowClock.now;
    shortcuts->ShortcutPressed(7);
    shortcuts->ShortcutReleased(7);
    std::vector<Input> expected;
    int t = start;
    for (unsigned m : c.modifiers) expected.push_back({t++, false, m, kDown});
    expected.push_back({t, false, 'B', kDown});
    expected.push_back({t, false, 'B', kUp});
    for (auto m = c.modifiers.rbegin(); m != c.modifiers.rend(); ++m) expected.push_back({++t, false, *m, kUp});
    EXPECT_EQ(shortcutInput.events, expected) << "bits " << int(c.bits);
  }
  EXPECT_EQ(shortcutInput.scans.front(), 0x100u + kCtrl);  // the layout's scan code of the key
}

TEST_F(MacroPlayerTest, HeldShortcutRepeatsAfterASecondThenEveryTenthButNeverItsModifiers) {
  SetShortcut(2, kC, 0x04);
  shortcuts->ShortcutPressed(2);
  EXPECT_EQ(host.started, (std::vector<std::pair<int, int>>{{kTimerKeyRepeat, 1000}}));
  shortcutInput.events.clear();
  shortcuts->Timer(kTimerKeyRepeat);
  shortcuts->Timer(kTimerKeyRepeat);
  EXPECT_EQ(host.started.back(), std::make_pair(kTimerKeyRepeat, 100));
  EXPECT_EQ(host.started.size(), 2u);
  const int t = windowClock.now;
  const std::vector<Input> repeats = {{t - 2, false, 'C', kUp}, {t - 1, false, 'C', kDown},
                                      {t - 1, false, 'C', kUp}, {t, false, 'C', kDown}};
  EXPECT_EQ(shortcutInput.events, repeats);

  shortcuts->ShortcutReleased(2);
  EXPECT_GE(host.kills, 1);
  shortcutInput.events.clear();
  shortcuts->Timer(kTimerKeyRepeat);  // already queued before the release
  EXPECT_TRUE(shortcutInput.events.empty());
}

TEST_F(MacroPlayerTest, ShortcutsOnModifiersWinAndLockKeysAreNeverRepeated) {
  for (uint8_t code : {uint8_t(225), uint8_t(224), uint8_t(227), uint8_t(57), uint8_t(102)}) {
    SetShortcut(0, code, 0x01);
    shortcuts->ShortcutPressed(0);
    const size_t pressed = shortcutInput.events.size();
    for (int i = 0; i < 3; ++i) shortcuts->Timer(kTimerKeyRepeat);
    EXPECT_EQ(shortcutInput.events.size(), pressed) << int(code);
    shortcuts->ShortcutReleased(0);
  }
  // Left Shift is pressed and released as Shift.
  const std::vector<Input> first = {{0, false, kShift, kDown}, {0, false, kShift, kUp}};
  EXPECT_EQ(std::vector<Input>(shortcutInput.events.begin(), shortcutInput.events.begin() + 2), first);
}

TEST_F(MacroPlayerTest, ReleaseLetsGoOfWhatThePressPressedEvenIfTheSlotChanged) {
  SetShortcut(4, kA, 0x02);
  shortcuts->ShortcutPressed(4);
  SetShortcut(4, kB, 0x08);  // settings applied while the button is held
  shortcuts->ShortcutReleased(4);
  ASSERT_EQ(shortcutInput.events.size(), 4u);
  EXPECT_EQ(shortcutInput.events[2].key, static_cast<unsigned>('Q'));
  EXPECT_EQ(shortcutInput.events[3].key, kShift);
  shortcuts->ShortcutReleased(4);  // a second release: nothing more
  shortcuts->ShortcutReleased(9);  // never pressed
  EXPECT_EQ(shortcutInput.events.size(), 4u);
}

TEST_F(MacroPlayerTest, StopAllReleasesAHeldShortcutAndStopsThePlayingMacro) {
  SetShortcut(0, kA, 0x04);
  shortcuts->ShortcutPressed(0);
  shortcuts->StopAll();
  ASSERT_EQ(shortcutInput.events.size(), 4u);
  EXPECT_TRUE(shortcutInput.events[2].release && shortcutInput.events[3].release);
  EXPECT_GE(host.kills, 1);

  SetMacro(1, {{kA, 1, 5000}, {kA, 2, 10}});
  clock.at = 700;
  clock.action = [this] { player->StopAll(); };
  Press(1);
  EXPECT_LE(clock.now, 700 + 33 + 50);
  EXPECT_EQ(input.events.back(), (Input{input.events.back().time, false, 'Q', kUp}));
  EXPECT_FALSE(player->busy());
}

}  // namespace
