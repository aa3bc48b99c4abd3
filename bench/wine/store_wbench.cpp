// LoadAll and SaveAll of a full five-profile set (every slot a 500-event
// macro) with our INI engine, against the same keys read and written through
// the Windows private-profile functions, which re-read or rewrite the file on
// every key. Prints the medians and the ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/settings_store.h"
#include "tests/support/sample_block.h"

using namespace vextra;

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

template <typename F>
double MedianMs(int runs, F work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    double t = Now();
    work();
    times.push_back(Now() - t);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The key list of the files our store wrote, replayed through the platform.
struct KeyRef {
  std::string file, section, key, value;
  size_t structSize;  // 0 = string/integer
};

std::vector<KeyRef> CollectKeys(const std::string& folder) {
  std::vector<KeyRef> keys;
  std::vector<std::string> files = {JoinPath(folder, "config.ini")};
  for (int n = 0; n < 5; ++n) files.push_back(folder + "config\\Default" + std::to_string(n) + ".vmp");
  for (const std::string& f : files) {
    IniFile ini(f);
    ini.Load();
    for (const std::string& s : ini.SectionNames())
      for (const std::string& k : ini.KeyNames(s)) {
        std::string v = ini.GetString(s, k, "", 1 << 20);
        size_t size = (k.rfind("LightInfo", 0) == 0 || k.rfind("MacroKeyInfo", 0) == 0) ? v.size() / 2 - 1 : 0;
        keys.push_back({f, s, k, v, size});
      }
  }
  return keys;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string work = JoinPath(argc > 1 ? argv[1] : ".", "");
  const std::string ours = work + "ours\\", theirs = work + "windows\\";
  CreateFolders(ours + "config");
  CreateFolders(theirs + "config");
  // Two different sets, saved alternately, so that every save really changes
  // every key (the platform functions skip a write whose value is unchanged,
  // and so does our engine for an unchanged file).
  auto block = std::make_unique<SettingsBlock>();
  auto other = std::make_unique<SettingsBlock>();
  FillSampleBlock(*block, 1);
  FillSampleBlock(*other, 2);
  SettingsStore store(ours, nullptr);
  store.SaveAll(*other);
  std::vector<KeyRef> otherKeys = CollectKeys(ours);
  store.SaveAll(*block);
  std::vector<KeyRef> keys = CollectKeys(ours);
  int round = 0;
  std::vector<uint8_t> buffer(4096);
  std::vector<char> text(8192);

  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  double ourSave = MedianMs(runs, [&] { store.SaveAll(++round % 2 ? *other : *block); });
  double ourLoad = MedianMs(runs, [&] { store.LoadAll(*block); });
  double winSave = MedianMs(runs, [&] {
    for (const KeyRef& k : (++round % 2 ? otherKeys : keys)) {
      std::string file = theirs + k.file.substr(ours.size());
      if (k.structSize) {
        IniFile::DecodeStruct(k.value, buffer.data(), k.structSize);
        WritePrivateProfileStructA(k.section.c_str(), k.key.c_str(), buffer.data(),
                                   static_cast<UINT>(k.structSize), file.c_str());
      } else {
        WritePrivateProfileStringA(k.section.c_str(), k.key.c_str(), k.value.c_str(), file.c_str());
      }
    }
  });
  double winLoad = MedianMs(runs, [&] {
    for (const KeyRef& k : keys) {
      std::string file = theirs + k.file.substr(ours.size());
      if (k.structSize)
        GetPrivateProfileStructA(k.section.c_str(), k.key.c_str(), buffer.data(),
                                 static_cast<UINT>(k.structSize), file.c_str());
      else if (k.key.find("Name") != std::string::npos || k.key.find("GameFile") == 0)
        GetPrivateProfileStringA(k.section.c_str(), k.key.c_str(), "", text.data(),
                                 static_cast<DWORD>(text.size()), file.c_str());
      else
        GetPrivateProfileIntA(k.section.c_str(), k.key.c_str(), -1, file.c_str());
    }
  });
  std::printf("keys per full set: %zu\n", keys.size());
  std::printf("SaveAll: ours %.2f ms, Windows functions %.2f ms, ratio %.0fx\n", ourSave, winSave,
              winSave / ourSave);
  std::printf("LoadAll: ours %.2f ms, Windows functions %.2f ms, ratio %.0fx\n", ourLoad, winLoad,
              winLoad / ourLoad);
  return 0;
}
