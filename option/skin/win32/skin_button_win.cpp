#include "option/skin/win32/skin_button_win.h"

#include "option/skin/skin_messages.h"
#include "option/skin/win32/hover_help_win.h"

namespace vextra {
namespace {

HCURSOR programHandCursor = nullptr;

HCURSOR HandCursor() {
  return programHandCursor ? programHandCursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

constexpr COLORREF kCaptionColour = RGB(224, 224, 224);

}  // namespace

void CSkinButton::SetProgramHandCursor(HCURSOR cursor) { programHandCursor = cursor; }

bool CSkinButton::Create(const RECT& rect, HWND parent, int id, DWORD extraStyle) {
  return CreateControl("BUTTON", "", 0, WS_CHILD | WS_VISIBLE | extraStyle, rect, parent, id);
}

void CSkinButton::OnAttached() {
  const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
  if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) hovered_ = true;
  // Our own drawing, and no keyboard focus stops between the skin's buttons.
  SetWindowLongPtrA(hwnd(), GWL_STYLE, (style & ~(BS_TYPEMASK | WS_TABSTOP)) | BS_OWNERDRAW);
}

void CSkinButton::SetImages(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled) {
  images_.FromBitmaps(normal, hover, pressed, disabled);
  Invalidate();
}

void CSkinButton::SetImagesFromSheets(const SkinSheets& sheets, const RECT& rect) {
  images_.FromSheets(sheets, rect);
  if (hwnd()) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    if (style & (WS_BORDER | WS_TABSTOP)) {  // a frame change is dear: only when there is one
      SetWindowLongPtrA(hwnd(), GWL_STYLE, style & ~(WS_BORDER | WS_TABSTOP));
      SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
  }
  Invalidate();
}

void CSkinButton::SetImagesFrom(const StateImages& source, const RECT& rect) {
  images_.FromImages(source, rect);
  Invalidate();
}

void CSkinButton::SetToggleMode(bool on) {
  toggle_ = on;
  Invalidate();
}

void CSkinButton::SetLatched(bool on) {
  if (latched_ == on) return;
  latched_ = on;
  Invalidate();
}

void CSkinButton::SetCaption(const std::string& text) {
  caption_ = text;
  Invalidate();
}

void CSkinButton::SetTrademark(bool on) {
  trademark_ = on;
  Invalidate();
}

void CSkinButton::SetHover(bool on) {
  hovered_ = on;
  Invalidate();
}

bool CSkinButton::Held() const {
  return hwnd() && (SendMessageA(hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
}

ButtonImage CSkinButton::CurrentImage() const {
  ButtonLook look;
  look.toggle = toggle_;
  look.latched = latched_;
  look.enabled = hwnd() && IsWindowEnabled(hwnd());
  look.held = Held();
  look.hovered = hovered_;
  return ChooseButtonImage(look);
}

void CSkinButton::Announce(bool entering) {
  PostMessageA(GetParent(hwnd()), WM_BUTTON_HOVER, entering ? 1 : 0, 0);
  if (entering)
    ShowHoverHelp(helpText());
  else
    ClearHoverHelp();
}

void CSkinButton::EndHoverByLeaving() {
  hovered_ = false;
  Invalidate();
  Announce(false);
}

void CSkinButton::PaintTo(HDC dc, const RECT& client) {
  const int w = client.right, h = client.bottom;
  HBITMAP image = images_.get(CurrentImage());
  if (image)
    DrawBitmap(dc, image, 0, 0, w, h);
  else
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  if (caption_.empty()) return;
  if (!captionFont_) captionFont_ = MakeFont("Arial", 14, 5);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kCaptionColour);
  SIZE size{};
  SelectIn font(dc, captionFont_.get());
  GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
  const int y = (h - size.cy) / 2;
  TextOutA(dc, 5, y, caption_.c_str(), static_cast<int>(caption_.size()));
  if (trademark_) {
    if (!markFont_) markFont_ = MakeFont("Arial", 8, 0);
    SelectIn mark(dc, markFont_.get());
    TextOutA(dc, 5 + size.cx, y, "TM", 2);
  }
}

LRESULT CSkinButton::OnLeftButtonUp(WPARAM wParam, LPARAM lParam) {
  if (!toggle_) return Default(WM_LBUTTONUP, wParam, lParam);
  // A toggle reports on release, once, with its new state already latched.
  const bool wasHeld = Held();
  SendMessageA(hwnd(), BM_SETSTATE, FALSE, 0);
  if (GetCapture() == hwnd()) ReleaseCapture();
  RECT client;
  GetClientRect(hwnd(), &client);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (wasHeld && PtInRect(&client, at)) {
    latched_ = !latched_;
    Invalidate();
    SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id(), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd()));
  }
  return 0;
}

LRESULT CSkinButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintBuffered();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(hwnd(), &screen);
      if (!hovered_) {
        if (GetActiveWindow() == GetAncestor(hwnd(), GA_ROOT) && WindowFromPoint(screen) == hwnd()) {
          hovered_ = true;
          if (GetCapture() != hwnd()) SetCapture(hwnd());
          Invalidate();
          Announce(true);
        }
      } else if (WindowFromPoint(screen) != hwnd()) {
        EndHoverByLeaving();
        if (!(wParam & MK_LBUTTON) && GetCapture() == hwnd()) ReleaseCapture();
      }
      return Default(message, wParam, lParam);
    }
    case WM_CAPTURECHANGED:
      // Lost to another window (or released after a click): the hover ends,
      // otherwise it would stay lit with no more moves arriving.
      if (reinterpret_cast<HWND>(lParam) != hwnd() && hovered_) EndHoverByLeaving();
      return Default(message, wParam, lParam);
    case WM_KILLFOCUS:
      if (hovered_) {
        hovered_ = false;
        if (GetCapture() == hwnd() && !Held()) ReleaseCapture();
      }
      Default(message, wParam, lParam);
      Invalidate();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      HWND root = GetAncestor(hwnd(), GA_ROOT);
      if (GetActiveWindow() != root) SetActiveWindow(root);
      const LRESULT r = Default(message, wParam, lParam);
      Invalidate();
      return r;
    }
    case WM_LBUTTONUP: {
      const LRESULT r = OnLeftButtonUp(wParam, lParam);
      Invalidate();
      return r;
    }
    case WM_SETCURSOR:
      if (handCursor_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(HandCursor());
        return TRUE;
      }
      return Default(message, wParam, lParam);
    case BM_SETSTATE:
    case BM_SETCHECK:
    case WM_ENABLE:
    case WM_SETFOCUS: {
      // The button would draw these through its parent; we draw ourselves.
      const LRESULT r = Default(message, wParam, lParam);
      Invalidate();
      return r;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace vextra
