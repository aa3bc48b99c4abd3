// featlink.dll, simulator backend: the seven operations served by a simulated
// mouse whose state lives in "mousesim.state" beside the library, so settings
// survive a restart of the programs. A hidden window titled
// "Vextra Mouse Simulator" takes text commands by WM_COPYDATA from
// mousesim.exe (plug, unplug, press N, release N, dpi up ...).
// Traces go to the debugger output, and to the file named by the environment
// variable FEATLINK_SIM_LOG when it is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "common/file_system.h"
#include "featlink/featlink_api.h"
#include "featlink/sim_commands.h"
#include "featlink/sim/sim_control.h"
#include "sim/simulated_mouse.h"

using vextra::SimulatedMouse;

namespace {

struct Library {
  std::mutex lock;  // guards the fields below; the mouse has its own lock
  SimulatedMouse mouse;
  std::string folder;
  bool loaded = false;
  bool featureOpen = false;
  HWND target = nullptr;
  UINT eventMessage = 0, presenceMessage = 0;
  HANDLE thread = nullptr;
  HWND control = nullptr;
  HANDLE controlReady = nullptr;
};

// Never destroyed: the library may be unloaded while its statics are being torn down.
Library& Lib() {
  static Library* library = new Library();
  return *library;
}

void Trace(const std::string& text) {
  std::string line = "featlink(sim): " + text + "\n";
  OutputDebugStringA(line.c_str());
  if (const char* path = std::getenv("FEATLINK_SIM_LOG")) {
    if (std::FILE* f = std::fopen(path, "ab")) {
      std::fwrite(line.data(), 1, line.size(), f);
      std::fclose(f);
    }
  }
}

std::string LibraryFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&Lib), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  return vextra::FolderOf(path);
}

std::string StatePath() { return Lib().folder + "mousesim.state"; }

void SaveState() { vextra::WriteFileReplacing(StatePath(), Lib().mouse.Serialize()); }

void PostToTarget(UINT message, WPARAM wParam, LPARAM lParam) {
  Library& lib = Lib();
  HWND target;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    target = lib.target;
    if (!target) return;
  }
  PostMessageA(target, message, wParam, lParam);
}

void EnsureLoaded() {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  if (lib.loaded) return;
  lib.loaded = true;
  lib.folder = LibraryFolder();
  std::string data;
  if (vextra::ReadWholeFile(StatePath(), data) && lib.mouse.Deserialize(data))
    Trace("state loaded from " + StatePath());
  else
    Trace("starting from the factory state");
  lib.mouse.SetEventSink([](uint16_t type, uint16_t value) {
    Library& l = Lib();
    UINT message;
    {
      std::lock_guard<std::mutex> g(l.lock);
      message = l.eventMessage;
    }
    char text[64];
    std::snprintf(text, sizeof text, "event %04X %04X", type, value);
    Trace(text);
    PostToTarget(message, type, value);
  });
}

