// The real Monitor speaking and driving media players. The simulated mouse
// raises the events; stand-in player windows in this process record what
// reaches them; copies of this program under player names record that they
// were started. Sounds are heard through ALSA's "file" device: every sound the
// Monitor plays is captured into a file of its own, and each capture must be
// the exact samples of the expected wave file.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/settings_block.h"
#include "common/program_messages.h"
#include "monitor/sound_feedback.h"
#include "sim/simulated_mouse.h"
#include "tests/wine/monitor_driver.h"
#include "tests/wine/wine_check.h"

using namespace vextra;
using namespace monitor_driver;

namespace {

// Only the display stand-in: no Option window may take the foreground.
const Layout kLayout = [] {
  Layout layout;
  layout.option = false;
  layout.updater = false;
  layout.mark = 37;
  return layout;
}();

std::string program;   // the laid-out program folder, with a trailing backslash
std::string players;   // stand-in players, in a folder whose name has a space
std::string captures;  // one file per played sound
std::string alsaConfig;  // Unix path of the sound device's configuration

// ---------------------------------------------------------------- plumbing

bool EditCurrent(const std::function<void(ProfileRecord&)>& edit) {
  return Apply([&](SettingsBlock& b) {
    if (IsProfileIndex(b.CurrentProfile)) edit(b.Profiles[b.CurrentProfile]);
  });
}

// The volume keys have no simulator command: the event as the library posts it.
void DeviceEvent(uint32_t type, uint32_t value) { PostMessageA(Monitor(), WM_MON_DEVICE_EVENT, type, value); }

// ---------------------------------------------------------------- sounds

std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const WCHAR*);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  if (!toUnix) return std::string();
  char* unix = toUnix(wide);
  if (!unix) return std::string();
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

// Every sound goes through a pipe into its own file, renamed into place once
// the sound has ended.
bool PrepareCapture(const std::string& work) {
  captures = work + "captures\\";
  CreateFolders(captures);
  const std::string unixCaptures = UnixPath(captures);
  if (unixCaptures.empty()) return false;
  const std::string script = work + "capture.sh";
  WriteFileReplacing(script, "t=\"" + unixCaptures + "/$(date +%s%N)\"\ncat > \"$t.part\"\nmv \"$t.part\" \"$t.pcm\"\n");
  const std::string config = work + "asound.conf";
  WriteFileReplacing(config, "</usr/share/alsa/alsa.conf>\npcm.!default { type file; slave.pcm \"null\"; file \"|sh " +
                                 UnixPath(script) + "\"; format \"raw\" }\n");
  alsaConfig = UnixPath(config);
  return !alsaConfig.empty();
}

// The Monitor alone gets a sound driver. Wine hands its own settings to a
// child from its Unix environment, not from ours, so the Monitor is started
// through the Unix side with that environment.
bool StartMonitor() {
  const std::string monitor = UnixPath(program + "VextraMonitor.exe");
  if (monitor.empty() || alsaConfig.empty()) return false;
  std::string command = "Z:\\usr\\bin\\env \"WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d;winepulse.drv=d\" "
                        "\"ALSA_CONFIG_PATH=" + alsaConfig + "\" wine \"" + monitor + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, program.c_str(), &si, &pi))
    return false;
  // The handle is of the Unix process, which cannot be waited on: the
  // Monitor's window and its instance mutex tell when it runs.
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return WaitFor([] { return Monitor() != nullptr; }, 30000);
}

struct Capture {
  std::string name;  // nanoseconds since the epoch, when the sound started
  std::string samples;
};

std::vector<std::string> seen;

// Captures not looked at yet, oldest first; empty opens are skipped.
std::vector<Capture> NewCaptures() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((captures + "*.pcm").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
  }
  std::sort(names.begin(), names.end());
  std::vector<Capture> fresh;
  for (const std::string& name : names) {
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
    seen.push_back(name);
    Capture c{name, ReadText(captures + name)};
    if (!c.samples.empty()) fresh.push_back(c);
  }
  return fresh;
}

// Waits for at least `count` new sounds and then for quiet; returns every new one.
std::vector<Capture> Heard(size_t count, int quietMilliseconds = 1500) {
  std::vector<Capture> all;
  WaitFor([&] {
    for (Capture& c : NewCaptures()) all.push_back(c);
    return all.size() >= count;
  }, 10000);
  Pump(quietMilliseconds);
  for (Capture& c : NewCaptures()) all.push_back(c);
  return all;
}

