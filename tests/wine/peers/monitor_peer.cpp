// Stand-in for the programs the Monitor starts and talks to. What it plays
// depends on the name it is started under:
//   VextraOption.exe                - the Option window
//   VextraOSD.exe                   - the four display windows
//   Vextra Firmware Updater.exe     - the updater (records its arguments)
// Every message in the private range, WM_CLOSE and WM_COPYDATA that reaches
// one of its windows is appended to "<name>.log" beside the program as
// "<window title>|<message>|<wParam>|<lParam>". It ends by itself after two
// minutes so that a failed test leaves nothing behind.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

std::string logPath;
int openWindows = 0;

void Log(const std::string& line) {
  if (std::FILE* f = std::fopen(logPath.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

LRESULT CALLBACK PeerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER || message == WM_CLOSE || message == WM_COPYDATA) {
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    char line[256];
    std::snprintf(line, sizeof line, "%s|%u|%llu|%lld", title, message, static_cast<unsigned long long>(wParam),
                  static_cast<long long>(lParam));
    Log(line);
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    if (--openWindows == 0) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path);
  const size_t slash = full.find_last_of("\\/");
  std::string name = full.substr(slash + 1);
  name = name.substr(0, name.rfind('.'));
  logPath = full.substr(0, slash + 1) + name + ".log";
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  Log("start|" + std::string(commandLine ? commandLine : ""));
  if (lower == "vextra firmware updater") return 0;

  WNDCLASSA wc{};
  wc.lpfnWndProc = PeerProc;
  wc.hInstance = instance;
  wc.lpszClassName = "VextraTestPeer";
  RegisterClassA(&wc);
  const char* optionTitles[] = {"VELMAR Vextra Mouse Option"};
  const char* osdTitles[] = {"VELMAR Vextra Mouse OSD", "VELMAR Vextra Mouse Pop3", "VELMAR Vextra Mouse CPU RAM",
                             "VELMAR Vextra Mouse OSD SKYPE"};
  const bool osd = lower == "vextraosd";
  const char** titles = osd ? osdTitles : optionTitles;
  const int count = osd ? 4 : 1;
  for (int i = 0; i < count; ++i) {
    if (CreateWindowExA(0, wc.lpszClassName, titles[i], WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr))
      ++openWindows;
  }
  if (openWindows == 0) return 1;
  SetTimer(nullptr, 0, 120000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
    DispatchMessageA(&msg);
  }
  Log("end|");
  return 0;
}
