// The Monitor's decisions against a recording host and the simulated mouse.
#include "monitor/monitor_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/osd_setting.h"
#include "common/memory_registry.h"
#include "common/program_messages.h"
#include "monitor/synra_protocol.h"
#include "sim/simulated_mouse.h"
#include "temp_folder.h"

using namespace vextra;

namespace {

constexpr unsigned kClose = 0x0010, kCommand = 0x0111;

struct Posted {
  std::string to;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
  bool operator==(const Posted& o) const {
    return to == o.to && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};

struct CopyData {
  uintptr_t window;
  uint32_t dwData;
  std::vector<uint8_t> bytes;
};

class RecordingHost : public MonitorHost {
 public:
  std::unique_ptr<SettingsBlock> section = std::make_unique<SettingsBlock>();
  bool hasSection = true;
  int copiesOut = 0;
  std::set<std::string> windows;
  std::vector<Posted> posted;
  std::vector<CopyData> copyData;
  int synraStatusPosts = 0;
  std::map<int, int> timers;  // running timers and their periods
  std::vector<int> started;
  std::vector<std::pair<std::string, std::string>> opened;
  std::string foreground;
  std::vector<std::pair<int, int>> jobs;
  int featureOpens = 0, featureCloses = 0;
  std::vector<bool> tray;
  std::vector<std::pair<int, bool>> windowsApplied;  // (profile's DbleClickSpeed, registry written)
  int slept = 0;
  std::vector<std::string> traces;
  std::vector<std::string> broughtForward;

