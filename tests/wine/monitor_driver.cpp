#include "tests/wine/monitor_driver.h"

#include <cstring>

#include "common/file_system.h"
#include "common/ini_file.h"
#include "featlink/sim/sim_control.h"
#include "common/program_messages.h"
#include "sim/simulated_mouse.h"

using namespace vextra;

namespace monitor_driver {
namespace {

std::string lastReply;

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->dwData == kSimControlReply && data->lpData)
      lastReply.assign(static_cast<const char*>(data->lpData),
                       strnlen(static_cast<const char*>(data->lpData), data->cbData));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND ReplyWindow() {
  static HWND window = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MonitorDriverReply";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

template <typename Copy>
bool WithSection(DWORD access, Copy copy) {
  HANDLE mapping = OpenFileMappingA(access, FALSE, kSharedSection);
  HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kSettingsMutex);
  bool ok = false;
  if (mapping && mutex) {
    if (void* view = MapViewOfFile(mapping, access, 0, 0, sizeof(SettingsBlock))) {
      if (WaitForSingleObject(mutex, 5000) == WAIT_OBJECT_0) {
        copy(view);
        ReleaseMutex(mutex);
        ok = true;
      }
      UnmapViewOfFile(view);
    }
  }
  if (mapping) CloseHandle(mapping);
  if (mutex) CloseHandle(mutex);
  return ok;
}

}  // namespace

void Pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::unique_ptr<SimulatedMouse> SavedMouse(const std::string& program) {
  auto mouse = std::make_unique<SimulatedMouse>();
  mouse->Load(program + "mousesim.state");
  return mouse;
}

int ConfigInt(const std::string& program, const char* key) {
  IniFile config(program + "config.ini");
  config.Load();
  return config.GetInt("Setting", key, -99);
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!condition()) {
    if (static_cast<LONG>(end - GetTickCount()) <= 0) return false;
    Pump(20);
  }
  return true;
}

std::string ReadText(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text, 1 << 24);
  return text;
}

HWND Monitor() { return FindWindowA(nullptr, kMonitorTitle); }

bool Sim(const std::string& command, std::string* reply) {
  HWND simulator = FindWindowA(nullptr, kSimControlWindowTitle);
  if (!simulator) return false;
  COPYDATASTRUCT data{kSimControlCommand, static_cast<DWORD>(command.size() + 1), const_cast<char*>(command.c_str())};
  DWORD_PTR result = 0;
  lastReply.clear();
  const bool ok = SendMessageTimeoutA(simulator, WM_COPYDATA, reinterpret_cast<WPARAM>(ReplyWindow()),
                                      reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000, &result) &&
                  result;
  if (reply) *reply = lastReply;
  return ok;
}

std::unique_ptr<SettingsBlock> ReadSection() {
  auto block = std::make_unique<SettingsBlock>();
  if (!WithSection(FILE_MAP_READ, [&](void* view) { std::memcpy(block.get(), view, sizeof(SettingsBlock)); }))
    return nullptr;
  return block;
}

bool WriteSection(const SettingsBlock& block) {
  return WithSection(FILE_MAP_WRITE, [&](void* view) { std::memcpy(view, &block, sizeof(SettingsBlock)); });
}

bool Apply(const std::function<void(SettingsBlock&)>& edit, WPARAM wParam) {
  auto block = ReadSection();
  if (!block) return false;
  ClearChangeFlags(*block);
  edit(*block);
  if (!WriteSection(*block)) return false;
  bool answered = false;
  Send(WM_MON_APPLY_SETTINGS, wParam, 0, &answered);
  return answered;
}

LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, bool* answered) {
  DWORD_PTR result = 0;
  const bool ok = SendMessageTimeoutA(Monitor(), message, wParam, lParam, SMTO_NORMAL, 60000, &result) != 0;
  if (answered) *answered = ok;
  return static_cast<LRESULT>(result);
}

HANDLE StartProcess(const std::string& exe, const std::string& args, const std::string& folder) {
  std::string command = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

bool Ended(HANDLE process, int milliseconds, DWORD* exitCode) {
  const bool ended = WaitFor([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, milliseconds);
  if (ended && exitCode) GetExitCodeProcess(process, exitCode);
  return ended;
}

void LayOutProgram(const std::string& built, const std::string& tests, const std::string& program,
                   const Layout& layout) {
  CreateFolders(program + "config");
  CreateFolders(program + "FWUpdate");
  CreateFolders(program + "Wave");
  CopyFileReplacing(built + "VextraMonitor.exe", program + "VextraMonitor.exe");
  CopyFileReplacing(built + "featlink.dll", program + "featlink.dll");
  const std::string peer = tests + "monitor_peer.exe";
  if (layout.option) CopyFileReplacing(peer, program + "VextraOption.exe");
  if (layout.osd) CopyFileReplacing(peer, program + "VextraOSD.exe");
  if (layout.updater) CopyFileReplacing(peer, program + "FWUpdate\\Vextra Firmware Updater.exe");
  WriteFileReplacing(program + "FWUpdate\\config.ini", "[Firmware]\r\nVersion=150\r\n");
  SimulatedMouse mouse;
  ProfileRecord p = mouse.Profile(layout.markProfile);
  p.CpiLevel_X[0] = layout.mark;
  mouse.SetProfile(layout.markProfile, p);
  mouse.SetCurrentProfile(layout.markProfile);
  mouse.SetFirmwareVersions(150, 110);
  mouse.Save(program + "mousesim.state");
}

bool WaitForReadBack(const Layout& layout, int milliseconds) {
  return WaitFor([&] {
    auto shared = ReadSection();
    return shared && shared->CurrentProfile == layout.markProfile &&
           shared->Profiles[layout.markProfile].CpiLevel_X[0] == layout.mark;
  }, milliseconds);
}

}  // namespace monitor_driver
