#include "monitor/universal_scroll.h"

#include <string>

namespace vextra {
namespace {

constexpr int kMaxAncestors = 64;
// Where the arrow button sits inside a bar that draws its own arrows.
constexpr int kArrowInset = 5;
// One line of a scripted page, in pixels.
constexpr int kPageLinePixels = 10;

// lParam of the arrow keys' down and up messages: repeat 1, extended scan code.
constexpr intptr_t kLeftDown = 0x014B0001;
constexpr intptr_t kLeftUp = static_cast<intptr_t>(static_cast<int32_t>(0xC14B0001u));
constexpr intptr_t kRightDown = 0x014D0001;
constexpr intptr_t kRightUp = static_cast<intptr_t>(static_cast<int32_t>(0xC14D0001u));

intptr_t AsParam(WindowRef window) { return static_cast<intptr_t>(window); }

}  // namespace

int ScrollLines(int tiltSpeed) {
  if (tiltSpeed <= 0) return 0;
  return tiltSpeed > kMaxScrollLines ? kMaxScrollLines : tiltSpeed;
}

bool UniversalScroller::OverDesktopIcons(WindowRef window) {
  if (tree_.ClassName(window) != "SysListView32") return false;
  WindowRef ancestor = tree_.Parent(window);
  for (int n = 0; ancestor != 0 && n < kMaxAncestors; ++n, ancestor = tree_.Parent(ancestor))
    if (tree_.ClassName(ancestor) == "Progman") return true;
  return false;
}

void UniversalScroller::Scroll(int direction, int lines) {
  if (direction == 0 || lines <= 0) return;
  if (lines > kMaxScrollLines) lines = kMaxScrollLines;
  const bool left = direction > 0;
  const ScreenPoint cursor = sink_.CursorPos();
  const WindowRef window = tree_.WindowAt(cursor);
  if (window == 0 || window == tree_.Desktop() || OverDesktopIcons(window)) return;
  const std::string className = tree_.ClassName(window);
  ScrollBarFinder finder(tree_, cursor);
  const WindowRef bar = finder.FindHorizontalBar(window);
  if (bar == 0) return;
  const uintptr_t code = left ? kLineLeft : kLineRight;

  switch (KindOfClass(className)) {
    case ScrollKind::ArrowClick:
      ClickArrow(bar, left, lines, cursor);
      return;
    case ScrollKind::ParentNotified:
      NotifyParent(bar, code, lines);
      return;
    case ScrollKind::BrowserKeys:
      for (int i = 0; i < lines; ++i) {
        sink_.Post(bar, kMsgKeyDown, left ? kKeyLeft : kKeyRight, left ? kLeftDown : kRightDown);
        sink_.Post(bar, kMsgKeyUp, left ? kKeyLeft : kKeyRight, left ? kLeftUp : kRightUp);
      }
      return;
    case ScrollKind::Plain:
      break;
  }

  if (className == "Internet Explorer_Server") {
    sink_.PostBrowserScroll(lines, left ? 1 : 0);
    return;
  }
  if (IsScrollBarClass(tree_.ClassName(bar))) {
    // A scroll bar control tells its parent when it moves, with itself as
    // lParam; the window under the cursor would not know the bar is its own.
    NotifyParent(bar, code, lines);
    return;
  }
  if (left) {
    for (int i = 0; i < lines; ++i) sink_.Post(window, kMsgHScroll, kLineLeft, 0);
  } else {
    SendLines(window, kLineRight, lines);
  }
}

void UniversalScroller::ClickArrow(WindowRef bar, bool left, int lines, ScreenPoint cursor) {
  const ScreenRect r = tree_.Rect(bar);
  const ScreenPoint arrow{left ? r.left + kArrowInset : r.right - kArrowInset, r.top + kArrowInset};
  // With swapped buttons the physical right button is the primary one.
  const bool right = sink_.ButtonsSwapped();
  sink_.SetCursorPos(arrow);
  for (int i = 0; i < lines; ++i) sink_.Click(right);
  sink_.SetCursorPos(cursor);
}

// As a bar control tells its parent that it moved, once per line.
void UniversalScroller::NotifyParent(WindowRef bar, uintptr_t code, int lines) {
  const WindowRef parent = tree_.Parent(bar);
  if (parent == 0) return;
  for (int i = 0; i < lines; ++i) sink_.Post(parent, kMsgHScroll, code, AsParam(bar));
}

// Stops at the first message the window does not take in time: the rest
// would only wait as long again.
void UniversalScroller::SendLines(WindowRef window, uintptr_t code, int lines) {
  for (int i = 0; i < lines; ++i)
    if (!sink_.Send(window, kMsgHScroll, code, 0)) return;
}

void UniversalScroller::BrowserScroll(int lines, int flag) {
  if (lines <= 0 || (flag != 0 && flag != 1)) return;
  if (lines > kMaxScrollLines) lines = kMaxScrollLines;
  const bool left = flag == 1;
  const WindowRef window = tree_.WindowAt(sink_.CursorPos());
  if (window == 0 || tree_.ClassName(window) != "Internet Explorer_Server") return;
  const int dx = (left ? -kPageLinePixels : kPageLinePixels) * lines;
  if (sink_.ScrollPage(window, dx, 0) == ScrollSink::PageResult::Failed)
    SendLines(window, left ? kLineLeft : kLineRight, lines);
}

}  // namespace vextra
