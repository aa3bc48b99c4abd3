#include "monitor/scroll_finder.h"

namespace vextra {
namespace {

// Real window trees are finite, but they change while we walk them; these
// bounds keep a walk over a tree in flux (or a broken one) from running away.
constexpr int kMaxSiblings = 4096;
constexpr int kMaxDepth = 64;
// How far a nearby bar may stick out beyond the window it scrolls.
constexpr int kNearbySlack = 25;

struct KindRow {
  const char* className;
  int kind;
};

// Applications that draw or place their bars their own way. Further classes
// can be added here; the ways of scrolling stay the same.
constexpr KindRow kKinds[] = {
    {"_WwG", 1},         {"AVL_AVView", 1},
    {"EXCEL7", 2},       {"paneClassDC", 3},
    {"VISIOG", 4},       {"PSViewC", 4},
    {"EditControl", 4},  {"FrontPageEditorDocumentView", 5},
    {"OGrid", 6},        {"OFormSub", 6},
    {"OPrtPrevPage", 6}, {"DirectUIHWND", 7},
    {"MozillaWindowClass", 8},
};

bool IsNearbySearchClass(const std::string& name) {
  return name == "paneClassDC" || name == "VISIOG" || name == "DirectUIHWND";
}

}  // namespace

int ClassKindNumber(const std::string& className) {
  for (const KindRow& row : kKinds)
    if (className == row.className) return row.kind;
  return 0;
}

ScrollKind KindOfClass(const std::string& className) {
  const int kind = ClassKindNumber(className);
  if (kind == 0) return ScrollKind::Plain;
  if (kind == 2) return ScrollKind::ArrowClick;
  if (kind == 8) return ScrollKind::BrowserKeys;
  return ScrollKind::ParentNotified;
}

bool IsScrollBarClass(const std::string& className) {
  return className == "ScrollBar" || className == "NUIScrollbar";
}

bool ScrollBarFinder::IsHorizontal(WindowRef window) {
  if (window == 0) return false;
  const std::string name = tree_.ClassName(window);
  if (name == "Internet Explorer_Server") return true;
  if (!IsScrollBarClass(name)) return (tree_.Style(window) & kStyleHScroll) != 0;
  const ScreenRect r = tree_.Rect(window);
  return r.right - r.left > r.bottom - r.top && cursor_.x < r.right;
}

WindowRef ScrollBarFinder::FindHorizontalBar(WindowRef window) {
  if (window == 0) return 0;
  WindowRef target = tree_.ChildAt(window, cursor_);
  if (target == 0) target = window;
  const std::string name = tree_.ClassName(target);
  WindowRef bar;
  if (name == "MozillaWindowClass")
    bar = tree_.Parent(target);
  else
    bar = IsHorizontal(target) ? target : 0;
  if (name != "ScrollBar" && bar == 0) {
    bar = FirstChildBar(target);
    if (bar == 0) bar = SiblingBar(target);
  }
  if (bar != 0) return bar;
  if (IsNearbySearchClass(name)) return NearbyBar(target);
  return 0;
}

WindowRef ScrollBarFinder::FirstChildBar(WindowRef window) { return FirstChildBar(window, 0); }
WindowRef ScrollBarFinder::SiblingBar(WindowRef window) { return SiblingBar(window, 0); }

WindowRef ScrollBarFinder::FirstChildBar(WindowRef window, int depth) {
  if (window == 0 || depth > kMaxDepth) return 0;
  const WindowRef child = tree_.FirstChild(window);
  if (child == 0) return 0;
  if (IsHorizontal(child)) return child;
  return SiblingBar(child, depth + 1);
}

WindowRef ScrollBarFinder::BarOfSibling(WindowRef sibling) {
  const std::string name = tree_.ClassName(sibling);
  if (name == "AVL_AVScrollBar") {
    // This reader wraps a plain scroll bar control in a frame of its own.
    const WindowRef inner = tree_.FirstChild(sibling);
    if (inner != 0 && tree_.ClassName(inner) == "ScrollBar" &&
        (tree_.Style(inner) & (kBarStyleVertical | kBarStyleSizeBox)) == 0)
      return inner;
  }
  if (IsScrollBarClass(name) && IsHorizontal(sibling)) return sibling;
  return 0;
}

WindowRef ScrollBarFinder::SiblingBar(WindowRef window, int depth) {
  if (window == 0 || depth > kMaxDepth) return 0;
  WindowRef sibling = tree_.NextSibling(window);
  for (int n = 0; sibling != 0 && n < kMaxSiblings; ++n, sibling = tree_.NextSibling(sibling))
    if (const WindowRef bar = BarOfSibling(sibling)) return bar;
  sibling = tree_.PreviousSibling(window);
  for (int n = 0; sibling != 0 && n < kMaxSiblings; ++n, sibling = tree_.PreviousSibling(sibling)) {
    if (const WindowRef bar = BarOfSibling(sibling)) return bar;
    const std::string name = tree_.ClassName(sibling);
    if (name == "AfxWnd70" || name == "AfxWnd42") {
      // Framework views keep their bars inside a container window beside them.
      if (const WindowRef bar = FirstChildBar(sibling, depth + 1)) return bar;
    }
  }
  return 0;
}

// Panes that share their parent's bars: a bar among the parent's windows that
// lines up with the pane.
WindowRef ScrollBarFinder::NearbyBar(WindowRef target) {
  const WindowRef parent = tree_.Parent(target);
  if (parent == 0) return 0;
  const ScreenRect pane = tree_.Rect(target);
  for (WindowRef candidate : tree_.Descendants(parent)) {
    if (!IsScrollBarClass(tree_.ClassName(candidate)) || !IsHorizontal(candidate)) continue;
    const ScreenRect r = tree_.Rect(candidate);
    if (r.left >= pane.left - kNearbySlack && r.right <= pane.right + kNearbySlack) return candidate;
  }
  return 0;
}

}  // namespace vextra