std::string Samples(int volume, const std::string& file) {
  const std::string wave = ReadText(program + SoundFolder(volume) + "\\" + file);
  return wave.size() > 44 ? wave.substr(44) : std::string();
}

// The sounds heard are these files, in this order. A sound cut off by the
// next one is a long enough beginning of its file; the last one is whole.
bool HeardFiles(const std::vector<Capture>& heard, int volume, const std::vector<std::string>& files) {
  bool ok = heard.size() == files.size();
  for (size_t i = 0; ok && i < files.size(); ++i) {
    const std::string expected = Samples(volume, files[i]);
    const std::string& got = heard[i].samples;
    // The capture device may round a sound up to its period with silence.
    const bool padded = got.size() > expected.size() && got.size() - expected.size() <= 4096 &&
                        got.compare(0, expected.size(), expected) == 0 &&
                        got.find_first_not_of('\0', expected.size()) == std::string::npos;
    const bool whole = got == expected || padded;
    const bool beginning = i + 1 < files.size() && got.size() >= 4000 && expected.compare(0, got.size(), got) == 0;
    ok = !expected.empty() && (whole || beginning);
  }
  if (!ok) {
    std::printf("  expected:");
    for (const std::string& f : files) std::printf(" %s(%zu)", f.c_str(), Samples(volume, f).size());
    std::printf("\n  heard:");
    for (const Capture& c : heard) std::printf(" %zu", c.samples.size());
    std::printf("\n");
  }
  return ok;
}

// Milliseconds between the starts of two sounds.
long long Between(const Capture& a, const Capture& b) {
  return (std::stoll(b.name.substr(0, b.name.find('.'))) - std::stoll(a.name.substr(0, a.name.find('.')))) / 1000000;
}

// ---------------------------------------------------------------- players

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  uint32_t lParam;
  bool operator==(const Received& o) const {
    return window == o.window && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};
std::vector<Received> received;

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_COMMAND) {
    received.push_back({window, message, wParam, static_cast<uint32_t>(lParam)});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND PlayerWindow(const char* className, const char* title, DWORD visible = WS_VISIBLE) {
  WNDCLASSA wc{};
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpfnWndProc = PlayerProc;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  return CreateWindowExA(0, className, title, WS_POPUP | visible, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance,
                         nullptr);
}

std::vector<Received> After(const std::string& command, size_t count) {
  received.clear();
  Sim(command);
  WaitFor([&] { return received.size() >= count; }, 3000);
  Pump(300);  // nothing more comes
  return received;
}

bool SetMachineString(const char* subkey, const char* name, const std::string& value, DWORD type = REG_SZ) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

bool MachineKeyExists(const char* subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Keys this test writes under the local machine, removed again at the end.
const char* const kTestKeys[] = {
    "SOFTWARE\\Classes\\Applications\\vlc.exe\\shell\\open\\command",
    "SOFTWARE\\Classes\\Winamp.File\\shell\\open\\command",
    "SOFTWARE\\Classes\\ICY\\shell\\open\\command",
};
const char* const kWmpKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wmplayer.exe";
const char* const kITunesKey = "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4";

int Started(const std::string& player) {
  const std::string log = ReadText(players + "started.log");
  int n = 0;
  for (size_t at = log.find(player + "|"); at != std::string::npos; at = log.find(player + "|", at + 1)) ++n;
  return n;
}

// Started under a player's name: note it and end.
bool RunAsPlayer() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string name = self;
  name = name.substr(name.find_last_of('\\') + 1);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name != "vlc.exe" && name != "winamp.exe" && name != "wmplayer.exe" && name != "itunes.exe") return false;
  const std::string folder = FolderOf(self);
  if (std::FILE* f = std::fopen((folder + "started.log").c_str(), "ab")) {
    std::fprintf(f, "%s|%s\n", name.c_str(), GetCommandLineA());
    std::fclose(f);
  }
  return true;
}

// ---------------------------------------------------------------- layout

