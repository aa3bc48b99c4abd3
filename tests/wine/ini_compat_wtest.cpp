// Our INI engine and the Windows private-profile functions must read each
// other's files identically: files we write are read back through
// GetPrivateProfile*A, files written by WritePrivateProfile*A are read back
// through our engine, for the settings files and the other stores.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/macro_library.h"
#include "common/timer_list.h"
#include "common/settings_store.h"
#include "tests/support/sample_block.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {

bool LooksLikeStruct(const std::string& v) {
  if (v.size() < 4 || v.size() % 2) return false;
  for (char c : v)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Every key of `path` read both ways, plus a missing key and a missing section.
void CompareReaders(const std::string& path) {
  IniFile ours(path);
  WCHECK(ours.Load());
  int keys = 0;
  for (const std::string& section : ours.SectionNames()) {
    for (const std::string& key : ours.KeyNames(section)) {
      ++keys;
      std::vector<char> buffer(16384);
      // names in another letter case find the same entry in both readers
      const std::string s2 = Upper(section), k2 = Upper(key);
      GetPrivateProfileStringA(s2.c_str(), k2.c_str(), "<none>", buffer.data(),
                               static_cast<DWORD>(buffer.size()), path.c_str());
      WCHECK_EQ(std::string(buffer.data()), ours.GetString(section, key, "<none>", 16383));
      UINT theirs = GetPrivateProfileIntA(section.c_str(), key.c_str(), 4711, path.c_str());
      WCHECK_EQ(static_cast<int32_t>(theirs), ours.GetInt(s2, k2, 4711));
      const std::string value = ours.GetString(section, key, "");
      if (LooksLikeStruct(value)) {
        const size_t size = value.size() / 2 - 1;
        std::vector<uint8_t> a(size, 0), b(size, 0);
        BOOL okTheirs = GetPrivateProfileStructA(section.c_str(), key.c_str(), a.data(),
                                                 static_cast<UINT>(size), path.c_str());
        bool okOurs = ours.GetStruct(section, key, b.data(), size);
        WCHECK_EQ(okTheirs != 0, okOurs);
        if (okOurs) WCHECK(a == b);
        // a wrong size fails in both
        std::vector<uint8_t> c(size + 1);
        WCHECK_EQ(GetPrivateProfileStructA(section.c_str(), key.c_str(), c.data(),
                                           static_cast<UINT>(size + 1), path.c_str()) != 0,
                  ours.GetStruct(section, key, c.data(), size + 1));
      }
    }
    WCHECK_EQ(static_cast<int32_t>(GetPrivateProfileIntA(section.c_str(), "NoSuchKey", -1, path.c_str())),
              ours.GetInt(section, "NoSuchKey", -1));
  }
  WCHECK(keys > 0);
  char buffer[64];
  GetPrivateProfileStringA("No Such Section", "k", "dflt", buffer, sizeof buffer, path.c_str());
  WCHECK_EQ(std::string(buffer), ours.GetString("No Such Section", "k", "dflt"));
}

// Writes every key of `from` into `to` with the Windows functions, in order.
void RewriteWithWindows(const std::string& from, const std::string& to) {
  IniFile ours(from);
  ours.Load();
  DeleteFileA(to.c_str());
  for (const std::string& section : ours.SectionNames()) {
    for (const std::string& key : ours.KeyNames(section)) {
      const std::string value = ours.GetString(section, key, "", 1 << 20);
      std::vector<uint8_t> bytes(value.size() / 2 + 1);
      if (LooksLikeStruct(value) && IniFile::DecodeStruct(value, bytes.data(), value.size() / 2 - 1)) {
        WCHECK(WritePrivateProfileStructA(section.c_str(), key.c_str(), bytes.data(),
                                          static_cast<UINT>(value.size() / 2 - 1), to.c_str()));
      } else {
        WCHECK(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), to.c_str()));
      }
    }
  }
}

void CompareFiles(const std::string& a, const std::string& b) {
  IniFile x(a), y(b);
  WCHECK(x.Load());
  WCHECK(y.Load());
  WCHECK(x.SectionNames() == y.SectionNames());
  for (const std::string& section : x.SectionNames()) {
    WCHECK(x.KeyNames(section) == y.KeyNames(section));
    for (const std::string& key : x.KeyNames(section))
      WCHECK_EQ(x.GetString(section, key, "", 1 << 20), y.GetString(section, key, "", 1 << 20));
  }
}

}  // namespace

