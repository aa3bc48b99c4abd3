// The skinned controls driven through real window messages (posted mouse
// and key messages, dispatched by an ordinary loop): the notifications each
// control sends, the text rules of the number fields, slider drags and track
// clicks, window shapes, the modal dialog endings, the menu frame hook and
// the animated picture's worker.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "option/skin/gallery/sample_bitmaps_win.h"
#include "option/skin/region_runs.h"
#include "option/skin/skin_messages.h"
#include "option/skin/win32/animated_picture_win.h"
#include "option/skin/win32/bitmap_edit_win.h"
#include "option/skin/win32/cool_menu_win.h"
#include "option/skin/win32/double_click_test_win.h"
#include "option/skin/win32/hover_help_win.h"
#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_label_win.h"
#include "option/skin/win32/slider_win.h"
#include "option/skin/win32/spin_edit_win.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {

struct Event {
  HWND to;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Event> events;

bool Recorded(UINT message) {
  return message == WM_SLIDER_CHANGED || message == WM_SPIN_CHANGED || message == WM_EDIT_CHANGED ||
         message == WM_BUTTON_HOVER || message == WM_HOVER_HELP || message == WM_COMMAND ||
         message == WM_NCLBUTTONDOWN || message == CBitmapEdit::KillFocusMessage();
}

// Records what reaches it; a caption press is recorded instead of starting
// the system's move loop.
class Host : public CSkinDialog {
 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (Recorded(message)) events.push_back({hwnd(), message, wParam, lParam});
    if (message == WM_NCLBUTTONDOWN) return 0;
    return CSkinDialog::OnMessage(message, wParam, lParam);
  }
};

int swallowed = 0;

// Dispatches what is queued (no TranslateMessage: the tests post WM_CHAR
// themselves) until the queue stays empty for a moment.
void Pump(int quietMs = 60) {
  int quiet = 0;
  while (quiet < quietMs) {
    MSG msg;
    bool any = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (SkinPreTranslateMessage(msg)) {
        ++swallowed;
        continue;
      }
      DispatchMessageA(&msg);
    }
    quiet = any ? 0 : quiet + 10;
    Sleep(10);
  }
}

int Count(UINT message) {
  int n = 0;
  for (const Event& e : events) n += e.message == message;
  return n;
}

bool Has(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const Event& e : events)
    if (e.message == message && e.wParam == wParam && e.lParam == lParam) return true;
  return false;
}

const Event* Last(UINT message) {
  for (auto it = events.rbegin(); it != events.rend(); ++it)
    if (it->message == message) return &*it;
  return nullptr;
}

int LastValue(UINT message) {
  const Event* e = Last(message);
  return e ? static_cast<int>(e->wParam) : -999;
}

void PostClick(HWND w, int x, int y, bool releaseInside = true) {
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(w, WM_LBUTTONUP, 0, releaseInside ? MAKELPARAM(x, y) : MAKELPARAM(-50, -50));
}

void Type(HWND w, const char* keys) {
  for (const char* k = keys; *k; ++k) {
    UINT vk = static_cast<unsigned char>(*k);
    if (*k == '-') vk = 189;
    if (*k >= 'a' && *k <= 'z') vk = static_cast<UINT>(*k - 'a' + 'A');
    PostMessageA(w, WM_KEYDOWN, vk, 1);
    PostMessageA(w, WM_CHAR, static_cast<WPARAM>(*k), 1);
    PostMessageA(w, WM_KEYUP, vk, 0xC0000001);
  }
}