bool LayOut(const std::string& built, const std::string& tests, const std::string& self) {
  bool ok = true;
  LayOutProgram(built, tests, program, kLayout);
  // Every file a sound id names, in every loudness folder.
  int missing = 0;
  for (int volume = 0; volume <= 4; ++volume) {
    CreateFolders(program + SoundFolder(volume));
    for (int id = 0; id <= kSoundNumberLast; ++id) {
      const std::string file = SoundFileName(id);
      if (file.empty() || (id >= kSoundNumberFirst && id % 100 != 0)) continue;  // DPI values are hundreds
      if (!CopyFileReplacing(built + SoundFolder(volume) + "\\" + file, program + SoundFolder(volume) + "\\" + file))
        ++missing;
    }
  }
  WCHECK_EQ(missing, 0);
  CreateFolders(players);
  for (const char* name : {"vlc.exe", "winamp.exe", "wmplayer.exe", "itunes.exe"})
    ok &= CopyFileReplacing(self, players + name);
  return ok;
}

void TestSounds() {
  // Every profile announces everything, from the folder for loudness 2.
  WCHECK(Apply([](SettingsBlock& b) {
    for (ProfileRecord& p : b.Profiles) {
      p.SoundProfile = p.SoundDpi = p.SoundSens = p.VolumeUpDown = 1;
      p.SoundVolume = 7;
      const int levels[5] = {4, 8, 16, 24, 32};
      for (int i = 0; i < 5; ++i) p.CpiLevel_X[i] = p.CpiLevel_Y[i] = levels[i];
      p.MacroKeys[4].FunctionCode = 49;  // button 5 starts a countdown
      p.MacroKeys[4].TimerSeconds = 3;
      p.MacroKeys[5].FunctionCode = 50;  // button 6 stops it
    }
    b.Profiles[1].SoundVolume = 0;
  }));
  NewCaptures();

  // Three DPI changes within half a second: only the last value is spoken.
  WCHECK(Sim("dpi up"));
  WCHECK(Sim("dpi up"));
  WCHECK(Sim("dpi up"));
  {
    const auto heard = Heard(1);
    auto block = ReadSection();
    WCHECK(block != nullptr);
    if (block) {
      const ProfileRecord& p = block->Profiles[block->CurrentProfile];
      const int level = p.Cpi_X >= 0 && p.Cpi_X < 5 ? p.CpiLevel_X[p.Cpi_X] : 0;
      WCHECK(HeardFiles(heard, 2, {std::to_string(level * 100) + ".wav"}));
    }
  }

  // A countdown of 3: activated, "2 seconds", "1 second", "go", a second apart.
  WCHECK(Sim("click 5"));
  {
    const auto heard = Heard(4);
    WCHECK(HeardFiles(heard, 2, {"timer_activated.wav", "2_seconds.wav", "1_second.wav", "go.wav"}));
    for (size_t i = 1; i < heard.size(); ++i) WCHECK(Between(heard[i - 1], heard[i]) >= 900);
  }

  // In the last five seconds the countdown is not talked over; afterwards
  // announcements are heard again.
  WCHECK(EditCurrent([](ProfileRecord& p) { p.MacroKeys[4].TimerSeconds = 4; }));
  WCHECK(Sim("click 5"));
  {
    std::vector<Capture> heard;
    WaitFor([&] {
      for (Capture& c : NewCaptures()) heard.push_back(c);
      return heard.size() >= 2;
    }, 5000);  // activated, then "3 seconds" on the first tick
    WCHECK(Sim("dpi up"));
    WCHECK(Sim("sensitivity 9"));
    DeviceEvent(0x1B00, 1);
    const auto rest = Heard(3, 2000);
    heard.insert(heard.end(), rest.begin(), rest.end());
    WCHECK(HeardFiles(heard, 2, {"timer_activated.wav", "3_seconds.wav", "2_seconds.wav", "1_second.wav", "go.wav"}));
  }
  DeviceEvent(0x1B00, 255);
  WCHECK(HeardFiles(Heard(1), 2, {"volume_down.wav"}));

  // Stop: a 12-second countdown stopped before "10 seconds" says nothing more.
  WCHECK(EditCurrent([](ProfileRecord& p) { p.MacroKeys[4].TimerSeconds = 12; }));
  WCHECK(Sim("click 5"));
  Pump(1200);
  WCHECK(Sim("click 6"));
  WCHECK(HeardFiles(Heard(2, 3000), 2, {"timer_activated.wav", "timer_stopped.wav"}));
  WCHECK(Sim("click 6"));  // nothing running: silence
  WCHECK(Heard(0, 1000).empty());

  // A profile switch on the mouse speaks the new profile from its own loudness folder.
  WCHECK(Sim("profile 2"));
  WCHECK(HeardFiles(Heard(1), 0, {"profile_two.wav"}));
}

