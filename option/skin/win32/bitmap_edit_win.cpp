#include "option/skin/win32/bitmap_edit_win.h"

#include <vector>

#include "option/skin/number_field.h"
#include "option/skin/skin_messages.h"

namespace vextra {

UINT CBitmapEdit::KillFocusMessage() {
  static const UINT message = RegisterWindowMessageA(kBitmapEditKillFocusMessage);
  return message;
}

void CBitmapEdit::SetFontSize(int height, int width) {
  fontHeight_ = height;
  fontWidth_ = width;
}

bool CBitmapEdit::Create(DWORD style, const RECT& rect, HWND parent, int id) {
  if (!CreateControl("EDIT", "", 0, style | WS_CHILD | ES_AUTOHSCROLL, rect, parent, id)) return false;
  font_ = MakeFont("Arial", fontHeight_, fontWidth_);
  SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  // The skin's fields are narrow ("6000" in 31 pixels): no room for the
  // font's default margins.
  SendMessageA(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
  return true;
}

void CBitmapEdit::SetColors(COLORREF text, COLORREF background) {
  text_ = text;
  background_ = background;
  brush_.reset();
  Invalidate();
}

void CBitmapEdit::SetLimit(int characters) {
  if (hwnd()) SendMessageA(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

std::string CBitmapEdit::GetText() const {
  if (!hwnd()) return std::string();
  const int n = GetWindowTextLengthA(hwnd());
  std::vector<char> text(static_cast<size_t>(n) + 1, '\0');
  GetWindowTextA(hwnd(), text.data(), n + 1);
  return std::string(text.data());
}

void CBitmapEdit::SetText(const std::string& text) {
  if (hwnd()) SetWindowTextA(hwnd(), text.c_str());
}

void CBitmapEdit::OnTextChanged() {
  if (digitsOnly_) {
    const std::string text = GetText();
    const std::string kept = KeepLeadingDigits(text, signAllowed_);
    if (kept != text) {
      // The rewrite comes back here as a change of its own, which notifies.
      SetText(kept);
      SendMessageA(hwnd(), EM_SETSEL, kept.size(), kept.size());
      return;
    }
  }
  Invalidate();
  PostMessageA(GetParent(hwnd()), WM_EDIT_CHANGED, 0, 0);
}

bool CBitmapEdit::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (!brush_) brush_.reset(CreateSolidBrush(background_));
      SetTextColor(dc, text_);
      SetBkColor(dc, background_);
      *result = reinterpret_cast<LRESULT>(brush_.get());
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) {
        OnTextChanged();
        *result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

LRESULT CBitmapEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackHover(message);
  switch (message) {
    case WM_KEYDOWN:
      // A swallowed key must not type either: its WM_CHAR is already queued
      // by the time the edit sees the key-down.
      swallowChar_ = digitsOnly_ && !IsNumberFieldKey(static_cast<unsigned>(wParam));
      if (swallowChar_) return 0;
      return Default(message, wParam, lParam);
    case WM_CHAR:
      if (swallowChar_) {
        swallowChar_ = false;
        return 0;
      }
      return Default(message, wParam, lParam);
    case WM_KEYUP:
      if (wParam == VK_RETURN) PostMessageA(GetParent(hwnd()), WM_EDIT_CHANGED, 13, 0);
      return Default(message, wParam, lParam);
    case WM_KILLFOCUS:
      PostMessageA(GetParent(hwnd()), KillFocusMessage(), 0, 0);
      return Default(message, wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace vextra
