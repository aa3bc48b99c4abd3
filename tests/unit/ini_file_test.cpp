#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

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

// A lone CR ends a line, as it ends a stored value: what is read can be
// written back and found again under the same name.
TEST(IniFile, LoneCarriageReturnEndsALine) {
  IniFile ini;
  ini.Parse("[A]\rx=1\r\ny=2\n\rz=3");
  EXPECT_EQ(ini.GetInt("A", "x", 0), 1);
  EXPECT_EQ(ini.GetInt("A", "y", 0), 2);
  EXPECT_EQ(ini.GetInt("A", "z", 0), 3);
  ini.SetInt("A", "z", 4);
  IniFile again;
  again.Parse(ini.Serialize());
  EXPECT_EQ(again.GetInt("A", "z", 0), 4);
  EXPECT_EQ(again.GetInt("A", "x", 0), 1);
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

// Two writers that each load the file, change their own key and commit, over
// and over: threads of one program and two programs. Every key either ever
// wrote must be in the file at the end.
TEST(IniFile, ConcurrentWritersOfOneFileNeverLoseEachOthersKeys) {
  constexpr int kRounds = 150;
  auto writer = [](const std::string& path, char name) {
    for (int i = 0; i < kRounds; ++i) {
      IniFile ini(path);
      ini.Load();
      ini.SetInt("Setting", std::string(1, name) + std::to_string(i), i);
      ini.Commit();
    }
  };
  for (const bool processes : {false, true}) {
    SCOPED_TRACE(processes ? "two processes" : "two threads");
    TempFolder dir;
    const std::string path = JoinPath(dir.path(), "config.ini");
    if (processes) {
      const pid_t child = fork();
      ASSERT_NE(child, -1);
      if (child == 0) {
        writer(path, 'B');
        _exit(0);
      }
      writer(path, 'A');
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
      std::thread other(writer, path, 'B');
      writer(path, 'A');
      other.join();
    }
    IniFile result(path);
    ASSERT_TRUE(result.Load());
    int missing = 0;
    for (char name : {'A', 'B'})
      for (int i = 0; i < kRounds; ++i)
        if (result.GetInt("Setting", std::string(1, name) + std::to_string(i), -1) != i) ++missing;
    EXPECT_EQ(missing, 0);
  }
}

TEST(IniFile, CommitChangesOnlyItsOwnKeysOfTheFileAsItIsNow) {
  TempFolder dir;
  const std::string path = JoinPath(dir.path(), "t.ini");
  ASSERT_TRUE(WriteFileReplacing(path, "; kept\r\n[A]\r\nx=1\r\ny=2\r\n[Gone]\r\nz=3\r\n"));
  IniFile first(path), second(path);
  ASSERT_TRUE(first.Load());
  ASSERT_TRUE(second.Load());
  second.SetInt("A", "x", 10);
  second.SetInt("B", "new", 5);
  ASSERT_TRUE(second.Commit());
  first.SetInt("A", "y", 20);
  first.RemoveSection("Gone");
  ASSERT_TRUE(first.Commit());
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, "; kept\r\n[A]\r\nx=10\r\ny=20\r\n[B]\r\nnew=5\r\n");
  // The document now shows the merged file.
  EXPECT_EQ(first.GetInt("a", "X", 0), 10);

  // A whole rewrite keeps nothing of the earlier file.
  IniFile whole(path);
  whole.SetInt("Only", "k", 1);
  ASSERT_TRUE(whole.CommitWhole());
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_EQ(text, "[Only]\r\nk=1\r\n");
}

// A file the engine refuses to read (over its size limit) is never replaced
// by one holding only the writer's keys, whichever way it is saved.
TEST(IniFile, FileThatCannotBeReadIsNeverOverwritten) {
  TempFolder dir;
  const std::string path = JoinPath(dir.path(), "big.ini");
  const std::string head = "[config]\r\nOSDSetting=00\r\n";
  ASSERT_TRUE(WriteFileReplacing(path, head));
  const off_t size = (128 << 20) + 1;  // sparse: costs no disk
  ASSERT_EQ(truncate(path.c_str(), size), 0);
  for (const bool whole : {false, true}) {
    IniFile ini(path);
    EXPECT_FALSE(ini.Load());
    ini.SetInt("Setting", "Device", 1);
    EXPECT_FALSE(whole ? ini.CommitWhole() : ini.Commit());
  }
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, size);
  std::string start(head.size(), '\0');
  FILE* f = fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(fread(&start[0], 1, start.size(), f), start.size());
  fclose(f);
  EXPECT_EQ(start, head);
}

TEST(IniFile, SaveRemovesTheStageOfAnInterruptedSave) {
  TempFolder dir;
  const std::string path = JoinPath(dir.path(), "config.ini");
  ASSERT_TRUE(WriteFileReplacing(path, "[Setting]\r\nDevice=1\r\n"));
  ASSERT_TRUE(WriteFileReplacing(TemporaryPathOf(path) + "x", "half-written"));
  ASSERT_EQ(rename((TemporaryPathOf(path) + "x").c_str(), TemporaryPathOf(path).c_str()), 0);
  IniFile ini(path);
  ASSERT_TRUE(ini.Load());
  ini.SetInt("Setting", "Device", 1);  // changes nothing: the file is not written
  ASSERT_TRUE(ini.Commit());
  EXPECT_FALSE(CanOpenForReading(TemporaryPathOf(path)));
  EXPECT_EQ(ini.GetInt("Setting", "Device", 0), 1);
}

}  // namespace
}  // namespace vextra
