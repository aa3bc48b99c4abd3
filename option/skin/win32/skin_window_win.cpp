#include "option/skin/win32/skin_window_win.h"

#include <vector>

namespace vextra {
namespace {

constexpr char kObjectProperty[] = "VextraSkinObject";
constexpr char kCustomClass[] = "VextraSkinControl";
constexpr char kDialogClass[] = "VextraSkinDialog";
constexpr wchar_t kDialogClassW[] = L"VextraSkinDialog";

// The dialog manager creates the window itself; the object being created is
// handed over through this (UI threads only, one creation at a time).
thread_local SkinWindow* creating = nullptr;

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

bool RegisterOnce(const char* name, WNDPROC proc, int extra) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(Module(), name, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.hInstance = Module();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

SkinWindow::~SkinWindow() {
  if (!hwnd_) return;
  // The derived part is gone: unbind first so that no message of the
  // destruction reaches a half-destroyed object.
  HWND window = hwnd_;
  Detach();
  DestroyWindow(window);
}

void SkinWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

SkinWindow* SkinWindow::FromHandle(HWND window) {
  return window ? static_cast<SkinWindow*>(GetPropA(window, kObjectProperty)) : nullptr;
}

bool SkinWindow::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = nullptr;
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_DRAWITEM:
      if (wParam) child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    default:
      return false;
  }
  SkinWindow* control = FromHandle(child);
  if (!control) return false;
  LRESULT r = 0;
  if (!control->OnReflected(message, wParam, lParam, &r)) return false;
  if (result) *result = r;
  return true;
}

bool SkinWindow::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool SkinWindow::CreateCustom(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, int id) {
  if (hwnd_ || !RegisterOnce(kCustomClass, CustomProc, 0)) return false;
  HWND window = CreateWindowExA(exStyle, kCustomClass, "", style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Module(), this);
  return window != nullptr && hwnd_ == window;
}

bool SkinWindow::CreateControl(const char* className, const char* text, DWORD exStyle, DWORD style,
                               const RECT& rect, HWND parent, int id) {
  if (hwnd_) return false;
  HWND window = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Module(), nullptr);
  if (!window) return false;
  Attach(window, Kind::kControl);
  return true;
}

bool SkinWindow::CreateDialogWindow(DWORD style, DWORD exStyle, const RECT& rect, HWND parent) {
  if (hwnd_ || !RegisterOnce(kDialogClass, DialogClassProc, DLGWINDOWEXTRA)) return false;
  // DLGTEMPLATE, no menu, our class, no title, no controls; the size is set
  // in pixels afterwards (templates count in dialog units).
  static_assert(sizeof(DLGTEMPLATE) == 18, "packed dialog template header");
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
  head->style = style & ~WS_VISIBLE;
  head->dwExtendedStyle = exStyle;
  t.push_back(0);  // menu
  for (const wchar_t* c = kDialogClassW; *c; ++c) t.push_back(static_cast<WORD>(*c));
  t.push_back(0);
  t.push_back(0);  // title
  if (t.size() % 2) t.push_back(0);  // keep the DWORD alignment the loader expects
  creating = this;
  HWND window = CreateDialogIndirectParamA(Module(), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), parent,
                                           nullptr, 0);
  creating = nullptr;
  if (!window) return false;
  if (hwnd_ != window) {
    DestroyWindow(window);
    return false;
  }
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

LRESULT SkinWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT SkinWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (kind_) {
    case Kind::kControl:
      return CallWindowProcA(oldProc_, hwnd_, message, wParam, lParam);
    case Kind::kDialog:
      return DefDlgProcA(hwnd_, message, wParam, lParam);
    default:
      return DefWindowProcA(hwnd_, message, wParam, lParam);
  }
}

void SkinWindow::Attach(HWND window, Kind kind) {
  hwnd_ = window;
  kind_ = kind;
  SetPropA(window, kObjectProperty, this);
  if (kind == Kind::kControl) {
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
  }
  OnAttached();
}

void SkinWindow::Detach() {
  if (!hwnd_) return;
  RemovePropA(hwnd_, kObjectProperty);
  if (kind_ == Kind::kControl && oldProc_)
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  hwnd_ = nullptr;
}

LRESULT SkinWindow::Dispatch(SkinWindow* self, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = self->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Keep the old procedure for the unbinding below, then forget the window.
    self->Detach();
    self->kind_ = Kind::kNone;
  }
  return result;
}

LRESULT CALLBACK SkinWindow::CustomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinWindow* self = FromHandle(window);
  if (!self && message == WM_NCCREATE) {
    self = static_cast<SkinWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) self->Attach(window, Kind::kCustom);
  }
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return Dispatch(self, message, wParam, lParam);
}

LRESULT CALLBACK SkinWindow::DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinWindow* self = FromHandle(window);
  if (!self && creating && !creating->hwnd_) {
    self = creating;
    self->Attach(window, Kind::kDialog);
  }
  if (!self) return DefDlgProcA(window, message, wParam, lParam);
  return Dispatch(self, message, wParam, lParam);
}

LRESULT CALLBACK SkinWindow::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SkinWindow* self = FromHandle(window);
  if (!self) {
    // Unbound while a message was under way: nothing to route to.
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return Dispatch(self, message, wParam, lParam);
}

}  // namespace vextra
