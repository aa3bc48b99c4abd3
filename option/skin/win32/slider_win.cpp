#include "option/skin/win32/slider_win.h"

#include <utility>

#include "option/skin/skin_messages.h"

namespace vextra {

bool CPHSlider::Create(UINT bitmapResource, int x, int y, int leftBound, int rightBound, HWND parent, int id,
                       bool shaped) {
  OwnedBitmap loaded = LoadSkinBitmap(bitmapResource);
  return Create(loaded.get(), x, y, leftBound, rightBound, parent, id, shaped);
}

bool CPHSlider::Create(HBITMAP thumb, int x, int y, int leftBound, int rightBound, HWND parent, int id,
                       bool shaped) {
  thumb_ = CopyBitmap(thumb);
  const SIZE size = BitmapSize(thumb_.get());
  if (!thumb_ || size.cx <= 0) return false;
  geometry_.leftBound = leftBound;
  geometry_.rightBound = rightBound;
  geometry_.thumbWidth = size.cx;
  geometry_.minimum = 0;
  geometry_.maximum = 10;
  left_ = x - size.cx / 2;
  top_ = y;
  const RECT rect{left_, y - size.cy / 2, left_ + size.cx, y - size.cy / 2 + size.cy};
  if (!CreateCustom(WS_EX_TOPMOST, WS_CHILD | WS_VISIBLE, rect, parent, id)) return false;
  if (shaped) {
    if (HRGN shape = CornerKeyRegion(thumb_.get())) {
      if (!SetWindowRgn(hwnd(), shape, TRUE)) DeleteObject(shape);
    }
  }
  return true;
}

void CPHSlider::SetRange(int minimum, int maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  geometry_.minimum = minimum;
  geometry_.maximum = maximum;
}

void CPHSlider::MoveThumb(int left) {
  left_ = left;
  if (hwnd()) SetWindowPos(hwnd(), nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPHSlider::SetPosition(int value) {
  value_ = geometry_.ClampValue(value);
  MoveThumb(geometry_.ThumbLeftFor(value_));
  Invalidate();
}

void CPHSlider::Report() {
  PostMessageA(GetParent(hwnd()), WM_SLIDER_CHANGED, static_cast<WPARAM>(value_), id());
}

LRESULT CPHSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      const SIZE size = BitmapSize(thumb_.get());
      MemoryCanvas canvas(dc, size.cx, size.cy);
      DrawBitmap(canvas.dc(), thumb_.get(), 0, 0, size.cx, size.cy);
      canvas.BlitTo(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      if (!dragEnabled_) break;
      SetCapture(hwnd());
      dragging_ = true;
      pressX_ = static_cast<short>(LOWORD(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (!dragging_) break;
      // The press point stays under the mouse: the thumb follows the mouse's
      // horizontal movement, inside its bounds.
      MoveThumb(geometry_.ClampThumbLeft(left_ + static_cast<short>(LOWORD(lParam)) - pressX_));
      value_ = geometry_.ClampValue(geometry_.DragValueAt(left_));
      Report();
      return 0;
    case WM_LBUTTONUP: {
      if (!dragging_) break;
      dragging_ = false;
      if (GetCapture() == hwnd()) ReleaseCapture();
      const double exact = geometry_.ExactValueAt(left_);
      DebugTrace("CPHSlider=%f\n", exact);
      value_ = SliderValueFromExact(exact, snap_, geometry_.minimum, geometry_.maximum);
      Report();
      if (snap_) MoveThumb(geometry_.ThumbLeftFor(value_));
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd()) dragging_ = false;
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

bool CclickHSlider::Create(UINT thumbResource, int left, int top, int right, int bottom, HWND parent, int id) {
  OwnedBitmap loaded = LoadSkinBitmap(thumbResource);
  return Create(loaded.get(), left, top, right, bottom, parent, id);
}

bool CclickHSlider::Create(HBITMAP thumb, int left, int top, int right, int bottom, HWND parent, int id) {
  if (!CreateCustom(0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, RECT{left, top, right, bottom}, parent, id))
    return false;
  if (!thumb_.Create(thumb, 0, 0, 0, right - left, hwnd(), id, true)) return false;
  thumb_.SetRange(min_, max_);
  thumb_.SetPosition(0);
  thumb_.EnableDrag(true);
  return true;
}

void CclickHSlider::SetTrackImage(int x, int y, int w, int h, HBITMAP source) {
  track_ = CutBitmap(source, RECT{x, y, x + w, y + h});
  Invalidate();
}

void CclickHSlider::SetRange(int minimum, int maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  min_ = minimum;
  max_ = maximum;
  thumb_.SetRange(minimum, maximum);
}

void CclickHSlider::SetPosition(int value) {
  thumb_.SetPosition(value);
  Invalidate();
}

void CclickHSlider::SetSnap(bool on) {
  snap_ = on;
  thumb_.SetSnap(on);
}

void CclickHSlider::OnClick(LPARAM lParam) {
  // In the parent's coordinates, as the track's rectangle is.
  RECT track;
  GetWindowRect(hwnd(), &track);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&track), 2);
  const int x = track.left + static_cast<short>(LOWORD(lParam));
  const double exact = TrackClickValue(x, track.left, track.right, min_, max_);
  DebugTrace("CclickHSlider=%f\n", exact);
  const int value = SliderValueFromExact(exact, snap_, min_, max_);
  thumb_.SetPosition(value);
  PostMessageA(GetParent(hwnd()), WM_SLIDER_CHANGED, static_cast<WPARAM>(value), id());
}

void CclickHSlider::PaintTo(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (track_) DrawBitmap(dc, track_.get(), 0, 0, client.right, client.bottom);
}

LRESULT CclickHSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, &result)) return result;
  switch (message) {
    case WM_LBUTTONUP:
      OnClick(lParam);
      return 0;
    case WM_SLIDER_CHANGED:
      PostMessageA(GetParent(hwnd()), WM_SLIDER_CHANGED, wParam, id());
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace vextra
