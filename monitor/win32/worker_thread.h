// A worker thread with its own message queue: work reaches it only as thread
// messages, and WM_QUIT ends it.
#pragma once

#include <windows.h>

#include "common/win32/handles_win.h"

namespace vextra {

class WorkerThread {
 public:
  // Called on the thread for every message other than WM_QUIT.
  using Handler = void (*)(void* context, UINT message, WPARAM wParam, LPARAM lParam);

  WorkerThread() = default;
  ~WorkerThread() { Stop(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Returns once the thread's queue exists, so the first post is not lost.
  bool Start(Handler handler, void* context);
  bool Post(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_QUIT, then waits for the thread to end.
  void Stop();
  bool running() const { return thread_.valid(); }

 private:
  static DWORD WINAPI Run(LPVOID self);
  Handler handler_ = nullptr;
  void* context_ = nullptr;
  UniqueHandle thread_;
  HANDLE ready_ = nullptr;  // lives only during Start
  DWORD id_ = 0;
};

}  // namespace vextra
