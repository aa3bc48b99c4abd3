// Skin sheets and small bitmaps for the gallery and the Wine tests, drawn in
// code (the product's own skins are not needed to show or test a control).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "option/skin/gallery/sample_images.h"
#include "option/skin/win32/skin_gdi_win.h"

namespace vextra {
namespace sample {

// A 32-bit DIB section holding the pixels (0x00RRGGBB, top row first).
inline OwnedBitmap BitmapFromPixels(const std::vector<uint32_t>& pixels, int width, int height) {
  void* bits = nullptr;
  OwnedBitmap bitmap = NewDib32(width, height, &bits);
  if (bitmap && bits) CopyMemory(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
  return bitmap;
}

struct Face {
  RECT rect;
  std::string label;  // drawn on the face in every state; empty = none
  bool groove = false;  // a slider track: a thin groove along the middle instead of a face
};

// Face colours per state: normal, hover, pressed, disabled.
constexpr COLORREF kFaceColour[4] = {RGB(58, 66, 84), RGB(36, 112, 190), RGB(196, 112, 28), RGB(64, 64, 64)};
constexpr COLORREF kFaceText[4] = {RGB(220, 220, 220), RGB(255, 255, 255), RGB(255, 255, 255), RGB(120, 120, 120)};

// The four sheets of a window: the dark background with the faces of its
// controls drawn in each state's colours.
struct Sheets {
  OwnedBitmap bitmap[4];
  SkinSheets view() const { return SkinSheets{bitmap[0].get(), bitmap[1].get(), bitmap[2].get(), bitmap[3].get()}; }
};

inline Sheets MakeSheets(int width, int height, const std::vector<Face>& faces,
                         const std::vector<std::pair<POINT, std::string>>& texts = {},
                         const std::vector<uint32_t>& background = {}) {
  const std::vector<uint32_t> ground = background.empty() ? DarkSkinBackground(width, height) : background;
  Sheets sheets;
  OwnedFont font = MakeFont("Arial", 13, 0);
  for (int s = 0; s < 4; ++s) {
    sheets.bitmap[s] = BitmapFromPixels(ground, width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    {
      SelectIn in(dc, sheets.bitmap[s].get());
      SelectIn withFont(dc, font.get());
      SetBkMode(dc, TRANSPARENT);
      OwnedBrush brush(CreateSolidBrush(kFaceColour[s]));
      GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, s == 1 ? RGB(120, 190, 255) : RGB(110, 110, 120)));
      SelectIn withBrush(dc, brush.get());
      SelectIn withPen(dc, pen.get());
      for (const Face& f : faces) {
        if (f.groove) {
          const int mid = (f.rect.top + f.rect.bottom) / 2;
          RECT groove{f.rect.left + 4, mid - 2, f.rect.right - 4, mid + 2};
          FillRect(dc, &groove, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
          OwnedBrush lit(CreateSolidBrush(RGB(90, 100, 120)));
          groove.top = groove.bottom - 1;
          FillRect(dc, &groove, lit.get());
          continue;
        }
        RoundRect(dc, f.rect.left, f.rect.top, f.rect.right, f.rect.bottom, 6, 6);
        SetTextColor(dc, kFaceText[s]);
        RECT r = f.rect;
        DrawTextA(dc, f.label.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      SetTextColor(dc, RGB(200, 200, 200));
      for (const auto& t : texts) TextOutA(dc, t.first.x, t.first.y, t.second.c_str(), static_cast<int>(t.second.size()));
    }
    DeleteDC(dc);
  }
  return sheets;
}

// A 20 x 24 slider thumb: a light bar with magenta corners that the shaped
// thumb cuts away.
inline OwnedBitmap MakeThumb(int width = 20, int height = 24) {
  std::vector<uint32_t> px(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool corner = (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
      const bool rim = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      px[static_cast<size_t>(y) * width + x] = corner ? 0xFF00FF : (rim ? 0x2080C0 : 0xC8D8E8 - (y * 0x020202));
    }
  }
  return BitmapFromPixels(px, width, height);
}

inline OwnedBitmap SolidBitmap(int width, int height, uint32_t rgb) {
  return BitmapFromPixels(std::vector<uint32_t>(static_cast<size_t>(width) * height, rgb), width, height);
}

// A 64 x 48 animated GIF of three frames: a full dark frame, a small square
// that is restored afterwards (disposal 3) and a bar cleared to the
// background (disposal 2); delays 3, 20 and 10 hundredths.
inline std::vector<uint8_t> AnimatedGif() {
  const std::vector<uint32_t> palette = {0x101820, 0xE03030, 0x30C060, 0x3070E0, 0xFFFFFF};
  GifImage a = SolidImage(0, 0, 64, 48, 0, 3, 1);
  for (int y = 10; y < 38; ++y)
    for (int x = 6; x < 58; x += 2) a.pixels[static_cast<size_t>(y) * 64 + x] = 3;
  GifImage b = SolidImage(20, 12, 24, 24, 1, 20, 3);
  GifImage c = SolidImage(4, 36, 56, 8, 2, 10, 2);
  return MakeGif(64, 48, palette, 4, {a, b, c});
}

inline std::vector<uint8_t> StillGif() {
  const std::vector<uint32_t> palette = {0x202020, 0xF0C040};
  GifImage a = SolidImage(0, 0, 64, 48, 0, 0, 0);
  for (int y = 8; y < 40; ++y)
    for (int x = 8; x < 56; ++x)
      if ((x - 32) * (x - 32) + (y - 24) * (y - 24) < 14 * 14) a.pixels[static_cast<size_t>(y) * 64 + x] = 1;
  return MakeGif(64, 48, palette, 0, {a});
}

// A bottom-up 24-bit BMP file of one colour with a frame (the double-click
// test's picture).
inline std::vector<uint8_t> BmpFile(int width, int height, uint32_t rgb) {
  const int stride = (width * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> f(54 + dataSize, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, static_cast<uint32_t>(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  f[26] = 1;
  f[28] = 24;
  put32(34, dataSize);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      const uint32_t c = edge ? 0xFFFFFF : rgb;
      uint8_t* p = &f[54 + static_cast<size_t>(y) * stride + x * 3];
      p[0] = static_cast<uint8_t>(c);
      p[1] = static_cast<uint8_t>(c >> 8);
      p[2] = static_cast<uint8_t>(c >> 16);
    }
  }
  return f;
}

}  // namespace sample
}  // namespace vextra
