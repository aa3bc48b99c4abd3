#include "option/skin/win32/skin_label_win.h"

#include "option/skin/help_line_font.h"

namespace vextra {

bool CSkinLabel::Create(const RECT& rect, HWND parent, int id) {
  return CreateCustom(0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CSkinLabel::SetText(const std::string& text, bool highlighted) {
  text_ = text;
  highlighted_ = highlighted;
  Invalidate();
}

void CSkinLabel::SetCentred(bool on) {
  centred_ = on;
  font_.reset();
  Invalidate();
}

LRESULT CSkinLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (hover_.Entered(hwnd(), message) && helpEnabled_) ShowHoverHelp(help_);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      MemoryCanvas canvas(dc, client.right, client.bottom);
      OwnedBrush ground(CreateSolidBrush(RGB(2, 2, 2)));
      FillRect(canvas.dc(), &client, ground.get());
      if (!font_) font_ = MakeFont("Arial", 14, centred_ ? 6 : 5);
      {
        SelectIn font(canvas.dc(), font_.get());
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), highlighted_ ? RGB(255, 255, 255) : RGB(115, 115, 115));
        DrawTextA(canvas.dc(), text_.c_str(), static_cast<int>(text_.size()), &client,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (centred_ ? DT_CENTER : DT_LEFT));
      }
      canvas.BlitTo(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return Default(message, wParam, lParam);
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
  Invalidate();
}

LRESULT CHelpLine::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      MemoryCanvas canvas(dc, client.right, client.bottom);
      FillRect(canvas.dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      if (background_) DrawBitmap(canvas.dc(), background_.get(), 0, 0, client.right, client.bottom);
      if (!font_) {
        const FontChoice f = HelpLineFont(language_);
        font_ = MakeFont(f.face, f.height, f.width);
      }
      {
        SelectIn font(canvas.dc(), font_.get());
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), RGB(100, 100, 100));
        DrawTextA(canvas.dc(), text_.c_str(), static_cast<int>(text_.size()), &client,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
      }
      canvas.BlitTo(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return Default(message, wParam, lParam);
  }
}

bool CLedPreview::Create(const RECT& rect, HWND parent, int id) {
  return CreateCustom(0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

void CLedPreview::SetBackground(UINT bitmapResource) {
  OwnedBitmap loaded(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapResource)));
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
  if (hover_.Entered(hwnd(), message)) ShowHoverHelp(help_);
  static const RECT kDots[4] = {{6, 6, 10, 10}, {6, 13, 10, 17}, {13, 6, 17, 10}, {13, 13, 17, 17}};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      RECT client;
      GetClientRect(hwnd(), &client);
      MemoryCanvas canvas(dc, client.right, client.bottom);
      FillRect(canvas.dc(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      if (background_) DrawBitmap(canvas.dc(), background_.get(), 0, 0, client.right, client.bottom);
      for (int i = 0; i < 4; ++i) {
        OwnedBrush fill(CreateSolidBrush(colours_[i]));
        GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, colours_[i]));
        SelectIn brush(canvas.dc(), fill.get());
        SelectIn pen(canvas.dc(), outline.get());
        Ellipse(canvas.dc(), kDots[i].left - 1, kDots[i].top - 1, kDots[i].right + 1, kDots[i].bottom + 1);
      }
      canvas.BlitTo(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace vextra
