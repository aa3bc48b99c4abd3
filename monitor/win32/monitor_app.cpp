// CMonitorApp: one Monitor per machine; a second start only asks the running
// one to show the Option window.
#include <windows.h>
#include <objbase.h>

#include <memory>

#include "common/program_messages.h"
#include "common/win32/handles_win.h"
#include "monitor/win32/monitor_wnd.h"

namespace vextra {

class CMonitorApp {
 public:
  int Run(const char* commandLine) {
    const bool startWithOption = commandLine && commandLine[0] == '1';
    instanceMutex_.Reset(CreateMutexA(nullptr, FALSE, kMonitorInstanceMutex));
    if (instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
      instanceMutex_.Reset();
      if (startWithOption) {
        if (HWND running = FindWindowA(nullptr, kMonitorTitle))
          PostMessageA(running, WM_COMMAND, ID_CONFIGURATION, 0);
      }
      return 0;
    }
    ComScope com;
    window_ = std::make_unique<CMonitorWnd>(startWithOption);
    int result = 0;
    if (window_->Create()) {
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      result = static_cast<int>(msg.wParam);
    } else {
      OutputDebugStringA("CMonitorApp: the main window could not be created\n");
      result = 1;
    }
    window_.reset();
    if (instanceMutex_) ReleaseMutex(instanceMutex_.get());
    return result;
  }

 private:
  UniqueHandle instanceMutex_;
  std::unique_ptr<CMonitorWnd> window_;
};

}  // namespace vextra

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  vextra::CMonitorApp app;
  return app.Run(commandLine);
}
