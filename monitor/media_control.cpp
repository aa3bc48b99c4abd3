#include "monitor/media_control.h"

#include "common/registry_path.h"
#include "common/text.h"

namespace vextra {
namespace {

constexpr unsigned kWmKeyDown = 0x0100;
constexpr unsigned kWmKeyUp = 0x0101;
constexpr unsigned kWmCommand = 0x0111;
constexpr unsigned kWmAppCommand = 0x0319;
constexpr uint32_t kKeyUpBits = 0xC0000000u;  // previous state down, transition up

constexpr int kVkControl = 17, kVkLeft = 37, kVkRight = 39, kVkSpace = 32;
constexpr uint32_t kControlDown = 0x001D0001, kLeftDown = 0x014B0001, kRightDown = 0x014D0001,
                   kSpaceDown = 0x00390001;
constexpr int kITunesKeyPause = 100;
// Far more top-level windows than any desktop holds: the walk ends even if
// the window list changes under it.
constexpr int kMaxWindowWalk = 10000;

constexpr const char* kWindowsMediaPlayerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\wmplayer.exe";
constexpr const char* kWindowsMediaPlayerTitle = "Windows Media Player";
constexpr const char* kITunesKey = "SOFTWARE\\Apple Computer, Inc.\\iPod\\RegisteredApps\\4";
constexpr const char* kITunesWindow = "iTunes";
constexpr const char* kVlcKey = "SOFTWARE\\Classes\\Applications\\vlc.exe\\shell\\open\\command";
constexpr const char* kVlcClass = "QWidget";
constexpr const char* kWinampKey = "SOFTWARE\\Classes\\Winamp.File\\shell\\open\\command";
constexpr const char* kWinampFallbackKey = "SOFTWARE\\Classes\\ICY\\shell\\open\\command";
constexpr const char* kWinampClass = "Winamp v1.x";

// The text between the first two quotes of a line that begins with one; the
// rest of the line when the closing quote is missing.
std::string QuotedHead(const std::string& command) {
  const size_t close = command.find('"', 1);
  return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

intptr_t AsLParam(uint32_t value) { return static_cast<intptr_t>(value); }

}  // namespace

int MediaCommandFor(int function) {
  switch (function) {
    case 33: return kMediaPrevious;
    case 34: return kMediaNext;
    case 35: return kMediaPlayPause;
    case 36: return kMediaStop;
    default: return 0;
  }
}

std::string VlcProgramFromCommand(const std::string& command) {
  if (!command.empty() && command[0] == '"') return QuotedHead(command);
  return command.substr(0, command.find("--started"));
}

std::string WinampProgramFromCommand(const std::string& command) {
  if (!command.empty() && command[0] == '"') return QuotedHead(command);
  // Unquoted: the program ends where its quoted argument begins.
  return command.substr(0, command.find('"'));
}

std::string CommandLineForProgram(const std::string& path) {
  const std::string trimmed = TrimSpaces(path);
  const bool bareProgram = trimmed.size() > 4 && ToLowerAscii(trimmed.substr(trimmed.size() - 4)) == ".exe";
  if (bareProgram && trimmed.find(' ') != std::string::npos && trimmed.find('"') == std::string::npos)
    return "\"" + trimmed + "\"";
  return trimmed;
}

void MediaControl::MediaFunction(int function, int qualifier) {
  if (qualifier != 0) return;  // releases do nothing
  const int player = currentPlayer_ ? currentPlayer_() : -1;
  if (function == 32) {
    OpenPlayer(player);
  } else if (const int command = MediaCommandFor(function)) {
    Command(player, command);
  }
  // 37..39 (mute, volume) are the system's own.
}

bool MediaControl::ReadValue(const std::string& path, const std::string& name, std::string& value) {
  value.clear();
  RegistryRoot root;
  std::string subkey;
  if (!SplitRegistryPath(path, root, subkey)) return false;
  if (!desktop_.ReadRegistryString(root, subkey, name, value)) {
    value.clear();
    return false;
  }
  return true;
}

void MediaControl::OpenPlayer(int player) {
  std::string value;
  std::string program;
  switch (player) {
    case kPlayerWindowsMedia: {
      if (!ReadValue(kWindowsMediaPlayerKey, "", value)) return;
      program = desktop_.ExpandEnvironment(value);
      if (uintptr_t window = desktop_.FindTopWindow(nullptr, kWindowsMediaPlayerTitle)) {
        desktop_.BringToForeground(window);
        return;
      }
      break;
    }
    case kPlayerITunes:
      if (!ReadValue(kITunesKey, "path", value) || !ContainsIgnoringCase(value, "iTunes")) return;
      program = value;
      break;
    case kPlayerVlc:
      if (!ReadValue(kVlcKey, "", value)) return;
      program = VlcProgramFromCommand(value);
      if (!ContainsIgnoringCase(program, "vlc")) return;
      break;
    case kPlayerWinamp:
      ReadValue(kWinampKey, "", value);
      if (value.size() < 10) ReadValue(kWinampFallbackKey, "", value);
      program = WinampProgramFromCommand(value);
      if (!ContainsIgnoringCase(program, "winamp")) return;
      break;
    default:
      return;
  }
  const std::string commandLine = CommandLineForProgram(program);
  if (!commandLine.empty()) desktop_.Run(commandLine);
}

void MediaControl::Command(int player, int command) {
  switch (player) {
    case kPlayerWindowsMedia: {
      // The shell hands the command to the active player.
      int appCommand;
      switch (command) {
        case kMediaNext: appCommand = 11; break;
        case kMediaPrevious: appCommand = 12; break;
        case kMediaPlayPause: appCommand = 14; break;
        case kMediaStop: appCommand = 13; break;
        default: return;
      }
      const uintptr_t self = desktop_.Self();
      if (self) desktop_.Post(self, kWmAppCommand, self, AsLParam(static_cast<uint32_t>(appCommand) << 16));
      break;
    }
    case kPlayerITunes: ITunesCommand(command); break;
    case kPlayerVlc: VlcCommand(command); break;
    case kPlayerWinamp: WinampCommand(command); break;
    default: break;
  }
}

void MediaControl::PostKey(uintptr_t window, int key, uint32_t downLParam) {
  desktop_.Post(window, kWmKeyDown, static_cast<uintptr_t>(key), AsLParam(downLParam));
  desktop_.Post(window, kWmKeyUp, static_cast<uintptr_t>(key), AsLParam(downLParam | kKeyUpBits));
}

void MediaControl::ITunesCommand(int command) {
  const uintptr_t window = desktop_.FindTopWindow(kITunesWindow, kITunesWindow);
  if (!window) return;
  if (command == kMediaNext || command == kMediaPrevious) {
    const bool next = command == kMediaNext;
    const int arrow = next ? kVkRight : kVkLeft;
    const uint32_t arrowDown = next ? kRightDown : kLeftDown;
    desktop_.Send(window, kWmKeyDown, kVkControl, AsLParam(kControlDown));
    desktop_.Sleep(kITunesKeyPause);
    desktop_.Send(window, kWmKeyDown, static_cast<uintptr_t>(arrow), AsLParam(arrowDown));
    desktop_.Sleep(kITunesKeyPause);
    desktop_.Send(window, kWmKeyUp, static_cast<uintptr_t>(arrow), AsLParam(arrowDown | kKeyUpBits));
    desktop_.Sleep(kITunesKeyPause);
    desktop_.Send(window, kWmKeyUp, kVkControl, AsLParam(kControlDown | kKeyUpBits));
  } else if (command == kMediaPlayPause || command == kMediaStop) {
    // The player has no stop key: space pauses.
    PostKey(window, kVkSpace, kSpaceDown);
  }
}

void MediaControl::VlcCommand(int command) {
  int key;
  uint32_t down;
  switch (command) {
    case kMediaNext: key = 'N', down = 0x00310001; break;
    case kMediaPrevious: key = 'P', down = 0x00190001; break;
    case kMediaPlayPause: key = kVkSpace, down = kSpaceDown; break;
    case kMediaStop: key = 'S', down = 0x001F0001; break;
    default: return;
  }
  uintptr_t window = desktop_.FindTopWindow(kVlcClass, nullptr);
  for (int walked = 0; window && walked < kMaxWindowWalk; ++walked, window = desktop_.NextWindow(window)) {
    if (desktop_.Title(window).find("VLC") != std::string::npos && desktop_.ClassName(window) == kVlcClass) {
      desktop_.BringToForeground(window);
      PostKey(window, key, down);
      return;
    }
  }
}

void MediaControl::WinampCommand(int command) {
  const uintptr_t window = desktop_.FindTopWindow(kWinampClass, nullptr);
  if (!window) return;
  int id;
  switch (command) {
    case kMediaNext: id = 40048; break;
    case kMediaPrevious: id = 40044; break;
    case kMediaStop: id = 40047; break;
    case kMediaPlayPause:
      id = winampPlaying_ ? 40046 : 40045;
      winampPlaying_ = !winampPlaying_;
      break;
    default: return;
  }
  desktop_.Send(window, kWmCommand, static_cast<uintptr_t>(id), 0);
}

}  // namespace vextra
