// CSkinButton: a button drawn from four images (normal, hover, pressed,
// disabled), as a push button or a toggle that latches on release, with an
// optional caption, hover announcements and the hand cursor.
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/button_look.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_control_win.h"

namespace vextra {

class CSkinButton : public SkinControl {
 public:
  // Text "", visible child; `extraStyle` may add e.g. BS_DEFPUSHBUTTON, which
  // makes the button start in the hover state until it loses the focus.
  bool Create(const RECT& rect, HWND parent, int id, DWORD extraStyle = 0);

  // Copies of the four bitmaps become the button's images.
  void SetImages(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled);
  // Cuts the images from full-window sheets at `rect` and drops the border
  // and tab-stop styles.
  void SetImagesFromSheets(const SkinSheets& sheets, const RECT& rect);
  // Images from another control's images (a part of a composite control).
  void SetImagesFrom(const StateImages& source, const RECT& rect);

  void SetToggleMode(bool on);
  bool toggleMode() const { return toggle_; }
  void SetLatched(bool on);
  bool latched() const { return latched_; }
  void SetCaption(const std::string& text);
  void SetTrademark(bool on);
  void SetHandCursor(bool on) { handCursor_ = on; }
  void SetHover(bool on);
  bool hovered() const { return hovered_; }
  ButtonImage CurrentImage() const;

  // The program's hand cursor (default: the system's hand).
  static void SetProgramHandCursor(HCURSOR cursor);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnAttached() override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  void Announce(bool entering);
  void EndHoverByLeaving();
  bool Held() const;
  LRESULT OnLeftButtonUp(WPARAM wParam, LPARAM lParam);

  StateImages images_;
  std::string caption_;
  OwnedFont captionFont_;
  OwnedFont markFont_;
  bool toggle_ = false;
  bool latched_ = false;
  bool trademark_ = false;
  bool handCursor_ = false;
  bool hovered_ = false;
};

}  // namespace vextra
