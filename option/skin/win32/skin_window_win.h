// Base of every skinned window object: binds a C++ object to its window
// handle and routes the window's messages to a virtual WindowProc.
//
// Three kinds of windows share it: windows of the toolkit's own class (plain
// child windows), system controls it subclasses (button, edit, static), and
// dialogs of the toolkit's dialog class. Construction never creates the
// window; the Create functions of the derived classes do. Destroying the
// object destroys its window; a window destroyed first (with its parent)
// simply leaves the object without a handle.
#pragma once

#include <windows.h>

namespace vextra {

class SkinWindow {
 public:
  SkinWindow() = default;
  virtual ~SkinWindow();
  SkinWindow(const SkinWindow&) = delete;
  SkinWindow& operator=(const SkinWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  int id() const { return hwnd_ ? GetDlgCtrlID(hwnd_) : 0; }
  void Destroy();
  void Invalidate() const {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  }

  static SkinWindow* FromHandle(HWND window);

  // For windows that hold skinned controls: hands a control's notification
  // (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM, WM_NOTIFY) back to the control
  // that sent it, so that a control handles its own colours and changes.
  // True when the control answered; *result is then the message's result.
  static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 protected:
  // A window of the toolkit's own class (no double clicks, no background brush).
  bool CreateCustom(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, int id);
  // A system control, subclassed right after creation.
  bool CreateControl(const char* className, const char* text, DWORD exStyle, DWORD style, const RECT& rect,
                     HWND parent, int id);
  // A dialog of the toolkit's dialog class from an in-memory template,
  // placed at `rect` (pixels) and left hidden.
  bool CreateDialogWindow(DWORD style, DWORD exStyle, const RECT& rect, HWND parent);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A reflected notification (see ReflectToChild).
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The processing the window would get without this object.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Right after the object is bound to its new window.
  virtual void OnAttached() {}

 private:
  enum class Kind { kNone, kCustom, kControl, kDialog };
  static LRESULT CALLBACK CustomProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT Dispatch(SkinWindow* self, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window, Kind kind);
  void Detach();

  HWND hwnd_ = nullptr;
  Kind kind_ = Kind::kNone;
  WNDPROC oldProc_ = nullptr;
};

}  // namespace vextra
