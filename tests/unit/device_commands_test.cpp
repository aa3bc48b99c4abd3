#include "device/device_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "device/device_jobs.h"
#include "tests/unit/temp_folder.h"

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
  // What the last select (report 4) named, and the answers to reads of other reports.
  int selectedProfile = -1, selectedWhat = -1;
  std::function<bool(uint8_t*, size_t)> answer;

  bool SetFeature(const uint8_t* data, size_t size) override {
    log.push_back("set " + std::to_string(data[0]));
    written.emplace_back(data, data + size);
    if (data[0] == kReportSelect && size == kSelectSize) {
      selectedProfile = data[1];
      selectedWhat = data[2];
    }
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
    return answer && answer(data, size);
  }
};

// Copies a report into a read buffer of the same id and size.
bool Answer(const Report& report, uint8_t* data, size_t size) {
  if (report.size() != size || report[0] != data[0]) return false;
  std::memcpy(data, report.data(), size);
  return true;
}

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

// The exchange with the sleeps of 100 ms merged: "set 5", "sleep 300", "get 4".
std::vector<std::string> Exchange(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  int sleeping = 0;
  for (const std::string& entry : log) {
    if (entry == "sleep") {
      sleeping += 100;
      continue;
    }
    if (sleeping) out.push_back("sleep " + std::to_string(sleeping));
    sleeping = 0;
    out.push_back(entry);
  }
  if (sleeping) out.push_back("sleep " + std::to_string(sleeping));
  return out;
}

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
  // What the device thread does around a job, and a removal while it runs.
  void StartJob() {
    flags.End();
    flags.Begin();
  }
  void Stop() { flags.RequestStop(); }
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
  StartJob();
  device.onSleep = [&] {
    if (++slices == 12) Stop();
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

// One change of each kind: the current profile, profile 3's settings, and
// profile 1's button table with two of its macros.
std::unique_ptr<SettingsBlock> UploadBlock() {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  ClearChangeFlags(*block);
  block->CurrentProfile = 2;
  block->CurrentProfileChanged = 1;
  block->ProfileChanged[3] = 1;
  for (int b : {5, 7}) {
    block->ButtonChanged[1][b] = 1;
    block->Profiles[1].MacroKeys[b].FunctionCode = 0x30;
  }
  return block;
}

TEST_F(CommandsTest, UploadChangesPausesAfterEachStep) {
  auto block = UploadBlock();
  DeviceJobs jobs(commands);
  EXPECT_EQ(jobs.UploadChanges(*block, false), 1);
  // Each write's handshake with its first pause, then 200 ms; the 50 ms after a macro is no pause.
  EXPECT_EQ(Exchange(device.log), (std::vector<std::string>{
                                      "set 5", "sleep 100", "get 4", "sleep 200",  //
                                      "set 6", "sleep 500", "get 4", "sleep 200",  //
                                      "set 7", "sleep 500", "get 4", "sleep 200",  //
                                      "set 8", "sleep 500", "get 4",               //
                                      "set 8", "sleep 500", "get 4"}));
}

TEST_F(CommandsTest, UploadChangesEndsWithinOneSliceOfAStop) {
  auto block = UploadBlock();
  DeviceJobs jobs(commands);
  // 27 slices in all: a stop in each handshake and each pause of the run above.
  for (int stopAfter : {1, 3, 4, 9, 10, 11, 16, 17, 18, 22, 23}) {
    SCOPED_TRACE(stopAfter);
    device.log.clear();
    StartJob();
    int slices = 0;
    size_t logAtStop = 0;
    device.onSleep = [&] {
      if (++slices == stopAfter) {
        Stop();
        logAtStop = device.log.size();
      }
    };
    EXPECT_EQ(jobs.UploadChanges(*block, false), 0);
    EXPECT_EQ(device.log.size(), logAtStop) << "nothing sent, read or slept after the stop";
  }
}

TEST_F(CommandsTest, UploadChangesSelectsOnlyAProfileThatExists) {
  DeviceJobs jobs(commands);
  for (int32_t current : {0, 4, -1, 5, 0x7F7F7F7F}) {
    SCOPED_TRACE(current);
    auto block = UploadBlock();
    block->CurrentProfile = current;
    device.log.clear();
    device.written.clear();
    EXPECT_EQ(jobs.UploadChanges(*block, false), 1);
    ASSERT_FALSE(device.written.empty());
    if (current >= 0 && current <= 4) {
      EXPECT_EQ(device.written[0], (Report{kReportCurrentProfile, 3, static_cast<uint8_t>(current)}));
    } else {
      for (const Report& r : device.written) EXPECT_NE(r[0], kReportCurrentProfile);
      EXPECT_EQ(Exchange(device.log).front(), "set 6") << "no pause for the select not sent";
    }
  }
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
    StartJob();
    device.onSleep = [&] {
      if (flags.stopRequested()) ++slicesAfterStop;
      if (++slices == stopAfter) Stop();
    };
    EXPECT_EQ(jobs.ReadBackAll(*block, sink, values), 0);
    EXPECT_EQ(slicesAfterStop, 0);  // no further 100 ms slice once stopped
    EXPECT_EQ(sink.saves, 0);
    EXPECT_EQ(sink.publishes, 0);
    EXPECT_EQ(block->ButtonChanged[2][2], 1);  // an aborted read-back clears nothing
  }
  // Without a stop but with report 15 unreadable: flags cleared, nothing saved.
  device.onSleep = nullptr;
  StartJob();
  EXPECT_EQ(jobs.ReadBackAll(*block, sink, values), 0);
  EXPECT_EQ(block->ButtonChanged[2][2], 0);
  EXPECT_EQ(sink.saves, 0);
  EXPECT_EQ(sink.publishes, 0);
}

