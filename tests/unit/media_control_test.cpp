// Media players: which program starts, and which messages reach which window.
#include "monitor/media_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/memory_registry.h"

using namespace vextra;

namespace {

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;

std::string Hex(uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(v));
  return text;
}

class FakeDesktop : public MediaDesktop {
 public:
  struct Window {
    uintptr_t handle;
    std::string className, title;
  };
  MemoryRegistry registry;
  std::vector<Window> windows;  // in z-order
  std::vector<std::string> calls;

  bool ReadRegistryString(RegistryRoot root, const std::string& subkey, const std::string& name,
                          std::string& value) override {
    return registry.GetString(root, subkey, name, value);
  }
  std::string ExpandEnvironment(const std::string& text) override {
    std::string out = text;
    const std::string var = "%ProgramFiles%";
    for (size_t at; (at = out.find(var)) != std::string::npos;) out.replace(at, var.size(), "C:\\Program Files");
    return out;
  }
  void Run(const std::string& commandLine) override { calls.push_back("run " + commandLine); }
  uintptr_t FindTopWindow(const char* className, const char* title) override {
    for (const Window& w : windows)
      if ((!className || w.className == className) && (!title || w.title == title)) return w.handle;
    return 0;
  }
  uintptr_t NextWindow(uintptr_t window) override {
    for (size_t i = 0; i + 1 < windows.size(); ++i)
      if (windows[i].handle == window) return windows[i + 1].handle;
    return 0;
  }
  std::string ClassName(uintptr_t window) override { return Find(window).className; }
  std::string Title(uintptr_t window) override { return Find(window).title; }
  void BringToForeground(uintptr_t window) override { calls.push_back("front " + std::to_string(window)); }
  uintptr_t Self() override { return 77; }
  void Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    calls.push_back(Describe("send", window, message, wParam, lParam));
  }
  void Post(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    calls.push_back(Describe("post", window, message, wParam, lParam));
  }
  void Sleep(int milliseconds) override { calls.push_back("sleep " + std::to_string(milliseconds)); }

 private:
  Window Find(uintptr_t handle) const {
    for (const Window& w : windows)
      if (w.handle == handle) return w;
    return {};
  }
  static std::string Describe(const char* how, uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) {
    // The lParam as the 32 bits a key message carries; any higher bits would show.
    return std::string(how) + " " + std::to_string(window) + " " + Hex(message) + " " + std::to_string(wParam) + " " +
           Hex(static_cast<uint64_t>(static_cast<uintptr_t>(lParam)));
  }
};

using Calls = std::vector<std::string>;

class MediaControlTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  int player = kPlayerWinamp;
  MediaControl media{desktop, [this] { return player; }};

  Calls Press(int function) {
    desktop.calls.clear();
    media.MediaFunction(function, 0);
    return desktop.calls;
  }
};

TEST_F(MediaControlTest, WinampCommandsAndPlayPauseAlternate) {
  desktop.windows = {{5, "Other", "Winamp"}, {9, "Winamp v1.x", "1. Song - Winamp"}};
  EXPECT_EQ(Press(35), Calls{"send 9 111 40045 0"});
  EXPECT_EQ(Press(35), Calls{"send 9 111 40046 0"});
  EXPECT_EQ(Press(35), Calls{"send 9 111 40045 0"});
  EXPECT_EQ(Press(34), Calls{"send 9 111 40048 0"});
  EXPECT_EQ(Press(33), Calls{"send 9 111 40044 0"});
  EXPECT_EQ(Press(36), Calls{"send 9 111 40047 0"});

  // No player window: nothing, and the memory stays as it was.
  desktop.windows.clear();
  const bool playing = media.winampPlaying();
  EXPECT_EQ(Press(35), Calls{});
  EXPECT_EQ(media.winampPlaying(), playing);
}

TEST_F(MediaControlTest, ReleasesAndSystemFunctionsDoNothing) {
  desktop.windows = {{9, "Winamp v1.x", ""}};
  desktop.registry.SetString(kMachine, "SOFTWARE\\Classes\\Winamp.File\\shell\\open\\command", "",
                             "\"C:\\Winamp\\winamp.exe\" \"%1\"");
  for (int function = 32; function <= 39; ++function) media.MediaFunction(function, 1);
  for (int function : {31, 37, 38, 39, 40, -1}) media.MediaFunction(function, 0);
  EXPECT_EQ(desktop.calls, Calls{});
  player = 9;  // a damaged MediaOption names no player
  EXPECT_EQ(Press(32), Calls{});
  EXPECT_EQ(Press(35), Calls{});
}

