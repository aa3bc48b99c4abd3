#include "option/skin/win32/hover_help_win.h"

#include "option/skin/skin_messages.h"

namespace vextra {

std::string HoverHelpText;

namespace {
HWND helpWindow = nullptr;

void Post(WPARAM state) {
  if (helpWindow) PostMessageA(helpWindow, WM_HOVER_HELP, state, 0);
}
}  // namespace

void SetHoverHelpWindow(HWND window) { helpWindow = window; }
HWND HoverHelpWindow() { return helpWindow; }

void ShowHoverHelp(const std::string& text) {
  if (HoverHelpText != text) HoverHelpText = text;
  Post(1);
}

void ClearHoverHelp() {
  HoverHelpText.clear();
  Post(0);
}

bool HoverTracker::OnMouseMove(HWND window) {
  if (tracking_) return false;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  tracking_ = TrackMouseEvent(&track) != FALSE;
  return true;
}

}  // namespace vextra
