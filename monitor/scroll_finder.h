// Universal scrolling, first half: which window under the cursor holds the
// horizontal scroll bar, and what kind of window it is. Works over an
// abstract window tree so that the rules can be checked without a desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vextra {

using WindowRef = uintptr_t;  // 0: no window

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The style bits the finder reads.
constexpr uint32_t kStyleHScroll = 0x00100000;  // WS_HSCROLL
constexpr uint32_t kBarStyleVertical = 0x0001;  // SBS_VERT
constexpr uint32_t kBarStyleSizeBox = 0x0008;   // SBS_SIZEBOX

// What the finder asks about the windows on the screen.
class WindowTree {
 public:
  virtual ~WindowTree() = default;
  // The window under a screen point (as the system's hit test finds it).
  virtual WindowRef WindowAt(ScreenPoint point) = 0;
  virtual WindowRef Desktop() = 0;
  virtual std::string ClassName(WindowRef window) = 0;
  virtual uint32_t Style(WindowRef window) = 0;
  // The window's outer rectangle in screen coordinates.
  virtual ScreenRect Rect(WindowRef window) = 0;
  // 0 for a top-level window.
  virtual WindowRef Parent(WindowRef window) = 0;
  // The direct child of the window under the point; 0 when none is.
  virtual WindowRef ChildAt(WindowRef window, ScreenPoint point) = 0;
  virtual WindowRef FirstChild(WindowRef window) = 0;
  virtual WindowRef NextSibling(WindowRef window) = 0;
  virtual WindowRef PreviousSibling(WindowRef window) = 0;
  // Children, grandchildren and so on, each window before its own children.
  virtual std::vector<WindowRef> Descendants(WindowRef window) = 0;
};

// How a window class wants to be scrolled.
enum class ScrollKind {
  Plain,            // anything else
  ParentNotified,   // the table's kinds 1 and 3..7: WM_HSCROLL to the bar's parent
  ArrowClick,       // kind 2: the spreadsheet draws its own bar; click its arrow
  BrowserKeys,      // arrow keys to the browser window
};

// The table's kind number (0..7; 8 for the browser flag) for a class name.
int ClassKindNumber(const std::string& className);
ScrollKind KindOfClass(const std::string& className);

// Finds the horizontal scroll bar for the window under the cursor.
class ScrollBarFinder {
 public:
  ScrollBarFinder(WindowTree& tree, ScreenPoint cursor) : tree_(tree), cursor_(cursor) {}

  WindowRef FindHorizontalBar(WindowRef window);
  bool IsHorizontal(WindowRef window);
  WindowRef FirstChildBar(WindowRef window);
  WindowRef SiblingBar(WindowRef window);

 private:
  WindowRef FirstChildBar(WindowRef window, int depth);
  WindowRef SiblingBar(WindowRef window, int depth);
  // The two tests every sibling gets.
  WindowRef BarOfSibling(WindowRef sibling);
  WindowRef NearbyBar(WindowRef target);

  WindowTree& tree_;
  ScreenPoint cursor_;
};

bool IsScrollBarClass(const std::string& className);

}  // namespace vextra