// The device thread marks a job busy and clears the stop flag before the job
// runs; a removal right after that must still reach the job.
TEST_F(CommandsTest, JobsKeepAStopThatCameAfterTheyStarted) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  DeviceJobs jobs(commands);
  CalibrationValues values;
  RecordingSink sink;
  std::vector<uint8_t> data(3000, 1);
  struct Case {
    const char* what;
    std::function<int()> run;
    std::vector<std::string> exchange;
  } cases[] = {
      // the firmware version is read before the first stop check; report 14 ends the job in any case
      {"read all", [&] { return jobs.ReadAllJob(*block, sink, values); }, {"get 9", "set 14"}},
      {"one macro", [&] { return jobs.UploadOneMacro(*block, 5); }, {"set 8"}},
      {"light database", [&] { return jobs.UploadLightDatabase(data.data(), data.size()); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    device.log.clear();
    StartJob();
    Stop();
    EXPECT_EQ(c.run(), 0);
    EXPECT_EQ(Exchange(device.log), c.exchange);
    EXPECT_TRUE(commands.Stopped());
    EXPECT_EQ(sink.saves, 0);
  }
}

// A macro report naming another button is refused; that slot keeps what it
// had, and the read-back goes on with the next slots and profiles.
TEST_F(CommandsTest, ReadBackGoesOnPastARefusedMacro) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  const int slots[][2] = {{0, 3}, {0, 5}, {2, 3}, {4, 23}};
  for (const auto& s : slots) {
    MacroKeyInfo& slot = block->Profiles[s[0]].MacroKeys[s[1]];
    slot.FunctionCode = 0x30;
    CopyField(slot.Name, "before");
  }
  struct Case {
    const char* what;
    bool answerWrongButton;  // else report 8 of profile 0 button 3 is never answered
    bool laterProfilesRead;
  } cases[] = {{"another button", true, true}, {"no answer: the step ends", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto b = std::make_unique<SettingsBlock>(*block);
    device.answer = [&](uint8_t* data, size_t size) {
      if (data[0] == kReportTracking) return Answer(EncodeTracking(1, 0, 0, 0), data, size);
      if (data[0] != kReportMacro) return false;
      const int p = device.selectedProfile, button = device.selectedWhat;
      if (p == 0 && button == 3 && !c.answerWrongButton) return false;
      MacroKeyInfo slot{};
      CopyField(slot.Name, ("mouse " + std::to_string(p) + "/" + std::to_string(button)).c_str());
      return Answer(EncodeMacro(slot, p, p == 0 && button == 3 ? 4 : button), data, size);
    };
    DeviceJobs jobs(commands);
    CalibrationValues values;
    RecordingSink sink;
    EXPECT_EQ(jobs.ReadBackAll(*b, sink, values), 1);
    EXPECT_STREQ(b->Profiles[0].MacroKeys[3].Name, "before");
    EXPECT_EQ(b->Profiles[0].MacroKeys[3].FunctionCode, 0x30);
    EXPECT_STREQ(b->Profiles[0].MacroKeys[4].Name, block->Profiles[0].MacroKeys[4].Name) << "the slot the report named";
    EXPECT_STREQ(b->Profiles[0].MacroKeys[5].Name, c.laterProfilesRead ? "mouse 0/5" : "before");
    EXPECT_STREQ(b->Profiles[2].MacroKeys[3].Name, c.laterProfilesRead ? "mouse 2/3" : "before");
    EXPECT_STREQ(b->Profiles[4].MacroKeys[23].Name, c.laterProfilesRead ? "mouse 4/23" : "before");
    EXPECT_EQ(sink.saves, 1);
  }
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
  device.written.clear();
  EXPECT_EQ(jobs.UploadLightDatabase(nullptr, 0), 1);
  EXPECT_TRUE(device.written.empty());
}

TEST_F(CommandsTest, CalibrationTakesTheMeanAndRotatesThePreview) {
  TempFolder folder;
  const std::string bitmap = folder.path() + "sensorImage.bmp";
  std::string original(1078 + 960 + 16, '\0');  // header and palette, pixels, and bytes after them
  for (size_t i = 0; i < original.size(); ++i) original[i] = static_cast<char>(i * 31 + 7);
  ASSERT_TRUE(WriteFileReplacing(bitmap, original));
  std::array<uint8_t, kCalibrationSamples> samples{};
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i % 256);  // sum 106566
  device.answer = [&](uint8_t* data, size_t size) {
    if (data[0] != kReportCalibration || size != kCalibrationReadSize) return false;
    std::memset(data + 1, 0xEE, size - 1);
    std::memcpy(data + 3, samples.data(), samples.size());
    return true;
  };
  DeviceJobs jobs(commands);
  CalibrationValues values{200, 77};
  EXPECT_EQ(jobs.Calibrate(values, bitmap), 1);
  EXPECT_EQ(values.value1, 118) << "the integer mean, rounded down";
  EXPECT_EQ(values.value2, 77);
  EXPECT_EQ(Exchange(device.log), (std::vector<std::string>{"set 12", "sleep 2000", "get 4", "sleep 500", "get 12"}));

  std::string now;
  ASSERT_TRUE(ReadWholeFile(bitmap, now));
  ASSERT_EQ(now.size(), original.size());
  EXPECT_EQ(now.substr(0, 1078), original.substr(0, 1078));
  EXPECT_EQ(now.substr(1078 + 960), original.substr(1078 + 960));
  const std::array<uint8_t, 960> rows = CalibrationPictureRows(samples);
  for (size_t i = 0; i < rows.size(); ++i) {
    const uint8_t rotated = static_cast<uint8_t>(rows[i] << 2 | rows[i] >> 6);
    ASSERT_EQ(static_cast<uint8_t>(now[1078 + i]), rotated) << i;
  }
  EXPECT_EQ(static_cast<uint8_t>(now[1078 + 29]), 0x00);  // sample 0 (0x00), mirrored
  EXPECT_EQ(static_cast<uint8_t>(now[1078 + 28]), 0x78);  // sample 30 (0x1E) rotated
  EXPECT_EQ(static_cast<uint8_t>(now[1078 + 32 * 1 + 29]), 0x04);  // sample 1
  EXPECT_EQ(static_cast<uint8_t>(now[1078 + 32 * 7 + 0]), 0xB5);  // sample 877 (0x6D): the top bits come round
}