void TestPlayers() {
  HWND winamp = PlayerWindow("Winamp v1.x", "1. Artist - Song - Winamp");
  HWND itunes = PlayerWindow("iTunes", "iTunes");
  HWND tooltip = PlayerWindow("QWidget", "tooltip");
  HWND vlc = PlayerWindow("QWidget", "Song - VLC media player");
  WCHECK(winamp && itunes && tooltip && vlc);
  // The first QWidget in z-order is the tooltip: the walk passes it.
  SetWindowPos(tooltip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  auto select = [](int player) { return EditCurrent([player](ProfileRecord& p) { p.MediaOption = player; }); };

  // Winamp: its own command numbers; play and pause alternate.
  WCHECK(select(3));
  using R = std::vector<Received>;
  WCHECK(After("media 35", 1) == (R{{winamp, WM_COMMAND, 40045, 0}}));
  WCHECK(After("media 35", 1) == (R{{winamp, WM_COMMAND, 40046, 0}}));
  WCHECK(After("media 35", 1) == (R{{winamp, WM_COMMAND, 40045, 0}}));
  WCHECK(After("media 34", 1) == (R{{winamp, WM_COMMAND, 40048, 0}}));
  WCHECK(After("media 33", 1) == (R{{winamp, WM_COMMAND, 40044, 0}}));
  WCHECK(After("media 36", 1) == (R{{winamp, WM_COMMAND, 40047, 0}}));
  WCHECK(After("media 38", 1).empty());  // volume is the system's

  // iTunes: Ctrl+arrow for tracks, space for play/pause and for stop.
  WCHECK(select(1));
  WCHECK(After("media 34", 4) == (R{{itunes, WM_KEYDOWN, 17, 0x001D0001},
                                    {itunes, WM_KEYDOWN, 39, 0x014D0001},
                                    {itunes, WM_KEYUP, 39, 0xC14D0001},
                                    {itunes, WM_KEYUP, 17, 0xC01D0001}}));
  WCHECK(After("media 33", 4) == (R{{itunes, WM_KEYDOWN, 17, 0x001D0001},
                                    {itunes, WM_KEYDOWN, 37, 0x014B0001},
                                    {itunes, WM_KEYUP, 37, 0xC14B0001},
                                    {itunes, WM_KEYUP, 17, 0xC01D0001}}));
  const R space = {{itunes, WM_KEYDOWN, 32, 0x00390001}, {itunes, WM_KEYUP, 32, 0xC0390001}};
  WCHECK(After("media 35", 2) == space);
  WCHECK(After("media 36", 2) == space);

  // VLC: the QWidget titled "... VLC ..." gets the keys; the tooltip nothing.
  WCHECK(select(2));
  WCHECK(After("media 34", 2) == (R{{vlc, WM_KEYDOWN, 'N', 0x00310001}, {vlc, WM_KEYUP, 'N', 0xC0310001}}));
  WCHECK(After("media 33", 2) == (R{{vlc, WM_KEYDOWN, 'P', 0x00190001}, {vlc, WM_KEYUP, 'P', 0xC0190001}}));
  WCHECK(After("media 35", 2) == (R{{vlc, WM_KEYDOWN, 32, 0x00390001}, {vlc, WM_KEYUP, 32, 0xC0390001}}));
  WCHECK(After("media 36", 2) == (R{{vlc, WM_KEYDOWN, 'S', 0x001F0001}, {vlc, WM_KEYUP, 'S', 0xC01F0001}}));
  WCHECK(GetForegroundWindow() == vlc);

  // Windows Media Player: application commands go to the shell, no window of ours sees them.
  WCHECK(select(0));
  WCHECK(After("media 35", 1).empty());
  WCHECK(IsWindow(Monitor()));

  // Open player: each from its registry entry, a path with a space quoted.
  WCHECK(SetMachineString(kTestKeys[0], nullptr, "\"" + players + "vlc.exe\" --started-from-file \"%1\""));
  WCHECK(SetMachineString(kTestKeys[1], nullptr, "short"));
  WCHECK(SetMachineString(kTestKeys[2], nullptr, "\"" + players + "winamp.exe\" \"%1\""));
  WCHECK(select(2));
  Sim("media 32");
  WCHECK(WaitFor([] { return Started("vlc.exe") == 1; }, 10000));
  WCHECK(ReadText(players + "started.log").find("vlc.exe|\"" + players + "vlc.exe\"") != std::string::npos);
  WCHECK(select(3));
  Sim("media 32");
  WCHECK(WaitFor([] { return Started("winamp.exe") == 1; }, 10000));
  WCHECK(select(0));
  Sim("media 32");
  WCHECK(WaitFor([] { return Started("wmplayer.exe") == 1; }, 10000));
  Pump(500);  // the stand-in has ended
  HWND wmp = PlayerWindow("WMPlayerApp", "Windows Media Player", 0);
  ShowWindow(wmp, SW_SHOWNA);
  Pump(200);
  WCHECK(GetForegroundWindow() != wmp);
  Sim("media 32");  // running: it comes forward instead
  Pump(1500);
  WCHECK_EQ(Started("wmplayer.exe"), 1);
  WCHECK(GetForegroundWindow() == wmp);
  // No iTunes entry: nothing starts, and the key is not created.
  WCHECK(select(1));
  Sim("media 32");
  Pump(1500);
  WCHECK_EQ(Started("itunes.exe"), 0);
  WCHECK(!MachineKeyExists(kITunesKey));
  // A release of a media button does nothing.
  WCHECK(select(3));
  received.clear();
  PostMessageA(Monitor(), WM_MON_DEVICE_EVENT, 0xF000, 0x0100 | 35);
  Pump(500);
  WCHECK(received.empty());
  for (HWND w : {winamp, itunes, tooltip, vlc, wmp}) DestroyWindow(w);
}

}  // namespace

