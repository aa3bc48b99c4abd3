// CSpinEdit: a number field (a digits-only CBitmapEdit, id 401) with up and
// down arrows. Reports accepted values to its parent as WM_SPIN_CHANGED
// (value, id).
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/bitmap_edit_win.h"
#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CSpinEdit : public SkinControl {
 public:
  static constexpr int kUpId = 402;
  static constexpr int kDownId = 403;

  bool Create(const RECT& rect, HWND parent, int id);
  // The control's own images are cut at `rect`; the arrows are cut from them.
  void SetImagesFromSheets(const SkinSheets& sheets, const RECT& rect);

  void SetRange(int minimum, int maximum);
  void SetStep(int step) { step_ = step; }
  void SetValue(int value);
  int value() const { return value_; }
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  // One text for the field and both arrows.
  void SetHelpText(const std::string& text) override;

  CBitmapEdit& field() { return edit_; }
  CSkinButton& upButton() { return up_; }
  CSkinButton& downButton() { return down_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  void Step(bool up);
  void OnFieldChanged(bool enter);
  void Show(int value);

  int value_ = 0;
  int min_ = 0;
  int max_ = 10;
  int step_ = 1;
  StateImages images_;
  CBitmapEdit edit_;
  CSkinButton up_;
  CSkinButton down_;
};

}  // namespace vextra
