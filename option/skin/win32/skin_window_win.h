// The toolkit's windows on the programs' one window base: plain child windows
// of the toolkit's own class, subclassed system controls (button, edit,
// static) and skinned dialogs and pages (windows of the toolkit's dialog
// class; modal ones run their own loop, see CSkinDialog).
#pragma once

#include <windows.h>

#include "common/win32/window_win.h"

namespace vextra {

class SkinWindow : public Window {
 public:
  void Invalidate() const {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
  }

  static SkinWindow* FromHandle(HWND window) { return dynamic_cast<SkinWindow*>(Window::FromHandle(window)); }

  // For windows that hold skinned controls: hands a control's notification
  // (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_NOTIFY) back to the control
  // that sent it, so that a control handles its own colours and changes.
  // True when the control answered; *result is then the message's result.
  static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  // A window of the toolkit's own class (no double clicks, no background brush).
  bool CreateCustom(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, int id);
  // A system control, subclassed right after creation.
  // Every child of the toolkit clips its siblings: a modal dialog shown as a
  // child over them is never painted over.
  bool CreateControl(const char* className, const char* text, DWORD exStyle, DWORD style, const RECT& rect,
                     HWND parent, int id) {
    return CreateSubclassed(className, text, exStyle, style | WS_CLIPSIBLINGS, rect, parent, id);
  }
  // A dialog or page of the toolkit's dialog class (or, for a modal dialog,
  // of the modal class), placed at `rect` (pixels) and left hidden.
  bool CreateDialogWindow(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, bool modal = false);

  // A reflected notification (see ReflectToChild).
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

}  // namespace vextra
