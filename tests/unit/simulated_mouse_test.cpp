#include "sim/simulated_mouse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/file_system.h"
#include "device/device_commands.h"
#include "device/device_jobs.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

class CountingClock : public DeviceClock {
 public:
  long long slept = 0;
  void Sleep(int ms) override { slept += ms; }
};

class NullSink : public ReadBackSink {
 public:
  int firmware = -1, saves = 0, publishes = 0;
  void SaveFirmwareVersion(int value) override { firmware = value; }
  void SaveAll(const SettingsBlock&) override { ++saves; }
  void Publish(const SettingsBlock&) override { ++publishes; }
};

class SimTest : public ::testing::Test {
 protected:
  SimulatedMouse mouse;
  CountingClock clock;
  JobFlags flags;
  DeviceCommands commands{mouse, clock, flags};
  DeviceJobs jobs{commands};
  std::unique_ptr<SettingsBlock> block = std::make_unique<SettingsBlock>();

  void SetUp() override {
    ResetToDefaults(*block, 1);
    ClearChangeFlags(*block);
  }
};

bool SameDeviceView(const ProfileRecord& a, const ProfileRecord& b) {
  return EncodeProfileSettings(a, 0) == EncodeProfileSettings(b, 0) &&
         EncodeButtonTable(a, 0) == EncodeButtonTable(b, 0);
}

TEST_F(SimTest, UploadChangesChangesExactlyWhatIsFlagged) {
  const ProfileRecord factory1 = mouse.Profile(1);
  ProfileRecord& p3 = block->Profiles[3];
  p3.CpiLevel_X[2] = 25;
  p3.Lights[1].Red = 77;
  block->ProfileChanged[3] = 1;
  MacroKeyInfo& macro = block->Profiles[2].MacroKeys[9];
  macro.FunctionCode = 0x30;
  std::strcpy(macro.MacroName, "Combo");
  macro.LoopCount = 3;
  macro.EventCount = 2;
  macro.Events[0] = MacroEvent{4, 1, 20};
  macro.Events[1] = MacroEvent{4, 2, 0};
  block->ButtonChanged[2][9] = 1;
  block->Profiles[1].CpiLevel_X[0] = 99;  // changed but not flagged: not sent
  block->CurrentProfile = 4;
  block->CurrentProfileChanged = 1;
  mouse.SetBusyPolls(2);

  EXPECT_EQ(jobs.UploadChanges(*block, false), 1);
  EXPECT_EQ(mouse.CurrentProfile(), 4);
  EXPECT_TRUE(SameDeviceView(mouse.Profile(3), p3));
  EXPECT_TRUE(SameDeviceView(mouse.Profile(1), factory1));
  const ProfileRecord held = mouse.Profile(2);
  EXPECT_EQ(held.MacroKeys[9].FunctionCode, 0x30);
  EXPECT_STREQ(held.MacroKeys[9].MacroName, "Combo");
  EXPECT_EQ(held.MacroKeys[9].EventCount, 2);
  EXPECT_EQ(std::memcmp(held.MacroKeys[9].Events, macro.Events, 8), 0);

  EXPECT_EQ(jobs.UploadChanges(*block, true), 1);
  EXPECT_EQ(mouse.FactoryResets(), 1);
  EXPECT_TRUE(SameDeviceView(mouse.Profile(3), factory1) == false);  // profile 3's own defaults
  EXPECT_EQ(mouse.Profile(3).CpiLevel_X[2], 16);
}

