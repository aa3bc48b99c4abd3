// The Option's session against a recording section, Monitor window and main
// window: where the settings come from at start, the order of Apply and
// Reset, the Monitor's notifications, the profile commands, and junk.
#include "option/option_session.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/program_messages.h"
#include "option/main_page.h"
#include "option/main_window_view.h"
#include "tests/support/sample_block.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

using Events = std::vector<std::string>;

class FakeLink : public SharedBlockLink {
 public:
  explicit FakeLink(Events& events) : events_(events) { std::memset(section.get(), 0, sizeof(SettingsBlock)); }
  std::unique_ptr<SettingsBlock> section = std::make_unique<SettingsBlock>();
  bool mutexExists = true;
  SectionOpen open = SectionOpen::kOpened;
  bool readFails = false;
  bool writeFails = false;
  int writes = 0;

  bool OpenSettingsMutex() override { return mutexOpen_ = mutexExists; }
  SectionOpen OpenSection() override {
    sectionOpen_ = open == SectionOpen::kOpened;
    return open;
  }
  bool Read(SettingsBlock& block) override {
    if (!Usable() || readFails) return false;
    block = *section;
    return true;
  }
  bool Write(const SettingsBlock& block) override {
    if (!Usable() || writeFails) return false;
    *section = block;
    ++writes;
    events_.push_back("write");
    return true;
  }

 private:
  bool Usable() const { return mutexOpen_ && sectionOpen_; }
  Events& events_;
  bool mutexOpen_ = false;
  bool sectionOpen_ = false;
};

class FakeMonitor : public MonitorWindow {
 public:
  FakeMonitor(Events& events, FakeLink& link) : events_(events), link_(link) {}
  bool exists = true;
  const OptionSession* session = nullptr;
  // What the Monitor found when the message arrived.
  int sectionCurrentProfileChanged = -1;
  int workingCurrentProfileChanged = -1;

  bool Exists() override { return exists; }
  void Send(unsigned message, uintptr_t wParam, intptr_t lParam) override {
    if (!exists) return;
    events_.push_back("send " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam));
    sectionCurrentProfileChanged = link_.section->CurrentProfileChanged;
    if (session) workingCurrentProfileChanged = session->Working().CurrentProfileChanged;
  }

 private:
  Events& events_;
  FakeLink& link_;
};

class RecordingWindow : public ApplyObserver {
 public:
  explicit RecordingWindow(Events& events) : events_(events) {}
  void ApplyStarted() override { events_.push_back("started"); }
  void RefreshPages() override { events_.push_back("pages"); }
  void ApplyFinished() override { events_.push_back("finished"); }
  void RefreshAll() override { events_.push_back("refresh all"); }
  void ReloadHelp() override { events_.push_back("help"); }

 private:
  Events& events_;
};

class OptionSessionTest : public ::testing::Test {
 protected:
  OptionSessionTest() {
    FillSampleBlock(*sample, 2);  // current profile 2
    monitor.session = &session;
  }
  // The Monitor's section holding the sample, with flags of an earlier hand-over.
  void MonitorHoldsSample() {
    *link.section = *sample;
    link.section->ButtonChanged[1][3] = 1;
    link.section->ProfileChanged[4] = 1;
  }
  void NoMonitor() {
    link.mutexExists = false;
    link.open = SectionOpen::kAbsent;
    monitor.exists = false;
  }
  // Storage holding the sample with different names, so the source shows.
  void StorageHoldsSample() {
    auto stored = std::make_unique<SettingsBlock>(*sample);
    for (int n = 0; n < kProfileCount; ++n) CopyField(stored->Profiles[n].ProFileName, ("Stored " + std::to_string(n)).c_str());
    store.SaveAll(*stored);
  }
  std::string StoredName(int n) const {
    IniFile ini(store.ProfilePath(n));
    ini.Load();
    return ini.GetString("Setting", "ProFileName", "<none>");
  }
  bool SameBlocks(const SettingsBlock& a, const SettingsBlock& b) const { return std::memcmp(&a, &b, sizeof a) == 0; }

  TempFolder dir;
  SettingsStore store{dir.path(), nullptr};
  std::unique_ptr<SettingsBlock> sample = std::make_unique<SettingsBlock>();
  Events events;
  FakeLink link{events};
  FakeMonitor monitor{events, link};
  RecordingWindow window{events};
  OptionSession session{dir.path(), nullptr, link, monitor};
};

