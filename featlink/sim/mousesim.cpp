// mousesim.exe: drives the simulated mouse inside the running programs.
//   mousesim plug | unplug | press N | release N | click N | dpi up | dpi down
//            profile N (1..5) | polling N (1..4) | scroll up | scroll down
//            busy N | slow MS | sensitivity N (1..11) | media N (32..39)
//            macro N (1..110) | state
// Exit code 0 on success, 1 for a refused command, 2 when no program has the
// simulator library open.
#include <windows.h>

#include <cstdio>
#include <string>

#include "featlink/sim/sim_control.h"

namespace {
std::string reply;

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->dwData == vextra::kSimControlReply && data->lpData && data->cbData <= 1 << 20)
      reply.assign(static_cast<const char*>(data->lpData), data->cbData);
    reply = reply.substr(0, reply.find('\0'));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mousesim plug|unplug|press N|release N|click N|dpi up|dpi down|"
                         "profile N|polling N|scroll up|scroll down|busy N|slow MS|sensitivity N|media N|macro N|state\n");
    return 1;
  }
  std::string command = argv[1];
  for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];
  HWND simulator = FindWindowA(nullptr, vextra::kSimControlWindowTitle);
  if (!simulator) {
    std::fprintf(stderr, "mousesim: no program has the simulated mouse open\n");
    return 2;
  }
  WNDCLASSA wc{};
  wc.lpfnWndProc = ReplyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VextraMouseSimReply";
  RegisterClassA(&wc);
  HWND self = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  COPYDATASTRUCT data{vextra::kSimControlCommand, static_cast<DWORD>(command.size() + 1),
                      const_cast<char*>(command.c_str())};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(simulator, WM_COPYDATA, reinterpret_cast<WPARAM>(self), reinterpret_cast<LPARAM>(&data),
                           SMTO_ABORTIFHUNG, 5000, &result)) {
    std::fprintf(stderr, "mousesim: the simulator did not answer\n");
    return 2;
  }
  std::printf("%s\n", reply.c_str());
  if (self) DestroyWindow(self);
  return result ? 0 : 1;
}
