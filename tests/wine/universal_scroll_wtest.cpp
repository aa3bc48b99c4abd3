// Universal scrolling in the real Monitor: the test puts its own windows under
// the cursor, turns the simulated mouse's tilt wheel and records what reaches
// them.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/settings_block.h"
#include "common/program_messages.h"
#include "sim/simulated_mouse.h"
#include "tests/wine/monitor_driver.h"
#include "tests/wine/wine_check.h"

using namespace vextra;
using namespace monitor_driver;

namespace {

std::string program;  // with a trailing backslash

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool sent;  // from another thread with SendMessage (else posted)
};
std::vector<Received> received;
UINT wmHtmlGetObject = 0;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL || message == WM_KEYDOWN || message == WM_KEYUP ||
      (message != 0 && message == wmHtmlGetObject)) {
    received.push_back({window, message, wParam, lParam, InSendMessage() != FALSE});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterRecordingClass(const char* name) {
  WNDCLASSA wc{};
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = name;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  RegisterClassA(&wc);
}

// The test's windows sit at (100,100)-(600,500), above everything; the cursor
// stays at (300,250).
constexpr int kLeft = 100, kTop = 100, kWidth = 500, kHeight = 400;
constexpr POINT kCursor = {300, 250};

HWND TopWindow(const char* className, DWORD style) {
  HWND w = CreateWindowExA(WS_EX_TOPMOST, className, "Scroll target", WS_POPUP | WS_VISIBLE | style, kLeft, kTop,
                           kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Pump(100);
  return w;
}

HWND Child(HWND parent, const char* className, DWORD style, int x, int y, int width, int height) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A frame with a document view and a real horizontal scroll bar control below it.
struct FrameWithBar {
  HWND frame = nullptr, view = nullptr, bar = nullptr;
  explicit FrameWithBar(const char* viewClass) {
    frame = TopWindow("ScrollTestFrame", 0);
    view = Child(frame, viewClass, 0, 0, 0, kWidth, 360);
    bar = Child(frame, "ScrollBar", SBS_HORZ, 0, 360, kWidth, 17);
    SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
    SetScrollPos(bar, SB_CTL, 50, TRUE);
    Pump(100);
  }
  ~FrameWithBar() { DestroyWindow(frame); }
};

int Count(HWND window, UINT message, WPARAM code, LPARAM lParam, bool sent) {
  int n = 0;
  for (const Received& r : received)
    if (r.window == window && r.message == message && LOWORD(r.wParam) == code && r.lParam == lParam && r.sent == sent) ++n;
  return n;
}

int CountAll(HWND window) {
  int n = 0;
  for (const Received& r : received) n += r.window == window;
  return n;
}

// The mouse's tilt: "down" raises the left step, "up" the right one.
bool TiltLeft() { return Sim("scroll down"); }
bool TiltRight() { return Sim("scroll up"); }

// As the Option program applies a changed tilt speed.
bool SetTiltSpeed(int speed) {
  return Apply([&](SettingsBlock& block) {
    if (!IsProfileIndex(block.CurrentProfile)) return;
    block.Profiles[block.CurrentProfile].TiltSpeed = speed;
    block.ProfileChanged[block.CurrentProfile] = 1;
  });
}

// A window whose thread stops answering until it is released.
struct HungWindow {
  HWND window = nullptr;
  HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  static DWORD WINAPI Run(void* self) {
    auto* me = static_cast<HungWindow*>(self);
    me->window = TopWindow("ScrollTestPlain", WS_HSCROLL);
    SetEvent(me->created);
    WaitForSingleObject(me->release, 30000);
    DestroyWindow(me->window);
    return 0;
  }
  HungWindow() {
    thread = CreateThread(nullptr, 0, &HungWindow::Run, this, 0, nullptr);
    WaitForSingleObject(created, 10000);
  }
  ~HungWindow() {
    SetEvent(release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(created);
    CloseHandle(release);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: universal_scroll_wtest <work folder> <program folder>\n");
    return 2;
  }
  const std::string work = std::string(argv[1]) + "\\";
  const std::string built = std::string(argv[2]) + "\\";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  program = work + "program\\";
  const Layout layout;
  LayOutProgram(built, FolderOf(self), program, layout);
  wmHtmlGetObject = RegisterWindowMessageA("WM_HTML_GETOBJECT");
  for (const char* name : {"ScrollTestFrame", "ScrollTestPlain", "_WwG", "EXCEL7", "Internet Explorer_Server",
                           "Progman", "SHELLDLL_DefView", "SysListView32"})
    RegisterRecordingClass(name);

  HANDLE monitor = StartProcess(program + "VextraMonitor.exe", "", program);
  WCHECK(monitor != nullptr);
  WCHECK(WaitFor([] { return Monitor() != nullptr; }, 20000));
  WCHECK(WaitForReadBack(layout, 40000));
  WCHECK(SetTiltSpeed(3));
  SetCursorPos(kCursor.x, kCursor.y);

  // --- a window with its own bar: left lines posted, right lines sent, TiltSpeed of each
  {
    HWND target = TopWindow("ScrollTestPlain", WS_HSCROLL);
    WCHECK(TiltLeft());
    WCHECK(WaitFor([&] { return Count(target, WM_HSCROLL, SB_LINELEFT, 0, false) >= 3; }, 5000));
    WCHECK(TiltRight());
    WCHECK(WaitFor([&] { return Count(target, WM_HSCROLL, SB_LINERIGHT, 0, true) >= 3; }, 5000));
    Pump(300);
    WCHECK_EQ(CountAll(target), 6);
    WCHECK_EQ(Count(target, WM_HSCROLL, SB_LINELEFT, 0, false), 3);
    WCHECK_EQ(Count(target, WM_HSCROLL, SB_LINERIGHT, 0, true), 3);

    WCHECK(SetTiltSpeed(5));
    received.clear();
    WCHECK(TiltLeft());
    WCHECK(WaitFor([&] { return Count(target, WM_HSCROLL, SB_LINELEFT, 0, false) >= 5; }, 5000));
    Pump(300);
    WCHECK_EQ(CountAll(target), 5);
    DestroyWindow(target);
  }

  // --- a document view beside a scroll bar control: its frame hears from the bar
  WCHECK(SetTiltSpeed(3));
  {
    received.clear();
    FrameWithBar w("_WwG");
    WCHECK(TiltRight());
    WCHECK(WaitFor([&] { return Count(w.frame, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(w.bar), false) >= 3; }, 5000));
    Pump(300);
    WCHECK_EQ(CountAll(w.frame), 3);
    WCHECK_EQ(CountAll(w.view), 0);
  }

  // --- the spreadsheet: the bar's arrow is clicked, so the control itself
  // tells its frame (a line and the end of each click); the cursor comes back.
  // (Wine keeps the button-swap setting per process: the swapped case is
  // checked natively.)
  {
    received.clear();
    FrameWithBar w("EXCEL7");
    WCHECK(TiltLeft());
    const LPARAM bar = reinterpret_cast<LPARAM>(w.bar);
    WCHECK(WaitFor([&] { return Count(w.frame, WM_HSCROLL, SB_ENDSCROLL, bar, false) >= 3; }, 5000));
    Pump(500);
    WCHECK_EQ(Count(w.frame, WM_HSCROLL, SB_LINELEFT, bar, false), 3);
    WCHECK_EQ(Count(w.frame, WM_HSCROLL, SB_ENDSCROLL, bar, false), 3);
    WCHECK_EQ(CountAll(w.frame), 6);
    POINT now{};
    GetCursorPos(&now);
    WCHECK_EQ(now.x, kCursor.x);
    WCHECK_EQ(now.y, kCursor.y);
  }

  // --- an Internet Explorer window that hands out no page: asked for it, then scrolled by lines
  {
    received.clear();
    HWND page = TopWindow("Internet Explorer_Server", 0);
    WCHECK(TiltLeft());
    WCHECK(WaitFor([&] { return Count(page, WM_HSCROLL, SB_LINELEFT, 0, true) >= 3; }, 5000));
    Pump(300);
    WCHECK_EQ(Count(page, wmHtmlGetObject, 0, 0, true), 1);
    WCHECK_EQ(CountAll(page), 4);
    DestroyWindow(page);
  }

  // --- nothing over a window without any bar, nor over the desktop's icon
  // view; the same list anywhere else scrolls. Events are handled in order,
  // so once the last one has arrived the earlier ones would have too.
  {
    received.clear();
    HWND plain = TopWindow("ScrollTestPlain", 0);
    WCHECK(TiltLeft());
    WCHECK(TiltRight());
    HWND desk = TopWindow("Progman", 0);
    HWND defView = Child(desk, "SHELLDLL_DefView", 0, 0, 0, kWidth, kHeight);
    HWND icons = Child(defView, "SysListView32", WS_HSCROLL, 0, 0, kWidth, kHeight);
    Pump(100);
    WCHECK(TiltLeft());
    HWND folder = TopWindow("ScrollTestFrame", 0);
    HWND list = Child(folder, "SysListView32", WS_HSCROLL, 0, 0, kWidth, kHeight);
    Pump(100);
    WCHECK(TiltLeft());
    WCHECK(WaitFor([&] { return Count(list, WM_HSCROLL, SB_LINELEFT, 0, false) >= 3; }, 5000));
    Pump(300);
    WCHECK_EQ(CountAll(plain), 0);
    WCHECK_EQ(CountAll(icons), 0);
    WCHECK_EQ(CountAll(list), 3);
    DestroyWindow(folder);
    DestroyWindow(desk);
    DestroyWindow(plain);
  }

  // --- a window that stops answering holds the Monitor one time-out at most
  {
    WCHECK(SetTiltSpeed(10));
    HungWindow hung;
    WCHECK(hung.window != nullptr);
    Pump(200);
    WCHECK(TiltRight());
    // The next event waits behind the scroll: one time-out (1 s), not one per
    // line (until the system calls the window hung after 5 s).
    WCHECK(Sim("profile 2"));
    WCHECK(WaitFor([] {
      auto shared = ReadSection();
      return shared && shared->CurrentProfile == 1;
    }, 3000));
  }

  PostMessageA(Monitor(), WM_CLOSE, 0, 0);
  WCHECK(WaitForSingleObject(monitor, 30000) == WAIT_OBJECT_0);
  CloseHandle(monitor);
  return wine_check::Finish();
}