int main(int argc, char** argv) {
  if (RunAsPlayer()) return 0;
  if (argc < 3) {
    std::printf("usage: sound_media_wtest <work folder> <program folder>\n");
    return 2;
  }
  const std::string work = std::string(argv[1]) + "\\";
  const std::string built = std::string(argv[2]) + "\\";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  program = work + "program\\";
  players = work + "Media Players\\";
  WCHECK(LayOut(built, FolderOf(self), self));
  WCHECK(PrepareCapture(work));

  // The Windows Media Player entry names its program through the environment.
  HKEY wmpKey = nullptr;
  char oldWmp[MAX_PATH] = {};
  DWORD oldWmpSize = sizeof oldWmp, oldWmpType = 0;
  const bool hadWmp = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWmpKey, 0, KEY_READ, &wmpKey) == ERROR_SUCCESS &&
                      RegQueryValueExA(wmpKey, nullptr, nullptr, &oldWmpType, reinterpret_cast<BYTE*>(oldWmp),
                                       &oldWmpSize) == ERROR_SUCCESS;
  if (wmpKey) RegCloseKey(wmpKey);
  SetEnvironmentVariableA("VEXTRA_TEST_PLAYERS", players.c_str());
  WCHECK(SetMachineString(kWmpKey, nullptr, "%VEXTRA_TEST_PLAYERS%wmplayer.exe", REG_EXPAND_SZ));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kITunesKey);

  const bool started = StartMonitor();
  WCHECK(started);
  const bool readBack = WaitForReadBack(kLayout, 40000);
  WCHECK(readBack);

  if (readBack) {
    TestSounds();
    TestPlayers();
  }

  if (started) {
    PostMessageA(Monitor(), WM_CLOSE, 0, 0);
    WCHECK(WaitFor([] {
      HANDLE instance = OpenMutexA(SYNCHRONIZE, FALSE, kMonitorInstanceMutex);
      if (instance) CloseHandle(instance);
      return !instance && !Monitor();
    }, 30000));
  }
  for (const char* key : kTestKeys) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
  if (hadWmp)
    SetMachineString(kWmpKey, nullptr, oldWmp, oldWmpType);
  else
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kWmpKey);
  return wine_check::Finish();
}