std::string TextOf(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

bool RegionHas(HWND w, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(w, rgn) != ERROR && PtInRegion(rgn, x, y);
  DeleteObject(rgn);
  return has;
}

RECT RectIn(HWND w, HWND parent) {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void TestRegions(Host& host) {
  // The host's shape from its background: white corners and title notches out.
  WCHECK(!RegionHas(host.hwnd(), 0, 0));
  WCHECK(!RegionHas(host.hwnd(), 10, 20));
  WCHECK(!RegionHas(host.hwnd(), 399, 299));
  WCHECK(RegionHas(host.hwnd(), 200, 150));
  WCHECK(RegionHas(host.hwnd(), 200, 10));

  // A striped bitmap with more than 2000 runs: several chunks, every pixel right.
  const int w = 240, h = 80;
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = ((x / 2 + y) % 3 == 0) ? 0xFFFFFF : 0x102030;
  OwnedBitmap stripes = sample::BitmapFromPixels(px, w, h);
  const KeyRange white({255, 255, 255}, 0);
  WCHECK(OpaqueRuns(px.data(), w, h, w, white).size() > kRegionChunkRects);
  HRGN region = BitmapToRegion(stripes.get(), RGB(255, 255, 255), 0);
  WCHECK(region != nullptr);
  int wrong = 0;
  for (int y = 0; y < h && region; ++y)
    for (int x = 0; x < w; ++x) wrong += (PtInRegion(region, x, y) != FALSE) == white.Contains(px[static_cast<size_t>(y) * w + x]);
  WCHECK_EQ(wrong, 0);
  if (region) DeleteObject(region);
  // Tolerance: near-white (250) is keyed with key 245 + 10, not with white + 0.
  std::vector<uint32_t> two = {0xFAFAFA, 0x000000};
  OwnedBitmap pair = sample::BitmapFromPixels(two, 2, 1);
  region = BitmapToRegion(pair.get(), RGB(245, 245, 245), RGB(10, 10, 10));
  WCHECK(region && !PtInRegion(region, 0, 0) && PtInRegion(region, 1, 0));
  if (region) DeleteObject(region);
  WCHECK(BitmapToRegion(nullptr, RGB(255, 255, 255), 0) == nullptr);
}

void TestButton(Host& host, CSkinButton& push, CSkinButton& toggle) {
  SetActiveWindow(host.hwnd());
  events.clear();
  PostMessageA(push.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Pump();
  WCHECK(push.hovered());
  WCHECK(GetCapture() == push.hwnd());
  WCHECK(Has(WM_BUTTON_HOVER, 1, 0));
  WCHECK(Has(WM_HOVER_HELP, 1, 0));
  WCHECK_EQ(HoverHelpText, std::string("Push me"));
  WCHECK(push.CurrentImage() == ButtonImage::kHover);
  // Moving off it (the point is over the host): hover ends, capture goes.
  events.clear();
  PostMessageA(push.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(-30, 40));
  Pump();
  WCHECK(!push.hovered());
  WCHECK(GetCapture() != push.hwnd());
  WCHECK(Has(WM_BUTTON_HOVER, 0, 0));
  WCHECK(Has(WM_HOVER_HELP, 0, 0));
  WCHECK(HoverHelpText.empty());

  // A push button reports its click as usual, once.
  events.clear();
  PostClick(push.hwnd(), 5, 5);
  Pump();
  WCHECK_EQ(Count(WM_COMMAND), 1);
  WCHECK(Has(WM_COMMAND, MAKEWPARAM(push.id(), BN_CLICKED), reinterpret_cast<LPARAM>(push.hwnd())));

  // A toggle reports on release, with the new state latched.
  events.clear();
  PostMessageA(toggle.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Pump();
  WCHECK_EQ(Count(WM_COMMAND), 0);
  WCHECK(!toggle.latched());
  PostMessageA(toggle.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  WCHECK_EQ(Count(WM_COMMAND), 1);
  WCHECK(toggle.latched());
  WCHECK(toggle.CurrentImage() == ButtonImage::kPressed);
  PostClick(toggle.hwnd(), 5, 5);
  Pump();
  WCHECK_EQ(Count(WM_COMMAND), 2);
  WCHECK(!toggle.latched());
  // Pressed, then released outside: no flip, no report.
  PostClick(toggle.hwnd(), 5, 5, false);
  Pump();
  WCHECK_EQ(Count(WM_COMMAND), 2);
  WCHECK(!toggle.latched());
  EnableWindow(toggle.hwnd(), FALSE);
  WCHECK(toggle.CurrentImage() == ButtonImage::kDisabled);
  EnableWindow(toggle.hwnd(), TRUE);
}

void TestEdit(Host& host, CBitmapEdit& digits, CSkinButton& other) {
  SetFocus(digits.hwnd());
  Pump();
  events.clear();
  Type(digits.hwnd(), "a");  // swallowed: not a number key
  Pump();
  WCHECK_EQ(digits.GetText(), std::string());
  WCHECK_EQ(Count(WM_EDIT_CHANGED), 0);
  Type(digits.hwnd(), "12");
  Pump();
  WCHECK_EQ(digits.GetText(), std::string("12"));
  WCHECK(Count(WM_EDIT_CHANGED) >= 2);
  WCHECK(Has(WM_EDIT_CHANGED, 0, 0));
  PostMessageA(digits.hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
  Pump();
  WCHECK(Has(WM_EDIT_CHANGED, 13, 0));
  // Text that arrives whole (a paste) keeps only its leading digits.
  SetWindowTextA(digits.hwnd(), "34x5");
  Pump();
  WCHECK_EQ(digits.GetText(), std::string("34"));
  // Colours come back through the parent's reflection.
  HDC dc = GetDC(digits.hwnd());
  const LRESULT brush = SendMessageA(host.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(digits.hwnd()));
  WCHECK(brush != 0);
  WCHECK_EQ(GetTextColor(dc), RGB(200, 10, 10));
  WCHECK_EQ(GetBkColor(dc), RGB(0, 0, 40));
  ReleaseDC(digits.hwnd(), dc);
  // Leaving the field tells the parent with the registered message.
  events.clear();
  SetFocus(other.hwnd());
  Pump();
  WCHECK_EQ(Count(CBitmapEdit::KillFocusMessage()), 1);
}

void Retype(CSpinEdit& spin, const char* keys) {
  SetFocus(spin.field().hwnd());
  SetWindowTextA(spin.field().hwnd(), "");
  Pump();
  events.clear();
  Type(spin.field().hwnd(), keys);
  Pump();
}

void TestSpin(CSpinEdit& signedSpin, CSpinEdit& small, CSpinEdit& positive, CSpinEdit& big) {
  // -5 ... 5 accepts a leading "-".
  Retype(signedSpin, "-");
  WCHECK_EQ(TextOf(signedSpin.field().hwnd()), std::string("-"));
  Type(signedSpin.field().hwnd(), "3");
  Pump();
  WCHECK_EQ(TextOf(signedSpin.field().hwnd()), std::string("-3"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), -3);
  WCHECK_EQ(Last(WM_SPIN_CHANGED) ? Last(WM_SPIN_CHANGED)->lParam : 0, 40);
  WCHECK_EQ(signedSpin.value(), -3);
  // Below the minimum: kept while typing, unreported; Enter clamps it.
  Retype(signedSpin, "-9");
  WCHECK_EQ(TextOf(signedSpin.field().hwnd()), std::string("-9"));
  WCHECK(!Has(WM_SPIN_CHANGED, static_cast<WPARAM>(-9), 40));
  PostMessageA(signedSpin.field().hwnd(), WM_KEYUP, VK_RETURN, 0xC0000001);
  Pump();
  WCHECK_EQ(TextOf(signedSpin.field().hwnd()), std::string("-5"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), -5);

  // 0 ... 10: a typed "-" is cut at once.
  Retype(small, "5-");
  WCHECK_EQ(TextOf(small.field().hwnd()), std::string("5"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), 5);

  // 1 ... 10: "0" shows 1, "0007" shows 7.
  Retype(positive, "0");
  WCHECK_EQ(TextOf(positive.field().hwnd()), std::string("1"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), 1);
  SetWindowTextA(positive.field().hwnd(), "0007");
  Pump();
  WCHECK_EQ(TextOf(positive.field().hwnd()), std::string("7"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), 7);

  // The arrows step by the step, within the range.
  big.SetValue(700);
  Pump();
  events.clear();
  PostClick(big.upButton().hwnd(), 3, 3);
  Pump();
  WCHECK_EQ(TextOf(big.field().hwnd()), std::string("800"));
  WCHECK_EQ(LastValue(WM_SPIN_CHANGED), 800);
  big.SetValue(100);
  Pump();
  PostClick(big.downButton().hwnd(), 3, 3);
  Pump();
  WCHECK_EQ(TextOf(big.field().hwnd()), std::string("100"));
  WCHECK_EQ(SendMessageA(big.field().hwnd(), EM_GETLIMITTEXT, 0, 0), 4);
}

void TestSlider(Host& host, CclickHSlider& snap, CclickHSlider& free) {
  HWND thumb = snap.thumb().hwnd();
  WCHECK(!RegionHas(thumb, 0, 0));  // magenta corners cut away
  WCHECK(RegionHas(thumb, 10, 12));
  events.clear();
  // Dragged past the right bound: stops with its right edge on it, reports max.
  PostMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1005, 5));
  Pump();
  RECT t = RectIn(thumb, snap.hwnd());
  RECT track;
  GetClientRect(snap.hwnd(), &track);
  WCHECK_EQ(t.right, track.right);
  WCHECK_EQ(LastValue(WM_SLIDER_CHANGED), 11);
  WCHECK_EQ(Last(WM_SLIDER_CHANGED) ? Last(WM_SLIDER_CHANGED)->lParam : 0, 300);
  PostMessageA(thumb, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  WCHECK_EQ(LastValue(WM_SLIDER_CHANGED), 11);
  WCHECK(GetCapture() != thumb);
  // Past the left bound: min.
  PostMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000, 5));
  PostMessageA(thumb, WM_LBUTTONUP, 0, MAKELPARAM(-1000, 5));
  Pump();
  WCHECK_EQ(RectIn(thumb, snap.hwnd()).left, 0);
  WCHECK_EQ(LastValue(WM_SLIDER_CHANGED), 1);
  // 122 pixels: 5 while dragging, rounded to 6 on release, thumb snaps to 6's place.
  events.clear();
  PostMessageA(thumb, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(thumb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(127, 5));
  Pump();
  WCHECK_EQ(LastValue(WM_SLIDER_CHANGED), 5);
  PostMessageA(thumb, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  WCHECK_EQ(LastValue(WM_SLIDER_CHANGED), 6);
  WCHECK_EQ(RectIn(thumb, snap.hwnd()).left, 123);
  WCHECK_EQ(snap.position(), 6);

  // A click on the track moves the thumb there and reports.
  events.clear();
  PostMessageA(snap.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(240, 3));  // 240 / 266 * 10 + 1 = 10.02
  Pump();
  WCHECK(Has(WM_SLIDER_CHANGED, 10, 300));
  WCHECK_EQ(snap.position(), 10);
  PostMessageA(free.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(69, 3));  // 69 / 140 * 700 = 345 (no rounding)
  Pump();
  WCHECK(Has(WM_SLIDER_CHANGED, 345, 301));
  (void)host;
}

void TestDialogDrag(Host& host, CSkinDialog& page) {
  events.clear();
  PostMessageA(host.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 250));
  Pump();
  POINT at{200, 250};
  ClientToScreen(host.hwnd(), &at);
  WCHECK(Has(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y)));
  // A page's background moves its main window.
  events.clear();
  PostMessageA(page.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  Pump();
  at = POINT{10, 10};
  ClientToScreen(page.hwnd(), &at);
  WCHECK_EQ(Count(WM_NCLBUTTONDOWN), 1);
  WCHECK(Has(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y)));
  WCHECK(Last(WM_NCLBUTTONDOWN) && Last(WM_NCLBUTTONDOWN)->to == host.hwnd());
}

void TestKeys(Host& host, CBitmapEdit& edit, HWND plain) {
  MSG m{};
  m.message = WM_KEYDOWN;
  m.hwnd = edit.hwnd();
  m.wParam = VK_RETURN;
  WCHECK(SkinPreTranslateMessage(m));
  m.hwnd = host.hwnd();
  m.wParam = VK_ESCAPE;
  WCHECK(SkinPreTranslateMessage(m));
  m.wParam = 'A';
  WCHECK(!SkinPreTranslateMessage(m));
  m.hwnd = plain;
  m.wParam = VK_RETURN;
  WCHECK(!SkinPreTranslateMessage(m));
  m.message = WM_KEYUP;
  m.hwnd = edit.hwnd();
  WCHECK(!SkinPreTranslateMessage(m));
}

// The modal dialog that is up: the active window, or a child of it (a
// dialog wholly inside its owner is made its child).
HWND ShownModal() {
  HWND active = GetActiveWindow();
  char cls[64] = {};
  GetClassNameA(active, cls, sizeof cls);
  if (std::strcmp(cls, "VextraSkinModal") == 0) return active;
  HWND child = FindWindowExA(active, nullptr, "VextraSkinModal", nullptr);
  return child && IsWindowVisible(child) ? child : nullptr;
}

// Modal confirmation dialogs, driven from a timer inside their loop.
struct ModalScript {
  int clickId;  // button to click; 0 = send WM_CLOSE
  int step = 0;
  HWND dialog = nullptr;
  bool stillOpenAfterKeys = false;
  bool exitPresent = false;
};
ModalScript* script = nullptr;

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!script) return;
  if (!script->dialog) {
    script->dialog = ShownModal();
    if (!script->dialog) return;
    script->exitPresent = GetDlgItem(script->dialog, CConfirmDialog::kExitId) != nullptr;
    PostMessageA(script->dialog, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(GetDlgItem(script->dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  if (++script->step == 3) {
    script->stillOpenAfterKeys = IsWindowVisible(script->dialog) != FALSE;
    if (script->clickId)
      PostClick(GetDlgItem(script->dialog, script->clickId), 4, 4);
    else
      PostMessageA(script->dialog, WM_CLOSE, 0, 0);
  }
}

void TestConfirm(Host& host, const sample::Sheets& sheets) {
  struct Case {
    CConfirmDialog::Row row;
    int click;
    INT_PTR result;
    bool exit;
  };
  const Case cases[] = {
      {CConfirmDialog::Row::kWithExit, IDOK, IDOK, true},
      {CConfirmDialog::Row::kWithExit, IDCANCEL, IDCANCEL, true},
      {CConfirmDialog::Row::kWithExit, CConfirmDialog::kExitId, IDCANCEL, true},
      {CConfirmDialog::Row::kLow, IDOK, IDOK, false},
      {CConfirmDialog::Row::kLow, 0, IDCANCEL, false},
  };
  for (const Case& c : cases) {
    ModalScript s{c.click};
    script = &s;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, ModalTimer);
    CConfirmDialog dialog(sheets.view(), c.row, "Macro 3");
    const INT_PTR result = dialog.DoModal(host.hwnd());
    KillTimer(nullptr, timer);
    script = nullptr;
    WCHECK_EQ(result, c.result);
    WCHECK(s.stillOpenAfterKeys);
    WCHECK_EQ(s.exitPresent, c.exit);
    WCHECK(IsWindowEnabled(host.hwnd()));
    WCHECK(!IsWindow(s.dialog));
  }
}

struct MenuProbe {
  bool seen = false;
  bool property = false;
  size_t active = 0;
  COLORREF corner = 0, inner1 = 0, inner2 = 0;
};
MenuProbe* probe = nullptr;

void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!probe || probe->seen) return;
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  probe->seen = true;
  probe->property = GetPropA(menu, kCoolMenuOldProcProperty) != nullptr;
  probe->active = CoolMenu::activeCount();
  RECT r;
  GetWindowRect(menu, &r);
  HDC screen = GetDC(nullptr);
  MemoryCanvas canvas(screen, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
  probe->corner = GetPixel(canvas.dc(), 0, 0);
  probe->inner1 = GetPixel(canvas.dc(), 1, 5);
  probe->inner2 = GetPixel(canvas.dc(), 2, 5);
  EndMenu();
}

MenuProbe ShowMenu(HWND owner) {
  MenuProbe p;
  probe = &p;
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Configuration");
  AppendMenuA(menu, MF_STRING, 2, "Exit");
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, MenuTimer);
  TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
  KillTimer(nullptr, timer);
  DestroyMenu(menu);
  Pump();
  probe = nullptr;
  return p;
}

void TestCoolMenu(Host& host) {
  WCHECK(CoolMenu::Install());
  WCHECK(CoolMenu::Install());  // once per thread: a second call changes nothing
  SetActiveWindow(host.hwnd());
  MenuProbe p = ShowMenu(host.hwnd());
  WCHECK(p.seen);
  WCHECK(p.property);
  WCHECK_EQ(p.active, size_t{1});
  WCHECK_EQ(p.corner, RGB(53, 160, 222));
  WCHECK_EQ(p.inner1, RGB(0, 0, 0));
  WCHECK_EQ(p.inner2, RGB(0, 0, 0));
  WCHECK_EQ(CoolMenu::activeCount(), size_t{0});  // unsubclassed when it went away
  CoolMenu::Uninstall();
  WCHECK(!CoolMenu::installed());
  p = ShowMenu(host.hwnd());
  WCHECK(p.seen);
  WCHECK(!p.property);
}

HGLOBAL Block(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (void* p = GlobalLock(block)) {
    CopyMemory(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
  }
  return block;
}

void TestPictures(Host& host) {
  CAnimatedPicture animated;
  WCHECK(animated.Create(RECT{300, 40, 364, 88}, host.hwnd(), 801));
  const std::vector<uint8_t> gif = sample::AnimatedGif();
  WCHECK(animated.LoadMemory(Block(gif), static_cast<DWORD>(gif.size())));
  WCHECK(animated.animated());
  WCHECK_EQ(animated.frameCount(), size_t{3});
  WCHECK_EQ(animated.size().cx, 64L);
  WCHECK_EQ(animated.size().cy, 48L);
  WCHECK_EQ(animated.backgroundColor(), RGB(255, 255, 255));
  WCHECK_EQ(animated.frameInfo(0).delayMs, 100);  // 3 hundredths: the 100 ms floor
  WCHECK_EQ(animated.frameInfo(1).delayMs, 200);  // 20 hundredths
  WCHECK_EQ(animated.frameInfo(1).disposal, 3);
  WCHECK_EQ(animated.frameInfo(1).left, 20);
  WCHECK_EQ(animated.frameInfo(1).top, 12);
  WCHECK_EQ(animated.frameInfo(2).disposal, 2);
  WCHECK(!animated.playing());
  WCHECK(animated.Draw());
  WCHECK(animated.playing());
  // The worker loops: more frames shown than the picture has.
  for (int i = 0; i < 300 && animated.framesShown() < 4; ++i) Pump(10);
  WCHECK(animated.framesShown() >= 4);
  animated.Stop();
  WCHECK(!animated.playing());
  const long shown = animated.framesShown();
  Pump(300);
  WCHECK_EQ(animated.framesShown(), shown);
  // Destroying the window stops a playing worker.
  WCHECK(animated.Draw());
  DestroyWindow(animated.hwnd());
  WCHECK(!animated.playing());

  // One image: a still picture, no worker.
  CAnimatedPicture still;
  WCHECK(still.Create(RECT{300, 100, 364, 148}, host.hwnd(), 802));
  const std::vector<uint8_t> one = sample::StillGif();
  WCHECK(still.LoadMemory(Block(one), static_cast<DWORD>(one.size())));
  WCHECK(still.loaded() && !still.animated());
  WCHECK(still.Draw());
  WCHECK(!still.playing());
  WCHECK_EQ(still.size().cx, 64L);

  // A BMP file through the file loader; damaged and missing data refused.
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "skin_picture_test.bmp";
  const std::vector<uint8_t> bmp = sample::BmpFile(30, 20, 0x208040);
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bmp.data(), static_cast<DWORD>(bmp.size()), &written, nullptr);
  CloseHandle(f);
  WCHECK(still.Load(path));
  WCHECK(still.loaded() && !still.animated());
  WCHECK(still.size().cx >= 29 && still.size().cx <= 31);
  WCHECK(still.size().cy >= 19 && still.size().cy <= 21);
  DeleteFileA(path.c_str());
  WCHECK(!still.Load(path));
  WCHECK(still.loaded());  // a file that cannot be read leaves the picture as it was
  std::vector<uint8_t> junk = {'G', 'I', 'F', '8', '9', 'a', 9, 9, 9};
  junk.resize(200, 0x2C);
  WCHECK(!still.LoadMemory(Block(junk), static_cast<DWORD>(junk.size())));
  WCHECK(!still.loaded());
}

void TestDoubleClick(Host& host) {
  CDoubleClickTest area;
  area.SetAnimationFile("Z:\\nonexistent\\double_click.avi");
  WCHECK(area.Create(RECT{300, 160, 341, 182}, host.hwnd(), 700));
  WCHECK(area.pictureShown());
  WCHECK(area.animationWindow() == nullptr);
  PostMessageA(area.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(area.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  WCHECK_EQ(area.doubleClicks(), 1);
  WCHECK(area.animationWindow() != nullptr && IsWindow(area.animationWindow()));
  char cls[64] = {};
  GetClassNameA(area.animationWindow(), cls, sizeof cls);
  WCHECK_EQ(std::string(cls), std::string("SysAnimate32"));
  WCHECK(!area.pictureShown());
  HWND first = area.animationWindow();
  PostMessageA(area.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  Pump();
  WCHECK(area.animationWindow() == first);  // made once
}

// Entering a control puts its help into HoverHelpText and tells the main
// window; a label does so only with its help enabled.
void TestHoverHelp(Host& host, CBitmapEdit& edit, CclickHSlider& track, CSkinButton& push) {
  CSkinLabel label;
  WCHECK(label.Create(RECT{170, 90, 260, 110}, host.hwnd(), 60));
  label.SetText("Profile 1", true);
  label.SetHelpText("Label help");
  CLedPreview led;
  WCHECK(led.Create(RECT{270, 90, 293, 113}, host.hwnd(), 61));
  led.SetHelpText("Colours of profile 1");
  edit.SetHelpText("Edit help");
  track.SetHelpText("Track help");
  struct Case {
    HWND window;
    const char* help;
  };
  const Case cases[] = {{edit.hwnd(), "Edit help"}, {track.hwnd(), "Track help"}, {led.hwnd(), "Colours of profile 1"}};
  for (const Case& c : cases) {
    events.clear();
    PostMessageA(c.window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    Pump();
    WCHECK(Has(WM_HOVER_HELP, 1, 0));
    WCHECK_EQ(HoverHelpText, std::string(c.help));
  }
  events.clear();
  PostMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  Pump();
  WCHECK_EQ(Count(WM_HOVER_HELP), 0);
  PostMessageA(label.hwnd(), WM_MOUSELEAVE, 0, 0);
  label.EnableHelp(true);
  PostMessageA(label.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  Pump();
  WCHECK(Has(WM_HOVER_HELP, 1, 0));
  WCHECK_EQ(HoverHelpText, std::string("Label help"));

  // The hand cursor, only where it is switched on.
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  push.SetHandCursor(true);
  WCHECK(SendMessageA(push.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(push.hwnd()), overClient) == TRUE);
  WCHECK(GetCursor() == hand);
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  push.SetHandCursor(false);
  SendMessageA(push.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(push.hwnd()), overClient);
  WCHECK(GetCursor() != hand);
}

}  // namespace

int main() {
  const std::vector<sample::Face> faces = {
      {RECT{20, 60, 120, 86}, "Push"}, {RECT{130, 60, 156, 86}, ""}, {RECT{20, 230, 70, 247}, ""}};
  sample::Sheets sheets = sample::MakeSheets(400, 300, faces);
  Host host;
  host.SetBackground(sheets.bitmap[0].get());
  WCHECK(host.Create(nullptr, RECT{40, 40, 440, 340}, false));
  SetHoverHelpWindow(host.hwnd());
  SetActiveWindow(host.hwnd());

  CSkinButton push, toggle;
  WCHECK(push.Create(RECT{20, 60, 120, 86}, host.hwnd(), 11));
  push.SetImagesFromSheets(sheets.view(), RECT{20, 60, 120, 86});
  push.SetHelpText("Push me");
  WCHECK(toggle.Create(RECT{130, 60, 156, 86}, host.hwnd(), 12));
  toggle.SetImagesFromSheets(sheets.view(), RECT{130, 60, 156, 86});
  toggle.SetToggleMode(true);
  WCHECK((GetWindowLongPtrA(push.hwnd(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
  WCHECK(!(GetWindowLongPtrA(push.hwnd(), GWL_STYLE) & WS_TABSTOP));

  CBitmapEdit digits;
  WCHECK(digits.Create(WS_VISIBLE | WS_BORDER, RECT{170, 60, 240, 80}, host.hwnd(), 20));
  digits.SetDigitsOnly(true);
  digits.SetColors(RGB(200, 10, 10), RGB(0, 0, 40));

  CSpinEdit spins[4];
  const int ranges[4][3] = {{-5, 5, 1}, {0, 10, 1}, {1, 10, 1}, {100, 6000, 100}};
  for (int i = 0; i < 4; ++i) {
    const RECT r{20 + 60 * i, 230, 70 + 60 * i, 247};
    WCHECK(spins[i].Create(r, host.hwnd(), 40 + i));
    spins[i].SetImagesFromSheets(sheets.view(), r);
    spins[i].SetRange(ranges[i][0], ranges[i][1]);
    spins[i].SetStep(ranges[i][2]);
  }

  OwnedBitmap thumb = sample::MakeThumb();
  CclickHSlider snap, free;
  WCHECK(snap.Create(thumb.get(), 20, 120, 286, 145, host.hwnd(), 300));
  snap.SetRange(1, 11);
  snap.SetSnap(true);
  snap.SetPosition(1);
  WCHECK(free.Create(thumb.get(), 20, 160, 160, 185, host.hwnd(), 301));
  free.SetRange(0, 700);

  CSkinDialog page;
  WCHECK(page.Create(host.hwnd(), RECT{300, 200, 380, 260}, true));

  HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Pump();

  TestRegions(host);
  TestButton(host, push, toggle);
  TestEdit(host, digits, push);
  TestSpin(spins[0], spins[1], spins[2], spins[3]);
  TestSlider(host, snap, free);
  TestDialogDrag(host, page);
  TestKeys(host, digits, plain);
  TestConfirm(host, sheets);
  TestCoolMenu(host);
  TestPictures(host);
  TestDoubleClick(host);
  TestHoverHelp(host, digits, snap, push);

  DestroyWindow(plain);
  return wine_check::Finish();
}