  bool CopyOut(const SettingsBlock& block) override {
    if (!hasSection) return false;
    std::memcpy(section.get(), &block, sizeof block);
    ++copiesOut;
    return true;
  }
  bool CopyIn(SettingsBlock& block) override {
    if (!hasSection) return false;
    std::memcpy(&block, section.get(), sizeof block);
    return true;
  }
  bool WindowExists(const char* title) override { return windows.count(title) != 0; }
  bool BringForward(const char* title) override {
    if (!windows.count(title)) return false;
    broughtForward.push_back(title);
    return true;
  }
  void PostToWindow(const char* title, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    if (windows.count(title)) posted.push_back({title, message, wParam, lParam});
  }
  void PostToSelf(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    posted.push_back({"self", message, wParam, lParam});
  }
  uint32_t SelfHandle32() override { return 0x1234; }
  void SendCopyData(uintptr_t window, uint32_t dwData, const void* data, uint32_t size) override {
    const auto* p = static_cast<const uint8_t*>(data);
    copyData.push_back({window, dwData, std::vector<uint8_t>(p, p + size)});
  }
  void PostSynraActiveStatus() override { ++synraStatusPosts; }
  void StartTimer(int id, int ms) override {
    timers[id] = ms;
    started.push_back(id);
  }
  void KillTimer(int id) override { timers.erase(id); }
  void ShellOpen(const std::string& path, const char* parameters) override {
    opened.push_back({path, parameters ? parameters : ""});
  }
  std::string ForegroundExecutable() override { return foreground; }
  void PostDeviceJob(int job, int argument) override { jobs.push_back({job, argument}); }
  int OpenFeatureDevice() override { return ++featureOpens, 1; }
  void CloseFeatureDevice() override { ++featureCloses; }
  void SetTrayIcon(bool present) override { tray.push_back(present); }
  void ApplyWindowsValues(ProfileRecord& profile, bool writeRegistry) override {
    windowsApplied.push_back({profile.DbleClickSpeed, writeRegistry});
  }
  bool realSleep = false;  // for waits on another thread
  void Sleep(int ms) override {
    slept += ms;
    if (realSleep) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  void Trace(const std::string& text) override { traces.push_back(text); }

  int PostsOf(unsigned message) const {
    return static_cast<int>(std::count_if(posted.begin(), posted.end(),
                                          [&](const Posted& p) { return p.message == message; }));
  }
};

class RecordingPc : public PcActions {
 public:
  std::vector<std::string> calls;
  bool final = false;
  int dpi = -1;
  void UniversalScroll(int d) override { calls.push_back("scroll " + std::to_string(d)); }
  std::set<int> held;
  void ShortcutPressed(int s) override {
    held.insert(s);
    calls.push_back("shortcut down " + std::to_string(s));
  }
  void ShortcutReleased(int s) override {
    held.erase(s);
    calls.push_back("shortcut up " + std::to_string(s));
  }
  bool ShortcutHeld(int s) const override { return held.count(s) != 0; }
  void MacroButton(int s) override { calls.push_back("macro " + std::to_string(s)); }
  void CountdownButton(int s, bool start) override {
    calls.push_back(std::string(start ? "countdown start " : "countdown stop ") + std::to_string(s));
  }
  void VolumeKeySound(int t) override { calls.push_back("volume " + std::to_string(t)); }
  void MediaFunction(int f, int q) override { calls.push_back("media " + std::to_string(f) + " " + std::to_string(q)); }
  void Timer(int id) override { calls.push_back("timer " + std::to_string(id)); }
  bool CountdownFinal() const override { return final; }
  void RememberDpi(int level) override { dpi = level; }
};

class CountingClock : public DeviceClock {
 public:
  std::atomic<long long> slept{0};
  std::function<void()> onSleep;  // set while no job runs
  void Sleep(int ms) override {
    slept += ms;
    if (onSleep) onSleep();
  }
};

// Waits up to five seconds for a condition another thread makes true.
bool WaitFor(const std::function<bool()>& condition) {
  for (int i = 0; i < 5000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

// Every report the simulated mouse sees, in order: "set 14", "get 4".
class ReportLog {
 public:
  explicit ReportLog(SimulatedMouse& mouse) {
    mouse.SetReportHook([this](uint8_t id, bool write) {
      std::lock_guard<std::mutex> lock(lock_);
      entries_.push_back((write ? "set " : "get ") + std::to_string(id));
    });
  }
  std::vector<std::string> entries() const {
    std::lock_guard<std::mutex> lock(lock_);
    return entries_;
  }
  // What followed the last write of the report.
  std::vector<std::string> after(const std::string& write) const {
    const std::vector<std::string> all = entries();
    auto last = std::find(all.rbegin(), all.rend(), write);
    if (last == all.rend()) return {"(" + write + " never sent)"};
    return std::vector<std::string>(last.base(), all.end());
  }
  void clear() {
    std::lock_guard<std::mutex> lock(lock_);
    entries_.clear();
  }

 private:
  mutable std::mutex lock_;
  std::vector<std::string> entries_;
};

class MonitorCoreTest : public ::testing::Test {
 protected:
  TempFolder folder;
  RecordingHost host;
  RecordingPc pc;
  SimulatedMouse mouse;
  CountingClock clock;
  MemoryRegistry registry;
  MonitorCore core{host, pc, mouse, clock, folder.path(), &registry};

  void SetUp() override {
    core.LoadSettings(1);
    host.windows.insert(kOptionTitle);
  }
  ProfileRecord& Current() { return *core.CurrentProfileRecord(); }
  void Event(uint32_t type, uint32_t value) { core.OnDeviceEvent(DeviceEventCode(type, value)); }
  IniFile Config() {
    IniFile ini(folder.path() + "config.ini");
    ini.Load();
    return ini;
  }
  void Connect() {
    core.setDeviceState(kDeviceConnected);
    host.tray.clear();
  }
};

TEST_F(MonitorCoreTest, ProfileEventSelectsProfileStoresItAndTellsTheOption) {
  Current().SoundProfile = 1;
  core.OnDeviceEvent(DeviceEventCode(0x2000, 3));
  EXPECT_EQ(core.block().CurrentProfile, 2);
  EXPECT_EQ(Config().GetInt("Setting", "CurrentProfile", -1), 2);
  EXPECT_EQ(host.section->CurrentProfile, 2);
  EXPECT_EQ(host.PostsOf(WM_OPT_PROFILE_CHANGED), 1);
  ASSERT_FALSE(host.windowsApplied.empty());
  EXPECT_TRUE(host.windowsApplied.back().second) << "registry written before the values are applied";
  EXPECT_EQ(host.timers.count(kTimerProfileSound), 1u) << "the previous profile asked for the announcement";
  EXPECT_NE(std::find(host.traces.begin(), host.traces.end(), "Profile Id: 2 \n"), host.traces.end());

  host.timers.clear();
  pc.final = true;  // the last five seconds of a countdown keep quiet
  Current().SoundProfile = 1;
  Event(0x2000, 1);
  EXPECT_EQ(core.block().CurrentProfile, 0);
  EXPECT_TRUE(host.timers.empty());
}

TEST_F(MonitorCoreTest, DpiEventUpdatesLevelAndAnnouncesOnlyANewValue) {
  ProfileRecord& p = Current();
  p.SoundDpi = 1;
  p.Cpi_X = p.Cpi_Y = 0;
  p.CpiLevel_X[0] = 8;
  p.CpiLevel_X[1] = 8;
  p.CpiLevel_X[2] = 16;
  Event(0xB000, 2);  // same value as before
  EXPECT_EQ(p.Cpi_X, 1);
  EXPECT_EQ(p.Cpi_Y, 1);
  EXPECT_EQ(host.section->Profiles[core.block().CurrentProfile].Cpi_X, 1);
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_VALUE_CHANGED), 1);
  EXPECT_EQ(host.timers.count(kTimerDpiSound), 0u);

  Event(0xB000, 3);
  EXPECT_EQ(host.timers.count(kTimerDpiSound), 1u);
  EXPECT_EQ(host.timers[kTimerDpiSound], 500);
  EXPECT_EQ(pc.dpi, 16);

  for (uint32_t v : {0u, 6u, 0x105u}) Event(0xB000, v);  // no such level
  EXPECT_EQ(p.Cpi_X, 2);
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_VALUE_CHANGED), 2);
}

TEST_F(MonitorCoreTest, SensitivityEvents) {
  ProfileRecord& p = Current();
  p.SoundSens = 1;
  p.XYSynchronous = 0;
  p.Sensitivity = 6;
  const ProfileRecord before = p;
  for (uint32_t v : {0u, 12u, 255u}) Event(0xC000, v);  // b out of range, h = 0
  EXPECT_EQ(std::memcmp(&before, &p, sizeof p), 0);
  EXPECT_EQ(host.copiesOut, 0);
  EXPECT_TRUE(host.posted.empty());
  EXPECT_TRUE(host.timers.empty());

  Event(0xC000, 8);
  EXPECT_EQ(p.Sensitivity, 8);
  EXPECT_EQ(host.timers.count(kTimerSensitivityUpSound), 1u);
  Event(0xC000, 8);  // same value: stored, no sound
  EXPECT_EQ(host.started.size(), 1u);
  Event(0xC000, 3);
  EXPECT_EQ(host.timers.count(kTimerSensitivityDownSound), 1u);
  EXPECT_EQ(host.timers.count(kTimerSensitivityUpSound), 0u) << "one announcement pending at a time";
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_VALUE_CHANGED), 3);

  p.XYSynchronous = 1;
  p.Sensitivity_X = 4;
  p.Sensitivity_Y = 4;
  Event(0xC000, 0x0900);  // only y, b = 0
  EXPECT_EQ(p.Sensitivity_X, 4);
  EXPECT_EQ(p.Sensitivity_Y, 9);
  Event(0xC000, 0x0C05);  // x; y 12 is out of range
  EXPECT_EQ(p.Sensitivity_X, 5);
  EXPECT_EQ(p.Sensitivity_Y, 9);
}

