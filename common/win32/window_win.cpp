#include "common/win32/window_win.h"

namespace vextra {
namespace {
HINSTANCE Module() { return GetModuleHandleA(nullptr); }
}  // namespace

Window::~Window() {
  if (!hwnd_) return;
  // The derived part is gone: unbind first so that no message of the
  // destruction reaches a half-destroyed object.
  HWND window = hwnd_;
  Detach();
  DestroyWindow(window);
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND window) {
  if (!window) return nullptr;
  // Only windows whose procedure is ours carry our object in their user data.
  const WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  if (proc != OwnProc && proc != SubclassProc) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Window::RegisterClassOnce(const char* name, UINT classStyle, HICON icon, HCURSOR cursor) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(Module(), name, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = OwnProc;
  wc.hInstance = Module();
  wc.hIcon = icon;
  wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::CreateOwnWindow(const char* className, const char* title, DWORD exStyle, DWORD style,
                             const RECT& rect, HWND parent, HMENU menuOrId) {
  if (hwnd_) return false;
  HWND window = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, menuOrId, Module(), this);
  // A window whose creation a handler refused is gone already.
  return window != nullptr && hwnd_ == window;
}

bool Window::CreateSubclassed(const char* className, const char* text, DWORD exStyle, DWORD style,
                              const RECT& rect, HWND parent, int id) {
  if (hwnd_) return false;
  HWND window = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Module(), nullptr);
  if (!window) return false;
  const WNDPROC old =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  Attach(window, old);
  return true;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  if (oldProc_) return CallWindowProcA(oldProc_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Window::Attach(HWND window, WNDPROC oldProc) {
  hwnd_ = window;
  oldProc_ = oldProc;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  OnAttached();
}

void Window::Detach() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (oldProc_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  hwnd_ = nullptr;
  oldProc_ = nullptr;
}

LRESULT Window::Route(Window* self, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  LRESULT result = 0;
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    // Out of memory in a handler: the message is dropped, the program goes on.
    OutputDebugStringA("Window: a handler failed\n");
  }
  if (message == WM_NCDESTROY) self->Detach();
  return result;
}

LRESULT CALLBACK Window::OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self && message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) self->Attach(window, nullptr);
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return Route(self, message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);  // unbound mid-message
  return Route(self, message, wParam, lParam);
}

}  // namespace vextra
