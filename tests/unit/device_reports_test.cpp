#include "device/reports.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace vextra {
namespace {

std::unique_ptr<ProfileRecord> DefaultProfile(int n) {
  auto p = std::make_unique<ProfileRecord>();
  std::memset(p.get(), 0, sizeof *p);
  ResetProfile(*p, n);
  return p;
}

TEST(Reports, ProfileSettingsLayout) {
  auto p = DefaultProfile(2);
  p->XYSynchronous = 0;
  p->Sensitivity = 7;
  p->Sensitivity_X = 2;
  p->Sensitivity_Y = 3;
  p->dpi[1] = 0;
  p->dpi[5] = 1;  // never sent
  p->CpiLevel_X[4] = 0x13C;  // low byte travels
  p->CpiLevel_Y[0] = 99;     // Y levels are not sent
  p->Cpi_X = 3;
  p->PollingRate = 2;
  p->Lights[2].On = 0;
  p->LightEffectSpeed = 5;
  Report r = EncodeProfileSettings(*p, 2);
  const uint8_t expected[41] = {6, 43, 2, 0, 7, 7, 0x1D, 4, 8, 16, 32, 0x3C, 3, 4, 8, 16, 32, 0x3C,
                                0, 2, 0x0B, 1, 0, 1, 5, 1, 250, 0, 0, 1, 250, 0, 0, 1, 250, 0, 0, 1, 250, 0, 0};
  ASSERT_EQ(r.size(), 43u);
  EXPECT_EQ(std::memcmp(r.data(), expected, 41), 0);
  uint16_t sum = 0;
  for (int i = 0; i < 41; ++i) sum = static_cast<uint16_t>(sum + expected[i]);
  EXPECT_EQ(r[41], sum & 0xFF);
  EXPECT_EQ(r[42], sum >> 8);

  // Reading it back with XYSynchronous 0 changes only Sensitivity of the three.
  auto back = DefaultProfile(0);
  back->Sensitivity_X = 11;
  back->Sensitivity_Y = 12;
  ASSERT_TRUE(DecodeProfileSettings(r, *back));
  EXPECT_EQ(back->Sensitivity, 7);
  EXPECT_EQ(back->Sensitivity_X, 11);
  EXPECT_EQ(back->Sensitivity_Y, 12);
  EXPECT_EQ(back->dpi[1], 0);
  EXPECT_EQ(back->CpiLevel_Y[4], 0x3C);
  EXPECT_EQ(back->Cpi_Y, 3);
  EXPECT_EQ(back->Lights[2].On, 0);
  EXPECT_EQ(back->Lights[0].Red, 250);

  p->XYSynchronous = 1;
  r = EncodeProfileSettings(*p, 2);
  EXPECT_EQ(r[4], 2);
  EXPECT_EQ(r[5], 3);
  ASSERT_TRUE(DecodeProfileSettings(r, *back));
  EXPECT_EQ(back->Sensitivity_X, 2);
  EXPECT_EQ(back->Sensitivity_Y, 3);
}

TEST(Reports, DamagedReadsStoreNothing) {
  auto p = DefaultProfile(1);
  Report good6 = EncodeProfileSettings(*p, 1), good7 = EncodeButtonTable(*p, 1);
  Report good8 = EncodeMacro(p->MacroKeys[3], 1, 3);
  struct Case {
    const char* what;
    Report report;
  } cases[] = {{"6 checksum", good6}, {"6 short", Report(good6.begin(), good6.end() - 1)},
               {"7 checksum", good7}, {"8 checksum", good8}};
  cases[0].report[10] ^= 1;
  cases[2].report[3] ^= 1;
  cases[3].report[100] ^= 1;
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto target = DefaultProfile(4);
    std::memset(target.get(), 0x5A, sizeof *target);
    auto before = std::make_unique<ProfileRecord>(*target);
    DecodeProfileSettings(c.report, *target);
    DecodeButtonTable(c.report, *target);
    DecodeMacro(c.report, 3, target->MacroKeys[3]);
    EXPECT_EQ(std::memcmp(target.get(), before.get(), sizeof *target), 0);
  }
}