TEST_F(MonitorCoreTest, PollingEvent) {
  Event(0xD000, 4);
  EXPECT_EQ(Current().PollingRate, 3);
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_VALUE_CHANGED), 1);
  Event(0xD000, 5);
  Event(0xD000, 0);
  EXPECT_EQ(Current().PollingRate, 3);
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_VALUE_CHANGED), 1);
}

TEST_F(MonitorCoreTest, ButtonsAndPcFunctionsReachTheirHandlers) {
  ProfileRecord& p = Current();
  p.MacroKeys[3].FunctionCode = 5;
  p.MacroKeys[4].FunctionCode = 48;
  p.MacroKeys[5].FunctionCode = 49;
  p.MacroKeys[6].FunctionCode = 50;
  p.MacroKeys[7].FunctionCode = 15;
  CopyField(p.MacroKeys[7].ProgramPath, "C:\\Tools\\tool.exe");
  p.MacroKeys[8].FunctionCode = 1;
  const struct {
    uint32_t type, value;
    const char* call;  // null: nothing on the PC side
  } cases[] = {
      {0x8000, 4, "shortcut down 3"},      {0x9000, 0x104, "shortcut up 3"},
      {0x8000, 5, "macro 4"},              {0x8000, 0x105, nullptr},
      {0x8000, 6, "countdown start 5"},    {0x9000, 7, "countdown stop 6"},
      {0x8000, 0x106, nullptr},            {0x8000, 9, nullptr},
      {0x8000, 0, nullptr},                {0x8000, 25, nullptr},
      {0x1000, 1, "scroll -1"},            {0x1000, 255, "scroll 1"},
      {0x1000, 2, nullptr},                {0x1B00, 1, "volume 607"},
      {0x1B00, 255, "volume 608"},         {0x1B00, 0x101, nullptr},
      {0xF000, 32, "media 32 0"},          {0xF000, 0x127, "media 39 1"},
      {0xF000, 40, nullptr},               {0x1A00, 1, nullptr},
      {0xE000, 1, nullptr},                {0x4000, 1, nullptr},
  };
  for (const auto& c : cases) {
    pc.calls.clear();
    Event(c.type, c.value);
    if (c.call) {
      ASSERT_EQ(pc.calls.size(), 1u) << std::hex << c.type << " " << c.value;
      EXPECT_EQ(pc.calls[0], c.call);
    } else {
      EXPECT_TRUE(pc.calls.empty()) << std::hex << c.type << " " << c.value << " -> " << pc.calls[0];
    }
  }
  // A shortcut held across a profile switch is released by its button all the same.
  pc.calls.clear();
  Event(0x8000, 4);
  core.block().Profiles[core.block().CurrentProfile].MacroKeys[3].FunctionCode = 1;
  Event(0x8000, 0x104);
  Event(0x8000, 0x104);
  EXPECT_EQ(pc.calls, (std::vector<std::string>{"shortcut down 3", "shortcut up 3"}));
  p.MacroKeys[3].FunctionCode = 5;

  EXPECT_TRUE(host.opened.empty());
  Event(0x6000, 8);  // quicklaunch slot 7
  Event(0x6000, 9);  // not a quicklaunch slot
  Event(0x6000, 0x108);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0].first, "C:\\Tools\\tool.exe");

  Event(0xA000, 1);
  Event(0xFD00, 1);
  Event(0xFE00, 110);
  Event(0xFE00, 111);
  Event(0x3000, 7);
  host.windows.insert(kLdaDialogTitle);
  Event(0x3000, 1);
  EXPECT_EQ(host.posted.back(), (Posted{kLdaDialogTitle, WM_LDA_EVENT, 0, 1}));
  EXPECT_EQ(host.posted.front(), (Posted{"self", kCommand, ID_CONFIGURATION, 0}));
  EXPECT_EQ(host.jobs, (std::vector<std::pair<int, int>>{{kJobLightDatabase, 0}, {kJobOneMacro, 110}}));
}

