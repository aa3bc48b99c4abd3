// Universal scrolling on the desktop: the real window tree, input and
// messages behind the portable scroller.
#include <windows.h>

#include <vector>

#include "common/program_messages.h"
#include "monitor/universal_scroll.h"
#include "monitor/win32/monitor_pc.h"
#include "monitor/win32/scroll_page_win.h"

namespace vextra {
namespace {

// A window that takes longer than this to handle one line is treated as not
// answering; the Monitor's window thread must never wait on another program.
constexpr UINT kSendTimeout = 1000;
constexpr size_t kMaxDescendants = 4096;

HWND Handle(WindowRef window) { return reinterpret_cast<HWND>(window); }
WindowRef Ref(HWND window) { return reinterpret_cast<WindowRef>(window); }

class DesktopWindowTree : public WindowTree {
 public:
  WindowRef WindowAt(ScreenPoint point) override { return Ref(WindowFromPoint(POINT{point.x, point.y})); }
  WindowRef Desktop() override { return Ref(GetDesktopWindow()); }
  std::string ClassName(WindowRef window) override {
    char name[256];
    const int length = GetClassNameA(Handle(window), name, sizeof name);
    return length > 0 ? std::string(name, static_cast<size_t>(length)) : std::string();
  }
  uint32_t Style(WindowRef window) override {
    return static_cast<uint32_t>(GetWindowLongA(Handle(window), GWL_STYLE));
  }
  ScreenRect Rect(WindowRef window) override {
    RECT r;
    if (!GetWindowRect(Handle(window), &r)) return ScreenRect{};
    return ScreenRect{r.left, r.top, r.right, r.bottom};
  }
  WindowRef Parent(WindowRef window) override {
    if (window == 0) return 0;
    // The real parent, not the owner; top-level windows have none.
    const HWND parent = GetAncestor(Handle(window), GA_PARENT);
    return parent == GetDesktopWindow() ? 0 : Ref(parent);
  }
  WindowRef ChildAt(WindowRef window, ScreenPoint point) override {
    POINT client{point.x, point.y};
    if (window == 0 || !ScreenToClient(Handle(window), &client)) return 0;
    const HWND child = ChildWindowFromPoint(Handle(window), client);
    return child == Handle(window) ? 0 : Ref(child);
  }
  WindowRef FirstChild(WindowRef window) override {
    return window ? Ref(GetWindow(Handle(window), GW_CHILD)) : 0;
  }
  WindowRef NextSibling(WindowRef window) override {
    return window ? Ref(GetWindow(Handle(window), GW_HWNDNEXT)) : 0;
  }
  WindowRef PreviousSibling(WindowRef window) override {
    return window ? Ref(GetWindow(Handle(window), GW_HWNDPREV)) : 0;
  }
  std::vector<WindowRef> Descendants(WindowRef window) override {
    std::vector<WindowRef> found;
    if (window != 0) EnumChildWindows(Handle(window), &Collect, reinterpret_cast<LPARAM>(&found));
    return found;
  }

 private:
  static BOOL CALLBACK Collect(HWND child, LPARAM list) {
    auto* found = reinterpret_cast<std::vector<WindowRef>*>(list);
    found->push_back(Ref(child));
    return found->size() < kMaxDescendants;
  }
};

class DesktopScrollSink : public ScrollSink {
 public:
  explicit DesktopScrollSink(PcContext& context) : context_(context) {}

  ScreenPoint CursorPos() override {
    POINT p{};
    GetCursorPos(&p);
    return ScreenPoint{p.x, p.y};
  }
  bool ButtonsSwapped() override { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }
  void SetCursorPos(ScreenPoint point) override { ::SetCursorPos(point.x, point.y); }
  void Click(bool rightButton) override {
    // Absolute without a move: the click lands where the cursor was just put.
    mouse_event(MOUSEEVENTF_ABSOLUTE | (rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN), 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_ABSOLUTE | (rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP), 0, 0, 0, 0);
  }
  void Post(WindowRef window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    PostMessageA(Handle(window), message, wParam, lParam);
  }
  bool Send(WindowRef window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(Handle(window), message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout, &result) != 0;
  }
  void PostBrowserScroll(int lines, int left) override {
    if (context_.host) context_.host->PostToSelf(WM_MON_IE_SCROLL, static_cast<uintptr_t>(lines), left);
  }
  PageResult ScrollPage(WindowRef window, int dx, int dy) override { return ScrollBrowserPage(Handle(window), dx, dy); }

 private:
  PcContext& context_;
};

class ScrollActions : public PcActions {
 public:
  explicit ScrollActions(PcContext& context) : context_(context), sink_(context), scroller_(tree_, sink_) {}

  void UniversalScroll(int direction) override {
    const ProfileRecord* profile = context_.currentProfile ? context_.currentProfile() : nullptr;
    if (!profile) return;
    scroller_.Scroll(direction, ScrollLines(profile->TiltSpeed));
  }
  void BrowserScroll(int lines, int flag) override { scroller_.BrowserScroll(lines, flag); }

 private:
  PcContext& context_;
  DesktopWindowTree tree_;
  DesktopScrollSink sink_;
  UniversalScroller scroller_;
};

}  // namespace

std::unique_ptr<PcActions> MakeScrollActions(PcContext& context) { return std::make_unique<ScrollActions>(context); }

}  // namespace vextra
