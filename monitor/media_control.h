// Media players driven from the mouse: open the chosen player, and previous,
// next, play/pause and stop, each in the way that player understands
// (application commands, key messages or its own command numbers).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "common/registry.h"
#include "monitor/monitor_host.h"

namespace vextra {

// MediaOption of a profile.
enum MediaPlayer { kPlayerWindowsMedia = 0, kPlayerITunes = 1, kPlayerVlc = 2, kPlayerWinamp = 3 };

// Media commands.
enum MediaCommand { kMediaNext = 4098, kMediaPrevious = 4099, kMediaPlayPause = 4100, kMediaStop = 4101 };

// The command of media function 33..36, 0 for any other.
int MediaCommandFor(int function);

// Program paths taken from a player's "shell\open\command" value.
// VLC: a quoted program path alone; an unquoted line cut where its
// "--started" option begins.
std::string VlcProgramFromCommand(const std::string& command);
// Winamp: a quoted program path alone; an unquoted line up to its first quote.
std::string WinampProgramFromCommand(const std::string& command);
// The command line that starts a program path: a path with spaces is quoted so
// that no shorter path ("C:\Program.exe") can be started in its place.
std::string CommandLineForProgram(const std::string& path);

// What the players are reached through. Window handles are opaque numbers, 0
// for none.
class MediaDesktop {
 public:
  virtual ~MediaDesktop() = default;
  // A string value (at most 259 characters) read with read access only; false
  // when the key or value is missing. Never creates a key.
  virtual bool ReadRegistryString(RegistryRoot root, const std::string& subkey, const std::string& name,
                                  std::string& value) = 0;
  virtual std::string ExpandEnvironment(const std::string& text) = 0;
  // Starts a command line, shown normally.
  virtual void Run(const std::string& commandLine) = 0;

  // A top-level window by class and/or title (null matches any).
  virtual uintptr_t FindTopWindow(const char* className, const char* title) = 0;
  // The next top-level window in z-order after this one, 0 after the last.
  virtual uintptr_t NextWindow(uintptr_t window) = 0;
  virtual std::string ClassName(uintptr_t window) = 0;
  virtual std::string Title(uintptr_t window) = 0;
  virtual void BringToForeground(uintptr_t window) = 0;
  // The Monitor's own window.
  virtual uintptr_t Self() = 0;
  // Sends wait for the player with a time-out, so a hung player cannot stop the Monitor.
  virtual void Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual void Post(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual void Sleep(int milliseconds) = 0;
};

// The media part of what the Monitor carries out on the PC.
class MediaControl : public PcActions {
 public:
  // currentPlayer: the current profile's MediaOption, -1 when no profile is current.
  MediaControl(MediaDesktop& desktop, std::function<int()> currentPlayer)
      : desktop_(desktop), currentPlayer_(std::move(currentPlayer)) {}

  // Device event 0xF000: function 32..39 with its qualifier (0 = pressed),
  // for the current profile's player.
  void MediaFunction(int function, int qualifier) override;
  void OpenPlayer(int player);
  void Command(int player, int command);

  bool winampPlaying() const { return winampPlaying_; }

 private:
  // A registry path, "HKEY_...\subkey" or a subkey of the local machine.
  bool ReadValue(const std::string& path, const std::string& name, std::string& value);
  void PostKey(uintptr_t window, int key, uint32_t downLParam);
  void ITunesCommand(int command);
  void VlcCommand(int command);
  void WinampCommand(int command);

  MediaDesktop& desktop_;
  std::function<int()> currentPlayer_;
  bool winampPlaying_ = false;  // the next play/pause pauses
};

}  // namespace vextra
