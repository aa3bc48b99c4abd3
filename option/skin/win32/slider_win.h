// CPHSlider (the draggable thumb) and CclickHSlider (the clickable track
// that holds one). Both report WM_SLIDER_CHANGED (value, id) to their parent.
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/slider_math.h"
#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CPHSlider : public SkinWindow {
 public:
  // A visible child of the bitmap's size centred on (x, y); the thumb's left
  // edge travels between the bounds. Range 0 ... 10, dragging on. With
  // `shaped`, every pixel of the colour of pixel (0,0) is cut out.
  bool Create(UINT bitmapResource, int x, int y, int leftBound, int rightBound, HWND parent, int id, bool shaped);
  bool Create(HBITMAP thumb, int x, int y, int leftBound, int rightBound, HWND parent, int id, bool shaped);

  void SetPosition(int value);
  int position() const { return value_; }
  void SetRange(int minimum, int maximum);
  void EnableDrag(bool on) { dragEnabled_ = on; }
  void SetSnap(bool on) { snap_ = on; }
  bool dragging() const { return dragging_; }
  const SliderGeometry& geometry() const { return geometry_; }
  int thumbLeft() const { return left_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void MoveThumb(int left);
  void Report();

  OwnedBitmap thumb_;
  SliderGeometry geometry_;
  int value_ = 0;
  int left_ = 0;
  int top_ = 0;
  int pressX_ = 0;
  bool dragEnabled_ = true;
  bool dragging_ = false;
  bool snap_ = false;
};

class CclickHSlider : public SkinControl {
 public:
  // The track at (left, top, right, bottom) with its thumb (shaped, at the
  // track's top, bounds 0 ... track width, same id). Range 0 ... 10.
  bool Create(UINT thumbResource, int left, int top, int right, int bottom, HWND parent, int id);
  bool Create(HBITMAP thumb, int left, int top, int right, int bottom, HWND parent, int id);

  // The track's background: (x, y, w, h) of a page bitmap.
  void SetTrackImage(int x, int y, int w, int h, HBITMAP source);
  void SetRange(int minimum, int maximum);
  void SetPosition(int value);
  int position() const { return thumb_.position(); }
  void SetSnap(bool on);
  CPHSlider& thumb() { return thumb_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  bool Finish(bool created);
  void OnClick(LPARAM lParam);

  CPHSlider thumb_;
  OwnedBitmap track_;
  int min_ = 0;
  int max_ = 10;
  bool snap_ = false;
};

}  // namespace vextra