TEST_F(SimTest, ReadBackReproducesTheMouse) {
  auto custom = std::make_unique<ProfileRecord>(mouse.Profile(2));
  custom->XYSynchronous = 1;
  custom->Sensitivity_X = 9;
  custom->Sensitivity_Y = 4;
  custom->PollingRate = 1;
  custom->MacroKeys[6].FunctionCode = 5;
  custom->MacroKeys[6].Events[0] = MacroEvent{0x1E, 0x04, 0};
  custom->MacroKeys[6].EventCount = 1;
  MacroKeyInfo& m = custom->MacroKeys[11];
  m.FunctionCode = 0x30;
  std::strcpy(m.MacroSetName, "A set name that is longer than 24");
  m.EventCount = 500;
  for (int i = 0; i < 500; ++i) m.Events[i] = MacroEvent{static_cast<uint8_t>(4 + i % 26), 1, 7};
  mouse.SetProfile(2, *custom);
  mouse.SetCurrentProfile(2);
  mouse.SetTracking(TrackingState{1, 2, 30, 4});
  mouse.SetFirmwareVersions(153, 110);
  mouse.SetBusyPolls(1);
  block->ButtonChanged[0][0] = 1;

  NullSink sink;
  CalibrationValues values;
  EXPECT_EQ(jobs.ReadAllJob(*block, sink, values), 1);
  EXPECT_EQ(sink.firmware, 153);
  EXPECT_EQ(sink.saves, 1);
  EXPECT_EQ(sink.publishes, 1);
  EXPECT_EQ(block->CurrentProfile, 2);
  EXPECT_EQ(block->LiftOnFlag, 1);
  EXPECT_EQ(block->TrackControlFlag, 2);
  EXPECT_EQ(values.value1, 30);
  EXPECT_EQ(block->ButtonChanged[0][0], 0);
  EXPECT_EQ(mouse.HostState(), 1);
  for (int p = 0; p < 5; ++p) EXPECT_TRUE(SameDeviceView(block->Profiles[p], mouse.Profile(p))) << p;
  const MacroKeyInfo& back = block->Profiles[2].MacroKeys[11];
  EXPECT_EQ(back.EventCount, 500);
  EXPECT_STREQ(back.MacroSetName, "A set name that is longe");  // cut to 24
  EXPECT_EQ(std::memcmp(back.Events, m.Events, 2000), 0);
  EXPECT_EQ(block->Profiles[2].MacroKeys[6].Events[0].key, 0x1E);
}

TEST_F(SimTest, FaultsAreRefusedOrReported) {
  // a damaged write is refused and changes nothing
  Report r = EncodeProfileSettings(block->Profiles[0], 0);
  r[8] = 55;
  EXPECT_FALSE(mouse.SetFeature(r.data(), r.size()));
  EXPECT_EQ(mouse.Profile(0).CpiLevel_X[1], 8);
  // a corrupted read is rejected by the host and stores nothing
  mouse.CorruptNextRead();
  ProfileRecord before = block->Profiles[1];
  mouse.Profile(1);
  EXPECT_EQ(commands.ReadButtonTable(block->Profiles[1], 1), 0);
  EXPECT_EQ(std::memcmp(&before, &block->Profiles[1], sizeof before), 0);
  // absent: every exchange fails
  mouse.SetPresent(false);
  EXPECT_EQ(commands.WriteCurrentProfile(1), 0);
  DeviceInfo info;
  EXPECT_EQ(commands.ReadDeviceInfo(info), 0);
  mouse.SetPresent(true);
  // a failure status ends the handshake with 0
  mouse.SetReadyStatus(7);
  EXPECT_EQ(commands.WriteHostState(1), 0);
  mouse.SetReadyStatus(1);
  // busy polls then ready
  mouse.SetBusyPolls(4);
  clock.slept = 0;
  EXPECT_EQ(commands.WriteHostState(1), 1);
  EXPECT_EQ(clock.slept, 100 + 1000 + 1500 + 2000 + 2000);
}

TEST_F(SimTest, WrongLengthsAndFailuresByReportId) {
  Report six = EncodeProfileSettings(block->Profiles[0], 0);
  six[7] = 50;
  SealReport(six);
  Report longer = six;
  longer.push_back(0);
  EXPECT_FALSE(mouse.SetFeature(longer.data(), longer.size()));
  EXPECT_FALSE(mouse.SetFeature(six.data(), six.size() - 1));
  const Report badReset = {kReportDeviceInfo, 0x06, 0x0B, 0, 0, 1};
  EXPECT_FALSE(mouse.SetFeature(badReset.data(), badReset.size()));
  EXPECT_EQ(mouse.FactoryResets(), 0);
  EXPECT_EQ(mouse.Profile(0).CpiLevel_X[0], 4);

  // only report 6 fails, twice; the others pass meanwhile
  std::vector<std::pair<int, bool>> seen;
  mouse.SetReportHook([&](uint8_t id, bool write) { seen.emplace_back(id, write); });
  mouse.FailNextReports(2, kReportProfileSettings);
  EXPECT_FALSE(mouse.SetFeature(six.data(), six.size()));
  EXPECT_EQ(commands.WriteHostState(1), 1);
  EXPECT_EQ(commands.ReadProfileSettings(block->Profiles[0], 0), 0);
  EXPECT_TRUE(mouse.SetFeature(six.data(), six.size()));
  EXPECT_EQ(mouse.Profile(0).CpiLevel_X[0], 50);
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{6, true}, {14, true}, {4, false}, {4, true}, {4, false},
                                                     {6, false}, {6, true}}));
}

