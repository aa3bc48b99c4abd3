#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/file_system.h"
#include "tests/unit/temp_folder.h"

namespace vextra {
namespace {

TEST(IniFile, ReadsLikeThePlatformFunctions) {
  IniFile ini;
  ini.Parse(
      "\xEF\xBB\xBF; comment line\r\n"
      "[Main]\r\n"
      "  Spaced  =  12   \r\n"
      "Quoted=\"  7 \"\n"
      "Hex=0x10\n"
      "Tail=12abc\n"
      "Neg=-1\n"
      "Empty=\n"
      "Dup=first\n"
      "dup=second\n"
      "[main]\n"
      "Other=x\n"
      "[ Struct ]\n"
      "S3=01a2ffa2\n");
  struct IntCase {
    const char* key;
    int32_t expected;
  } ints[] = {{"Spaced", 12}, {"QUOTED", 7}, {"Hex", 16}, {"Tail", 12},
              {"Neg", -1},    {"Empty", 9},  {"Missing", 9}};
  for (const IntCase& c : ints) EXPECT_EQ(ini.GetInt("MAIN", c.key, 9), c.expected) << c.key;
  EXPECT_EQ(ini.GetString("Main", "Quoted", "d"), "  7 ");
  EXPECT_EQ(ini.GetString("Main", "Dup", "d"), "first");
  EXPECT_EQ(ini.GetString("Main", "Other", "d"), "d");  // only the first [main] is searched
  EXPECT_EQ(ini.GetString("Nowhere", "x", "def"), "def");
  EXPECT_EQ(ini.GetInt("Nowhere", "x", -5), -5);
  uint8_t s3[3] = {};
  ASSERT_TRUE(ini.GetStruct("struct", "s3", s3, 3));
  EXPECT_EQ(s3[0], 0x01);
  EXPECT_EQ(s3[1], 0xA2);
  EXPECT_EQ(s3[2], 0xFF);
}

TEST(IniFile, StructuresRoundTripAndRejectDamage) {
  const uint8_t bytes[3] = {0x01, 0xA2, 0xFF};
  EXPECT_EQ(IniFile::EncodeStruct(bytes, 3), "01A2FFA2");
  uint8_t zero = 0;
  EXPECT_EQ(IniFile::EncodeStruct(&zero, 1), "0000");

  struct Bad {
    const char* text;
    size_t size;
  } bad[] = {{"01A2FFA2", 2}, {"01A2FFA2", 4}, {"01A2FFA3", 3}, {"01A2FGA2", 3}, {"", 0}, {"01A2FFA", 3}};
  for (const Bad& b : bad) {
    uint8_t buffer[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_FALSE(IniFile::DecodeStruct(b.text, buffer, b.size)) << b.text;
    EXPECT_EQ(buffer[0], 0x55) << "buffer untouched on failure: " << b.text;
  }
}

TEST(IniFile, WritesKeepOtherContentAndCannotInjectLines) {
  IniFile ini;
  ini.Parse("; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ini.SetInt("a", "X", 5);            // existing key, other case: value replaced in place
  ini.SetString("A", "z", "  hello  ");  // new key after the last key, before the blank line
  ini.SetString("C", "evil", "v\r\n[A]\r\nx=666");
  EXPECT_EQ(ini.Serialize(),
            "; keep me\r\n[A]\r\nx=5\r\nz=hello\r\n\r\n[B]\r\ny=2\r\n[C]\r\nevil=v\r\n");
  ini.RemoveKey("b", "Y");
  ini.RemoveSection("c");
  EXPECT_EQ(ini.Serialize(), "; keep me\r\n[A]\r\nx=5\r\nz=hello\r\n\r\n[B]\r\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"A", "B"}));
}

TEST(IniFile, CommitReplacesTheFileAndLeavesNoTemporary) {
  TempFolder dir;
  const std::string path = JoinPath(dir.path(), "t.ini");
  ASSERT_TRUE(WriteFileReplacing(path, "[Old]\r\nk=1\r\n"));
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  ini.SetInt("New", "n", -7);
  ASSERT_TRUE(ini.Commit());
  IniFile again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetInt("old", "K", 0), 1);
  EXPECT_EQ(again.GetInt("new", "N", 0), -7);
  EXPECT_FALSE(CanOpenForReading(path + ".new~"));

  // Nothing changed since Load: the file is not written again.
  IniFile same(path);
  ASSERT_TRUE(same.Load());
  ASSERT_TRUE(WriteFileReplacing(path, "[Other]\r\n"));
  EXPECT_TRUE(same.Commit());
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, "[Other]\r\n");
  same.SetInt("new", "n", -6);
  EXPECT_TRUE(same.Commit());
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_NE(text.find("n=-6"), std::string::npos);

  IniFile missing(JoinPath(dir.path(), "none.ini"));
  EXPECT_FALSE(missing.Load());
  EXPECT_EQ(missing.GetInt("x", "y", -1), -1);
  IniFile unwritable(JoinPath(dir.path(), "no/such/folder/x.ini"));
  unwritable.SetInt("a", "b", 1);
  EXPECT_FALSE(unwritable.Commit());
}

TEST(IniFile, ParsesGarbageWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  garbage += "\n[\n]\n[x\n=\n==\n[]\nk=v";
  IniFile ini;
  ini.Parse(garbage);
  EXPECT_EQ(ini.GetString("", "k", "d"), "v");  // "[]" is a section with an empty name
  std::string text = ini.Serialize();
  IniFile again;
  again.Parse(text);
  EXPECT_EQ(again.Serialize(), text);
}

}  // namespace
}  // namespace vextra
