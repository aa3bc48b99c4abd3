#include "monitor/win32/worker_thread.h"

namespace vextra {

bool WorkerThread::Start(Handler handler, void* context) {
  handler_ = handler;
  context_ = context;
  UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!ready) return false;
  ready_ = ready.get();
  // 4 KB committed at start; the reserve stays the program's default so that
  // a deep call (saving settings, playing a macro) can never overflow it.
  thread_.Reset(CreateThread(nullptr, 4096, Run, this, 0, &id_));
  if (thread_) WaitForSingleObject(ready_, INFINITE);
  ready_ = nullptr;
  return thread_.valid();
}

DWORD WINAPI WorkerThread::Run(LPVOID param) {
  auto* self = static_cast<WorkerThread*>(param);
  MSG msg;
  PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
  SetEvent(self->ready_);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) self->handler_(self->context_, msg.message, msg.wParam, msg.lParam);
  return 0;
}

bool WorkerThread::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  return thread_ && PostThreadMessageA(id_, message, wParam, lParam);
}

void WorkerThread::Stop() {
  if (!thread_) return;
  PostThreadMessageA(id_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_.get(), INFINITE);
  thread_.Reset();
}

}  // namespace vextra
