#include "monitor/scroll_finder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "monitor/universal_scroll.h"

namespace vextra {
namespace {

constexpr int kNoScrollLines = 0;

// Windows as a list in creation order; children keep their z-order (first
// created first). Ids start at 1.
class FakeTree : public WindowTree {
 public:
  struct Window {
    std::string className;
    uint32_t style = 0;
    ScreenRect rect;
    WindowRef parent = 0;
    std::vector<WindowRef> children;
  };

  WindowRef Add(WindowRef parent, const std::string& className, ScreenRect rect, uint32_t style = 0) {
    windows_.push_back(Window{className, style, rect, parent, {}});
    const WindowRef id = windows_.size();
    if (parent != 0) At(parent).children.push_back(id);
    return id;
  }

  WindowRef under = 0;  // what the hit test at the cursor finds
  WindowRef desktop = 9999;

  WindowRef WindowAt(ScreenPoint) override { return under; }
  WindowRef Desktop() override { return desktop; }
  std::string ClassName(WindowRef w) override { return Valid(w) ? At(w).className : std::string(); }
  uint32_t Style(WindowRef w) override { return Valid(w) ? At(w).style : 0; }
  ScreenRect Rect(WindowRef w) override { return Valid(w) ? At(w).rect : ScreenRect{}; }
  WindowRef Parent(WindowRef w) override { return Valid(w) ? At(w).parent : 0; }
  WindowRef ChildAt(WindowRef w, ScreenPoint p) override {
    if (!Valid(w)) return 0;
    for (WindowRef c : At(w).children) {
      const ScreenRect& r = At(c).rect;
      if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return c;
    }
    return 0;
  }
  WindowRef FirstChild(WindowRef w) override {
    return Valid(w) && !At(w).children.empty() ? At(w).children.front() : 0;
  }
  WindowRef NextSibling(WindowRef w) override { return Sibling(w, +1); }
  WindowRef PreviousSibling(WindowRef w) override { return Sibling(w, -1); }
  std::vector<WindowRef> Descendants(WindowRef w) override {
    std::vector<WindowRef> out;
    if (!Valid(w)) return out;
    for (WindowRef c : At(w).children) {
      out.push_back(c);
      for (WindowRef d : Descendants(c)) out.push_back(d);
    }
    return out;
  }

 private:
  bool Valid(WindowRef w) const { return w >= 1 && w <= windows_.size(); }
  Window& At(WindowRef w) { return windows_[w - 1]; }
  WindowRef Sibling(WindowRef w, int step) {
    if (!Valid(w) || At(w).parent == 0) return 0;
    const auto& list = At(At(w).parent).children;
    for (size_t i = 0; i < list.size(); ++i)
      if (list[i] == w) {
        const long j = static_cast<long>(i) + step;
        return j >= 0 && j < static_cast<long>(list.size()) ? list[j] : 0;
      }
    return 0;
  }
  std::vector<Window> windows_;
};

struct Sent {
  std::string how;  // "post", "send", "click-left", "click-right", "cursor", "browser", "page"
  WindowRef window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
  bool operator==(const Sent& o) const {
    return how == o.how && window == o.window && message == o.message && wParam == o.wParam && lParam == o.lParam;
  }
};

std::ostream& operator<<(std::ostream& os, const Sent& s) {
  return os << "{" << s.how << " " << s.window << " " << s.message << " " << s.wParam << " " << s.lParam << "}";
}

class RecordingSink : public ScrollSink {
 public:
  ScreenPoint cursor{500, 300};
  bool swapped = false;
  int sendsAnswered = 1 << 20;
  PageResult page = PageResult::Scrolled;
  std::vector<Sent> log;

