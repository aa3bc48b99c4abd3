// The real Monitor in a laid-out program folder with the simulator library
// and stand-ins for the Option, display and updater programs; this test plays
// the user (through the simulator), the Option program (section + 1224) and
// the Synra program (its windows and codes).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "common/settings_block.h"
#include "common/settings_store.h"
#include "common/program_messages.h"
#include "sim/simulated_mouse.h"
#include "tests/wine/monitor_driver.h"
#include "tests/wine/wine_check.h"

using namespace vextra;
using namespace monitor_driver;

namespace {

std::string program;  // our laid-out folder, with a trailing backslash
std::string simLog;
std::vector<COPYDATASTRUCT> synraCopies;
std::vector<uint32_t> synraCopyKinds;
int synraStatusPosts = 0;
UINT wmSynraActiveToSynra = 0;
std::vector<std::pair<UINT, LPARAM>> ldaDialogMessages;

bool Contains(const std::string& path, const std::string& needle) {
  return ReadText(path).find(needle) != std::string::npos;
}

int Count(const std::string& path, const std::string& needle) {
  const std::string text = ReadText(path);
  int n = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
  return n;
}

// The Synra program: its monitor window gets the status message, the same
// window takes the copies.
LRESULT CALLBACK SynraProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (wParam == kSynraCopyDataWParam) synraCopyKinds.push_back(static_cast<uint32_t>(data->dwData));
    return 1;
  }
  if (message != 0 && message == wmSynraActiveToSynra) {
    ++synraStatusPosts;
    return 0;
  }
  if (message == WM_LDA_CAPTURE_DONE || message == WM_LDA_EVENT) {
    ldaDialogMessages.push_back({message, lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The tray icon exists exactly when it can be modified.
bool TrayIconShown() {
  HWND monitor = Monitor();
  if (!monitor) return false;
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = monitor;
  data.uID = kTrayIconId;
  data.uFlags = NIF_TIP;
  lstrcpynA(data.szTip, kTrayTip, sizeof data.szTip);
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::unique_ptr<SimulatedMouse> SavedMouse() { return monitor_driver::SavedMouse(program); }
int ConfigInt(const char* key) { return monitor_driver::ConfigInt(program, key); }

std::string LastHostState() {
  const std::string text = ReadText(simLog);
  const size_t at = text.rfind("set 3 bytes: 0E 03");
  return at == std::string::npos ? std::string() : text.substr(at + 19, 5);
}

void LayOut(const std::string& built, const std::string& tests) {
  monitor_driver::LayOutProgram(built, tests, program);
  // A mouse whose settings differ from the factory ones, so the read-back shows.
  SimulatedMouse mouse;
  ProfileRecord p = mouse.Profile(1);
  p.CpiLevel_X[0] = 37;
  p.PollingRate = 2;
  mouse.SetProfile(1, p);
  mouse.SetCurrentProfile(1);
  mouse.SetFirmwareVersions(150, 110);
  mouse.Save(program + "mousesim.state");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: monitor_wtest <work folder> <program folder>\n");
    return 2;
  }
  const std::string work = std::string(argv[1]) + "\\";
  const std::string built = std::string(argv[2]) + "\\";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string tests = FolderOf(self);
  program = work + "program\\";
  simLog = work + "sim.log";
  SetEnvironmentVariableA("FEATLINK_SIM_LOG", simLog.c_str());
  LayOut(built, tests);

  WNDCLASSA wc{};
  wc.hInstance = GetModuleHandleA(nullptr);
  wmSynraActiveToSynra = RegisterWindowMessageA(kSynraActiveToSynraName);
  wc.lpfnWndProc = SynraProc;
  wc.lpszClassName = "MonitorTestSynra";
  RegisterClassA(&wc);

  // --- start-up
  HANDLE monitor = StartProcess(program + "VextraMonitor.exe", "", program);
  WCHECK(monitor != nullptr);
  WCHECK(WaitFor([] { return Monitor() != nullptr; }, 20000));
  // The window exists from the start of its creation; the section and the
  // mutex come a few steps later.
  HANDLE section = nullptr, mutex = nullptr;
  WCHECK(WaitFor([&] { return (section = OpenFileMappingA(FILE_MAP_READ, FALSE, kSharedSection)) != nullptr; }, 20000));
  WCHECK(WaitFor([&] { return (mutex = OpenMutexA(SYNCHRONIZE, FALSE, kSettingsMutex)) != nullptr; }, 5000));
  if (section) CloseHandle(section);
  if (mutex) CloseHandle(mutex);
  WCHECK(WaitFor([] { return FindWindowA(nullptr, "VELMAR Vextra Mouse OSD SKYPE") != nullptr; }, 10000));
  WCHECK(FindWindowA(nullptr, kOptionTitle) == nullptr);
  WCHECK(!Contains(program + "Vextra Firmware Updater.log", "start"));
  WCHECK(ConfigInt("Device") == 1);

  // The read-back leaves the mouse's settings in the files and the section.
  const bool readBack = WaitFor([] {
    ProfileRecord p;
    auto shared = ReadSection();
    return SettingsStore::LoadProfile(p, program + "config\\Default1.vmp", 1) && p.CpiLevel_X[0] == 37 &&
           p.PollingRate == 2 && shared && shared->CurrentProfile == 1 && shared->Profiles[1].CpiLevel_X[0] == 37;
  }, 40000);
  WCHECK(readBack);
  WCHECK_EQ(ConfigInt("CurrentProfile"), 1);
  WCHECK_EQ(ConfigInt("FWVersion"), 150);
  WCHECK(TrayIconShown());
  WCHECK_EQ(LastHostState(), std::string("01 ok"));

  // --- the shell restarts: its icons are gone, and the Monitor adds its own again
  {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = Monitor();
    data.uID = kTrayIconId;
    WCHECK(Shell_NotifyIconA(NIM_DELETE, &data));
    WCHECK(!TrayIconShown());
    PostMessageA(Monitor(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    WCHECK(WaitFor(TrayIconShown, 3000));
  }

  // --- a second Monitor with "1" only asks the first for the Option window
  HANDLE second = StartProcess(program + "VextraMonitor.exe", "1", program);
  DWORD code = 99;
  WCHECK(second && Ended(second, 15000, &code));
  WCHECK_EQ(code, 0ul);
  if (second) CloseHandle(second);
  WCHECK(WaitFor([] { return FindWindowA(nullptr, kOptionTitle) != nullptr; }, 10000));
  const std::string optionLog = program + "VextraOption.log";

  // --- events from the mouse
  WCHECK(Sim("profile 3"));
  WCHECK(WaitFor([&] { return Contains(optionLog, "|1255|0|0"); }, 5000));
  WCHECK_EQ(ConfigInt("CurrentProfile"), 2);
  {
    auto before = ReadSection();
    WCHECK(Sim("dpi up"));
    WCHECK(WaitFor([&] { return Contains(optionLog, "|1257|0|0"); }, 5000));
    auto shared = ReadSection();
    WCHECK(before && shared && shared->CurrentProfile == 2 &&
           shared->Profiles[2].Cpi_X == (before->Profiles[2].Cpi_X + 1) % 5 &&
           shared->Profiles[2].Cpi_Y == shared->Profiles[2].Cpi_X);
  }
  WCHECK(Sim("polling 1"));
  WCHECK(WaitFor([] {
    auto shared = ReadSection();
    return shared && shared->Profiles[2].PollingRate == 0;
  }, 5000));
  WCHECK(Sim("click 1"));  // an ordinary button: nothing to do on the PC, nothing breaks
  WCHECK(IsWindow(Monitor()));

  // --- apply from the Option: profile settings, a button and a macro reach the mouse
  auto edited = ReadSection();
  WCHECK(edited != nullptr);
  if (edited) {
    ClearChangeFlags(*edited);
    edited->Profiles[0].CpiLevel_X[4] = 61;
    edited->ProfileChanged[0] = 1;
    edited->Profiles[0].MacroKeys[5].FunctionCode = 7;
    edited->ButtonChanged[0][5] = 1;
    MacroKeyInfo& macro = edited->Profiles[0].MacroKeys[6];
    macro.FunctionCode = 48;
    macro.LoopCount = 2;
    macro.EventCount = 2;
    macro.Events[0] = MacroEvent{0x04, 1, 100};
    macro.Events[1] = MacroEvent{0x04, 2, 100};
    edited->ButtonChanged[0][6] = 1;
    WCHECK(WriteSection(*edited));
    bool answered = false;
    Send(WM_MON_APPLY_SETTINGS, 0, 0, &answered);
    WCHECK(answered);
    auto mouse = SavedMouse();
    WCHECK_EQ(mouse->Profile(0).CpiLevel_X[4], 61);
    WCHECK_EQ(static_cast<int>(mouse->Profile(0).MacroKeys[5].FunctionCode), 7);
    WCHECK_EQ(static_cast<int>(mouse->Profile(0).MacroKeys[6].FunctionCode), 48);
    WCHECK_EQ(static_cast<int>(mouse->Profile(0).MacroKeys[6].EventCount), 2);
    WCHECK_EQ(mouse->FactoryResets(), 0);

    // The restore-defaults form sends the factory reset and nothing else.
    const int writesBefore = Count(simLog, "set ");
    edited->Profiles[0].CpiLevel_X[4] = 62;
    WCHECK(WriteSection(*edited));
    Send(WM_MON_APPLY_SETTINGS, 1, 0, &answered);
    WCHECK(answered);
    mouse = SavedMouse();
    WCHECK_EQ(mouse->FactoryResets(), 1);
    WCHECK(mouse->Profile(0).CpiLevel_X[4] != 62);
    const std::string text = ReadText(simLog);
    int writes = 0, resets = 0;
    for (size_t at = 0, n = 0; (at = text.find("set ", at)) != std::string::npos; ++at, ++n) {
      if (static_cast<int>(n) < writesBefore) continue;
      ++writes;
      if (text.compare(at, 22, "set 6 bytes: 09 06 0B ") == 0) ++resets;
    }
    WCHECK_EQ(resets, 1);
    WCHECK(writes >= 1);
    for (size_t at = 0, n = 0; (at = text.find("set ", at)) != std::string::npos; ++at, ++n)
      if (static_cast<int>(n) >= writesBefore)
        WCHECK(text.compare(at, 15, "set 6 bytes: 09") == 0 || text.compare(at, 15, "set 3 bytes: 04") == 0);
  }

  // --- the display program hears of the applied settings; the quiet messages answer as they should
  WCHECK(WaitFor([] { return Contains(program + "VextraOSD.log", "VELMAR Vextra Mouse OSD|1326|0|"); }, 3000));
  WCHECK_EQ(Send(WM_DEVICECHANGE, 7, 0), static_cast<LRESULT>(1));
  WCHECK_EQ(Send(WM_MON_ACCEPTED_1327, 0, 0), static_cast<LRESULT>(1));
  WCHECK_EQ(Send(WM_MON_ACCEPTED_1232, 0, 0), static_cast<LRESULT>(0));
  WCHECK_EQ(Send(WM_MON_ACCEPTED_1274, 0, 0), static_cast<LRESULT>(0));

  // --- calibration: a capture rewrites the preview picture and tells the dialog; commands reach the mouse
  {
    std::string picture(1078 + 960, '\0');
    picture[0] = 'B';
    picture[1] = 'M';
    WriteFileReplacing(program + "Wave\\sensorImage.bmp", picture);
    HWND dialog = CreateWindowExA(0, "MonitorTestSynra", kLdaDialogTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    bool answered = false;
    Send(WM_MON_LDA_CAPTURE, 0, 0, &answered);
    WCHECK(answered);
    WCHECK(WaitFor([] { return !ldaDialogMessages.empty(); }, 3000));
    WCHECK(!ldaDialogMessages.empty() && ldaDialogMessages[0].first == WM_LDA_CAPTURE_DONE);
    const std::string after = ReadText(program + "Wave\\sensorImage.bmp");
    WCHECK(after.size() == picture.size() && after.compare(1078, 960, picture, 1078, 960) != 0);
    WCHECK(Contains(simLog, "set 4 bytes: 0C 03 01 00 ok"));
    Send(WM_MON_LDA_COMMAND, 0, 255);
    WCHECK(Contains(simLog, "set 6 bytes: 0F 06"));
    const int before = Count(simLog, "set 6 bytes: 0F 06");
    Send(WM_MON_LDA_MODE, 0, 2);
    Send(WM_MON_LDA_MODE, 0, 9);  // no such mode: nothing sent
    WCHECK_EQ(Count(simLog, "set 6 bytes: 0F 06"), before + 1);
    DestroyWindow(dialog);
  }

  // --- hostile input changes nothing and breaks nothing: a section of junk
  // applied and reloaded, unknown Synra codes, device registrations of every
  // wrong size. The files, the device list and the mouse stay as they were.
  {
    auto snapshot = [] {
      std::string all;
      for (const char* f : {"config.ini", "DeviceInfo.ini", "config\\Default0.vmp", "config\\Default1.vmp",
                            "config\\Default2.vmp", "config\\Default3.vmp", "config\\Default4.vmp"})
        all += std::string(f) + ":" + ReadText(program + f) + "\n";
      std::string state;
      Sim("state", &state);
      return all + "mouse:" + state;
    };
    auto good = ReadSection();
    const std::string before = snapshot();
    WCHECK(before.find("mouse:") + 6 < before.size());  // the simulator answered
    auto junk = std::make_unique<SettingsBlock>();
    std::memset(junk.get(), 0x7F, sizeof(SettingsBlock));
    WCHECK(WriteSection(*junk));
    bool answered = false;
    Send(WM_MON_APPLY_SETTINGS, 0, 0, &answered);
    WCHECK(answered);
    Send(WM_MON_RELOAD_SHARED, 0, 0);
    Send(WM_MON_APPLY_WINDOWS, 0, 0);
    for (WPARAM c : {WPARAM(0), WPARAM(5), WPARAM(9999), static_cast<WPARAM>(-1)}) Send(WM_SYNRA_A_STATUS, c, 1);
    Send(WM_COPYDATA, 0, 0);
    std::vector<uint8_t> bytes(1 << 16, 0xAB);
    for (DWORD size : {0ul, 1ul, 63ul, 65ul, 65536ul}) {
      COPYDATASTRUCT data{0, size, size ? bytes.data() : nullptr};
      WCHECK_EQ(Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), static_cast<LRESULT>(1));
    }
    COPYDATASTRUCT nothing{0, 64, nullptr};
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&nothing));
    Pump(300);
    WCHECK(snapshot() == before);
    WCHECK(!Contains(program + "DeviceInfo.ini", "Device0"));
    WCHECK(IsWindow(Monitor()));
    // The mouse's own events on top of the junk still break nothing.
    for (const char* c : {"click 3", "dpi up", "profile 2", "sensitivity 4"}) Sim(c);
    Pump(300);
    WCHECK(IsWindow(Monitor()));
    if (good) WCHECK(WriteSection(*good));
    Send(WM_MON_RELOAD_SHARED, 0, 0);
  }

  // --- device registration
  {
    uint8_t payload[64] = {};
    const uint16_t vid = 0x1234, pid = 0x5678;
    std::memcpy(payload, &vid, 2);
    std::memcpy(payload + 2, &pid, 2);
    const wchar_t name[] = L"Companion Keyboard X";  // 20 characters: no room for a terminator
    std::memcpy(payload + 4, name, 40);
    const uint32_t cpi[5] = {400, 800, 1600, 3200, 6400};
    std::memcpy(payload + 44, cpi, 20);
    COPYDATASTRUCT data{7, 64, payload};
    WCHECK_EQ(Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), static_cast<LRESULT>(1));
    IniFile devices(program + "DeviceInfo.ini");
    devices.Load();
    WCHECK_EQ(devices.GetInt("Setting", "Count", -1), 1);
    WCHECK_EQ(devices.GetString("Device0", "Name", ""), std::string("Companion Keyboard"));
    WCHECK_EQ(devices.GetInt("Device0", "PID", -1), 0x5678);
    WCHECK(WaitFor([&] { return Contains(optionLog, "|1284|0|0"); }, 3000));
  }

  // --- the Synra program announces itself: status and Tanaim values, no tray icon
  HWND synra = CreateWindowExA(0, "MonitorTestSynra", kSynraMonitorTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  PostMessageA(Monitor(), WM_SYNRA_A_STATUS, 6, reinterpret_cast<LPARAM>(synra));
  WCHECK(WaitFor([] { return synraCopyKinds.size() >= 2; }, 5000));
  WCHECK(synraCopyKinds.size() >= 2 && synraCopyKinds[0] == 0x07970003u && synraCopyKinds[1] == 0x07970005u);
  WCHECK(WaitFor([] { return !TrayIconShown(); }, 3000));
  Sim("profile 1");
  WCHECK(WaitFor([] { return synraStatusPosts >= 1; }, 5000));
  PostMessageA(Monitor(), WM_SYNRA_A_STATUS, 7, 0);
  WCHECK(WaitFor(TrayIconShown, 3000));

  // --- a program listed in a profile comes to the foreground: that profile becomes current, also on the mouse
  {
    auto block = ReadSection();
    WCHECK(block != nullptr);
    if (block) {
      ClearChangeFlags(*block);
      CopyField(block->Profiles[4].GameFile1, "  C:\\Games\\MONITOR_WTEST.EXE ");
      WCHECK(WriteSection(*block));
      Send(WM_MON_APPLY_SETTINGS, 0, 0);
      HWND game = CreateWindowExA(0, "MonitorTestSynra", "game", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
      SetForegroundWindow(game);
      const bool switched = WaitFor([] {
        auto shared = ReadSection();
        return shared && shared->CurrentProfile == 4;
      }, 8000);
      WCHECK(switched);
      WCHECK(WaitFor([] {
        std::string state;
        return Sim("state", &state) && state.find("current profile 4") != std::string::npos;
      }, 5000));
      DestroyWindow(game);
    }
  }

  // --- unplugged: the Option window closes and the icon goes; back: the updater when versions differ
  WCHECK(Sim("unplug"));
  WCHECK(WaitFor([] { return FindWindowA(nullptr, kOptionTitle) == nullptr; }, 5000));
  WCHECK(Contains(optionLog, "|16|0|0"));
  WCHECK(WaitFor([] { return !TrayIconShown(); }, 3000));
  WCHECK(WaitFor([] { return ConfigInt("Device") == 0; }, 5000));
  WriteFileReplacing(program + "FWUpdate\\config.ini", "[Firmware]\r\nVersion=151\r\n");
  WCHECK(Sim("plug"));
  WCHECK(WaitFor(TrayIconShown, 8000));
  WCHECK(WaitFor([] { return Contains(program + "FWUpdate\\Vextra Firmware Updater.log", "start|1"); }, 5000));
  // Saved by the same arrival, maybe a moment after the updater was started.
  WCHECK(WaitFor([] { return ConfigInt("Device") == 1; }, 5000));
  WriteFileReplacing(program + "FWUpdate\\config.ini", "[Firmware]\r\nVersion=150\r\n");

  // --- a double click on the icon opens the Option program
  PostMessageA(Monitor(), WM_MON_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
  WCHECK(WaitFor([] { return FindWindowA(nullptr, kOptionTitle) != nullptr; }, 10000));

  // --- "Exit" from the tray menu
  Pump(500);
  PostMessageA(Monitor(), WM_MON_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  WCHECK(WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 5000));
  if (menu) {
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  }
  DWORD exitCode = 99;
  WCHECK(Ended(monitor, 30000, &exitCode));
  WCHECK_EQ(exitCode, 0ul);
  CloseHandle(monitor);
  WCHECK_EQ(LastHostState(), std::string("00 ok"));
  const std::string osdLog = program + "VextraOSD.log";
  WCHECK(WaitFor([&] { return Contains(osdLog, "end|"); }, 5000));
  for (const char* title : kOsdWindowTitles) WCHECK(Contains(osdLog, std::string(title) + "|16|0|0"));
  WCHECK(WaitFor([&] { return Count(optionLog, std::string(kOptionTitle) + "|16|0|0") == 2; }, 5000));
  WCHECK(OpenFileMappingA(FILE_MAP_READ, FALSE, kSharedSection) == nullptr);

  // --- WM_CLOSE runs the same shutdown, closing the Option window too
  DeleteFileA(osdLog.c_str());
  DeleteFileA(optionLog.c_str());
  monitor = StartProcess(program + "VextraMonitor.exe", "1", program);
  WCHECK(WaitFor([] { return FindWindowA(nullptr, kOptionTitle) != nullptr; }, 20000));
  WCHECK(WaitFor([] { return FindWindowA(nullptr, "VELMAR Vextra Mouse OSD") != nullptr; }, 10000));
  Pump(500);
  PostMessageA(Monitor(), WM_CLOSE, 0, 0);
  WCHECK(Ended(monitor, 30000, &exitCode));
  CloseHandle(monitor);
  WCHECK_EQ(LastHostState(), std::string("00 ok"));
  WCHECK(WaitFor([&] { return Contains(optionLog, "end|") && Contains(osdLog, "end|"); }, 5000));
  WCHECK(Contains(optionLog, std::string(kOptionTitle) + "|16|0|0"));
  return wine_check::Finish();
}