// One writer of the two-program check: 150 saves of its own keys.
void WriteKeys(const std::string& path, char name) {
  for (int i = 0; i < 150; ++i) {
    IniFile ini(path);
    ini.Load();
    ini.SetInt("Setting", std::string(1, name) + std::to_string(i), i);
    ini.Commit();
  }
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--writer") == 0) {
    WriteKeys(argv[2], 'B');
    return 0;
  }
  if (argc < 2) {
    std::printf("usage: ini_compat_wtest <work folder>\n");
    return 2;
  }
  const std::string work = JoinPath(argv[1], "");
  const std::string ourFolder = JoinPath(work, "ours\\");
  const std::string winFolder = JoinPath(work, "windows\\");
  CreateFolders(ourFolder + "config");
  CreateFolders(winFolder + "config");

  // 1. A full set written by our store.
  auto block = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 7);
  SettingsStore store(ourFolder, nullptr);
  WCHECK_EQ(store.SaveAll(*block), 1);
  store.SaveFirmwareVersion(153);
  store.SaveDevicePresent(1);
  store.SaveExportName(2, "Exported name");

  std::vector<std::string> files = {"config.ini"};
  for (int n = 0; n < 5; ++n) files.push_back("config\\Default" + std::to_string(n) + ".vmp");

  // The macro library (every slot's macro, grouped by set name) and a timer list.
  MacroLibrary library;
  library.SyncWithSlots(*block);
  library.sets.push_back(MacroSet{"  Spaced Set  ", {}});
  WCHECK(library.Save(ourFolder + "config\\Preset_sequence.dat"));
  TimerList timers;
  for (int i = 0; i < 50; ++i) {
    TimerRecord t{};
    t.Seconds = 10 + i * 20;
    std::snprintf(t.Name, sizeof t.Name, "Timer number %d", i);
    timers.timers.push_back(t);
  }
  WCHECK(timers.Save(ourFolder + "config\\Timer.ini"));
  files.push_back("config\\Preset_sequence.dat");
  files.push_back("config\\Timer.ini");

  // Hand-edited text with the platform's reading rules at their edges.
  const std::string edges = ourFolder + "edges.ini";
  WriteFileReplacing(edges,
                     "; a comment\r\n[Main]\r\n  Spaced  =  12   \r\nQuoted=\"  7 \"\r\n"
                     "Single='x'\r\nHex=0x1F\r\nTail=12abc\r\nNeg=-1\r\nEmpty=\r\nWord=abc\r\n"
                     "Dup=first\r\ndup=second\r\nBig=4294967295\r\nPlus=+42\r\n"
                     "LowerHex=01a2ffa2\r\nBadSum=01A2FFA3\r\nBadChar=01A2FGA2\r\n"
                     "[main]\r\nOther=x\r\n[Tail Section]\r\nk=v\r\n");
  files.push_back("edges.ini");

  for (const std::string& f : files) {
    std::printf("reading %s both ways\n", f.c_str());
    CompareReaders(ourFolder + f);
  }

  // 2. The same keys written by the Windows functions, read by our engine.
  for (const std::string& f : files) {
    if (f == "edges.ini") continue;
    RewriteWithWindows(ourFolder + f, winFolder + f);
    CompareFiles(ourFolder + f, winFolder + f);
    // Same keys in the same order give the same bytes.
    std::string a, b;
    ReadWholeFile(ourFolder + f, a);
    ReadWholeFile(winFolder + f, b);
    WCHECK_EQ(a.size(), b.size());
    WCHECK(a == b);
  }
  auto loaded = std::make_unique<SettingsBlock>();
  std::memset(loaded.get(), 0x33, sizeof *loaded);
  SettingsStore windowsStore(winFolder, nullptr);
  WCHECK_EQ(windowsStore.LoadAll(*loaded), 1);
  ClearChangeFlags(*loaded);
  WCHECK(std::memcmp(loaded.get(), block.get(), sizeof *block) == 0);
  WCHECK_EQ(windowsStore.ReadFirmwareVersion(), 153);
  MacroLibrary libraryBack;
  WCHECK(libraryBack.Load(winFolder + "config\\Preset_sequence.dat"));
  WCHECK_EQ(libraryBack.sets.size(), library.sets.size());
  for (size_t i = 0; i < library.sets.size() && i < libraryBack.sets.size(); ++i) {
    WCHECK_EQ(libraryBack.sets[i].macros.size(), library.sets[i].macros.size());
    for (size_t j = 0; j < library.sets[i].macros.size() && j < libraryBack.sets[i].macros.size(); ++j)
      WCHECK(std::memcmp(&libraryBack.sets[i].macros[j], &library.sets[i].macros[j], sizeof(MacroRecord)) == 0);
  }
  TimerList timersBack;
  WCHECK(timersBack.Load(winFolder + "config\\Timer.ini"));
  WCHECK_EQ(timersBack.timers.size(), size_t{50});
  WCHECK(std::memcmp(timersBack.timers.data(), timers.timers.data(), 50 * sizeof(TimerRecord)) == 0);

  // 3. Our writes into a file the Windows functions made keep their keys.
  WritePrivateProfileStringA("Foreign", "Kept", "yes", (winFolder + "config.ini").c_str());
  windowsStore.SaveCurrentProfile(3);
  char buffer[32];
  GetPrivateProfileStringA("Foreign", "Kept", "", buffer, sizeof buffer, (winFolder + "config.ini").c_str());
  WCHECK_EQ(std::string(buffer), std::string("yes"));
  WCHECK_EQ(GetPrivateProfileIntA("Setting", "CurrentProfile", -1, (winFolder + "config.ini").c_str()), 3u);

  // 4. Two programs saving different keys of one file at the same time (the
  // Option and the Monitor on config.ini): the named mutex keeps every key.
  {
    const std::string shared = work + "shared.ini";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --writer \"" + shared + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    WCHECK(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WriteKeys(shared, 'A');
    WCHECK(WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    IniFile result(shared);
    WCHECK(result.Load());
    int missing = 0;
    for (char name : {'A', 'B'})
      for (int i = 0; i < 150; ++i)
        if (result.GetInt("Setting", std::string(1, name) + std::to_string(i), -1) != i) ++missing;
    WCHECK_EQ(missing, 0);
    WCHECK(!CanOpenForReading(TemporaryPathOf(shared)));
  }

  return wine_check::Finish();
}