  ScreenPoint CursorPos() override { return cursor; }
  bool ButtonsSwapped() override { return swapped; }
  void SetCursorPos(ScreenPoint p) override {
    cursor = p;
    log.push_back({"cursor", 0, 0, static_cast<uintptr_t>(p.x), p.y});
  }
  void Click(bool right) override { log.push_back({right ? "click-right" : "click-left", 0, 0, 0, 0}); }
  void Post(WindowRef w, unsigned m, uintptr_t wp, intptr_t lp) override { log.push_back({"post", w, m, wp, lp}); }
  bool Send(WindowRef w, unsigned m, uintptr_t wp, intptr_t lp) override {
    log.push_back({"send", w, m, wp, lp});
    return sendsAnswered-- > 0;
  }
  void PostBrowserScroll(int lines, int left) override {
    log.push_back({"browser", 0, 0, static_cast<uintptr_t>(lines), left});
  }
  PageResult ScrollPage(WindowRef w, int dx, int dy) override {
    log.push_back({"page", w, 0, static_cast<uintptr_t>(dx), dy});
    return page;
  }
};

std::vector<Sent> Times(int n, const Sent& s) { return std::vector<Sent>(n, s); }

constexpr int kLeft = +1;
constexpr int kRight = -1;

// A frame at (0,0)-(1000,800) holding what each test puts in it; the cursor
// is at (500,300).
class ScrollTest : public ::testing::Test {
 protected:
  FakeTree tree;
  RecordingSink sink;
  UniversalScroller scroller{tree, sink};
  WindowRef frame = tree.Add(0, "Frame", {0, 0, 1000, 800});

