// CoolMenu: paints the skin's frame around every popup menu of a UI thread.
// A thread hook spots each popup menu window ("#32768") as it is created and
// subclasses it until it hides or goes away.
#pragma once

#include <windows.h>

#include <cstddef>

namespace vextra {

class CoolMenu {
 public:
  // Once per UI thread, at program start. False when the hook cannot be set.
  static bool Install();
  // Unsubclasses every menu window still mapped, frees the map, removes the hook.
  static void Uninstall();
  static bool installed();
  // Menu windows subclassed right now on this thread.
  static size_t activeCount();

  // The frame: the window rectangle at (0,0), one pixel in (53,160,222),
  // then two black one-pixel rectangles inside it.
  static void DrawFrame(HWND window, HDC dc);

 private:
  CoolMenu(HWND window, WNDPROC oldProc) : window_(window), oldProc_(oldProc) {}
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void Subclass(HWND window);
  static void Unsubclass(HWND window);

  HWND window_;
  WNDPROC oldProc_;
};

}  // namespace vextra