// One command of the control tool; the reply text goes back in `reply`.
bool RunCommand(const std::string& line, std::string& reply) {
  Library& lib = Lib();
  Trace("command: " + line);
  const vextra::SimCommandOutcome outcome = vextra::RunSimCommand(lib.mouse, line);
  if (outcome.presenceChanged) {
    UINT message;
    {
      std::lock_guard<std::mutex> guard(lib.lock);
      message = lib.presenceMessage;
    }
    PostToTarget(message, outcome.present ? 1 : 0, 0);
  }
  if (outcome.saveState) SaveState();
  reply = outcome.reply;
  return outcome.ok;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != vextra::kSimControlCommand || !data->lpData || data->cbData > 4096) return 0;
    std::string command(static_cast<const char*>(data->lpData), data->cbData);
    command = command.substr(0, command.find('\0'));
    std::string reply;
    const bool ok = RunCommand(command, reply);
    // The reply goes back to the tool's own window, named in wParam.
    HWND replyTo = reinterpret_cast<HWND>(wParam);
    if (replyTo && IsWindow(replyTo)) {
      COPYDATASTRUCT answer{vextra::kSimControlReply, static_cast<DWORD>(reply.size() + 1),
                            const_cast<char*>(reply.c_str())};
      SendMessageTimeoutA(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                          reinterpret_cast<LPARAM>(&answer), SMTO_ABORTIFHUNG, 2000, nullptr);
    }
    return ok ? 1 : 0;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI ControlThread(LPVOID) {
  Library& lib = Lib();
  WNDCLASSA wc{};
  wc.lpfnWndProc = ControlProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VextraMouseSimulatorControl";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, vextra::kSimControlWindowTitle, WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr);
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.control = window;
  }
  SetEvent(lib.controlReady);
  if (!window) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) void FEATLINK_CALL Open_DevMonitor(HWND window, UINT eventMessage, UINT presenceMessage) {
  EnsureLoaded();
  Library& lib = Lib();
  bool start = false;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.target = window;
    lib.eventMessage = eventMessage;
    lib.presenceMessage = presenceMessage;
    start = lib.thread == nullptr;
    if (start) lib.controlReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  if (start) {
    HANDLE thread = CreateThread(nullptr, 0, ControlThread, nullptr, 0, nullptr);
    {
      std::lock_guard<std::mutex> guard(lib.lock);
      lib.thread = thread;
    }
    if (thread) WaitForSingleObject(lib.controlReady, 5000);
  }
  Trace("monitor opened");
}

__declspec(dllexport) void FEATLINK_CALL Close_DevMonitor(void) {
  Library& lib = Lib();
  HANDLE thread;
  HWND control;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.target = nullptr;
    thread = lib.thread;
    control = lib.control;
    lib.thread = nullptr;
    lib.control = nullptr;
  }
  if (control) PostMessageA(control, WM_CLOSE, 0, 0);
  if (thread) {
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
  }
  if (lib.controlReady) {
    CloseHandle(lib.controlReady);
    lib.controlReady = nullptr;
  }
  Trace("monitor closed");
}

__declspec(dllexport) int FEATLINK_CALL Open_FeatureDevice(void) {
  EnsureLoaded();
  Library& lib = Lib();
  const bool present = lib.mouse.Present();
  std::lock_guard<std::mutex> guard(lib.lock);
  lib.featureOpen = present;
  return present ? 1 : 0;
}

__declspec(dllexport) void FEATLINK_CALL Close_FeatureDevice(void) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  lib.featureOpen = false;
}

__declspec(dllexport) int FEATLINK_CALL SetFeature(unsigned char* buffer, int length) {
  Library& lib = Lib();
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    if (!lib.featureOpen) return 0;
  }
  if (!buffer || length <= 0) return 0;
  const bool ok = lib.mouse.SetFeature(buffer, static_cast<size_t>(length));
  if (std::getenv("FEATLINK_SIM_LOG")) {
    // The head of every written report, so a test can follow the host's sequence.
    char text[64];
    int n = std::snprintf(text, sizeof text, "set %d bytes:", length);
    for (int i = 0; i < length && i < 6 && n > 0 && n < 48; ++i)
      n += std::snprintf(text + n, sizeof text - static_cast<size_t>(n), " %02X", buffer[i]);
    Trace(std::string(text) + (ok ? " ok" : " refused"));
  }
  if (ok && buffer[0] != 4 && buffer[0] != 14) SaveState();  // selects and host state are not settings
  return ok ? 1 : 0;
}

__declspec(dllexport) int FEATLINK_CALL GetFeature(unsigned char* buffer, int length) {
  Library& lib = Lib();
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    if (!lib.featureOpen) return 0;
  }
  if (!buffer || length <= 0) return 0;
  return lib.mouse.GetFeature(buffer, static_cast<size_t>(length)) ? 1 : 0;
}

__declspec(dllexport) int FEATLINK_CALL GetMousePID(void) { return 0x5A01; }

}  // extern "C"
