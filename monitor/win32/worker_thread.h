// A worker thread with its own message queue: work reaches it only as thread
// messages, and WM_QUIT ends it.
#pragma once

#include <windows.h>

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
  bool running() const { return thread_ != nullptr; }

 private:
  static DWORD WINAPI Run(LPVOID self);
  Handler handler_ = nullptr;
  void* context_ = nullptr;
  HANDLE thread_ = nullptr;
  HANDLE ready_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace vextra
