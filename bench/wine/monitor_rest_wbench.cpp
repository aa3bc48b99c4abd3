// The Monitor at rest: started from a copy of the program folder with the
// simulated mouse plugged in, left alone after its first read-back, and
// measured over a quiet minute: working set and CPU time.
//   monitor_rest_wbench <program folder> <work folder> [seconds]
// For comparison the same figures are taken of an empty Win32 program (this
// one started with "idle": a hidden window and a message loop), since under
// Wine every process carries Wine's own libraries in its working set. Wine's
// GetProcessTimes reports nothing for other processes, so there the CPU time
// comes from the kernel's accounting (Z:\proc\<pid>\stat).
#include <windows.h>
#include <psapi.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/wine/process_figures.h"

using namespace process_figures;

namespace {

LRESULT CALLBACK IdleProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

int Idle() {
  // The system libraries the Monitor uses, initialised the same way, so the
  // difference is the Monitor's own code and data.
  for (const char* name : {"shell32.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll", "advapi32.dll", "wtsapi32.dll"})
    LoadLibraryA(name);
  CoInitialize(nullptr);
  if (HMODULE comctl = GetModuleHandleA("comctl32.dll"))
    if (auto init = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControls"))))
      init();
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  SHFILEINFOA info{};
  SHGetFileInfoA(self, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
  WNDCLASSA wc{};
  wc.lpfnWndProc = IdleProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "IdleBaseline";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "Idle baseline", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "idle") return Idle();
  if (argc < 3) {
    std::printf("usage: monitor_rest_wbench <program folder> <work folder> [seconds]\n");
    return 2;
  }
  const std::string built = std::string(argv[1]) + "\\";
  const std::string work = std::string(argv[2]) + "\\";
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;
  CreateDirectoryA(work.c_str(), nullptr);
  CreateDirectoryA((work + "config").c_str(), nullptr);
  CreateDirectoryA((work + "FWUpdate").c_str(), nullptr);
  CopyFileA((built + "VextraMonitor.exe").c_str(), (work + "VextraMonitor.exe").c_str(), FALSE);
  CopyFileA((built + "featlink.dll").c_str(), (work + "featlink.dll").c_str(), FALSE);
  // The shipped firmware equals the mouse's: no updater is started.
  WritePrivateProfileStringA("Firmware", "Version", "150", (work + "FWUpdate\\config.ini").c_str());

  std::string command = "\"" + work + "VextraMonitor.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, work.c_str(), &si, &pi)) {
    std::printf("cannot start the Monitor\n");
    return 1;
  }
  HWND monitor = nullptr;
  for (int i = 0; i < 200 && !monitor; ++i, Sleep(100)) monitor = FindWindowA(nullptr, "VELMAR Vextra Mouse Monitor");
  // The first read-back takes a few seconds; the quiet time starts after it.
  Sleep(15000);
  Print("Monitor", Measure(pi.hProcess, "VextraMonitor.exe", nullptr, seconds));

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string idle = std::string("\"") + self + "\" idle";
  PROCESS_INFORMATION baseline{};
  if (CreateProcessA(nullptr, &idle[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &baseline)) {
    Sleep(3000);
    Print("Empty Win32 program", Measure(baseline.hProcess, "monitor_rest_wbench.exe", "idle", seconds / 4 > 5 ? seconds / 4 : 5));
    if (HWND w = FindWindowA(nullptr, "Idle baseline")) PostMessageA(w, WM_QUIT, 0, 0);
    TerminateProcess(baseline.hProcess, 0);
    CloseHandle(baseline.hProcess);
    CloseHandle(baseline.hThread);
  }
  if (monitor) PostMessageA(monitor, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return monitor ? 0 : 1;
}