TEST_F(SimTest, SelectDecidesWhatTheNextReadAnswers) {
  ProfileRecord custom = mouse.Profile(3);
  custom.CpiLevel_X[4] = 77;
  custom.MacroKeys[7].FunctionCode = 0x30;
  custom.MacroKeys[7].EventCount = 1;
  custom.MacroKeys[7].Events[0] = MacroEvent{9, 1, 5};
  mouse.SetProfile(3, custom);
  auto select = [&](int profile, uint8_t what) {
    const Report r = EncodeSelect(profile, what);
    return mouse.SetFeature(r.data(), r.size());
  };
  auto read = [&](uint8_t id, size_t size) {
    Report r = ReadBuffer(id, size);
    return mouse.GetFeature(r.data(), r.size()) ? r : Report{};
  };
  struct Case {
    uint8_t what;
    bool six, seven, eight;
  };
  for (const Case& c : {Case{kSelectProfileSettings, true, false, false}, Case{kSelectButtonTable, false, true, false},
                        Case{7, false, false, true}}) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(select(3, c.what));
    const Report six = read(kReportProfileSettings, kProfileSettingsSize);
    const Report seven = read(kReportButtonTable, kButtonTableSize);
    const Report eight = read(kReportMacro, kMacroReportSize);
    EXPECT_EQ(!six.empty(), c.six);
    EXPECT_EQ(!seven.empty(), c.seven);
    EXPECT_EQ(!eight.empty(), c.eight);
    ProfileRecord back = mouse.Profile(0);
    if (c.six) {
      ASSERT_TRUE(DecodeProfileSettings(six, back));
      EXPECT_EQ(six[2], 3);
      EXPECT_EQ(back.CpiLevel_X[4], 77);
    }
    if (c.seven) {
      ASSERT_TRUE(DecodeButtonTable(seven, back));
      EXPECT_EQ(back.MacroKeys[7].FunctionCode, 0x30);
    }
    if (c.eight) {
      ASSERT_TRUE(DecodeMacro(eight, 7, back.MacroKeys[7]));
      EXPECT_EQ(eight[3], 3);
      EXPECT_EQ(back.MacroKeys[7].Events[0].key, 9);
    }
  }
  // a select the mouse cannot answer is refused and leaves the last one
  EXPECT_FALSE(select(5, kSelectProfileSettings));
  EXPECT_FALSE(select(0, 24));
  EXPECT_FALSE(select(0, 0x81));
  EXPECT_FALSE(read(kReportMacro, kMacroReportSize).empty());
}

TEST_F(SimTest, FactoryResetRestoresEveryProfile) {
  for (int p = 0; p < 5; ++p) {
    block->Profiles[p].CpiLevel_X[0] = 90 + p;
    block->Profiles[p].MacroKeys[3].FunctionCode = 6;
    block->ProfileChanged[p] = 1;
    block->ButtonChanged[p][3] = 1;
  }
  block->CurrentProfile = 2;
  block->CurrentProfileChanged = 1;
  ASSERT_EQ(jobs.UploadChanges(*block, false), 1);
  ASSERT_EQ(mouse.Profile(4).CpiLevel_X[0], 94);
  ASSERT_EQ(commands.WriteFactoryReset(), 1);
  EXPECT_EQ(mouse.FactoryResets(), 1);
  EXPECT_EQ(mouse.CurrentProfile(), 0);
  for (int p = 0; p < 5; ++p) {
    auto factory = std::make_unique<ProfileRecord>();
    std::memset(factory.get(), 0, sizeof(ProfileRecord));
    ResetProfile(*factory, p);
    const ProfileRecord held = mouse.Profile(p);
    EXPECT_EQ(std::memcmp(&held, factory.get(), sizeof held), 0) << p;
  }
}


