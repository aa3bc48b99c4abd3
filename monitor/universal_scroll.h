// Universal scrolling, second half: one sideways step of the mouse scrolls the
// window under the cursor, in the way its class understands.
#pragma once

#include <cstdint>

#include "monitor/scroll_finder.h"

namespace vextra {

constexpr unsigned kMsgKeyDown = 0x0100;  // WM_KEYDOWN
constexpr unsigned kMsgKeyUp = 0x0101;    // WM_KEYUP
constexpr unsigned kMsgHScroll = 0x0114;  // WM_HSCROLL
constexpr uintptr_t kLineLeft = 0;        // SB_LINELEFT
constexpr uintptr_t kLineRight = 1;       // SB_LINERIGHT
constexpr uintptr_t kKeyLeft = 0x25;      // VK_LEFT
constexpr uintptr_t kKeyRight = 0x27;     // VK_RIGHT

// A step is at most this many lines, whatever the settings say.
constexpr int kMaxScrollLines = 100;

// The lines one step scrolls for a profile's TiltSpeed: none for zero or less,
// bounded above.
int ScrollLines(int tiltSpeed);

// What scrolling does to the desktop.
class ScrollSink {
 public:
  enum class PageResult {
    Scrolled,
    Failed,       // the page could not be scripted: fall back to scroll messages
    Unavailable,  // no accessibility library, or the window did not answer: give up
  };

  virtual ~ScrollSink() = default;
  virtual ScreenPoint CursorPos() = 0;
  virtual bool ButtonsSwapped() = 0;
  virtual void SetCursorPos(ScreenPoint point) = 0;
  // Button down and up where the cursor is.
  virtual void Click(bool rightButton) = 0;
  virtual void Post(WindowRef window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // False when the window did not answer in time (or is hung).
  virtual bool Send(WindowRef window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // The browser-page message to the Monitor itself (lines, 1 for left).
  virtual void PostBrowserScroll(int lines, int left) = 0;
  // Scrolls the page shown in a browser window through its script.
  virtual PageResult ScrollPage(WindowRef window, int dx, int dy) = 0;
};

class UniversalScroller {
 public:
  UniversalScroller(WindowTree& tree, ScrollSink& sink) : tree_(tree), sink_(sink) {}

  // direction: +1 left, -1 right; lines from ScrollLines.
  void Scroll(int direction, int lines);
  // The browser-page message: lines, flag 1 for left and 0 for right.
  void BrowserScroll(int lines, int flag);

 private:
  bool OverDesktopIcons(WindowRef window);
  void ClickArrow(WindowRef bar, bool left, int lines, ScreenPoint cursor);
  void NotifyParent(WindowRef bar, uintptr_t code, int lines);
  void SendLines(WindowRef window, uintptr_t code, int lines);

  WindowTree& tree_;
  ScrollSink& sink_;
};

}  // namespace vextra