TEST_F(MonitorCoreTest, ArrivalRunsOnceAndRemovalUndoesIt) {
  core.OnDeviceEvent(PresenceEventCode(1));
  core.OnDeviceEvent(PresenceEventCode(1));
  EXPECT_EQ(host.featureOpens, 1);
  EXPECT_EQ(host.slept, 2000);
  EXPECT_EQ(core.deviceState(), kDeviceConnected);
  EXPECT_EQ(host.jobs, (std::vector<std::pair<int, int>>{{kJobReadAll, 0}}));
  EXPECT_EQ(host.tray, std::vector<bool>{true});
  EXPECT_EQ(host.timers[kTimerForeground], 2000);
  EXPECT_EQ(Config().GetInt("Setting", "Device", -1), 1);

  core.OnDeviceEvent(PresenceEventCode(0));
  core.OnDeviceEvent(PresenceEventCode(0));
  EXPECT_EQ(host.featureCloses, 1);
  EXPECT_EQ(core.deviceState(), kDeviceRemoved);
  EXPECT_EQ(host.tray, (std::vector<bool>{true, false}));
  EXPECT_EQ(host.timers.count(kTimerForeground), 0u);
  EXPECT_EQ(Config().GetInt("Setting", "Device", -1), 0);
  EXPECT_EQ(host.posted.back(), (Posted{kOptionTitle, kClose, 0, 0}));
  // Jobs are dropped while the mouse is away.
  core.RunDeviceJob(kJobReadAll, 0);
  EXPECT_EQ(mouse.HostState(), 0);
}

TEST_F(MonitorCoreTest, ForegroundProgramSelectsItsProfile) {
  Connect();
  SettingsBlock& b = core.block();
  b.CurrentProfile = 0;
  b.Profiles[0].SoundProfile = 1;
  CopyField(b.Profiles[3].GameFile1, "  C:\\Games\\FOO.EXE ");
  host.foreground = "foo.exe";
  core.OnTimer(kTimerForeground);
  EXPECT_EQ(b.CurrentProfile, 3);
  EXPECT_EQ(host.section->CurrentProfile, 3);
  EXPECT_EQ(host.jobs, (std::vector<std::pair<int, int>>{{kJobSelectProfile, 0}}));
  EXPECT_EQ(host.PostsOf(WM_OPT_PROFILE_CHANGED), 1);
  EXPECT_EQ(host.timers.count(kTimerProfileSound), 1u);
  core.OnTimer(kTimerForeground);  // already current
  EXPECT_EQ(host.jobs.size(), 1u);

  // No match: the Windows profile, unless the Option window is open.
  host.foreground = "explorer.exe";
  b.WindowsProfile = 1;
  core.OnTimer(kTimerForeground);
  EXPECT_EQ(b.CurrentProfile, 3);
  host.windows.clear();
  core.OnTimer(kTimerForeground);
  EXPECT_EQ(b.CurrentProfile, 1);
  b.WindowsProfile = 9;  // damaged: nothing selected
  b.CurrentProfile = 0;
  core.OnTimer(kTimerForeground);
  EXPECT_EQ(b.CurrentProfile, 0);
}

TEST_F(MonitorCoreTest, ReadBackLeavesTheMouseSettingsEverywhere) {
  ProfileRecord changed = mouse.Profile(2);
  changed.CpiLevel_X[0] = 31;
  changed.PollingRate = 1;
  mouse.SetProfile(2, changed);
  mouse.SetCurrentProfile(2);
  Connect();
  core.RunDeviceJob(kJobReadAll, 0);
  EXPECT_EQ(core.block().CurrentProfile, 2);
  EXPECT_EQ(core.block().Profiles[2].CpiLevel_X[0], 31);
  EXPECT_EQ(host.section->Profiles[2].CpiLevel_X[0], 31);
  EXPECT_EQ(host.PostsOf(WM_OPT_SETTINGS_READ), 1);
  ProfileRecord stored;
  ASSERT_TRUE(SettingsStore::LoadProfile(stored, core.store().ProfilePath(2)));
  EXPECT_EQ(stored.CpiLevel_X[0], 31);
  EXPECT_EQ(stored.PollingRate, 1);
  EXPECT_EQ(mouse.HostState(), 1);
  EXPECT_EQ(core.jobFlags().busy(), false);
}