TEST(Reports, ButtonTableCarriesShortcutsOnly) {
  auto p = DefaultProfile(0);
  MacroKeyInfo& s = p->MacroKeys[7];
  s.FunctionCode = 5;
  s.Events[0].key = 0x04;
  s.Events[0].action = 0x06;
  p->MacroKeys[8].Events[0].key = 0x33;  // not a shortcut: not sent
  Report r = EncodeButtonTable(*p, 4);
  EXPECT_EQ(r[1], 77);
  EXPECT_EQ(r[2], 4);
  EXPECT_EQ(r[3 + 21], 5);
  EXPECT_EQ(r[4 + 21], 0x06);
  EXPECT_EQ(r[5 + 21], 0x04);
  EXPECT_EQ(r[3 + 24], 14);
  EXPECT_EQ(r[4 + 24], 0);
  EXPECT_EQ(r[3 + 12], 65);

  auto back = DefaultProfile(0);
  std::strcpy(back->MacroKeys[7].Name, "old");
  std::strcpy(back->MacroKeys[7].MacroName, "old");
  ASSERT_TRUE(DecodeButtonTable(r, *back));
  EXPECT_EQ(back->MacroKeys[7].FunctionCode, 5);
  EXPECT_EQ(back->MacroKeys[7].EventCount, 1);
  EXPECT_EQ(back->MacroKeys[7].Events[0].key, 0x04);
  EXPECT_EQ(back->MacroKeys[7].Events[0].action, 0x06);
  EXPECT_EQ(back->MacroKeys[7].Name[0], 0);
  EXPECT_EQ(back->MacroKeys[7].MacroName[0], 0);
}

