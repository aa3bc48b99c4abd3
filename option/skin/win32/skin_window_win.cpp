#include "option/skin/win32/skin_window_win.h"

namespace vextra {
namespace {

constexpr char kCustomClass[] = "VextraSkinControl";
constexpr char kDialogClass[] = "VextraSkinDialog";
constexpr char kModalClass[] = "VextraSkinModal";

}  // namespace

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
  if (!RegisterClassOnce(kCustomClass)) return false;
  return CreateOwnWindow(kCustomClass, "", exStyle, style | WS_CLIPSIBLINGS, rect, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool SkinWindow::CreateDialogWindow(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, bool modal) {
  const char* cls = modal ? kModalClass : kDialogClass;
  if (!RegisterClassOnce(cls)) return false;
  return CreateOwnWindow(cls, "", exStyle, style & ~WS_VISIBLE, rect, parent, nullptr);
}

}  // namespace vextra