// ---- the user acting on the mouse ----

using Events = std::vector<std::pair<int, int>>;

class SimUserTest : public ::testing::Test {
 protected:
  SimulatedMouse mouse;
  Events events;
  void SetUp() override {
    mouse.SetEventSink([this](uint16_t type, uint16_t value) { events.emplace_back(type, value); });
  }
};

TEST_F(SimUserTest, ActionsRaiseTheMouseEvents) {
  ProfileRecord p = mouse.Profile(0);
  p.dpi[1] = 0;  // level 1 is skipped by the DPI cycle
  p.Cpi_X = 0;
  mouse.SetProfile(0, p);
  mouse.PressButton(5);
  mouse.ReleaseButton(24);
  mouse.DpiUp();
  mouse.DpiDown();
  mouse.DpiDown();
  mouse.SetSensitivity(9, 0);
  mouse.SetPollingRate(2);
  mouse.SwitchProfile(4);
  mouse.ProfileUp();
  mouse.ProfileDown();
  mouse.ProfileDown();
  mouse.ScrollStep(-1);
  mouse.ScrollStep(1);
  mouse.MediaKey(35, true);
  mouse.MediaKey(32, false);
  mouse.RequestMacro(110);
  mouse.RequestLightDatabase();
  // out of range: nothing
  mouse.PressButton(0);
  mouse.PressButton(25);
  mouse.SetSensitivity(12, 0);
  mouse.SwitchProfile(5);
  mouse.SetPollingRate(4);
  mouse.MediaKey(40, false);
  mouse.RequestMacro(111);
  mouse.ScrollStep(0);
  EXPECT_EQ(events, (Events{{0x8000, 5},   {0x8000, 0x118}, {0xB000, 3},   {0xB000, 1},   {0xB000, 5},
                            {0xC000, 9},   {0xD000, 3},     {0x2000, 5},   {0x2000, 1},   {0x2000, 5},
                            {0x2000, 4},   {0x1000, 1},     {0x1000, 255}, {0xF000, 0x123}, {0xF000, 32},
                            {0xFE00, 110}, {0xFD00, 1}}));
  EXPECT_EQ(mouse.CurrentProfile(), 3);
  const ProfileRecord first = mouse.Profile(0);
  EXPECT_EQ(first.Cpi_X, 4);
  EXPECT_EQ(first.Cpi_Y, 4);
  EXPECT_EQ(first.Sensitivity, 9);
  EXPECT_EQ(first.PollingRate, 2);
}

TEST_F(SimUserTest, SeparateSensitivityAndAnEmptyDpiCycle) {
  ProfileRecord p = mouse.Profile(0);
  p.XYSynchronous = 1;
  std::memset(p.dpi, 0, 5);
  p.Cpi_X = 200;  // as a host may have written it
  mouse.SetProfile(0, p);
  mouse.SetSensitivity(3, 7);
  mouse.SetSensitivity(4, 0);
  mouse.DpiUp();
  mouse.DpiDown();
  EXPECT_EQ(events, (Events{{0xC000, 3 | 7 << 8}, {0xC000, 4}}));
  const ProfileRecord held = mouse.Profile(0);
  EXPECT_EQ(held.Sensitivity_X, 4);
  EXPECT_EQ(held.Sensitivity_Y, 7);
  EXPECT_EQ(held.Sensitivity, 6);
  EXPECT_EQ(held.Cpi_X, 200);
}

