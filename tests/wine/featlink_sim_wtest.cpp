// Our simulator featlink.dll through the real binding: a read-back and an
// upload run against it, mousesim.exe drives it, and its events reach a
// window as 1325/1326 with the right wParam/lParam. The state survives
// unloading the library.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "device/device_jobs.h"
#include "device/win32/featlink_binding.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Received> received;

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 1325 || message == 1326) {
    received.push_back({message, wParam, lParam});
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class FastClock : public DeviceClock {
 public:
  void Sleep(int) override { ::Sleep(1); }  // wiring under test, not timing
};

class Sink : public ReadBackSink {
 public:
  int firmware = -1, saves = 0, publishes = 0;
  void SaveFirmwareVersion(int value) override { firmware = value; }
  void SaveAll(const SettingsBlock&) override { ++saves; }
  void Publish(const SettingsBlock&) override { ++publishes; }
};

int RunTool(const std::string& exe, const std::string& args) {
  std::string command = "\"" + exe + "\" " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  // Our window must keep answering while the tool waits for the simulator thread.
  DWORD code = 99;
  for (int i = 0; i < 1000; ++i) {
    if (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 10, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

// Pumps messages until a 1325/1326 arrives or 5 s pass.
bool WaitFor(UINT message, Received& out) {
  for (int i = 0; i < 500; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    for (size_t k = 0; k < received.size(); ++k) {
      if (received[k].message == message) {
        out = received[k];
        received.erase(received.begin() + static_cast<std::ptrdiff_t>(k));
        return true;
      }
    }
    Sleep(10);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string work = JoinPath(argv[1], "");
  const std::string program = JoinPath(argv[2], "");
  const std::string mousesim = program + "mousesim.exe";
  // A private copy of the library so its state file lives in the work folder.
  WCHECK(CopyFileReplacing(program + "featlink.dll", work + "featlink.dll"));
  RemoveFile(work + "mousesim.state");

  FeatlinkBinding missing;
  WCHECK_EQ(missing.Bind(work + "nowhere\\"), 0);
  WCHECK_EQ(missing.OpenFeatureDevice(), 0);
  uint8_t probe[3] = {4, 0, 0};
  WCHECK(!missing.GetFeature(probe, 3));

  WNDCLASSA wc{};
  wc.lpfnWndProc = TestProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "FeatlinkTestWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "featlink test", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
  WCHECK(window != nullptr);

  auto binding = std::make_unique<FeatlinkBinding>();
  WCHECK_EQ(binding->Bind(work), 1);
  binding->OpenDevMonitor(window, 1325, 1326);
  WCHECK_EQ(binding->OpenFeatureDevice(), 1);

  FastClock clock;
  JobFlags flags;
  DeviceCommands commands(*binding, clock, flags);
  DeviceJobs jobs(commands);
  auto block = std::make_unique<SettingsBlock>();
  ResetToEmpty(*block);
  Sink sink;
  CalibrationValues values;
  WCHECK_EQ(jobs.ReadAllJob(*block, sink, values), 1);
  WCHECK_EQ(sink.firmware, 150);
  WCHECK_EQ(sink.saves, 1);
  WCHECK_EQ(block->CurrentProfile, 0);
  WCHECK_EQ(block->Profiles[2].CpiLevel_X[4], 60);
  WCHECK_EQ(block->Profiles[2].Lights[0].ColorNumber, 1);
  WCHECK_EQ(block->Profiles[0].MacroKeys[4].FunctionCode, 65);

  block->Profiles[2].CpiLevel_X[1] = 12;
  block->ProfileChanged[2] = 1;
  block->Profiles[1].MacroKeys[3].FunctionCode = 5;
  block->Profiles[1].MacroKeys[3].Events[0] = MacroEvent{0x04, 0x04, 0};
  block->Profiles[1].MacroKeys[3].EventCount = 1;
  block->ButtonChanged[1][3] = 1;
  WCHECK_EQ(jobs.UploadChanges(*block, false), 1);

  // Driven by the control tool; events arrive as the library posts them.
  Received r{};
  WCHECK_EQ(RunTool(mousesim, "press 5"), 0);
  WCHECK(WaitFor(1325, r));
  WCHECK_EQ(static_cast<int>(r.wParam), 0x8000);
  WCHECK_EQ(static_cast<int>(r.lParam), 5);
  WCHECK_EQ(RunTool(mousesim, "release 5"), 0);
  WCHECK(WaitFor(1325, r));
  WCHECK_EQ(static_cast<int>(r.lParam), 0x105);
  WCHECK_EQ(RunTool(mousesim, "profile 3"), 0);
  WCHECK(WaitFor(1325, r));
  WCHECK_EQ(static_cast<int>(r.wParam), 0x2000);
  WCHECK_EQ(static_cast<int>(r.lParam), 3);
  WCHECK_EQ(RunTool(mousesim, "dpi up"), 0);
  WCHECK(WaitFor(1325, r));
  WCHECK_EQ(static_cast<int>(r.wParam), 0xB000);
  WCHECK_EQ(RunTool(mousesim, "unplug"), 0);
  WCHECK(WaitFor(1326, r));
  WCHECK_EQ(static_cast<int>(r.wParam), 0);
  DeviceInfo info;
  WCHECK_EQ(commands.ReadDeviceInfo(info), 0);  // nothing answers while unplugged
  WCHECK_EQ(RunTool(mousesim, "plug"), 0);
  WCHECK(WaitFor(1326, r));
  WCHECK_EQ(static_cast<int>(r.wParam), 1);
  WCHECK_EQ(binding->OpenFeatureDevice(), 1);
  WCHECK_EQ(RunTool(mousesim, "state"), 0);
  WCHECK_EQ(RunTool(mousesim, "jump"), 1);

  // The uploaded settings survive unloading the library.
  binding->CloseDevMonitor();
  binding->CloseFeatureDevice();
  binding->Free();
  WCHECK_EQ(RunTool(mousesim, "state"), 2);  // nobody has it open now
  binding = std::make_unique<FeatlinkBinding>();
  WCHECK_EQ(binding->Bind(work), 1);
  binding->OpenDevMonitor(window, 1325, 1326);
  WCHECK_EQ(binding->OpenFeatureDevice(), 1);
  DeviceCommands again(*binding, clock, flags);
  auto profile = std::make_unique<ProfileRecord>();
  ResetProfile(*profile, 0);
  WCHECK_EQ(again.ReadProfileSettings(*profile, 2), 1);
  WCHECK_EQ(profile->CpiLevel_X[1], 12);
  WCHECK_EQ(again.ReadButtonTable(*profile, 1), 1);
  WCHECK_EQ(profile->MacroKeys[3].FunctionCode, 5);
  WCHECK_EQ(profile->MacroKeys[3].Events[0].action, 4);
  int current = -1;
  WCHECK_EQ(again.ReadCurrentProfile(current), 1);
  WCHECK_EQ(current, 2);
  binding->CloseDevMonitor();
  binding->CloseFeatureDevice();
  binding->Free();
  DestroyWindow(window);
  return wine_check::Finish();
}
