#include "sim/simulated_mouse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "device/device_commands.h"
#include "device/device_jobs.h"

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

}  // namespace
}  // namespace vextra

namespace vextra {
namespace {

TEST(SimulatedMouseUser, EventsAndPersistentState) {
  SimulatedMouse mouse;
  std::vector<std::pair<int, int>> events;
  mouse.SetEventSink([&](uint16_t type, uint16_t value) { events.emplace_back(type, value); });
  ProfileRecord p = mouse.Profile(0);
  p.dpi[1] = 0;  // level 1 is skipped by the DPI cycle
  p.Cpi_X = 0;
  mouse.SetProfile(0, p);
  mouse.PressButton(5);
  mouse.ReleaseButton(5);
  mouse.DpiUp();
  mouse.DpiDown();
  mouse.DpiDown();
  mouse.SwitchProfile(3);
  mouse.SetPollingRate(2);
  mouse.ScrollStep(-1);
  mouse.RequestMacro(110);
  mouse.RequestLightDatabase();
  mouse.SetSensitivity(9, 0);
  mouse.MediaKey(35, true);
  mouse.PressButton(25);  // no such button: nothing
  mouse.SetSensitivity(12, 0);
  EXPECT_EQ(events, (std::vector<std::pair<int, int>>{{0x8000, 5}, {0x8000, 0x105}, {0xB000, 3}, {0xB000, 1},
                                                       {0xB000, 5}, {0x2000, 4}, {0xD000, 3}, {0x1000, 1},
                                                       {0xFE00, 110}, {0xFD00, 1}, {0xC000, 9}, {0xF000, 0x123}}));
  EXPECT_EQ(mouse.Profile(3).Sensitivity, 9);
  mouse.SetPresent(false);
  mouse.PressButton(1);  // an unplugged mouse says nothing
  EXPECT_EQ(events.size(), 12u);

  const std::string saved = mouse.Serialize();
  SimulatedMouse other;
  ASSERT_TRUE(other.Deserialize(saved));
  EXPECT_EQ(other.CurrentProfile(), 3);
  EXPECT_EQ(other.Profile(0).Cpi_X, 4);
  EXPECT_EQ(other.Profile(3).PollingRate, 2);
  std::string damaged = saved;
  damaged[100] ^= 1;
  SimulatedMouse fresh;
  EXPECT_FALSE(fresh.Deserialize(damaged));
  EXPECT_FALSE(fresh.Deserialize(saved.substr(0, 1000)));
  EXPECT_FALSE(fresh.Deserialize(""));
  EXPECT_EQ(fresh.CurrentProfile(), 0);
  EXPECT_NE(fresh.DescribeState().find("profile 4:"), std::string::npos);
}

}  // namespace
}  // namespace vextra

namespace vextra {
namespace {

Report UpdateCommand(uint8_t command, std::initializer_list<uint8_t> body) {
  Report r(1026, 0);
  r[0] = kReportUpdateCommand;
  r[1] = command;
  size_t at = 2;
  for (uint8_t b : body) r[at++] = b;
  return r;
}

int UpdateStatus(SimulatedMouse& mouse) {
  uint8_t r[3] = {kReportUpdateStatus, 0, 0};
  return mouse.GetFeature(r, 3) ? r[1] : -1;
}

// Sends an image the way the updater does; returns the number of blocks sent.
int SendImage(SimulatedMouse& mouse, const std::vector<uint8_t>& image, bool breakSecondBlock = false) {
  auto send = [&](const Report& r) { return mouse.SetFeature(r.data(), r.size()); };
  const uint32_t size = static_cast<uint32_t>(image.size());
  send(UpdateCommand(0, {0, 0, 0x08, 0xAC, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01}));
  send(UpdateCommand(1, {0, 0, uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24), 0x08,
                         0xAC, 0x22, 0x88}));
  send(UpdateCommand(2, {0, 0, 0xEC}));
  const int blocks = static_cast<int>((size + 1023) / 1024);
  for (int i = 0; i < blocks; ++i) {
    Report data(1026, 0);
    data[0] = kReportUpdateCommand;
    data[1] = 4;
    for (size_t k = 0; k < 1024 && i * 1024 + k < size; ++k) data[2 + k] = image[i * 1024 + k];
    const uint16_t sum = Checksum16(&data[2], 1024);
    send(UpdateCommand(3, {0, 0, uint8_t(i), uint8_t(i >> 8), uint8_t(sum), uint8_t(sum >> 8), 0x08, 0xAC, 0x22,
                           0x88}));
    if (breakSecondBlock && i == 1) data[10] ^= 1;
    send(data);
    if (UpdateStatus(mouse) != 1) return -1;
  }
  send(UpdateCommand(15, {}));
  return blocks;
}

TEST(SimulatedMouseUpdate, ImagesArriveWhole) {
  for (size_t size : {size_t{1}, size_t{1024}, size_t{1025}, size_t{204800}}) {
    SCOPED_TRACE(size);
    SimulatedMouse mouse;
    mouse.SetUpdatedFirmwareVersion(160);
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
    EXPECT_EQ(SendImage(mouse, image), static_cast<int>((size + 1023) / 1024));
    EXPECT_TRUE(mouse.UpdateFinished());
    EXPECT_EQ(mouse.ReceivedImage(), image);
    uint8_t info[6] = {kReportDeviceInfo};
    ASSERT_TRUE(mouse.GetFeature(info, 6));
    EXPECT_EQ(info[2], 160);
  }
}

TEST(SimulatedMouseUpdate, DamageSendAgainAndPreamble) {
  SimulatedMouse mouse;
  std::vector<uint8_t> image(3000, 0x42);
  EXPECT_EQ(SendImage(mouse, image, true), -1);  // block 1 does not match its header
  EXPECT_FALSE(mouse.UpdateFinished());

  mouse.SetUpdateSendAgain(2);
  Report start = UpdateCommand(0, {});
  ASSERT_TRUE(mouse.SetFeature(start.data(), start.size()));
  EXPECT_EQ(UpdateStatus(mouse), 4);
  ASSERT_TRUE(mouse.SetFeature(start.data(), start.size()));
  EXPECT_EQ(UpdateStatus(mouse), 4);
  ASSERT_TRUE(mouse.SetFeature(start.data(), start.size()));
  EXPECT_EQ(UpdateStatus(mouse), 1);

  mouse.SetUpdateBusyPolls(2);
  ASSERT_TRUE(mouse.SetFeature(start.data(), start.size()));
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
  EXPECT_EQ(mouse.PreamblePartsReceived(), 0b010);
}

}  // namespace
}  // namespace vextra
