#include "option/skin/win32/skin_dialog_win.h"

#include <cstring>

#include "option/skin/layout.h"
#include "option/skin/skin_messages.h"
#include "option/skin/win32/owner_drawn_menu_win.h"

namespace vextra {

bool SkinPreTranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  for (HWND w = msg.hwnd; w; w = GetParent(w)) {
    if (auto* dialog = dynamic_cast<CSkinDialog*>(SkinWindow::FromHandle(w))) return dialog->SwallowsKey(msg.wParam);
    if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

void CSkinDialog::SetBackground(HBITMAP background) {
  background_ = CopyBitmap(background);
  if (hwnd()) {
    ApplyShape();
    Invalidate();
  }
}

bool CSkinDialog::IsTopLevel() const { return hwnd() && !(GetWindowLongPtrA(hwnd(), GWL_STYLE) & WS_CHILD); }

void CSkinDialog::ApplyShape() {
  if (!(IsTopLevel() || modal_) || !background_) return;
  if (HRGN shape = BitmapToRegion(background_.get(), RGB(255, 255, 255), 0)) {
    if (!SetWindowRgn(hwnd(), shape, TRUE)) DeleteObject(shape);  // owned by the window once set
  }
}

bool CSkinDialog::Create(HWND parent, const RECT& rect, bool child) {
  const DWORD style = child ? (WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS) : (WS_POPUP | WS_CLIPCHILDREN | extraStyle_);
  if (!CreateDialogWindow(style, child ? WS_EX_CONTROLPARENT : 0, rect, parent)) return false;
  ApplyShape();
  OnInitDialog();
  ShowWindow(hwnd(), child ? SW_SHOWNA : SW_SHOW);
  return true;
}

INT_PTR CSkinDialog::DoModal(HWND owner, const POINT* topLeft) {
  const SIZE size = BitmapSize(background_.get());
  RECT area{};
  if (owner)
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int w = size.cx > 0 ? size.cx : 300, h = size.cy > 0 ? size.cy : 200;
  const int x = topLeft ? topLeft->x : (area.left + area.right - w) / 2;
  const int y = topLeft ? topLeft->y : (area.top + area.bottom - h) / 2;
  // A dialog that lies wholly inside its owner is made a child of it. It
  // looks and acts the same (the loop below keeps input from the owner's
  // other windows), and it is shown where a top-level window wholly inside
  // another one is not (Wine's X11 driver never shows such a window's picture).
  RECT ownerRect{};
  const bool inside = owner && GetWindowRect(owner, &ownerRect) && x >= ownerRect.left && y >= ownerRect.top &&
                      x + w <= ownerRect.right && y + h <= ownerRect.bottom;
  if (inside) {
    POINT at{x, y};
    ScreenToClient(owner, &at);
    if (!CreateDialogWindow(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                            RECT{at.x, at.y, at.x + w, at.y + h}, owner, true))
      return -1;
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (!CreateDialogWindow(WS_POPUP | WS_CLIPCHILDREN | extraStyle_, 0, RECT{x, y, x + w, y + h}, owner, true)) {
    return -1;
  }
  modal_ = true;
  ended_ = false;
  result_ = IDCANCEL;
  ApplyShape();
  OnInitDialog();
  const bool ownerEnabled = !inside && owner && IsWindowEnabled(owner);
  // A control of the owner may hold the mouse (a hovered button does): the
  // dialog takes over now.
  if (GetCapture()) ReleaseCapture();
  if (ownerEnabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  if (!inside) SetActiveWindow(hwnd());
  if (!IsChild(hwnd(), GetFocus())) SetFocus(hwnd());
  while (!ended_ && hwnd()) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program's loop must see it too
      break;
    }
    if (got < 0) break;
    // While a child dialog is up, the owner's other windows take no input.
    const bool input = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                       (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                       (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK);
    if (inside && input && msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd) &&
        (msg.hwnd == owner || IsChild(owner, msg.hwnd)))
      continue;
    if (SkinPreTranslateMessage(msg) || IsDialogMessageA(hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The owner comes back before this window goes, so that it gets the activation.
  if (ownerEnabled) EnableWindow(owner, TRUE);
  if (hwnd()) {
    ShowWindow(hwnd(), SW_HIDE);
    if (owner && !inside) SetActiveWindow(owner);
    if (owner && inside) SetFocus(owner);
    Destroy();
  }
  modal_ = false;
  return result_;
}

void CSkinDialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (!hwnd()) return;
  if (modal_)
    PostMessageA(hwnd(), WM_NULL, 0, 0);  // wake the modal loop
  else
    ShowWindow(hwnd(), SW_HIDE);
}

bool CSkinDialog::AddLayoutButton(CSkinButton& button, const char* layout, int id, const SkinSheets& sheets) {
  LayoutEntry e;
  ParseLayout(layout, e);
  const RECT rect{e.left, e.top, e.right, e.bottom};
  if (!button.Create(rect, hwnd(), id)) return false;
  button.SetImagesFromSheets(sheets, rect);
  button.SetHelpText(e.help);
  if (std::strcmp(e.name, "BUTTON_OK") == 0)
    endings_[id] = IDOK;
  else if (std::strcmp(e.name, "BUTTON_CANCEL") == 0 || std::strcmp(e.name, "BUTTON_EXIT") == 0)
    endings_[id] = IDCANCEL;
  return true;
}

void CSkinDialog::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  RECT client;
  GetClientRect(hwnd(), &client);
  MemoryCanvas canvas(dc, client.right, client.bottom);
  FillRect(canvas.dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (background_) DrawBitmap(canvas.dc(), background_.get(), 0, 0, client.right, client.bottom);
  PaintContent(canvas.dc());
  canvas.BlitTo(dc);
  EndPaint(hwnd(), &ps);
}

LRESULT CSkinDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (OwnerDrawnMenu::Handle(message, wParam, lParam, &reflected)) return reflected;
  if (ReflectToChild(message, wParam, lParam, &reflected)) return reflected;
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: {
      // Dragging the background moves the window: a caption press for the
      // top-level window under the mouse (a page's is its main window).
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(hwnd(), &at);
      HWND target = IsTopLevel() ? hwnd() : GetAncestor(hwnd(), GA_ROOT);
      PostMessageA(target, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
      return 0;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      auto ending = endings_.find(id);
      if (control && code == BN_CLICKED && ending != endings_.end()) {
        EndDialog(ending->second);
        return 0;
      }
      if (OnCommand(id, code, control)) return 0;
      return Default(message, wParam, lParam);
    }
    case WM_CLOSE:
      if (modal_) {
        EndDialog(IDCANCEL);
        return 0;
      }
      return Default(message, wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

CConfirmDialog::CConfirmDialog(const SkinSheets& sheets, Row row, std::string text)
    : sheets_(sheets), row_(row), text_(std::move(text)) {
  SetBackground(sheets.normal);
}

void CConfirmDialog::OnInitDialog() {
  if (row_ == Row::kWithExit) {
    AddLayoutButton(ok_, kConfirmOkLayout, IDOK, sheets_);
    AddLayoutButton(cancel_, kConfirmCancelLayout, IDCANCEL, sheets_);
    AddLayoutButton(exit_, kConfirmExitLayout, kExitId, sheets_);
  } else {
    AddLayoutButton(ok_, kConfirmLowOkLayout, IDOK, sheets_);
    AddLayoutButton(cancel_, kConfirmLowCancelLayout, IDCANCEL, sheets_);
  }
}

void CConfirmDialog::PaintContent(HDC dc) {
  if (text_.empty()) return;
  if (!font_) font_ = MakeFont("Arial", 14, 0);
  SelectIn font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT box{20, 50, 220, 94};
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace vextra
