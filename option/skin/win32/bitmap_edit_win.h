// CBitmapEdit: a single-line edit in the skin's colours, optionally limited
// to digits, that tells its parent about every change (WM_EDIT_CHANGED 0),
// a released Enter (WM_EDIT_CHANGED 13) and the loss of focus (registered
// "BitmapEdit_KillFocus"). Its parent must reflect notifications
// (CSkinDialog and CSpinEdit do).
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CBitmapEdit : public SkinControl {
 public:
  // Font size before Create (default Arial 14 x 6).
  void SetFontSize(int height, int width);
  // Adds the child and auto-horizontal-scroll styles.
  bool Create(DWORD style, const RECT& rect, HWND parent, int id);

  void SetColors(COLORREF text, COLORREF background);
  void SetDigitsOnly(bool on) { digitsOnly_ = on; }
  void SetSignAllowed(bool on) { signAllowed_ = on; }
  void SetLimit(int characters);

  std::string GetText() const;
  void SetText(const std::string& text);

  static UINT KillFocusMessage();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void OnTextChanged();

  COLORREF text_ = RGB(36, 36, 36);
  COLORREF background_ = RGB(255, 255, 255);
  OwnedBrush brush_;
  OwnedFont font_;
  int fontHeight_ = 14;
  int fontWidth_ = 6;
  bool digitsOnly_ = false;
  bool signAllowed_ = false;
  bool swallowChar_ = false;
};

}  // namespace vextra
