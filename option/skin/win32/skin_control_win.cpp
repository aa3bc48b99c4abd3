#include "option/skin/win32/skin_control_win.h"

#include "option/skin/win32/skin_gdi_win.h"

namespace vextra {

void SkinControl::PaintBuffered() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  {
    MemoryCanvas canvas(dc, client.right, client.bottom);
    if (canvas.ok()) {
      PaintTo(canvas.dc(), client);
      canvas.BlitTo(dc);
    } else {
      PaintTo(dc, client);  // no memory for a canvas: straight to the screen
    }
  }
  EndPaint(hwnd(), &ps);
}

void SkinControl::TrackHover(UINT message) {
  if (hover_.Entered(hwnd(), message) && ShowsHelp()) ShowHoverHelp(help_);
}

bool SkinControl::HandleCommon(UINT message, LRESULT* result) {
  TrackHover(message);
  switch (message) {
    case WM_PAINT:
      PaintBuffered();
      *result = 0;
      return true;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace vextra
