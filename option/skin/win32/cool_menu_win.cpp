#include "option/skin/win32/cool_menu_win.h"

#include <cstring>
#include <memory>

#include "option/skin/handle_table.h"
#include "option/skin/skin_messages.h"

namespace vextra {
namespace {

struct ThreadState {
  HHOOK hook = nullptr;
  std::unique_ptr<HandleTable<CoolMenu>> menus;
};
thread_local ThreadState state;

}  // namespace

bool CoolMenu::Install() {
  if (state.hook) return true;
  state.menus = std::make_unique<HandleTable<CoolMenu>>();
  state.hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
  if (!state.hook) state.menus.reset();
  return state.hook != nullptr;
}

void CoolMenu::Uninstall() {
  if (state.menus) {
    for (const auto& entry : state.menus->Entries()) Unsubclass(static_cast<HWND>(const_cast<void*>(entry.first)));
    state.menus.reset();
  }
  if (state.hook) UnhookWindowsHookEx(state.hook);
  state.hook = nullptr;
}

bool CoolMenu::installed() { return state.hook != nullptr; }

size_t CoolMenu::activeCount() { return state.menus ? state.menus->size() : 0; }

void CoolMenu::DrawFrame(HWND window, HDC dc) {
  RECT r;
  GetWindowRect(window, &r);
  OffsetRect(&r, -r.left, -r.top);
  HBRUSH blue = CreateSolidBrush(RGB(53, 160, 222));
  FrameRect(dc, &r, blue);
  DeleteObject(blue);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (int i = 0; i < 2; ++i) {
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, black);
  }
}

void CoolMenu::Subclass(HWND window) {
  if (!state.menus || state.menus->Find(window)) return;
  char cls[16] = {};
  if (!GetClassNameA(window, cls, sizeof cls) || std::strcmp(cls, kPopupMenuClass) != 0) return;
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  if (!old) return;
  SetPropA(window, kCoolMenuOldProcProperty, reinterpret_cast<HANDLE>(old));
  state.menus->Insert(window, new CoolMenu(window, old));
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuProc));
}

void CoolMenu::Unsubclass(HWND window) {
  CoolMenu* menu = state.menus ? state.menus->Remove(window) : nullptr;
  if (!menu) return;
  if (IsWindow(window)) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(menu->oldProc_));
    RemovePropA(window, kCoolMenuOldProcProperty);
  }
  delete menu;
}

LRESULT CALLBACK CoolMenu::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE || call->message == kMenuSetupMessage) Subclass(call->hwnd);
  }
  return CallNextHookEx(state.hook, code, wParam, lParam);
}

LRESULT CALLBACK CoolMenu::MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CoolMenu* menu = state.menus ? state.menus->Find(window) : nullptr;
  WNDPROC old = menu ? menu->oldProc_ : reinterpret_cast<WNDPROC>(GetPropA(window, kCoolMenuOldProcProperty));
  if (!old) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(window);
      if (dc) {
        DrawFrame(window, dc);
        ReleaseDC(window, dc);
      }
      return 0;
    }
    case WM_PAINT: {
      // Where the menu has no frame area of its own (its border is part of
      // the client area), the frame goes over the painted border instead.
      const LRESULT r = CallWindowProcA(old, window, message, wParam, lParam);
      RECT w, c;
      GetWindowRect(window, &w);
      GetClientRect(window, &c);
      if (w.right - w.left == c.right && w.bottom - w.top == c.bottom) {
        if (HDC dc = GetWindowDC(window)) {
          DrawFrame(window, dc);
          ReleaseDC(window, dc);
        }
      }
      return r;
    }
    case WM_PRINT: {
      const LRESULT r = CallWindowProcA(old, window, message, wParam, lParam);
      DrawFrame(window, reinterpret_cast<HDC>(wParam));
      return r;
    }
    case WM_SHOWWINDOW:
      if (!wParam) Unsubclass(window);
      return CallWindowProcA(old, window, message, wParam, lParam);
    case WM_NCDESTROY:
      Unsubclass(window);
      return CallWindowProcA(old, window, message, wParam, lParam);
    default:
      return CallWindowProcA(old, window, message, wParam, lParam);
  }
}

}  // namespace vextra