TEST_F(OptionSessionTest, StartTakesTheMonitorsBlockWithoutItsOldFlags) {
  MonitorHoldsSample();
  StorageHoldsSample();
  const StartupResult r = session.Start(1);
  EXPECT_EQ(r.source, SettingsSource::kMonitor);
  EXPECT_TRUE(r.sectionOpened);
  EXPECT_FALSE(r.mapFailed);
  EXPECT_TRUE(r.applyWindowsValues);
  EXPECT_EQ(session.Working().Profiles[0].ProFileName, std::string(sample->Profiles[0].ProFileName));
  EXPECT_EQ(session.Working().ButtonChanged[1][3], 0);
  EXPECT_EQ(session.Working().ProfileChanged[4], 0);
  EXPECT_TRUE(SameBlocks(session.Working(), session.Baseline()));
  EXPECT_TRUE(SameBlocks(session.Working(), *sample));
  ASSERT_NE(session.CurrentRecord(), nullptr);
  EXPECT_EQ(session.CurrentRecord(), &session.Working().Profiles[2]);
  EXPECT_TRUE(events.empty());  // nothing written or sent at start
}

TEST_F(OptionSessionTest, StartWithoutAMonitorLoadsStorageAndTheDeviceList) {
  NoMonitor();
  StorageHoldsSample();
  {
    IniFile devices(JoinPath(dir.path(), "DeviceInfo.ini"));
    devices.SetInt("Setting", "Count", 1);
    devices.SetInt("Device0", "PID", 77);
    ASSERT_TRUE(devices.Commit());
  }
  const StartupResult r = session.Start(1);
  EXPECT_EQ(r.source, SettingsSource::kStorage);
  EXPECT_FALSE(r.sectionOpened);
  EXPECT_FALSE(r.mapFailed);
  EXPECT_FALSE(r.applyWindowsValues);
  EXPECT_STREQ(session.Working().Profiles[3].ProFileName, "Stored 3");
  EXPECT_EQ(session.Working().CurrentProfile, 2);
  EXPECT_EQ(session.devices().Count(), 1);
}