TEST_F(MonitorCoreTest, ApplyUploadsChangesOrOnlyTheFactoryReset) {
  Connect();
  SettingsBlock& shared = *host.section;
  std::memcpy(&shared, &core.block(), sizeof shared);
  shared.Profiles[1].CpiLevel_X[4] = 44;
  shared.ProfileChanged[1] = 1;
  core.OnApplySettings(0);
  EXPECT_EQ(mouse.Profile(1).CpiLevel_X[4], 44);
  EXPECT_EQ(mouse.FactoryResets(), 0);
  ASSERT_FALSE(host.windowsApplied.empty());
  EXPECT_FALSE(host.windowsApplied.back().second) << "apply does not rewrite the registry";

  shared.Profiles[1].CpiLevel_X[4] = 45;
  core.OnApplySettings(1);
  EXPECT_EQ(mouse.FactoryResets(), 1);
  EXPECT_NE(mouse.Profile(1).CpiLevel_X[4], 45) << "the factory reset form writes nothing else";

  // Without the mouse: Windows values and the display program only.
  host.windows.insert(kOsdTitle);
  OSDSetting osd = DefaultOSDSetting();
  osd.Value28 = 0x12;
  osd.Value32 = 0x10034;
  ASSERT_TRUE(WriteOSDSetting(folder.path() + "config.ini", osd));
  core.setDeviceState(kDeviceRemoved);
  const size_t applied = host.windowsApplied.size();
  core.OnApplySettings(1);
  EXPECT_EQ(mouse.FactoryResets(), 1);
  EXPECT_EQ(host.windowsApplied.size(), applied + 1);
  EXPECT_EQ(host.posted.back(), (Posted{kOsdTitle, WM_OSD_SETTINGS, 0, 0x120034}));
}

// Keeps every report the host writes on its way to the simulated mouse.
class WriteRecorder : public FeatureDevice {
 public:
  explicit WriteRecorder(SimulatedMouse& m) : mouse(m) {}
  SimulatedMouse& mouse;
  std::vector<Report> written;
  bool SetFeature(const uint8_t* data, size_t size) override {
    written.emplace_back(data, data + size);
    return mouse.SetFeature(data, size);
  }
  bool GetFeature(uint8_t* data, size_t size) override { return mouse.GetFeature(data, size); }
};

// What of a written report addresses no profile, button or event count the mouse has.
std::string OutOfRange(const Report& r) {
  switch (r[0]) {
    case kReportSelect:
      return r[1] > 4 || (r[2] != 0x80 && r[2] != 0x90 && r[2] >= 24) ? "select" : "";
    case kReportCurrentProfile: return r[2] > 4 ? "current profile" : "";
    case kReportProfileSettings:
    case kReportButtonTable: return r[2] > 4 ? "profile" : "";
    case kReportMacro: return r[3] > 4 || r[4] >= 24 || (r[78] | r[79] << 8) > 500 ? "macro" : "";
    default: return "";
  }
}

template <size_t N>
bool Terminated(const char (&field)[N]) { return FieldLength(field) < N; }