TEST(Reports, MacroLayoutNamesAndCounts) {
  MacroKeyInfo s{};
  s.ButtonNumber = 9;
  s.FunctionCode = 0x30;
  s.LoopCount = 0x1FF;
  std::strcpy(s.Name, "abcdefghijklmnopqrstuvwx");          // exactly 24
  std::strcpy(s.MacroSetName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");  // 26: cut to 24
  std::strcpy(s.MacroName, "short");
  s.EventCount = 0;
  Report r = EncodeMacro(s, 3, 9);
  ASSERT_EQ(r.size(), 2082u);
  EXPECT_EQ(r[1], 0x22);
  EXPECT_EQ(r[2], 0x08);
  EXPECT_EQ(r[3], 3);
  EXPECT_EQ(r[4], 9);
  EXPECT_EQ(r[5], 0xFF);
  EXPECT_EQ(std::memcmp(&r[6], "abcdefghijklmnopqrstuvwx", 24), 0);
  EXPECT_EQ(r[30], 'A');  // no terminator inside the 24 bytes
  EXPECT_EQ(std::memcmp(&r[30], "ABCDEFGHIJKLMNOPQRSTUVWX", 24), 0);
  EXPECT_EQ(std::memcmp(&r[54], "short\0\0", 7), 0);
  EXPECT_EQ(r[78], 0);
  for (size_t i = 80; i < 2080; ++i) ASSERT_EQ(r[i], 0);

  for (int i = 0; i < 500; ++i) s.Events[i] = MacroEvent{static_cast<uint8_t>(4 + i % 20), 1, 0xFFFF};
  s.EventCount = 500;
  r = EncodeMacro(s, 3, 9);
  EXPECT_EQ(r[78] | (r[79] << 8), 500);
  EXPECT_EQ(r[2076], 4 + 499 % 20);
  EXPECT_EQ(r[2079], 0xFF);

  MacroKeyInfo back{};
  std::memset(&back, 0x77, sizeof back);
  ASSERT_TRUE(DecodeMacro(r, 9, back));
  EXPECT_EQ(back.FunctionCode, 0x30);
  EXPECT_EQ(back.LoopCount, 0xFF);
  EXPECT_STREQ(back.Name, "abcdefghijklmnopqrstuvwx");
  EXPECT_STREQ(back.MacroSetName, "ABCDEFGHIJKLMNOPQRSTUVWX");  // 24 of the 26 survive
  EXPECT_EQ(back.EventCount, 500);
  EXPECT_EQ(std::memcmp(back.Events, s.Events, sizeof s.Events), 0);
  EXPECT_EQ(back.TimerSeconds, 0x77777777);  // fields outside the report stay

  // A slot claiming more than the event area never reads past it.
  s.EventCount = 30000;
  r = EncodeMacro(s, 0, 9);
  EXPECT_EQ(r.size(), 2082u);
  EXPECT_EQ(r[78] | (r[79] << 8), 500);
  // A report claiming 501 events, or naming another button, is refused.
  r[78] = 0xF5;
  r[79] = 0x01;
  SealReport(r);
  EXPECT_FALSE(DecodeMacro(r, 9, back));
  r = EncodeMacro(s, 0, 9);
  EXPECT_FALSE(DecodeMacro(r, 8, back));
}

TEST(Reports, ShortReports) {
  EXPECT_EQ(EncodeSelect(4, 0x90), (Report{4, 4, 0x90}));
  EXPECT_EQ(EncodeCurrentProfile(2), (Report{5, 3, 2}));
  EXPECT_EQ(EncodeFactoryReset(), (Report{9, 6, 0x0B, 0, 0, 0}));
  EXPECT_EQ(EncodeCalibrationStart(), (Report{12, 3, 1, 0}));
  EXPECT_EQ(EncodeHostState(0), (Report{14, 3, 0}));
  EXPECT_EQ(EncodeTracking(1, 2, 3, 4), (Report{15, 6, 1, 2, 3, 4}));
  EXPECT_EQ(EncodeTrackingCommand(1, 255), (Report{15, 6, 1, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodeTrackingCommand(1, 254), (Report{15, 6, 1, 0xFF, 0xFF, 0x01}));
  EXPECT_EQ(EncodeTrackingCommand(0, 253), (Report{15, 6, 0, 0xFF, 0xFF, 0x00}));
  Report light = EncodeLightCommand(7, 8, 9);
  EXPECT_EQ(light, (Report{16, 16, 7, 8, 9, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(EncodeLightRecord(4, eight), (Report{16, 16, 0xFF, 0xFF, 0xFF, 1, 4, 1, 1, 2, 3, 4, 5, 6, 7, 8}));
  const uint8_t data[3] = {0xFF, 0xFF, 0x01};
  Report block = EncodeLightDatabaseBlock(0x102, data, 3);
  ASSERT_EQ(block.size(), 1029u);
  EXPECT_EQ(block[1], 2);
  EXPECT_EQ(block[2], 1);
  EXPECT_EQ(block[5], 1);
  EXPECT_EQ(block[6], 0);
  EXPECT_TRUE(ChecksumValid(block));
  const uint16_t sum = 26 + 2 + 1 + 0xFF + 0xFF + 1;
  EXPECT_EQ(block[1027] | (block[1028] << 8), sum);

  int profile = -1;
  EXPECT_FALSE(DecodeCurrentProfile(Report{5, 3, 5}, profile));
  EXPECT_TRUE(DecodeCurrentProfile(Report{5, 3, 4}, profile));
  EXPECT_EQ(profile, 4);
  DeviceInfo info;
  ASSERT_TRUE(DecodeDeviceInfo(Report{9, 6, 150, 110, 0, 0}, info));
  EXPECT_EQ(info.firmwareVersion, 150);
  EXPECT_EQ(info.bootLoaderVersion, 110);
}

}  // namespace
}  // namespace vextra
