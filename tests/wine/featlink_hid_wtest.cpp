// The HID featlink.dll without our mouse attached (Wine offers only its own
// virtual HID mouse and keyboard): it loads, enumerates, reports the feature
// interface as not open, refuses reports, posts nothing and closes cleanly.
#include <windows.h>

#include <string>

#include "common/file_system.h"
#include "device/win32/featlink_binding.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {
int posted = 0;
LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 1325 || message == 1326) {
    ++posted;
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = JoinPath(JoinPath(argv[1], "hid"), "");
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "HidTestWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "hid test", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
  FeatlinkBinding binding;
  WCHECK_EQ(binding.Bind(folder), 1);
  binding.OpenDevMonitor(window, 1325, 1326);
  WCHECK_EQ(binding.OpenFeatureDevice(), 0);
  const uint8_t report[3] = {5, 3, 1};
  WCHECK(!binding.SetFeature(report, 3));
  uint8_t read[6] = {9};
  WCHECK(!binding.GetFeature(read, 6));
  const DWORD until = GetTickCount() + 700;
  while (GetTickCount() < until) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
  WCHECK_EQ(posted, 0);
  const DWORD start = GetTickCount();
  binding.CloseDevMonitor();
  binding.CloseFeatureDevice();
  WCHECK(GetTickCount() - start < 3000);
  binding.Free();
  return wine_check::Finish();
}