TEST_F(MediaControlTest, ITunesGetsControlArrowsAndSpace) {
  player = kPlayerITunes;
  desktop.windows = {{3, "iTunes", "Not iTunes"}, {4, "iTunes", "iTunes"}};
  const Calls next = {"send 4 100 17 1D0001", "sleep 100", "send 4 100 39 14D0001", "sleep 100",
                      "send 4 101 39 C14D0001", "sleep 100", "send 4 101 17 C01D0001"};
  const Calls previous = {"send 4 100 17 1D0001", "sleep 100", "send 4 100 37 14B0001", "sleep 100",
                          "send 4 101 37 C14B0001", "sleep 100", "send 4 101 17 C01D0001"};
  const Calls space = {"post 4 100 32 390001", "post 4 101 32 C0390001"};
  EXPECT_EQ(Press(34), next);
  EXPECT_EQ(Press(33), previous);
  EXPECT_EQ(Press(35), space);
  EXPECT_EQ(Press(36), space) << "stop sends the same space as play/pause";

  desktop.windows.pop_back();  // class right, title wrong
  EXPECT_EQ(Press(35), Calls{});
}

TEST_F(MediaControlTest, VlcTheFirstQWidgetWithVlcInItsTitleGetsTheKey) {
  player = kPlayerVlc;
  desktop.windows = {{1, "Other", "VLC media player"},
                     {2, "QWidget", "tooltip"},
                     {3, "Other", "VLC lookalike"},
                     {4, "QWidget", "Song - VLC media player"},
                     {5, "QWidget", "VLC second"}};
  struct Case {
    int function;
    int key;
    const char* down;
    const char* up;
  };
  for (const Case& c : {Case{34, 78, "310001", "C0310001"}, Case{33, 80, "190001", "C0190001"},
                        Case{35, 32, "390001", "C0390001"}, Case{36, 83, "1F0001", "C01F0001"}}) {
    const std::string key = std::to_string(c.key);
    EXPECT_EQ(Press(c.function), (Calls{"front 4", "post 4 100 " + key + " " + c.down, "post 4 101 " + key + " " + c.up}))
        << c.function;
  }
  desktop.windows = {{4, "QWidget", "vlc in lower case"}, {6, "Other", "VLC"}};
  EXPECT_EQ(Press(35), Calls{});
}

TEST_F(MediaControlTest, WindowsMediaPlayerGetsApplicationCommandsThroughTheMonitorWindow) {
  player = kPlayerWindowsMedia;
  EXPECT_EQ(Press(34), Calls{"post 77 319 77 B0000"});
  EXPECT_EQ(Press(33), Calls{"post 77 319 77 C0000"});
  EXPECT_EQ(Press(35), Calls{"post 77 319 77 E0000"});
  EXPECT_EQ(Press(36), Calls{"post 77 319 77 D0000"});
}

TEST(MediaCommandLines, VlcQuotedPathAloneUnquotedCutAtStarted) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"C:\\Program Files\\VideoLAN\\VLC\\vlc.exe\" --started-from-file \"%1\"", "C:\\Program Files\\VideoLAN\\VLC\\vlc.exe"},
      {"\"C:\\VLC\\vlc.exe\"", "C:\\VLC\\vlc.exe"},
      {"\"C:\\VLC\\vlc.exe --started", "C:\\VLC\\vlc.exe --started"},  // no closing quote: the rest
      {"C:\\PROGRA~1\\VLC\\vlc.exe --started-from-file \"%1\"", "C:\\PROGRA~1\\VLC\\vlc.exe "},
      {"C:\\VLC\\vlc.exe --one-instance --started-from-file", "C:\\VLC\\vlc.exe --one-instance "},
      {"C:\\VLC\\vlc.exe \"%1\"", "C:\\VLC\\vlc.exe \"%1\""},
      {"", ""},
      {"\"", ""},
  };
  for (const auto& [command, program] : cases) EXPECT_EQ(VlcProgramFromCommand(command), program) << command;
}

