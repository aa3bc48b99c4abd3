#include "device/device_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_jobs.h"

namespace vextra {
namespace {

// A scripted device that records the exchange as text: "set 6", "get 4", "sleep".
class ScriptedDevice : public FeatureDevice {
 public:
  std::vector<std::string> log;
  std::deque<int> statuses;  // answers to report 4 reads; -1 = read fails
  int defaultStatus = 1;
  bool refuseWrites = false;
  std::vector<Report> written;
  std::function<void()> onSleep;

  bool SetFeature(const uint8_t* data, size_t size) override {
    log.push_back("set " + std::to_string(data[0]));
    written.emplace_back(data, data + size);
    return !refuseWrites;
  }
  bool GetFeature(uint8_t* data, size_t size) override {
    log.push_back("get " + std::to_string(data[0]));
    if (size < 2) return false;
    if (data[0] == kReportSelect) {
      int s = defaultStatus;
      if (!statuses.empty()) {
        s = statuses.front();
        statuses.pop_front();
      }
      if (s < 0) return false;
      data[1] = static_cast<uint8_t>(s);
      return true;
    }
    return false;
  }
};

class RecordingClock : public DeviceClock {
 public:
  explicit RecordingClock(ScriptedDevice& d) : device(d) {}
  ScriptedDevice& device;
  int slept = 0;
  void Sleep(int ms) override {
    slept += ms;
    device.log.push_back("sleep");
    if (device.onSleep) device.onSleep();
  }
};

// Milliseconds slept before each report 4 read.
std::vector<int> PausesBeforeStatusReads(const std::vector<std::string>& log) {
  std::vector<int> pauses;
  int current = 0;
  for (const std::string& entry : log) {
    if (entry == "sleep") current += 100;
    if (entry == "get 4") {
      pauses.push_back(current);
      current = 0;
    }
  }
  return pauses;
}

class CommandsTest : public ::testing::Test {
 protected:
  ScriptedDevice device;
  RecordingClock clock{device};
  JobFlags flags;
  DeviceCommands commands{device, clock, flags};
};

TEST_F(CommandsTest, WaitReadyPauseSchedule) {
  device.statuses = {3, 3, 3, 3, 3, 1};
  EXPECT_EQ(commands.WaitReady(500), 1);
  EXPECT_EQ(PausesBeforeStatusReads(device.log), (std::vector<int>{500, 1000, 1500, 2000, 2000, 2000}));
}

TEST_F(CommandsTest, WaitReadyOutcomes) {
  struct Case {
    const char* what;
    std::deque<int> statuses;
    int firstPause;
    int result;
    size_t reads;
  } cases[] = {
      {"ready at once", {1}, 100, 1, 1},
      {"failure status ends", {3, 7}, 100, 0, 2},
      {"failed read keeps busy", {3, -1, 1}, 100, 1, 3},
      {"failed first read: no status", {-1}, 100, 0, 1},
      {"ten busy answers give up", {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 1}, 0, 0, 10},
      {"pause under 100 ms is none", {1}, 99, 1, 1},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    device.log.clear();
    device.statuses = c.statuses;
    EXPECT_EQ(commands.WaitReady(c.firstPause), c.result);
    EXPECT_EQ(PausesBeforeStatusReads(device.log).size(), c.reads);
  }
  device.log.clear();
  device.statuses = {1};
  commands.WaitReady(99);
  EXPECT_EQ(PausesBeforeStatusReads(device.log), std::vector<int>{0});
}

TEST_F(CommandsTest, StopEndsWaitWithinOneSlice) {
  device.statuses = {3, 3, 3, 3, 3, 3, 3, 3, 3};
  int slices = 0;
  device.onSleep = [&] {
    if (++slices == 12) flags.stop = 1;
  };
  EXPECT_EQ(commands.WaitReady(500), 0);
  EXPECT_EQ(clock.slept, 1200);
}

TEST_F(CommandsTest, RefusedWriteSkipsTheHandshake) {
  device.refuseWrites = true;
  auto p = std::make_unique<ProfileRecord>();
  ResetProfile(*p, 0);
  EXPECT_EQ(commands.WriteProfileSettings(*p, 0), 0);
  EXPECT_EQ(device.log, std::vector<std::string>{"set 6"});
  device.refuseWrites = false;
  device.log.clear();
  EXPECT_EQ(commands.WriteProfileSettings(*p, 0), 1);
  EXPECT_EQ(PausesBeforeStatusReads(device.log), std::vector<int>{500});
  device.log.clear();
  commands.WriteHostState(1);
  EXPECT_EQ(PausesBeforeStatusReads(device.log), std::vector<int>{100});
}

TEST_F(CommandsTest, UploadOneMacroAddressesSlotsTwoToTwentyThree) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  DeviceJobs jobs(commands);
  struct Case {
    int n, profile, button;
  } cases[] = {{1, 0, 2}, {22, 0, 23}, {23, 1, 2}, {110, 4, 23}};
  for (const Case& c : cases) {
    device.written.clear();
    EXPECT_EQ(jobs.UploadOneMacro(*block, c.n), 1);
    ASSERT_EQ(device.written.size(), 1u);
    EXPECT_EQ(device.written[0][0], kReportMacro);
    EXPECT_EQ(device.written[0][3], c.profile) << c.n;
    EXPECT_EQ(device.written[0][4], c.button) << c.n;
  }
  device.written.clear();
  EXPECT_EQ(jobs.UploadOneMacro(*block, 0), 0);
  EXPECT_EQ(jobs.UploadOneMacro(*block, 111), 0);
  EXPECT_TRUE(device.written.empty());
}

TEST_F(CommandsTest, UploadChangesSendsWhatTheFlagsName) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  ClearChangeFlags(*block);
  block->CurrentProfileChanged = 1;
  block->ProfileChanged[3] = 1;
  block->ButtonChanged[1][5] = 1;
  block->Profiles[1].MacroKeys[5].FunctionCode = 0x30;
  block->Profiles[1].MacroKeys[6].FunctionCode = 0x30;  // not flagged: not sent
  block->DeviceFlagsChanged = 1;                        // report 15 has its own command
  DeviceJobs jobs(commands);
  EXPECT_EQ(jobs.UploadChanges(*block, false), 1);
  std::vector<std::string> sets;
  for (const Report& r : device.written) sets.push_back(std::to_string(r[0]) + "/" + std::to_string(r[2]));
  EXPECT_EQ(sets, (std::vector<std::string>{"5/0", "6/3", "7/1", "8/8"}));  // report 8 byte 2 is the length's high byte
  EXPECT_EQ(device.written[3][3], 1);
  EXPECT_EQ(device.written[3][4], 5);