TEST_F(SimUserTest, UnpluggedMouseDoesAndSaysNothing) {
  mouse.Unplug();
  mouse.Unplug();
  const std::string before = mouse.Serialize();
  mouse.PressButton(1);
  mouse.DpiUp();
  mouse.SwitchProfile(2);
  mouse.ProfileUp();
  mouse.SetPollingRate(0);
  mouse.SetSensitivity(2, 0);
  mouse.RequestLightDatabase();
  uint8_t status[3] = {kReportSelect};
  EXPECT_FALSE(mouse.GetFeature(status, 3));
  const Report host = EncodeHostState(1);
  EXPECT_FALSE(mouse.SetFeature(host.data(), host.size()));
  EXPECT_EQ(mouse.Serialize(), before);
  mouse.PlugIn();
  mouse.PlugIn();
  mouse.PressButton(1);
  EXPECT_EQ(events, (Events{{0x7F00, 2}, {0x7F00, 1}, {0x8000, 1}}));
  EXPECT_TRUE(mouse.GetFeature(status, 3));
  // presence changed quietly raises nothing
  mouse.SetPresent(false);
  mouse.SetPresent(true);
  EXPECT_EQ(events.size(), 3u);
}

// ---- lasting state ----

// A mouse whose state differs from the factory one in every kept part.
void MakeEverythingDiffer(SimulatedMouse& mouse) {
  auto send = [&](const Report& r) { ASSERT_TRUE(mouse.SetFeature(r.data(), r.size())); };
  ProfileRecord p = mouse.Profile(2);
  p.CpiLevel_X[3] = 44;
  p.MacroKeys[5].FunctionCode = 0x30;
  p.MacroKeys[5].EventCount = 3;
  p.MacroKeys[5].Events[2] = MacroEvent{30, 2, 400};
  mouse.SetProfile(2, p);
  mouse.SetCurrentProfile(2);
  mouse.SetFirmwareVersions(151, 112);
  mouse.SetUpdatedFirmwareVersion(170);
  mouse.SetTracking(TrackingState{1, 3, 40, 2});
  mouse.SetBusyPolls(2);
  mouse.SetUpdateBusyPolls(1 << 30);  // clamped, so the state still restores
  mouse.SetReadyStatus(1);
  std::array<uint8_t, kCalibrationSamples> image{};
  image[899] = 9;
  mouse.SetCalibrationImage(image);
  send(EncodeHostState(1));
  send(EncodeFactoryReset());
  mouse.SetProfile(2, p);  // after the reset, so both count
  send(EncodeCalibrationStart());
  send(EncodeLightCommand(1, 2, 3));
  const uint8_t data[5] = {1, 2, 3, 4, 5};
  send(EncodeLightDatabaseBlock(3, data, sizeof data));
  send(EncodeLightDatabaseBlock(700, data, 2));
}

TEST(SimulatedMouseState, RoundTripKeepsEverything) {
  SimulatedMouse mouse;
  MakeEverythingDiffer(mouse);
  mouse.Unplug();
  const std::string saved = mouse.Serialize();
  SimulatedMouse other;
  ASSERT_TRUE(other.Deserialize(saved));
  EXPECT_EQ(other.Serialize(), saved);
  EXPECT_FALSE(other.Present());
  EXPECT_EQ(other.CurrentProfile(), 0);  // the reset came after the profile change
  EXPECT_EQ(other.Profile(2).CpiLevel_X[3], 44);
  EXPECT_EQ(other.Profile(2).MacroKeys[5].Events[2].delay, 400);
  EXPECT_EQ(other.HostState(), 1);
  EXPECT_EQ(other.FactoryResets(), 1);
  EXPECT_EQ(other.Calibrations(), 1);
  EXPECT_EQ(other.CalibrationImage()[899], 9);
  EXPECT_EQ(other.LightCommands().size(), 1u);
  // Restoring its own saved state replaces the light state, never adds to it.
  ASSERT_TRUE(other.Deserialize(saved));
  EXPECT_EQ(other.LightCommands().size(), 1u);
  EXPECT_EQ(other.Serialize(), saved);
  const auto blocks = other.LightDatabaseBlocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks.at(700)[4], 2);
  other.PlugIn();
  uint8_t info[6] = {kReportDeviceInfo};
  ASSERT_TRUE(other.GetFeature(info, 6));
  EXPECT_EQ(info[2], 151);
  EXPECT_EQ(info[3], 112);
  // the busy setting came along
  const Report host = EncodeHostState(0);
  ASSERT_TRUE(other.SetFeature(host.data(), host.size()));
  uint8_t status[3] = {kReportSelect};
  ASSERT_TRUE(other.GetFeature(status, 3));
  EXPECT_EQ(status[1], kStatusBusy);
}

