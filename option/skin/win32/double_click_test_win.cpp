#include "option/skin/win32/double_click_test_win.h"

#include <commctrl.h>
#include <mmsystem.h>

namespace vextra {

bool CDoubleClickTest::Create(const RECT& rect, HWND parent, int id) {
  if (!CreateControl("BUTTON", "", 0, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_NOTIFY, rect, parent, id))
    return false;
  const std::string path = ProgramFolderPath() + "wave\\double_click.bmp";
  picture_.reset(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  return true;
}

void CDoubleClickTest::OnDoubleClick() {
  ++doubleClicks_;
  if (!animationWindow_) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&icc);
    RECT client;
    GetClientRect(hwnd(), &client);
    animationWindow_ = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_CENTER, 0, 0,
                                       client.right, client.bottom, hwnd(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAnimationId)),
                                       GetModuleHandleA(nullptr), nullptr);
    if (animationWindow_) SendMessageA(animationWindow_, ACM_OPENA, 0, reinterpret_cast<LPARAM>(animation_.c_str()));
    pictureShown_ = false;
    Invalidate();
  }
  if (animationWindow_) SendMessageA(animationWindow_, ACM_PLAY, 1, MAKELONG(0, 0xFFFF));
  if (!sound_.empty()) PlaySoundA(sound_.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOWAIT);
}

void CDoubleClickTest::PaintTo(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (!pictureShown_ || !picture_) return;
  const SIZE size = BitmapSize(picture_.get());
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  {
    SelectIn in(source, picture_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, size.cx, size.cy, SRCCOPY);
  }
  DeleteDC(source);
}

LRESULT CDoubleClickTest::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, &result)) return result;
  switch (message) {
    case WM_LBUTTONDBLCLK: {
      // The button turns this into its double-click notification; acting on
      // it here keeps the control independent of its parent.
      const LRESULT r = Default(message, wParam, lParam);
      OnDoubleClick();
      return r;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == animationWindow_ && HIWORD(wParam) == ACN_STOP) {
        SendMessageA(animationWindow_, ACM_PLAY, 1, MAKELONG(0, 0));  // back to the first frame
        return 0;
      }
      return Default(message, wParam, lParam);
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT r = Default(message, wParam, lParam);
      Invalidate();
      return r;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace vextra