  device.written.clear();
  EXPECT_EQ(jobs.UploadChanges(*block, true), 1);
  ASSERT_EQ(device.written.size(), 1u);
  EXPECT_EQ(device.written[0], EncodeFactoryReset());
}

class RecordingSink : public ReadBackSink {
 public:
  int firmware = -1, saves = 0, publishes = 0;
  void SaveFirmwareVersion(int value) override { firmware = value; }
  void SaveAll(const SettingsBlock&) override { ++saves; }
  void Publish(const SettingsBlock&) override { ++publishes; }
};

TEST_F(CommandsTest, StopDuringReadBackEndsWithinOneSliceAndPublishesNothing) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  block->ButtonChanged[2][2] = 1;
  DeviceJobs jobs(commands);
  CalibrationValues values;
  RecordingSink sink;
  for (int stopAfter : {1, 7, 20, 33}) {
    SCOPED_TRACE(stopAfter);
    int slices = 0, slicesAfterStop = 0;
    flags.stop = 0;
    device.onSleep = [&] {
      if (flags.stop) ++slicesAfterStop;
      if (++slices == stopAfter) flags.stop = 1;
    };
    EXPECT_EQ(jobs.ReadBackAll(*block, sink, values), 0);
    EXPECT_EQ(slicesAfterStop, 0);  // no further 100 ms slice once stopped
    EXPECT_EQ(sink.saves, 0);
    EXPECT_EQ(sink.publishes, 0);
    EXPECT_EQ(block->ButtonChanged[2][2], 1);  // an aborted read-back clears nothing
  }
  // Without a stop but with report 15 unreadable: flags cleared, nothing saved.
  device.onSleep = nullptr;
  flags.stop = 0;
  EXPECT_EQ(jobs.ReadBackAll(*block, sink, values), 0);
  EXPECT_EQ(block->ButtonChanged[2][2], 0);
  EXPECT_EQ(sink.saves, 0);
  EXPECT_EQ(sink.publishes, 0);
}

TEST_F(CommandsTest, LightDatabaseGoesInPaddedBlocks) {
  DeviceJobs jobs(commands);
  std::vector<uint8_t> data(2049, 0xAB);
  EXPECT_EQ(jobs.UploadLightDatabase(data.data(), data.size()), 1);
  ASSERT_EQ(device.written.size(), 3u);
  EXPECT_EQ(device.written[2][1], 2);
  EXPECT_EQ(device.written[2][3], 0xAB);
  EXPECT_EQ(device.written[2][4], 0);  // padding of the last block
  EXPECT_TRUE(ChecksumValid(device.written[2]));
  EXPECT_EQ(PausesBeforeStatusReads(device.log), (std::vector<int>{300, 300, 300}));
  EXPECT_EQ(flags.busy, 0);
  device.written.clear();
  EXPECT_EQ(jobs.UploadLightDatabase(nullptr, 0), 1);
  EXPECT_TRUE(device.written.empty());
}

TEST(Calibration, PictureRowsAreTransposedAndMirrored) {
  std::array<uint8_t, kCalibrationSamples> samples{};
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i % 251);
  auto rows = CalibrationPictureRows(samples);
  // sample (row 2, column 5) -> picture row 5, column 2 -> mirrored to column 27
  EXPECT_EQ(rows[5 * 32 + 27], samples[2 * 30 + 5]);
  EXPECT_EQ(rows[0 * 32 + 29], samples[0]);
  EXPECT_EQ(rows[29 * 32 + 0], samples[29 * 30 + 29]);
  EXPECT_EQ(rows[3 * 32 + 30], 0);  // row padding
  EXPECT_EQ(rows[3 * 32 + 31], 0);
}

}  // namespace
}  // namespace vextra
