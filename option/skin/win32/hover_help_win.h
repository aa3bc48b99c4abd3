// The single help line that replaces tooltips: one program-wide text and the
// main window that shows it. Controls the mouse enters put their help text
// here and tell the main window with WM_HOVER_HELP.
#pragma once

#include <windows.h>

#include <string>

namespace vextra {

extern std::string HoverHelpText;

// The window that receives WM_HOVER_HELP (the Option's main window).
void SetHoverHelpWindow(HWND window);
HWND HoverHelpWindow();

// Copies `text` into HoverHelpText when it differs, then posts
// WM_HOVER_HELP (1) to the main window.
void ShowHoverHelp(const std::string& text);
// Empties HoverHelpText and posts WM_HOVER_HELP (0).
void ClearHoverHelp();

// Mouse-leave tracking shared by the controls that show help on entering:
// call from WM_MOUSEMOVE; true on the move that entered the window.
class HoverTracker {
 public:
  bool OnMouseMove(HWND window);
  void OnMouseLeave() { tracking_ = false; }
  // For every message of the window: true on the move that entered it.
  bool Entered(HWND window, UINT message) {
    if (message == WM_MOUSELEAVE) OnMouseLeave();
    return message == WM_MOUSEMOVE && OnMouseMove(window);
  }

 private:
  bool tracking_ = false;
};

}  // namespace vextra