  ScrollBarFinder Finder() { return ScrollBarFinder(tree, sink.cursor); }
};

TEST_F(ScrollTest, ClassTable) {
  const std::map<std::string, int> kinds = {
      {"_WwG", 1},        {"AVL_AVView", 1},  {"EXCEL7", 2},      {"paneClassDC", 3},
      {"VISIOG", 4},      {"PSViewC", 4},     {"EditControl", 4}, {"FrontPageEditorDocumentView", 5},
      {"OGrid", 6},       {"OFormSub", 6},    {"OPrtPrevPage", 6}, {"DirectUIHWND", 7},
      {"MozillaWindowClass", 8}, {"excel7", 0}, {"EXCEL7 ", 0},   {"SysListView32", 0}, {"", 0}};
  for (const auto& [name, kind] : kinds) EXPECT_EQ(ClassKindNumber(name), kind) << name;
  EXPECT_EQ(KindOfClass("EXCEL7"), ScrollKind::ArrowClick);
  EXPECT_EQ(KindOfClass("OGrid"), ScrollKind::ParentNotified);
  EXPECT_EQ(KindOfClass("MozillaWindowClass"), ScrollKind::BrowserKeys);
  EXPECT_EQ(KindOfClass("Edit"), ScrollKind::Plain);
}

TEST_F(ScrollTest, ScrollLinesBounded) {
  EXPECT_EQ(ScrollLines(3), 3);
  EXPECT_EQ(ScrollLines(1), 1);
  EXPECT_EQ(ScrollLines(0), kNoScrollLines);
  EXPECT_EQ(ScrollLines(-5), kNoScrollLines);
  EXPECT_EQ(ScrollLines(0x7FFFFFFF), kMaxScrollLines);
}

TEST_F(ScrollTest, IsHorizontalRules) {
  const WindowRef ie = tree.Add(frame, "Internet Explorer_Server", {0, 0, 10, 10});
  const WindowRef withBar = tree.Add(frame, "Edit", {0, 0, 10, 10}, kStyleHScroll);
  const WindowRef without = tree.Add(frame, "Edit", {0, 0, 10, 10});
  const WindowRef wide = tree.Add(frame, "ScrollBar", {0, 700, 600, 717});
  const WindowRef wideLeftOfCursor = tree.Add(frame, "NUIScrollbar", {0, 700, 500, 717});  // right edge = x
  const WindowRef tall = tree.Add(frame, "ScrollBar", {980, 0, 997, 600});
  const WindowRef wideWithoutStyle = tree.Add(frame, "NUIScrollbar", {0, 700, 900, 717});
  ScrollBarFinder f = Finder();
  EXPECT_TRUE(f.IsHorizontal(ie));
  EXPECT_TRUE(f.IsHorizontal(withBar));
  EXPECT_FALSE(f.IsHorizontal(without));
  EXPECT_TRUE(f.IsHorizontal(wide));
  EXPECT_FALSE(f.IsHorizontal(wideLeftOfCursor));
  EXPECT_FALSE(f.IsHorizontal(tall));
  EXPECT_TRUE(f.IsHorizontal(wideWithoutStyle));  // a bar's own style does not count
  EXPECT_FALSE(f.IsHorizontal(0));
}

// A standard list control with its own bar: three left lines posted to it.
TEST_F(ScrollTest, ListControlWithOwnBarGetsTiltSpeedLinesPosted) {
  const WindowRef list = tree.Add(frame, "SysListView32", {100, 100, 900, 700}, kStyleHScroll);
  tree.Add(list, "SysHeader32", {100, 100, 900, 120});
  tree.under = list;
  scroller.Scroll(kLeft, ScrollLines(3));
  EXPECT_EQ(sink.log, Times(3, {"post", list, kMsgHScroll, kLineLeft, 0}));
}

// Right lines to a plain window are sent (and stop once the window stops answering).
TEST_F(ScrollTest, PlainWindowRightLinesAreSentUntilOneFails) {
  const WindowRef view = tree.Add(frame, "CustomView", {100, 100, 900, 700}, kStyleHScroll);
  tree.under = view;
  scroller.Scroll(kRight, 4);
  EXPECT_EQ(sink.log, Times(4, {"send", view, kMsgHScroll, kLineRight, 0}));
  sink.log.clear();
  sink.sendsAnswered = 1;
  scroller.Scroll(kRight, 4);
  EXPECT_EQ(sink.log, Times(2, {"send", view, kMsgHScroll, kLineRight, 0}));
}

// A list view beside a separate scroll bar control: the bar's parent hears
// from "the bar", as the control itself would tell it.
TEST_F(ScrollTest, SeparateBarControlNotifiesItsParent) {
  const WindowRef list = tree.Add(frame, "SysListView32", {100, 100, 900, 680});
  const WindowRef bar = tree.Add(frame, "ScrollBar", {100, 680, 900, 697});
  tree.under = list;
  EXPECT_EQ(Finder().FindHorizontalBar(list), bar);
  scroller.Scroll(kLeft, 3);
  EXPECT_EQ(sink.log, Times(3, {"post", frame, kMsgHScroll, kLineLeft, static_cast<intptr_t>(bar)}));
  // The same when the cursor is on the bar itself.
  sink.log.clear();
  tree.under = bar;
  scroller.Scroll(kRight, 2);
  EXPECT_EQ(sink.log, Times(2, {"post", frame, kMsgHScroll, kLineRight, static_cast<intptr_t>(bar)}));
}

TEST_F(ScrollTest, ParentNotifiedKindsPostToTheBarsParent) {
  for (const char* name : {"_WwG", "paneClassDC", "VISIOG", "FrontPageEditorDocumentView", "OGrid", "DirectUIHWND"}) {
    FakeTree t;
    const WindowRef top = t.Add(0, "Frame", {0, 0, 1000, 800});
    const WindowRef doc = t.Add(top, name, {0, 0, 1000, 700});
    const WindowRef bar = t.Add(top, "ScrollBar", {0, 700, 1000, 717});
    t.under = doc;
    RecordingSink s;
    UniversalScroller(t, s).Scroll(kRight, 2);
    EXPECT_EQ(s.log, Times(2, {"post", top, kMsgHScroll, kLineRight, static_cast<intptr_t>(bar)})) << name;
  }
}

TEST_F(ScrollTest, SpreadsheetArrowClickedAndCursorPutBack) {
  const WindowRef desk = tree.Add(frame, "XLDESK", {0, 0, 1000, 800});
  const WindowRef sheet = tree.Add(desk, "EXCEL7", {0, 0, 1000, 760});
  const WindowRef bar = tree.Add(desk, "NUIScrollbar", {400, 760, 980, 777});
  tree.under = sheet;
  EXPECT_EQ(Finder().FindHorizontalBar(sheet), bar);

  scroller.Scroll(kLeft, 2);
  std::vector<Sent> expected = {{"cursor", 0, 0, 405, 765}};
  for (int i = 0; i < 2; ++i) expected.push_back({"click-left", 0, 0, 0, 0});
  expected.push_back({"cursor", 0, 0, 500, 300});
  EXPECT_EQ(sink.log, expected);

  sink.log.clear();
  sink.swapped = true;
  scroller.Scroll(kRight, 3);
  expected = {{"cursor", 0, 0, 975, 765}};
  for (int i = 0; i < 3; ++i) expected.push_back({"click-right", 0, 0, 0, 0});
  expected.push_back({"cursor", 0, 0, 500, 300});
  EXPECT_EQ(sink.log, expected);
}

TEST_F(ScrollTest, BrowserGetsArrowKeysAtItsParent) {
  const WindowRef outer = tree.Add(frame, "MozillaWindowClass", {0, 0, 1000, 800});
  const WindowRef content = tree.Add(outer, "MozillaWindowClass", {0, 50, 1000, 800});
  tree.under = outer;  // its child under the cursor is the content window
  scroller.Scroll(kLeft, 2);
  const Sent down{"post", outer, kMsgKeyDown, kKeyLeft, 0x014B0001};
  const Sent up{"post", outer, kMsgKeyUp, kKeyLeft, static_cast<intptr_t>(static_cast<int32_t>(0xC14B0001u))};
  EXPECT_EQ(sink.log, (std::vector<Sent>{down, up, down, up}));
  sink.log.clear();
  scroller.Scroll(kRight, 1);
  EXPECT_EQ(sink.log, (std::vector<Sent>{{"post", outer, kMsgKeyDown, kKeyRight, 0x014D0001},
                                         {"post", outer, kMsgKeyUp, kKeyRight,
                                          static_cast<intptr_t>(static_cast<int32_t>(0xC14D0001u))}}));
  (void)content;
}

TEST_F(ScrollTest, NothingScrollsHere) {
  // The desktop's icon view, the desktop itself, no window, and a window
  // without any horizontal bar near it.
  const WindowRef progman = tree.Add(0, "Progman", {0, 0, 1000, 800});
  const WindowRef defView = tree.Add(progman, "SHELLDLL_DefView", {0, 0, 1000, 800});
  const WindowRef icons = tree.Add(defView, "SysListView32", {0, 0, 1000, 800}, kStyleHScroll);
  const WindowRef plain = tree.Add(frame, "Edit", {100, 100, 900, 700});
  tree.Add(frame, "ScrollBar", {980, 0, 997, 800});  // vertical: not a horizontal bar
  tree.Add(plain, "Static", {100, 100, 200, 120});
  for (WindowRef w : {icons, tree.desktop, WindowRef(0), plain}) {
    tree.under = w;
    scroller.Scroll(kLeft, 3);
    scroller.Scroll(kRight, 3);
    EXPECT_TRUE(sink.log.empty()) << "window " << w;
  }
  // No lines or no direction: nothing either.
  const WindowRef list = tree.Add(frame, "SysListView32", {100, 100, 900, 700}, kStyleHScroll);
  tree.under = list;
  scroller.Scroll(kLeft, 0);
  scroller.Scroll(0, 3);
  EXPECT_TRUE(sink.log.empty());
}

TEST_F(ScrollTest, ExplorerListOutsideTheDesktopScrolls) {
  const WindowRef explorer = tree.Add(0, "CabinetWClass", {0, 0, 1000, 800});
  const WindowRef list = tree.Add(explorer, "SysListView32", {0, 0, 1000, 800}, kStyleHScroll);
  tree.under = list;
  scroller.Scroll(kLeft, 1);
  EXPECT_EQ(sink.log, Times(1, {"post", list, kMsgHScroll, kLineLeft, 0}));
}

TEST_F(ScrollTest, StepsAreBounded) {
  const WindowRef list = tree.Add(frame, "SysListView32", {100, 100, 900, 700}, kStyleHScroll);
  tree.under = list;
  scroller.Scroll(kLeft, 1 << 30);
  EXPECT_EQ(sink.log.size(), static_cast<size_t>(kMaxScrollLines));
}

TEST_F(ScrollTest, FinderSearchOrder) {
  ScrollBarFinder f = Finder();
  // The child under the cursor wins over the window itself.
  const WindowRef host = tree.Add(frame, "Host", {0, 0, 1000, 800}, kStyleHScroll);
  const WindowRef inner = tree.Add(host, "Inner", {400, 200, 600, 400}, kStyleHScroll);
  EXPECT_EQ(f.FindHorizontalBar(host), inner);

  // First child with a bar, else a bar among that child's siblings.
  const WindowRef box = tree.Add(frame, "Box", {0, 0, 10, 10});
  const WindowRef first = tree.Add(box, "Pane", {0, 0, 10, 10}, kStyleHScroll);
  EXPECT_EQ(f.FirstChildBar(box), first);
  const WindowRef box2 = tree.Add(frame, "Box", {0, 0, 10, 10});
  tree.Add(box2, "Pane", {0, 0, 10, 10});
  const WindowRef bar2 = tree.Add(box2, "ScrollBar", {0, 0, 800, 10}, kBarStyleVertical);  // the rectangle decides
  EXPECT_EQ(f.FirstChildBar(box2), bar2);
  EXPECT_EQ(f.FirstChildBar(first), WindowRef(0));

  // Next siblings before previous ones.
  const WindowRef row = tree.Add(frame, "Row", {0, 0, 1000, 800});
  const WindowRef before = tree.Add(row, "ScrollBar", {0, 700, 900, 717});
  const WindowRef x = tree.Add(row, "View", {0, 0, 900, 700});
  tree.Add(row, "Static", {0, 0, 5, 5});
  const WindowRef after = tree.Add(row, "NUIScrollbar", {0, 720, 900, 737});
  EXPECT_EQ(f.SiblingBar(x), after);
  EXPECT_EQ(f.SiblingBar(after), before);  // walking back past x
}

TEST_F(ScrollTest, SiblingContainers) {
  ScrollBarFinder f = Finder();
  // A reader's wrapped bar: the inner control counts unless it is vertical or a size box.
  for (uint32_t style : {0u, kBarStyleVertical, kBarStyleSizeBox, 0x4u}) {
    FakeTree t;
    const WindowRef top = t.Add(0, "Frame", {0, 0, 1000, 800});
    const WindowRef view = t.Add(top, "AVL_AVView", {0, 0, 1000, 700});
    const WindowRef wrap = t.Add(top, "AVL_AVScrollBar", {0, 0, 20, 700});  // tall frame: only the inner bar matters
    const WindowRef innerBar = t.Add(wrap, "ScrollBar", {0, 0, 20, 700}, style);
    const bool counts = (style & (kBarStyleVertical | kBarStyleSizeBox)) == 0;
    EXPECT_EQ(ScrollBarFinder(t, {500, 300}).SiblingBar(view), counts ? innerBar : 0) << style;
  }
  // Framework containers are searched among the previous siblings only.
  const WindowRef row = tree.Add(frame, "Row", {0, 0, 1000, 800});
  const WindowRef container = tree.Add(row, "AfxWnd70", {0, 700, 1000, 720});
  const WindowRef containerBar = tree.Add(container, "Pane", {0, 700, 1000, 720}, kStyleHScroll);
  const WindowRef view = tree.Add(row, "View", {0, 0, 1000, 700});
  const WindowRef later = tree.Add(row, "AfxWnd42", {0, 720, 1000, 740});
  tree.Add(later, "Pane", {0, 720, 1000, 740}, kStyleHScroll);
  EXPECT_EQ(f.SiblingBar(view), containerBar);
  EXPECT_EQ(f.SiblingBar(container), WindowRef(0));
}

// Panes that share bars placed among their parent's windows, up to 25 pixels
// beyond their own edges.
TEST_F(ScrollTest, PaneFindsABarThatLinesUp) {
  struct Case {
    int barLeft, barRight;
    bool found;
  } cases[] = {{175, 825, true}, {174, 825, false}, {175, 826, false}, {300, 700, true}};
  for (const Case& c : cases) {
    FakeTree t;
    const WindowRef top = t.Add(0, "Frame", {0, 0, 1000, 800});
    const WindowRef pane = t.Add(top, "paneClassDC", {200, 100, 800, 600});
    const WindowRef strip = t.Add(top, "Strip", {0, 600, 1000, 620});
    t.Add(strip, "ScrollBar", {0, 600, 100, 617});  // far away: skipped
    const WindowRef bar = t.Add(strip, "ScrollBar", {c.barLeft, 600, c.barRight, 617});
    t.under = pane;
    RecordingSink s;
    s.cursor = {400, 300};
    EXPECT_EQ(ScrollBarFinder(t, s.cursor).FindHorizontalBar(pane), c.found ? bar : 0) << c.barLeft;
    UniversalScroller(t, s).Scroll(kLeft, 1);
    if (c.found)
      EXPECT_EQ(s.log, Times(1, {"post", strip, kMsgHScroll, kLineLeft, static_cast<intptr_t>(bar)}));
    else
      EXPECT_TRUE(s.log.empty());
  }
  // Other classes do not look around.
  const WindowRef view = tree.Add(frame, "View", {200, 100, 800, 600});
  const WindowRef strip = tree.Add(frame, "Strip", {0, 600, 1000, 620});
  tree.Add(strip, "ScrollBar", {200, 600, 800, 617});
  EXPECT_EQ(Finder().FindHorizontalBar(view), WindowRef(0));
}

TEST_F(ScrollTest, InternetExplorerPageGoesThroughTheMonitorMessage) {
  const WindowRef page = tree.Add(frame, "Internet Explorer_Server", {0, 0, 1000, 800});
  tree.under = page;
  scroller.Scroll(kLeft, 3);
  scroller.Scroll(kRight, 2);
  EXPECT_EQ(sink.log, (std::vector<Sent>{{"browser", 0, 0, 3, 1}, {"browser", 0, 0, 2, 0}}));
}

TEST_F(ScrollTest, BrowserMessageScriptsThePageOrFallsBack) {
  const WindowRef page = tree.Add(frame, "Internet Explorer_Server", {0, 0, 1000, 800});
  tree.under = page;
  scroller.BrowserScroll(3, 1);
  scroller.BrowserScroll(2, 0);
  EXPECT_EQ(sink.log, (std::vector<Sent>{{"page", page, 0, static_cast<uintptr_t>(-30), 0},
                                         {"page", page, 0, 20, 0}}));

  sink.log.clear();
  sink.page = ScrollSink::PageResult::Failed;
  scroller.BrowserScroll(2, 1);
  std::vector<Sent> expected = {{"page", page, 0, static_cast<uintptr_t>(-20), 0}};
  for (int i = 0; i < 2; ++i) expected.push_back({"send", page, kMsgHScroll, kLineLeft, 0});
  EXPECT_EQ(sink.log, expected);

  sink.log.clear();
  sink.page = ScrollSink::PageResult::Unavailable;
  scroller.BrowserScroll(2, 0);
  EXPECT_EQ(sink.log, (std::vector<Sent>{{"page", page, 0, 20, 0}}));

  // Anyone may post the message: odd values do nothing, huge ones are bounded.
  sink.log.clear();
  sink.page = ScrollSink::PageResult::Failed;
  scroller.BrowserScroll(0, 1);
  scroller.BrowserScroll(-4, 1);
  scroller.BrowserScroll(3, 2);
  EXPECT_TRUE(sink.log.empty());
  scroller.BrowserScroll(1 << 30, 0);
  ASSERT_EQ(sink.log.size(), static_cast<size_t>(kMaxScrollLines + 1));
  EXPECT_EQ(sink.log[0], (Sent{"page", page, 0, static_cast<uintptr_t>(10 * kMaxScrollLines), 0}));

  // Not over a page (any more): nothing.
  sink.log.clear();
  tree.under = frame;
  scroller.BrowserScroll(3, 1);
  EXPECT_TRUE(sink.log.empty());
}

}  // namespace
}  // namespace vextra