TEST(MediaCommandLines, WinampQuotedPathAloneUnquotedUpToItsArgument) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"C:\\Program Files\\Winamp\\winamp.exe\" \"%1\"", "C:\\Program Files\\Winamp\\winamp.exe"},
      {"C:\\Winamp\\winamp.exe \"%1\"", "C:\\Winamp\\winamp.exe "},
      {"C:\\Winamp\\winamp.exe /ADD", "C:\\Winamp\\winamp.exe /ADD"},
      {"\"C:\\Winamp\\winamp.exe", "C:\\Winamp\\winamp.exe"},
  };
  for (const auto& [command, program] : cases) EXPECT_EQ(WinampProgramFromCommand(command), program) << command;
}

TEST(MediaCommandLines, ProgramPathsWithSpacesAreQuoted) {
  EXPECT_EQ(CommandLineForProgram("C:\\Program Files\\VLC\\vlc.exe "), "\"C:\\Program Files\\VLC\\vlc.exe\"");
  EXPECT_EQ(CommandLineForProgram("C:\\VLC\\vlc.exe"), "C:\\VLC\\vlc.exe");
  EXPECT_EQ(CommandLineForProgram("C:\\VLC\\vlc.exe --one-instance "), "C:\\VLC\\vlc.exe --one-instance");
  EXPECT_EQ(CommandLineForProgram("\"C:\\Program Files\\x.EXE\""), "\"C:\\Program Files\\x.EXE\"");
  EXPECT_EQ(CommandLineForProgram("   "), "");
}

TEST_F(MediaControlTest, OpenPlayerStartsWhatTheRegistryNames) {
  MemoryRegistry& r = desktop.registry;
  r.SetString(kMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wmplayer.exe", "",
              "%ProgramFiles%\\Windows Media Player\\wmplayer.exe");
  r.SetString(kMachine, "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4", "path", "C:\\ITUNES\\itunes.exe");
  r.SetString(kMachine, "SOFTWARE\\Classes\\Applications\\vlc.exe\\shell\\open\\command", "",
              "\"C:\\Program Files\\VideoLAN\\VLC\\vlc.exe\" --started-from-file \"%1\"");
  r.SetString(kMachine, "SOFTWARE\\Classes\\Winamp.File\\shell\\open\\command", "", "short");
  r.SetString(kMachine, "SOFTWARE\\Classes\\ICY\\shell\\open\\command", "", "\"C:\\Winamp\\winamp.exe\" \"%1\"");
  player = kPlayerWindowsMedia;
  EXPECT_EQ(Press(32), Calls{"run \"C:\\Program Files\\Windows Media Player\\wmplayer.exe\""});
  desktop.windows = {{8, "WMPlayerApp", "Windows Media Player"}};
  EXPECT_EQ(Press(32), Calls{"front 8"}) << "a running player comes forward";
  player = kPlayerITunes;
  EXPECT_EQ(Press(32), Calls{"run C:\\ITUNES\\itunes.exe"});
  player = kPlayerVlc;
  EXPECT_EQ(Press(32), Calls{"run \"C:\\Program Files\\VideoLAN\\VLC\\vlc.exe\""});
  player = kPlayerWinamp;
  EXPECT_EQ(Press(32), Calls{"run C:\\Winamp\\winamp.exe"}) << "a value under 10 characters falls back to ICY";
}

TEST_F(MediaControlTest, OpenPlayerDoesNothingWithoutTheExpectedPlayerName) {
  MemoryRegistry& r = desktop.registry;
  for (int p = 0; p <= 3; ++p) {
    player = p;
    EXPECT_EQ(Press(32), Calls{}) << "no registry values, player " << p;
  }
  r.SetString(kMachine, "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4", "path", "C:\\Music\\player.exe");
  r.SetString(kMachine, "SOFTWARE\\Classes\\Applications\\vlc.exe\\shell\\open\\command", "",
              "\"C:\\Players\\other.exe\" --started-from-file vlc");
  r.SetString(kMachine, "SOFTWARE\\Classes\\Winamp.File\\shell\\open\\command", "", "\"C:\\Players\\amp.exe\" \"%1\"");
  r.SetString(kMachine, "SOFTWARE\\Classes\\ICY\\shell\\open\\command", "", "\"C:\\Winamp\\winamp.exe\" \"%1\"");
  for (int p = 1; p <= 3; ++p) {
    player = p;
    EXPECT_EQ(Press(32), Calls{}) << "player " << p;
  }
}

}  // namespace