TEST_F(MonitorCoreTest, HostileSharedBlockIsHarmless) {
  const struct {
    const char* what;
    int32_t currentProfile;
    bool changeFlags;  // every change flag set, and macros in three slots of each profile
  } cases[] = {{"junk everywhere", 0x7F7F7F7F, false},
               {"junk to upload, no current profile", 0x7F7F7F7F, true},
               {"junk to upload, profile 3 current", 2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteRecorder device(mouse);
    MonitorCore monitor{host, pc, device, clock, folder.path(), &registry};
    monitor.LoadSettings(1);
    monitor.setDeviceState(kDeviceConnected);
    const auto junk = [&] {
      SettingsBlock& shared = *host.section;
      std::memset(&shared, 0x7F, sizeof shared);  // unterminated strings, counts and indices out of range
      shared.CurrentProfile = c.currentProfile;
      if (!c.changeFlags) return;
      MarkAllChanged(shared);
      for (ProfileRecord& p : shared.Profiles)
        for (int b : {2, 9, 23}) p.MacroKeys[b].FunctionCode = 0x30;
    };

    junk();
    monitor.OnApplySettings(0);
    const SettingsBlock& b = monitor.block();
    EXPECT_EQ(b.CurrentProfile, IsProfileIndex(c.currentProfile) ? c.currentProfile : -1);
    EXPECT_EQ(b.WindowsProfile, -1);
    for (const ProfileRecord& p : b.Profiles) {
      EXPECT_TRUE(Terminated(p.ProFileName) && Terminated(p.GameFile0) && Terminated(p.GameFile1) &&
                  Terminated(p.GameFile2));
      for (int i = 0; i < kButtonSlots; ++i) {
        const MacroKeyInfo& k = p.MacroKeys[i];
        ASSERT_EQ(k.ButtonNumber, i);
        ASSERT_TRUE(k.EventCount >= 0 && k.EventCount <= 500);
        ASSERT_TRUE(Terminated(k.Name) && Terminated(k.MacroSetName) && Terminated(k.MacroName) &&
                    Terminated(k.TimerName) && Terminated(k.ProgramPath));
      }
    }
    for (uint32_t type : {0x8000u, 0x6000u, 0xB000u, 0xC000u, 0xD000u, 0xFF00u, 0xFE00u})
      for (uint32_t v : {1u, 5u, 24u}) monitor.OnDeviceEvent(DeviceEventCode(type, v));
    monitor.OnTimer(kTimerForeground);
    monitor.RunDeviceJob(kJobOneMacro, 1);
    monitor.RunDeviceJob(kJobOneMacro, 110);
    monitor.RunDeviceJob(kJobSelectProfile, 0);
    junk();
    monitor.OnLdaMode(1);
    junk();
    monitor.OnLdaCommand(254);
    junk();
    monitor.OnReloadShared();
    monitor.RunDeviceJob(kJobReadAll, 0);  // saves what it holds

    ASSERT_FALSE(device.written.empty());
    for (const Report& r : device.written) ASSERT_EQ(OutOfRange(r), "") << "report " << int(r[0]);
    IniFile config = Config();
    for (const char* key : {"CurrentProfile", "WindowsProfile"}) {
      const int value = config.GetInt("Setting", key, -1);
      EXPECT_TRUE(value >= -1 && value <= 4) << key << " = " << value;
    }
    for (int n = 0; n < kProfileCount; ++n) {
      IniFile profile(monitor.store().ProfilePath(n));
      ASSERT_TRUE(profile.Load());
      for (int i = 0; i < kButtonSlots; ++i) {
        MacroKeyInfo k;
        ASSERT_TRUE(profile.GetStruct("Setting", "MacroKeyInfo" + std::to_string(i), &k, sizeof k));
        ASSERT_EQ(k.ButtonNumber, i);
        ASSERT_TRUE(k.EventCount >= 0 && k.EventCount <= 500) << n << "/" << i;
      }
    }
  }
}

TEST_F(MonitorCoreTest, FirmwareCheckStartsTheUpdaterWhenVersionsDiffer) {
  mouse.SetFirmwareVersions(150, 100);
  const struct {
    const char* file;  // FWUpdate\config.ini, null: none
    const char* parameter;  // null: not started
  } cases[] = {{"[Firmware]\nVersion=151\n", "1"}, {"[Firmware]\nVersion=149\n", "0"},
               {"[Firmware]\nVersion=150\n", nullptr}, {nullptr, "1"}};
  CreateFolders(folder.path() + "FWUpdate");
  for (const auto& c : cases) {
    host.opened.clear();
    RemoveFile(folder.path() + "FWUpdate/config.ini");
    if (c.file) WriteFileReplacing(folder.path() + "FWUpdate/config.ini", c.file);
    core.setStartWithOption(true);
    core.FirmwareCheck();
    if (c.parameter) {
      ASSERT_EQ(host.opened.size(), 1u);
      EXPECT_EQ(host.opened[0].first, folder.path() + "FWUpdate/Vextra Firmware Updater.exe");
      EXPECT_EQ(host.opened[0].second, c.parameter);
      EXPECT_FALSE(core.startWithOption());
    } else {
      EXPECT_TRUE(host.opened.empty());
      EXPECT_TRUE(core.startWithOption());
    }
  }
  EXPECT_EQ(Config().GetInt("Setting", "FWVersion", -1), 150);
}

TEST_F(MonitorCoreTest, OpeningTheDeviceAtStartUp) {
  mouse.SetFirmwareVersions(150, 100);
  CreateFolders(folder.path() + "FWUpdate");
  WriteFileReplacing(folder.path() + "FWUpdate/config.ini", "[Firmware]\nVersion=150\n");
  core.setStartWithOption(true);
  host.windows.clear();
  core.OpenDevice(true);
  EXPECT_EQ(core.deviceState(), kDeviceConnected);
  EXPECT_EQ(host.timers[kTimerForeground], 2000);
  EXPECT_EQ(host.timers[kTimerFirstReadBack], 200);
  EXPECT_EQ(host.tray, std::vector<bool>{true});
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0].first, folder.path() + "VextraOption.exe");

  // A mouse that needs an update gets the updater and no Option window.
  WriteFileReplacing(folder.path() + "FWUpdate/config.ini", "[Firmware]\nVersion=151\n");
  host.opened.clear();
  core.setStartWithOption(true);
  core.OpenDevice(true);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0].second, "1");
  host.jobs.clear();
  core.OnTimer(kTimerFirstReadBack);
  EXPECT_EQ(host.timers.count(kTimerFirstReadBack), 0u);
  EXPECT_EQ(host.jobs, (std::vector<std::pair<int, int>>{{kJobReadAll, 0}}));

  MonitorCore absent{host, pc, mouse, clock, folder.path(), &registry};
  host.timers.clear();
  host.tray.clear();
  absent.OpenDevice(false);
  EXPECT_EQ(absent.deviceState(), kDeviceUnknown);
  EXPECT_TRUE(host.timers.empty());
  EXPECT_TRUE(host.tray.empty());
  EXPECT_EQ(Config().GetInt("Setting", "Device", -1), 0);
}

