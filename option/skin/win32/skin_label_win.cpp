#include "option/skin/win32/skin_label_win.h"

#include "option/skin/help_line_font.h"

namespace vextra {

bool CSkinLabel::Create(const RECT& rect, HWND parent, int id) {
  return CreateCustom(0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CSkinLabel::SetText(const std::string& text, bool highlighted) {
  text_ = text;
  highlighted_ = highlighted;
  // Also the window's text: screen readers and other programs can read it.
  if (hwnd()) SetWindowTextA(hwnd(), text_.c_str());
  Invalidate();
}

void CSkinLabel::SetCentred(bool on) {
  centred_ = on;
  font_.reset();
  Invalidate();
}

LRESULT CSkinLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, &result)) return result;
  return Default(message, wParam, lParam);
}

void CSkinLabel::PaintTo(HDC dc, const RECT& client) {
  OwnedBrush ground(CreateSolidBrush(RGB(2, 2, 2)));
  FillRect(dc, &client, ground.get());
  if (!font_) font_ = MakeFont("Arial", 14, centred_ ? 6 : 5);
  SelectIn font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, highlighted_ ? RGB(255, 255, 255) : RGB(115, 115, 115));
  RECT box = client;
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &box,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (centred_ ? DT_CENTER : DT_LEFT));
}

void CHelpLine::SetLanguage(int language) {
  language_ = language;
  font_.reset();
  Invalidate();
}

bool CHelpLine::Create(const RECT& rect, HWND parent, int id) {
  return CreateCustom(0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CHelpLine::SetBackground(HBITMAP background) {
  background_ = CopyBitmap(background);
  Invalidate();
}

void CHelpLine::SetText(const std::string& text) {
  text_ = text;
  if (hwnd()) SetWindowTextA(hwnd(), text_.c_str());
  Invalidate();
}

LRESULT CHelpLine::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, &result)) return result;
  return Default(message, wParam, lParam);
}

void CHelpLine::PaintTo(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (background_) DrawBitmap(dc, background_.get(), 0, 0, client.right, client.bottom);
  if (!font_) {
    const FontChoice f = HelpLineFont(language_);
    font_ = MakeFont(f.face, f.height, f.width);
  }
  SelectIn font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(100, 100, 100));
  RECT box = client;
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &box,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

bool CLedPreview::Create(const RECT& rect, HWND parent, int id) {
  return CreateCustom(0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CLedPreview::SetBackground(UINT bitmapResource) {
  OwnedBitmap loaded = LoadSkinBitmap(bitmapResource);
  SetBackground(loaded.get());
}

void CLedPreview::SetBackground(HBITMAP background) {
  background_ = CopyBitmap(background);
  Invalidate();
}

void CLedPreview::SetColor(COLORREF colour, int index) {
  if (index < 0 || index >= 4) return;
  colours_[index] = colour;
  if (index == 3) Invalidate();
}

LRESULT CLedPreview::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, &result)) return result;
  return Default(message, wParam, lParam);
}

void CLedPreview::PaintTo(HDC dc, const RECT& client) {
  static const RECT kDots[4] = {{6, 6, 10, 10}, {6, 13, 10, 17}, {13, 6, 17, 10}, {13, 13, 17, 17}};
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (background_) DrawBitmap(dc, background_.get(), 0, 0, client.right, client.bottom);
  for (int i = 0; i < 4; ++i) {
    OwnedBrush fill(CreateSolidBrush(colours_[i]));
    GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, colours_[i]));
    SelectIn brush(dc, fill.get());
    SelectIn pen(dc, outline.get());
    Ellipse(dc, kDots[i].left - 1, kDots[i].top - 1, kDots[i].right + 1, kDots[i].bottom + 1);
  }
}

}  // namespace vextra