TEST(SimulatedMouseState, DamagedDataIsRefusedAndChangesNothing) {
  SimulatedMouse source;
  MakeEverythingDiffer(source);
  const std::string saved = source.Serialize();

  std::vector<std::pair<const char*, std::string>> cases;
  cases.emplace_back("empty", "");
  cases.emplace_back("magic only", saved.substr(0, 8));
  cases.emplace_back("truncated", saved.substr(0, saved.size() - 1));
  cases.emplace_back("cut in half", saved.substr(0, saved.size() / 2));
  cases.emplace_back("one more byte", saved + "x");
  std::string flipped = saved;
  flipped[saved.size() / 3] ^= 0x10;
  cases.emplace_back("one bit flipped", flipped);
  std::string magic = saved;
  magic[7] = '9';
  cases.emplace_back("unknown version", magic);
  std::string length = saved;
  length[8] ^= 1;
  cases.emplace_back("wrong length", length);

  SimulatedMouse mouse;
  mouse.SwitchProfile(4);
  const std::string before = mouse.Serialize();
  for (const auto& c : cases) {
    EXPECT_FALSE(mouse.Deserialize(c.second)) << c.first;
    EXPECT_EQ(mouse.Serialize(), before) << c.first;
  }
}

// The first format: magic, int32 current, firmware, boot loader, four tracking
// bytes, the five profiles, a 16-bit sum.
std::string FirstFormat(int32_t current, const ProfileRecord& profile2) {
  std::string out = "VXSIM001";
  for (int32_t v : {current, int32_t{152}, int32_t{111}}) out.append(reinterpret_cast<const char*>(&v), 4);
  out += std::string("\x01\x02\x03\x04", 4);
  for (int p = 0; p < 5; ++p) {
    auto record = std::make_unique<ProfileRecord>();
    std::memset(record.get(), 0, sizeof(ProfileRecord));
    ResetProfile(*record, p);
    if (p == 2) *record = profile2;
    out.append(reinterpret_cast<const char*>(record.get()), sizeof(ProfileRecord));
  }
  const uint16_t sum = Checksum16(reinterpret_cast<const uint8_t*>(out.data()), out.size());
  out.push_back(static_cast<char>(sum & 0xFF));
  out.push_back(static_cast<char>(sum >> 8));
  return out;
}

TEST(SimulatedMouseState, FirstFormatStillLoadsAndIsChecked) {
  SimulatedMouse mouse;
  auto p = std::make_unique<ProfileRecord>(mouse.Profile(2));
  p->CpiLevel_X[0] = 12;
  p->MacroKeys[4].EventCount = 9999;  // hostile: clamped on the way in
  ASSERT_TRUE(mouse.Deserialize(FirstFormat(3, *p)));
  EXPECT_EQ(mouse.CurrentProfile(), 3);
  EXPECT_EQ(mouse.Profile(2).CpiLevel_X[0], 12);
  EXPECT_EQ(mouse.Profile(2).MacroKeys[4].EventCount, 500);
  uint8_t info[6] = {kReportDeviceInfo};
  ASSERT_TRUE(mouse.GetFeature(info, 6));
  EXPECT_EQ(info[2], 152);
  // a valid sum does not make an impossible profile index acceptable
  EXPECT_FALSE(mouse.Deserialize(FirstFormat(7, *p)));
  EXPECT_EQ(mouse.CurrentProfile(), 3);
}

TEST(SimulatedMouseState, SaveAndLoadThroughAFile) {
  TempFolder folder;
  const std::string path = JoinPath(folder.path(), "mousesim.state");
  SimulatedMouse mouse;
  MakeEverythingDiffer(mouse);
  ASSERT_TRUE(mouse.Save(path));
  SimulatedMouse other;
  EXPECT_FALSE(other.Load(path + ".missing"));
  ASSERT_TRUE(other.Load(path));
  EXPECT_EQ(other.Serialize(), mouse.Serialize());
  ASSERT_TRUE(WriteFileReplacing(path, "not a state"));
  EXPECT_FALSE(other.Load(path));
  EXPECT_EQ(other.Serialize(), mouse.Serialize());
}

