// The Option window: start to first paint, side by side with a bare Win32
// program that opens one window; its working set and private bytes at rest
// beside an empty program that loads the same system libraries; and its CPU
// at rest with the main window open (the colour-flow pictures animate; hidden
// ones must cost nothing).
//   option_wbench <program folder> <work folder> [seconds at rest]
// "Start to first paint" is the time until the new process has shown its
// window and gone idle with nothing left to paint (WaitForInputIdle: its
// queue is empty, so its first WM_PAINT has been handled).
#include <windows.h>
#include <psapi.h>
#include <objbase.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/wine/process_figures.h"

using namespace process_figures;

namespace {

constexpr char kOptionTitle[] = "VELMAR Vextra Mouse Option";
constexpr char kBareTitle[] = "Bare window";

LRESULT CALLBACK BareProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(w, m, wp, lp);
}

// One 800 x 600 window and its message loop; with `libraries`, first the
// system libraries the Option uses, set up the same way, and a hidden window.
int Bare(bool libraries) {
  if (libraries) {
    for (const char* name : {"shell32.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "winmm.dll",
                             "advapi32.dll", "gdi32.dll"})
      LoadLibraryA(name);
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BareWindow";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, wc.lpszClassName, kBareTitle, WS_POPUP, 112, 84, 800, 600, nullptr, nullptr,
                           wc.hInstance, nullptr);
  if (!libraries) ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}

struct Started {
  PROCESS_INFORMATION pi{};
  double toPaint = -1;  // seconds from CreateProcess to shown and idle
};

Started Start(const std::string& commandLine, const std::string& folder, const char* title) {
  Started s;
  std::string command = commandLine;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &s.pi))
    return s;
  HWND w = nullptr;
  for (int i = 0; i < 3000 && !(w && IsWindowVisible(w)); ++i) {
    w = FindWindowA(nullptr, title);
    if (!(w && IsWindowVisible(w))) Sleep(2);
  }
  WaitForInputIdle(s.pi.hProcess, 20000);
  QueryPerformanceCounter(&t1);
  if (w) s.toPaint = static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart);
  return s;
}

void Stop(Started& s, const char* title) {
  if (HWND w = FindWindowA(nullptr, title)) PostMessageA(w, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(s.pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(s.pi.hProcess, 1);
  CloseHandle(s.pi.hProcess);
  CloseHandle(s.pi.hThread);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "bare") return Bare(false);
  if (argc == 2 && std::string(argv[1]) == "libraries") return Bare(true);
  if (argc < 3) {
    std::printf("usage: option_wbench <program folder> <work folder> [seconds]\n");
    return 2;
  }
  const std::string built = std::string(argv[1]) + "\\";
  const std::string work = std::string(argv[2]) + "\\";
  const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
  CreateDirectoryA(work.c_str(), nullptr);
  for (const char* folder : {"config", "help", "Gif", "Wave"}) CreateDirectoryA((work + folder).c_str(), nullptr);
  CopyFileA((built + "VextraOption.exe").c_str(), (work + "VextraOption.exe").c_str(), FALSE);
  CopyFileA((built + "help\\English_help.dll").c_str(), (work + "help\\English_help.dll").c_str(), FALSE);
  for (const char* gif : {"ColorFlow-Animation_all-together.gif", "ColorFlow-Animation_down-up.gif",
                          "ColorFlow-Animation_up-down.gif", "ColorFlow-Animation_right-left.gif",
                          "ColorFlow-Animation_left-right.gif"})
    CopyFileA((built + "Gif\\" + gif).c_str(), (work + "Gif\\" + gif).c_str(), FALSE);
  for (const char* wave : {"double_click.bmp", "double_click.avi", "double_click.wav"})
    CopyFileA((built + "Wave\\" + wave).c_str(), (work + "Wave\\" + wave).c_str(), FALSE);

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string me = std::string("\"") + self + "\"";

  // Start to first paint, three times each, alternating.
  double option[3] = {}, bare[3] = {};
  for (int round = 0; round < 3; ++round) {
    Started b = Start(me + " bare", "", kBareTitle);
    bare[round] = b.toPaint;
    Stop(b, kBareTitle);
    Started o = Start("\"" + work + "VextraOption.exe\"", work, kOptionTitle);
    option[round] = o.toPaint;
    Stop(o, kOptionTitle);
  }
  std::printf("Start to first paint: Option %.3f / %.3f / %.3f s, bare window %.3f / %.3f / %.3f s\n", option[0],
              option[1], option[2], bare[0], bare[1], bare[2]);

  // At rest with the main window open (no Monitor: settings from storage).
  Started o = Start("\"" + work + "VextraOption.exe\"", work, kOptionTitle);
  Sleep(3000);
  Print("Option", Measure(o.pi.hProcess, "VextraOption.exe", nullptr, seconds));
  Stop(o, kOptionTitle);

  std::string libraries = me + " libraries";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessA(nullptr, &libraries[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    Sleep(3000);
    Print("Empty program with the same libraries",
          Measure(pi.hProcess, "option_wbench.exe", "libraries", seconds / 3 > 5 ? seconds / 3 : 5));
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return option[0] > 0 ? 0 : 1;
}