TEST_F(MonitorCoreTest, ShutdownTellsTheMouseAndClosesThePeers) {
  enum class Before { Idle, JobRunning, JobStoppedByRemoval };
  const struct {
    const char* what;
    Before before;
  } cases[] = {{"idle", Before::Idle},
               {"a read-back running", Before::JobRunning},
               {"a read-back stopped earlier by a removal", Before::JobStoppedByRemoval}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MonitorCore monitor{host, pc, mouse, clock, folder.path(), &registry};
    monitor.LoadSettings(1);
    monitor.setDeviceState(kDeviceConnected);
    for (const char* t : kOsdWindowTitles) host.windows.insert(t);
    host.timers = {{kTimerForeground, 2000}, {604, 500}};
    host.realSleep = true;
    mouse.SetFeature(EncodeHostState(1).data(), EncodeHostState(1).size());

    // A job that stays in its first pause until it is told to stop.
    std::atomic<bool> inJob{false}, held{false};
    std::thread job;
    if (c.before != Before::Idle) {
      clock.onSleep = [&] {
        if (held.exchange(true)) return;
        inJob = true;
        WaitFor([&] { return monitor.jobFlags().stopRequested(); });
      };
      job = std::thread([&] { monitor.RunDeviceJob(kJobReadAll, 0); });
      ASSERT_TRUE(WaitFor([&] { return inJob.load(); }));
    }
    if (c.before == Before::JobStoppedByRemoval) {
      monitor.OnDeviceEvent(PresenceEventCode(0));
      job.join();
      monitor.setDeviceState(kDeviceConnected);  // plugged in again
    }
    host.posted.clear();
    ReportLog reports(mouse);
    const long long sleptBefore = clock.slept;
    monitor.BeginShutdown();
    if (job.joinable()) job.join();
    clock.onSleep = nullptr;
    mouse.SetReportHook(nullptr);

    EXPECT_EQ(mouse.HostState(), 0);
    EXPECT_EQ(reports.after("set 14"), std::vector<std::string>{"get 4"}) << "the acknowledgement is awaited";
    EXPECT_EQ(clock.slept - sleptBefore, 100);
    EXPECT_TRUE(host.timers.empty());
    EXPECT_EQ(host.PostsOf(kClose), 5);
    EXPECT_FALSE(monitor.jobFlags().busy());
    EXPECT_FALSE(monitor.jobFlags().stopRequested()) << "no stop outlives its job";
    // No job runs any more: a late read-back would tell the mouse the host is back.
    monitor.RunDeviceJob(kJobReadAll, 0);
    EXPECT_EQ(mouse.HostState(), 0);
  }
}

TEST_F(MonitorCoreTest, SynraCodes) {
  Connect();
  core.OnSynraCode(6, 0x5000, true);
  core.OnSynraCode(6, 0x6000, false);
  EXPECT_EQ(core.synraWindow(), 0x5000u) << "the first window is kept";
  EXPECT_EQ(core.synraActive(), 1);
  EXPECT_EQ(host.tray.back(), false);
  ASSERT_EQ(host.copyData.size(), 2u) << "device status and Tanaim values once";
  EXPECT_EQ(host.copyData[0].dwData, kSynraDeviceStatusOn);
  EXPECT_EQ(host.copyData[1].dwData, kSynraTanaim);
  const ProfileRecord& p = Current();
  const std::vector<uint8_t> status = host.copyData[0].bytes;
  ASSERT_EQ(status.size(), 28u);
  EXPECT_EQ(status[0] | status[1] << 8, 7805);
  EXPECT_EQ(status[2] | status[3] << 8, 11601);
  EXPECT_EQ(status[4] | status[5] << 8, 0x1234);
  EXPECT_EQ(status[8] | status[9] << 8, p.CpiLevel_X[0] * 200);
  EXPECT_EQ(host.copyData[1].bytes[24] | host.copyData[1].bytes[25] << 8, p.CpiLevel_X[4] * 100);

  const auto lightReports = [&] { return mouse.LightCommands().size(); };
  core.OnSynraCode(141, 1, true);  // lParam 1: nothing
  EXPECT_FALSE(core.shiftLock());
  EXPECT_EQ(lightReports(), 0u);
  core.OnSynraCode(141, 0, true);
  EXPECT_TRUE(core.shiftLock());
  core.OnSynraCode(246, 0, false);
  EXPECT_FALSE(core.shiftLock());
  core.OnSynraCode(140, 1, true);
  core.OnSynraCode(249, 0, true);
  core.OnSynraCode(249, 0, false);  // only through 2025
  core.OnSynraCode(8, 0, false);
  core.OnSynraCode(1000, 0, true);
  core.OnSynraCode(-1, 0, true);
  const std::vector<Report> sent = mouse.LightCommands();
  ASSERT_EQ(sent.size(), 4u);
  const uint8_t expected[4][3] = {{255, 1, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 3}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sent[i][0], 16);
    EXPECT_EQ(sent[i][1], 16);
    EXPECT_EQ(sent[i][2], expected[i][0]) << i;
    EXPECT_EQ(sent[i][3], expected[i][1]) << i;
    EXPECT_EQ(sent[i][4], expected[i][2]) << i;
    EXPECT_EQ(sent[i][5], 255);
  }
  EXPECT_EQ(host.posted.size(), 0u);
  core.OnSynraCode(8, 0, true);
  core.OnSynraCode(9, 0, true);
  EXPECT_EQ(host.posted, (std::vector<Posted>{{"self", kCommand, ID_CONFIGURATION, 0}, {"self", kCommand, ID_EXIT, 0}}));

  // The status message clears the lock and reaches the Synra monitor while active.
  core.OnSynraCode(141, 0, true);
  core.SendSynraStatus();
  EXPECT_FALSE(core.shiftLock());
  EXPECT_EQ(host.synraStatusPosts, 1);

  core.OnSynraCode(7, 0, true);
  EXPECT_EQ(core.synraWindow(), 0u);
  EXPECT_EQ(host.tray.back(), true);
  core.SendSynraStatus();
  EXPECT_EQ(host.synraStatusPosts, 1);
}