TEST(SimulatedMouseState, DescriptionNamesWhatMatters) {
  SimulatedMouse mouse;
  MakeEverythingDiffer(mouse);
  const std::string text = mouse.DescribeState();
  for (const char* part : {"present 1", "current profile 0", "firmware 151", "busy polls 2", "light database blocks 2",
                           "profile 2: dpi 400 800 1600 4400 6000", "[on colour 1 (250,0,0)]", "48[3 events]",
                           "macros: 1", "profile 4:"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

// ---- the boot loader ----

Report UpdateCommand(uint8_t command, std::initializer_list<uint8_t> body) {
  Report r(1026, 0);
  r[0] = kReportUpdateCommand;
  r[1] = command;
  size_t at = 2;
  for (uint8_t b : body) r[at++] = b;
  return r;
}

const Report kStart = UpdateCommand(0, {0, 0, 0x08, 0xAC, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01});
const Report kPrepare = UpdateCommand(2, {0, 0, 0xEC});
const Report kFinish = UpdateCommand(15, {});

Report SizeCommand(uint32_t size) {
  return UpdateCommand(1, {0, 0, uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24), 0x08,
                           0xAC, 0x22, 0x88});
}

Report BlockHeader(int index, uint16_t sum) {
  return UpdateCommand(3, {0, 0, uint8_t(index), uint8_t(index >> 8), uint8_t(sum), uint8_t(sum >> 8), 0x08, 0xAC,
                           0x22, 0x88});
}

int UpdateStatus(SimulatedMouse& mouse) {
  uint8_t r[3] = {kReportUpdateStatus, 0, 0};
  return mouse.GetFeature(r, 3) ? r[1] : -1;
}

// Sends a command and answers the status that follows it.
int Command(SimulatedMouse& mouse, const Report& r) {
  return mouse.SetFeature(r.data(), r.size()) ? UpdateStatus(mouse) : -1;
}

// Sends an image the way the updater does; the number of blocks sent, or -1
// at the first status that is not "done".
int SendImage(SimulatedMouse& mouse, const std::vector<uint8_t>& image, int breakBlock = -1) {
  const uint32_t size = static_cast<uint32_t>(image.size());
  if (Command(mouse, kStart) != 1 || Command(mouse, SizeCommand(size)) != 1 || Command(mouse, kPrepare) != 1)
    return -1;
  const int blocks = static_cast<int>((size + 1023) / 1024);
  for (int i = 0; i < blocks; ++i) {
    Report data(1026, 0);
    data[0] = kReportUpdateCommand;
    data[1] = 4;
    for (size_t k = 0; k < 1024 && i * 1024 + k < size; ++k) data[2 + k] = image[i * 1024 + k];
    if (Command(mouse, BlockHeader(i, Checksum16(&data[2], 1024))) != 1) return -1;
    if (i == breakBlock) data[10] ^= 1;
    if (Command(mouse, data) != 1) return -1;
  }
  return Command(mouse, kFinish) == 1 ? blocks : -1;
}

std::vector<uint8_t> Pattern(size_t size, int seed) {
  std::vector<uint8_t> image(size);
  for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>(i * 7 + static_cast<size_t>(seed));
  return image;
}

TEST(SimulatedMouseUpdate, ImagesArriveWhole) {
  for (size_t size : {size_t{1}, size_t{1024}, size_t{1025}, size_t{204800}}) {
    SCOPED_TRACE(size);
    SimulatedMouse mouse;
    mouse.SetUpdatedFirmwareVersion(160);
    const std::vector<uint8_t> image = Pattern(size, 3);
    EXPECT_EQ(SendImage(mouse, image), static_cast<int>((size + 1023) / 1024));
    EXPECT_TRUE(mouse.UpdateFinished());
    EXPECT_EQ(mouse.ReceivedImage(), image);
    uint8_t info[6] = {kReportDeviceInfo};
    ASSERT_TRUE(mouse.GetFeature(info, 6));
    EXPECT_EQ(info[2], 160);
    EXPECT_EQ(info[3], 110);
  }
}

TEST(SimulatedMouseUpdate, DamagedOrOutOfTurnCommandsFail) {
  SimulatedMouse mouse;
  const std::vector<uint8_t> first = Pattern(3000, 1);
  ASSERT_EQ(SendImage(mouse, first), 3);

  // block 1 does not match its header: refused, and the earlier image stays
  EXPECT_EQ(SendImage(mouse, Pattern(3000, 2), 1), -1);
  EXPECT_EQ(Command(mouse, kFinish), 2);
  EXPECT_FALSE(mouse.UpdateFinished());
  EXPECT_EQ(mouse.ReceivedImage(), first);

  struct Case {
    const char* what;
    std::vector<Report> before;
    Report command;
  };
  Report wrongStart = kStart;
  wrongStart[5] = 0xAD;
  Report wrongTail = SizeCommand(100);
  wrongTail[11] = 0;
  Report data(1026, 0);
  data[0] = kReportUpdateCommand;
  data[1] = 4;
  const std::vector<Case> cases = {
      {"start with wrong bytes", {}, wrongStart},
      {"size before start", {}, SizeCommand(100)},
      {"size 0", {kStart}, SizeCommand(0)},
      {"size over 200 blocks", {kStart}, SizeCommand(204801)},
      {"size with wrong bytes", {kStart}, wrongTail},
      {"block header before prepare", {kStart, SizeCommand(100)}, BlockHeader(0, 0)},
      {"block index past the image", {kStart, SizeCommand(2048), kPrepare}, BlockHeader(2, 0)},
      {"data without a header", {kStart, SizeCommand(100), kPrepare}, data},
      {"finish with a block missing", {kStart, SizeCommand(2048), kPrepare, BlockHeader(0, 0), data}, kFinish},
      {"unknown command", {}, UpdateCommand(9, {})},
  };
  for (const Case& c : cases) {
    SimulatedMouse fresh;
    for (const Report& r : c.before) EXPECT_EQ(Command(fresh, r), 1) << c.what;
    EXPECT_EQ(Command(fresh, c.command), 2) << c.what;
  }
  // blocks after a finished update need a new start
  EXPECT_EQ(Command(mouse, kStart), 1);
  ASSERT_EQ(SendImage(mouse, first), 3);
  EXPECT_EQ(Command(mouse, BlockHeader(0, 0)), 2);
  EXPECT_EQ(Command(mouse, data), 2);
  EXPECT_EQ(mouse.ReceivedImage(), first);
  // wrong length: refused outright
  EXPECT_FALSE(mouse.SetFeature(kStart.data(), 1025));
}

TEST(SimulatedMouseUpdate, SendAgainBusyAndPreamble) {
  SimulatedMouse mouse;
  mouse.SetUpdateSendAgain(2);
  EXPECT_EQ(Command(mouse, kStart), 4);
  EXPECT_EQ(Command(mouse, kStart), 4);
  EXPECT_EQ(Command(mouse, SizeCommand(10)), 2);  // the start was never carried out
  EXPECT_EQ(Command(mouse, kStart), 1);

  mouse.SetUpdateBusyPolls(2);
  ASSERT_TRUE(mouse.SetFeature(kStart.data(), kStart.size()));
  EXPECT_EQ(UpdateStatus(mouse), 3);
  EXPECT_EQ(UpdateStatus(mouse), 3);
  EXPECT_EQ(UpdateStatus(mouse), 1);

  Report part(1028, 0);
  part[0] = kReportPreamble;
  part[1] = 2;
  part[500] = 9;
  SealReport(part);
  EXPECT_TRUE(mouse.SetFeature(part.data(), part.size()));
  part[600] = 1;  // checksum now wrong: refused
  part[1] = 3;
  EXPECT_FALSE(mouse.SetFeature(part.data(), part.size()));
  part[1] = 4;  // no such part
  SealReport(part);
  EXPECT_FALSE(mouse.SetFeature(part.data(), part.size()));
  EXPECT_EQ(mouse.PreamblePartsReceived(), 0b010);
}

}  // namespace
}  // namespace vextra