TEST_F(OptionSessionTest, ASectionThatFailsFallsBackToStorageAndApplyNeverSavesAnEmptyBlock) {
  struct Case {
    const char* what;
    SectionOpen open;
    bool mutex, readFails, zeros;
    bool mapFailed;
  };
  const Case cases[] = {
      {"cannot be mapped", SectionOpen::kMapFailed, true, false, false, true},
      {"no mutex", SectionOpen::kOpened, false, false, false, false},
      {"read fails", SectionOpen::kOpened, true, true, false, false},
      {"never written", SectionOpen::kOpened, true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    SettingsStore files(folder.path(), nullptr);
    auto stored = std::make_unique<SettingsBlock>(*sample);
    CopyField(stored->Profiles[1].ProFileName, "Keep me");
    files.SaveAll(*stored);
    Events log;
    FakeLink section(log);
    if (!c.zeros) {
      MonitorHoldsSample();
      *section.section = *link.section;
    }
    section.open = c.open;
    section.mutexExists = c.mutex;
    section.readFails = c.readFails;
    FakeMonitor mon(log, section);
    OptionSession s(folder.path(), nullptr, section, mon);
    const StartupResult r = s.Start(1);
    EXPECT_EQ(r.source, SettingsSource::kStorage);
    EXPECT_EQ(r.mapFailed, c.mapFailed);
    EXPECT_FALSE(r.applyWindowsValues);
    EXPECT_STREQ(s.Working().Profiles[1].ProFileName, "Keep me");
    s.Apply(0, window);
    IniFile ini(files.ProfilePath(1));
    ini.Load();
    EXPECT_EQ(ini.GetString("Setting", "ProFileName", ""), "Keep me");
    if (section.writes) {
      EXPECT_STREQ(section.section->Profiles[1].ProFileName, "Keep me");
    }
  }
}

TEST_F(OptionSessionTest, FirmwareTextAtStartAndAfterTheMonitorReadTheMouse) {
  MonitorHoldsSample();
  struct Case {
    int stored;
    const char* atStart;
    const char* afterRead;  // after the Monitor read the mouse (1254): only below 100 is "N/A"
  };
  for (const Case& c : {Case{99, "N/A", "N/A"}, Case{138, "1.38", "1.38"}, Case{501, "N/A", "5.01"},
                        Case{500, "5.00", "5.00"}, Case{100, "1.00", "1.00"}}) {
    SCOPED_TRACE(c.stored);
    store.SaveFirmwareVersion(c.stored);
    session.Start(1);
    EXPECT_EQ(session.FirmwareText(), c.atStart);
    store.SaveFirmwareVersion(150);
    EXPECT_TRUE(session.OnSettingsRead().versionTexts);
    EXPECT_EQ(session.FirmwareText(), "1.50");
    store.SaveFirmwareVersion(c.stored);
    session.OnSettingsRead();
    EXPECT_EQ(session.FirmwareText(), c.afterRead);
  }
  EXPECT_STREQ(kDriverVersion, "1.50");
}

TEST_F(OptionSessionTest, ApplyWritesTheBlockBeforeTellingTheMonitorAndClearsTheFlagsAfter) {
  MonitorHoldsSample();
  session.Start(1);
  session.SelectSlot(4);
  const int level = sample->Profiles[3].CpiLevel_X[0] + 1;  // a DPI edit of profile 3
  session.CurrentRecord()->CpiLevel_X[0] = level;
  session.Apply(0, window);
  EXPECT_EQ(events, (Events{"started", "write", "pages", "send 1224 0 0", "finished"}));
  // The Monitor found the changes marked, in the section and still in ours.
  EXPECT_EQ(monitor.sectionCurrentProfileChanged, 1);
  EXPECT_EQ(monitor.workingCurrentProfileChanged, 1);
  EXPECT_EQ(link.section->ProfileChanged[3], 1);
  EXPECT_EQ(link.section->ProfileChanged[2], 0);
  EXPECT_EQ(link.section->CurrentProfile, 3);
  // Then cleared, and the baseline moved.
  EXPECT_EQ(session.Working().CurrentProfileChanged, 0);
  EXPECT_EQ(session.Working().ProfileChanged[3], 0);
  EXPECT_TRUE(SameBlocks(session.Working(), session.Baseline()));
  SettingsStore reader(dir.path(), nullptr);
  auto stored = std::make_unique<SettingsBlock>();
  reader.LoadAll(*stored);
  EXPECT_EQ(stored->CurrentProfile, 3);
  EXPECT_EQ(stored->Profiles[3].CpiLevel_X[0], level);
}

TEST_F(OptionSessionTest, ApplyOnlyTellsTheMonitorWhatReachedTheSection) {
  struct Case {
    const char* what;
    bool monitorRuns, writeFails, windowExists;
    Events expected;
  };
  const Case cases[] = {
      {"no Monitor", false, false, false, {"started", "pages", "finished"}},
      {"write fails", true, true, true, {"started", "pages", "finished"}},
      {"window gone", true, false, false, {"started", "write", "pages", "finished"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    Events log;
    FakeLink section(log);
    *section.section = *sample;
    if (!c.monitorRuns) section.mutexExists = false, section.open = SectionOpen::kAbsent;
    FakeMonitor mon(log, section);
    RecordingWindow win(log);
    OptionSession s(folder.path(), nullptr, section, mon);
    s.Start(1);
    section.writeFails = c.writeFails;
    mon.exists = c.windowExists;
    s.SelectSlot(1);
    s.Apply(0, win);
    EXPECT_EQ(log, c.expected);
    // Storage is saved in every case.
    SettingsStore reader(folder.path(), nullptr);
    auto stored = std::make_unique<SettingsBlock>();
    reader.LoadAll(*stored);
    EXPECT_EQ(stored->CurrentProfile, 0);
  }
}

TEST_F(OptionSessionTest, ResetHandsOverDefaultsWithEverythingMarkedAndWParamOne) {
  MonitorHoldsSample();
  session.Start(1);
  OSDSetting osd = DefaultOSDSetting();
  osd.Value28 = 1234;
  ASSERT_TRUE(WriteOSDSetting(store.ConfigPath(), osd));
  CopyField(session.CurrentRecord()->ProFileName, "Edited");
  session.ResetAll(11, window);
  EXPECT_EQ(events, (Events{"refresh all", "help", "started", "write", "pages", "send 1224 1 0", "finished"}));
  const SettingsBlock& handed = *link.section;
  EXPECT_STREQ(handed.Profiles[2].ProFileName, "Default3");
  EXPECT_EQ(handed.QuickHelpLan, 11);
  EXPECT_EQ(handed.CurrentProfile, 0);
  EXPECT_EQ(handed.MouseType, sample->MouseType);  // the full reset keeps the model
  for (int p = 0; p < kProfileCount; ++p) {
    EXPECT_EQ(handed.ProfileChanged[p], 1);
    for (int b = 0; b < kButtonSlots; ++b) EXPECT_EQ(handed.ButtonChanged[p][b], 1);
  }
  EXPECT_EQ(handed.CurrentProfileChanged, 1);
  EXPECT_EQ(handed.DeviceFlagsChanged, 1);
  EXPECT_EQ(session.Working().ProfileChanged[0], 0);
  OSDSetting read;
  ReadOSDSetting(store.ConfigPath(), read);
  EXPECT_EQ(read.Value28, 0);
  EXPECT_EQ(read.Value136, 110);
  EXPECT_EQ(StoredName(4), "Default5");
}

TEST_F(OptionSessionTest, DeviceValueChangeReplacesOnlyTheMousesValuesOfTheCurrentProfile) {
  MonitorHoldsSample();
  session.Start(1);
  ProfileRecord& mine = *session.CurrentRecord();  // profile 2
  CopyField(mine.ProFileName, "My edit");
  mine.ScrollWheelSpeed = 9;
  mine.CpiLevel_X[0] = 11;  // a DPI edit: the mouse's value wins
  session.Working().Profiles[4].LightEffectSpeed = 77;

  ProfileRecord& mouse = link.section->Profiles[2];
  mouse.CpiLevel_X[0] = 40;
  mouse.CpiLevel_Y[4] = 41;
  mouse.Cpi_X = 4;
  mouse.Cpi_Y = 4;
  mouse.dpi[5] = 1;
  mouse.Sensitivity = 3;
  mouse.Sensitivity_X = 2;
  mouse.Sensitivity_Y = 10;
  mouse.PollingRate = 1;
  mouse.ScrollWheelSpeed = 1;              // not one of the mouse's values
  link.section->Profiles[1].CpiLevel_X[0] = 55;  // not the current profile
  mine.XYSynchronous = 0;

  Redraw r = session.OnDeviceValueChanged();
  EXPECT_TRUE(r.mainPage);
  EXPECT_FALSE(r.advancedPage);
  EXPECT_FALSE(r.all);
  EXPECT_EQ(mine.CpiLevel_X[0], 40);
  EXPECT_EQ(mine.CpiLevel_Y[4], 41);
  EXPECT_EQ(mine.Cpi_X, 4);
  EXPECT_EQ(mine.Cpi_Y, 4);
  EXPECT_EQ(mine.dpi[5], 1);
  EXPECT_EQ(mine.Sensitivity, 3);
  EXPECT_EQ(mine.Sensitivity_X, 2);
  EXPECT_EQ(mine.Sensitivity_Y, 10);
  EXPECT_EQ(mine.PollingRate, 1);
  EXPECT_STREQ(mine.ProFileName, "My edit");
  EXPECT_EQ(mine.ScrollWheelSpeed, 9);
  EXPECT_EQ(session.Working().Profiles[4].LightEffectSpeed, 77);
  EXPECT_EQ(session.Working().Profiles[1].CpiLevel_X[0], sample->Profiles[1].CpiLevel_X[0]);
  EXPECT_EQ(session.Baseline().Profiles[1].CpiLevel_X[0], 55);

  mine.XYSynchronous = 1;
  EXPECT_TRUE(session.OnDeviceValueChanged().advancedPage);
}

TEST_F(OptionSessionTest, SettingsReadAndProfileChangeDropUnappliedEditsUnlessTheSectionCannotBeRead) {
  MonitorHoldsSample();
  session.Start(1);
  using Handler = Redraw (OptionSession::*)();
  for (Handler handler : {&OptionSession::OnSettingsRead, &OptionSession::OnProfileChanged}) {
    for (bool readFails : {true, false}) {
      SCOPED_TRACE(readFails ? "read fails" : "read works");
      CopyField(session.CurrentRecord()->ProFileName, "Unapplied");
      session.Working().ButtonChanged[2][5] = 1;
      link.section->Profiles[0].TiltSpeed = 8;
      link.section->ButtonChanged[0][0] = 1;
      link.readFails = readFails;
      const Redraw r = (session.*handler)();
      EXPECT_EQ(r.all, !readFails);
      if (readFails) {
        EXPECT_STREQ(session.CurrentRecord()->ProFileName, "Unapplied");
        EXPECT_EQ(session.Working().ButtonChanged[2][5], 1);
      } else {
        EXPECT_STREQ(session.CurrentRecord()->ProFileName, sample->Profiles[2].ProFileName);
        EXPECT_EQ(session.Working().Profiles[0].TiltSpeed, 8);
        EXPECT_EQ(session.Working().ButtonChanged[2][5], 0);
        EXPECT_EQ(session.Working().ButtonChanged[0][0], 0);
        EXPECT_TRUE(SameBlocks(session.Working(), session.Baseline()));
      }
      link.section->Profiles[0].TiltSpeed = sample->Profiles[0].TiltSpeed;
    }
  }
  link.readFails = true;
  auto before = std::make_unique<SettingsBlock>(session.Baseline());
  EXPECT_FALSE(session.OnDeviceValueChanged().any());
  EXPECT_TRUE(SameBlocks(*before, session.Baseline()));
}

TEST_F(OptionSessionTest, JunkInTheSectionIsBoundedAndNothingActsOnItsIndices) {
  std::memset(link.section.get(), 0xA5, sizeof(SettingsBlock));  // no name terminated anywhere
  SettingsBlock& junk = *link.section;
  junk.CurrentProfile = 1000000000;
  junk.WindowsProfile = -1000000000;
  junk.QuickHelpLan = 99;
  for (ProfileRecord& p : junk.Profiles) {
    p.Sensitivity = INT_MIN;
    p.DbleClickSpeed = INT_MIN;
    p.CpiLevel_X[0] = 1000000000;
    p.LightColorFlow = INT_MAX;
    for (MacroKeyInfo& k : p.MacroKeys) k.EventCount = 30000;
  }
  const StartupResult r = session.Start(1);
  EXPECT_EQ(r.source, SettingsSource::kMonitor);
  EXPECT_FALSE(r.applyWindowsValues);
  EXPECT_EQ(session.CurrentRecord(), nullptr);
  for (const ProfileRecord& p : session.Working().Profiles) {
    EXPECT_LT(FieldLength(p.ProFileName), sizeof p.ProFileName);
    EXPECT_LT(FieldLength(p.GameFile2), sizeof p.GameFile2);
    for (const MacroKeyInfo& k : p.MacroKeys) EXPECT_LE(k.EventCount, kMaxMacroEvents);
    const MainPageView page = main_page::ViewOf(p);
    EXPECT_EQ(page.sensitivityField, -5);
    EXPECT_EQ(page.rows[0].value, 60);
  }
  const MainWindowView view = main_window::ViewOf(session.Working());
  EXPECT_EQ(view.latchedSlot, -1);
  EXPECT_EQ(view.flagIndex, 1);
  for (const SlotView& s : view.slots) EXPECT_EQ(s.colourFlowPicture, -1);
  EXPECT_FALSE(session.OnDeviceValueChanged().mainPage);  // no current profile to merge into
  EXPECT_FALSE(session.StoreProperties(ProfileProperties{}).any());
  const std::string profileFile = dir.path() + "good.vmp";
  SettingsStore::SaveProfile(sample->Profiles[0], profileFile);
  EXPECT_FALSE(session.ImportProfile(profileFile).any());
  session.Apply(0, window);  // hands the bounded block back and stores it
  EXPECT_EQ(link.section->CurrentProfile, 1000000000);
  EXPECT_LT(StoredName(3).size(), 250u);
}

TEST_F(OptionSessionTest, SlotSelectionAndTheWindowsProfileMarker) {
  MonitorHoldsSample();
  link.section->WindowsProfile = 2;
  session.Start(1);
  EXPECT_FALSE(session.SelectSlot(0).any());
  EXPECT_FALSE(session.SelectSlot(6).any());
  EXPECT_TRUE(session.SelectSlot(5).all);
  EXPECT_EQ(session.Working().CurrentProfile, 4);
  EXPECT_EQ(session.Baseline().CurrentProfile, 2);  // nothing handed over before Apply

  EXPECT_EQ(session.ClickWindowsProfile(2), MarkerClick::kCleared);
  EXPECT_EQ(session.Working().WindowsProfile, -1);
  EXPECT_EQ(session.ClickWindowsProfile(4), MarkerClick::kConfirm);
  EXPECT_EQ(session.Working().WindowsProfile, -1);  // until the user confirms
  EXPECT_TRUE(session.ConfirmWindowsProfile(4).markers);
  EXPECT_EQ(session.Working().WindowsProfile, 4);
  EXPECT_EQ(session.ClickWindowsProfile(5), MarkerClick::kIgnored);
  EXPECT_FALSE(session.ConfirmWindowsProfile(-1).any());
  EXPECT_EQ(session.Working().WindowsProfile, 4);
  EXPECT_EQ(link.writes, 0);

  EXPECT_FALSE(session.SetLanguage(-1));
  EXPECT_FALSE(session.SetLanguage(17));
  EXPECT_TRUE(session.SetLanguage(6));
  EXPECT_EQ(session.Working().QuickHelpLan, 6);
}

TEST_F(OptionSessionTest, SaveThenLoadRoundTripsAProfileAndAFailedLoadKeepsIt) {
  MonitorHoldsSample();
  session.Start(1);
  const std::string target = dir.path() + "exported.vmp";
  ASSERT_TRUE(session.ExportProfile(target));
  const ProfileRecord exported = session.Working().Profiles[2];

  session.SelectSlot(1);
  for (const std::string& bad : {dir.path() + "missing.vmp", dir.path() + std::string(5000, 'x') + ".vmp",
                                std::string(5000, '/')}) {
    const ProfileRecord before = session.Working().Profiles[0];
    EXPECT_FALSE(session.ImportProfile(bad).any());
    EXPECT_EQ(std::memcmp(&before, &session.Working().Profiles[0], sizeof before), 0);
    EXPECT_EQ(session.Working().ButtonChanged[0][0], 0);
  }
  EXPECT_TRUE(session.ImportProfile(target).all);
  EXPECT_STREQ(session.Working().Profiles[0].ProFileName, exported.ProFileName);
  EXPECT_EQ(session.Working().Profiles[0].CpiLevel_X[3], exported.CpiLevel_X[3]);
  for (int b = 0; b < kButtonSlots; ++b) EXPECT_EQ(session.Working().ButtonChanged[0][b], 1);
  EXPECT_EQ(session.Working().ButtonChanged[2][0], 0);
}

TEST_F(OptionSessionTest, PropertiesGoIntoTheCurrentProfile) {
  MonitorHoldsSample();
  session.Start(1);
  ProfileProperties props;
  props.name = "Racing wheel profile X";
  props.paths[2] = std::string(5000, 'r');
  EXPECT_TRUE(session.StoreProperties(props).names);
  EXPECT_STREQ(session.Working().Profiles[2].ProFileName, "Racing wheel profile");
  EXPECT_EQ(FieldLength(session.Working().Profiles[2].GameFile2), 499u);
  EXPECT_STREQ(session.Working().Profiles[1].ProFileName, sample->Profiles[1].ProFileName);
}

TEST_F(OptionSessionTest, DeviceFlagsAreHandedOverAtOnceOnlyWhileTheMonitorRuns) {
  MonitorHoldsSample();
  session.Start(1);
  CopyField(session.CurrentRecord()->ProFileName, "Not yet applied");
  session.Working().LiftOnFlag = 7;
  session.Working().TrackControlFlag = 0;
  EXPECT_TRUE(session.HandOverDeviceFlags());
  EXPECT_EQ(link.section->LiftOnFlag, 7);
  EXPECT_EQ(link.section->TrackControlFlag, 0);
  EXPECT_STREQ(link.section->Profiles[2].ProFileName, sample->Profiles[2].ProFileName);
  IniFile config(store.ConfigPath());
  config.Load();
  EXPECT_EQ(config.GetInt("Setting", "LiftOnFlag", -1), 7);

  monitor.exists = false;
  session.Working().LiftOnFlag = 9;
  EXPECT_FALSE(session.HandOverDeviceFlags());
  EXPECT_EQ(link.section->LiftOnFlag, 7);
  EXPECT_EQ(session.Baseline().LiftOnFlag, 7);
}

}  // namespace
}  // namespace vextra