TEST_F(MonitorCoreTest, SynraShiftButton) {
  Connect();
  ProfileRecord& p = Current();
  p.MacroKeys[2].FunctionCode = 81;
  p.MacroKeys[2].SynraDeviceId = 0x0042;
  p.MacroKeys[3].FunctionCode = 84;
  p.MacroKeys[4].FunctionCode = 1;
  p.MacroKeys[4].SynraDeviceId = 7;
  Event(0xFF00, 3);  // no Synra window yet
  EXPECT_TRUE(host.copyData.empty());
  core.OnSynraCode(6, 0x99, true);
  host.copyData.clear();
  Event(0xFF00, 3);
  Event(0xFF00, 0x104);
  Event(0xFF00, 5);
  Event(0xFF00, 25);
  Event(0xFF00, 0);
  ASSERT_EQ(host.copyData.size(), 3u);
  EXPECT_EQ(host.copyData[0].window, 0x99u);
  EXPECT_EQ(host.copyData[0].dwData, kSynraShiftBase + 245);
  EXPECT_EQ(host.copyData[0].bytes, (std::vector<uint8_t>{0x7D, 0x1E, 0x51, 0x2D, 245, 0x7D, 0x1E, 0x42, 0x00, 0}));
  EXPECT_EQ(host.copyData[1].dwData, kSynraShiftBase + 141);
  EXPECT_EQ(host.copyData[1].bytes[7], 0xFF);
  EXPECT_EQ(host.copyData[1].bytes[9], 1);
  EXPECT_EQ(host.copyData[2].dwData, kSynraShiftBase);
  EXPECT_EQ(host.copyData[2].bytes[7], 7);
}

TEST_F(MonitorCoreTest, AmbientLightReport) {
  Connect();
  uint8_t record[20] = {1, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 30, 31, 32, 33, 34, 35, 0, 0};
  core.OnAmbientLight(record);
  record[0] = 2;
  core.OnAmbientLight(record);
  const std::vector<Report> sent = mouse.LightCommands();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], (Report{16, 16, 255, 255, 255, 1, 3, 1, 10, 20, 30, 31, 32, 33, 34, 35}));
  EXPECT_EQ(sent[1][6], 4);
}

TEST_F(MonitorCoreTest, DeviceRegistration) {
  DeviceInfoEntry e;
  e.VID = 0x1111;
  e.PID = 0x2222;
  e.SetName("First");
  EXPECT_TRUE(core.RegisterDevice(e));
  e.SetName("Second name");
  EXPECT_TRUE(core.RegisterDevice(e));
  ASSERT_EQ(core.devices().Count(), 1);
  EXPECT_STREQ(core.devices().entries()[0].Name, "Second name");
  EXPECT_EQ(host.PostsOf(WM_OPT_DEVICE_LIST_CHANGED), 2);
  for (int pid = 1; pid < kMaxDeviceInfos; ++pid) {
    e.PID = static_cast<uint16_t>(pid);
    ASSERT_TRUE(core.RegisterDevice(e));
  }
  e.PID = 0x7777;  // the 101st device
  EXPECT_FALSE(core.RegisterDevice(e));
  EXPECT_EQ(core.devices().Count(), kMaxDeviceInfos);
  core.LoadDeviceInfo();  // what was saved comes back
  EXPECT_EQ(core.devices().Count(), kMaxDeviceInfos);
  EXPECT_STREQ(core.devices().FindByProductId(0x2222)->Name, "Second name");
}

TEST_F(MonitorCoreTest, CustomizerShowsOrStartsTheOption) {
  core.OnCustomizer();
  EXPECT_EQ(host.broughtForward, std::vector<std::string>{kOptionTitle});
  EXPECT_TRUE(host.opened.empty());
  host.windows.clear();
  core.OnCustomizer();
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0].first, folder.path() + "VextraOption.exe");
}

TEST_F(MonitorCoreTest, LoadSettingsTakesDefaultsAndTheSystemLanguage) {
  EXPECT_EQ(core.block().CurrentProfile, 0);
  EXPECT_EQ(core.block().QuickHelpLan, 1);
  core.block().QuickHelpLan = 5;
  core.block().CurrentProfile = 3;
  core.store().SaveAll(core.block());
  core.LoadSettings(7);
  EXPECT_EQ(core.block().CurrentProfile, 3);
  EXPECT_EQ(core.block().QuickHelpLan, 5);
}

}  // namespace
