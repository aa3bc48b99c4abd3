// CDoubleClickTest: the area where the user tries the double-click speed. It
// shows the picture "wave\double_click.bmp" of the program folder; a double
// click plays the animation file once in a child animation control and the
// sound file asynchronously.
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CDoubleClickTest : public SkinControl {
 public:
  static constexpr int kAnimationId = 1;

  void SetAnimationFile(const std::string& path) { animation_ = path; }
  void SetSoundFile(const std::string& path) { sound_ = path; }
  // Owner-drawn button; loads the picture.
  bool Create(const RECT& rect, HWND parent, int id);

  HWND animationWindow() const { return animationWindow_; }
  bool pictureShown() const { return pictureShown_; }
  int doubleClicks() const { return doubleClicks_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  void OnDoubleClick();

  std::string animation_;
  std::string sound_;
  OwnedBitmap picture_;
  HWND animationWindow_ = nullptr;  // a child: destroyed with the button
  bool pictureShown_ = true;
  int doubleClicks_ = 0;
};

}  // namespace vextra