TEST_F(CommandsTest, TrackingCommandsSendTheirReportFifteen) {
  auto block = std::make_unique<SettingsBlock>();
  ResetToDefaults(*block, 1);
  block->LiftOnFlag = 1;
  block->TrackControlFlag = 2;
  DeviceJobs jobs(commands);
  struct Case {
    int command;
    Report sent;
    uint8_t value1, value2;  // afterwards, from 9 and 8
  } cases[] = {
      {1, {15, 6, 1, 2, 9, 0}, 9, 0},          {2, {15, 6, 1, 2, 9, 1}, 9, 1},
      {3, {15, 6, 1, 2, 0, 0}, 0, 0},          {4, {15, 6, 1, 2, 0, 2}, 0, 2},
      {253, {15, 6, 1, 0xFF, 0xFF, 0x00}, 9, 8}, {254, {15, 6, 1, 0xFF, 0xFF, 0x01}, 9, 8},
      {255, {15, 6, 1, 0xFF, 0xFF, 0xFF}, 9, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    device.written.clear();
    device.log.clear();
    CalibrationValues values{9, 8};
    EXPECT_EQ(jobs.WriteTracking(c.command, *block, values), 1);
    ASSERT_EQ(device.written.size(), 1u);
    EXPECT_EQ(device.written[0], c.sent);
    EXPECT_EQ(PausesBeforeStatusReads(device.log), std::vector<int>{100});
    EXPECT_EQ(values.value1, c.value1);
    EXPECT_EQ(values.value2, c.value2);
  }
  for (int command : {0, 5, 252, 256}) {
    device.written.clear();
    CalibrationValues values{9, 8};
    EXPECT_EQ(jobs.WriteTracking(command, *block, values), 0) << command;
    EXPECT_TRUE(device.written.empty()) << command;
    EXPECT_EQ(values.value1, 9);
    EXPECT_EQ(values.value2, 8);
  }
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
