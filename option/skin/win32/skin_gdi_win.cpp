#include "option/skin/win32/skin_gdi_win.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "option/skin/region_runs.h"

namespace vextra {

MemoryCanvas::MemoryCanvas(HDC reference, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  dc_ = CreateCompatibleDC(reference);
  bitmap_ = reference ? CreateCompatibleBitmap(reference, width_, height_) : nullptr;
  if (!bitmap_) {
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(nullptr, screen);
  }
  if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_);
}

MemoryCanvas::~MemoryCanvas() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void MemoryCanvas::BlitTo(HDC target, int x, int y) const {
  if (ok()) BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
  return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
  if (!bitmap) return;
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  {
    SelectIn in(source, bitmap);
    BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
  }
  DeleteDC(source);
}

OwnedBitmap CutBitmap(HBITMAP source, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!source || w <= 0 || h <= 0) return OwnedBitmap();
  // A 32-bit DIB section and two memory DCs: no screen DC to ask the window
  // system for, which matters when a window cuts hundreds of images.
  OwnedBitmap cut = NewDib32(w, h);
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  if (cut && from && to) {
    SelectIn inFrom(from, source);
    SelectIn inTo(to, cut.get());
    PatBlt(to, 0, 0, w, h, BLACKNESS);
    BitBlt(to, 0, 0, w, h, from, rect.left, rect.top, SRCCOPY);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  return cut;
}

OwnedBitmap NewDib32(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  OwnedBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (bits) *bits = pixels;
  return dib;
}

OwnedBitmap LoadSkinBitmap(UINT resource) {
  return OwnedBitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

OwnedBitmap CopyBitmap(HBITMAP source) {
  const SIZE size = BitmapSize(source);
  return CutBitmap(source, RECT{0, 0, size.cx, size.cy});
}

OwnedFont MakeFont(const char* face, int height, int width) {
  return OwnedFont(CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, face));
}

bool StateImages::FromSheets(const SkinSheets& sheets, const RECT& rect) {
  images_[0] = CutBitmap(sheets.normal, rect);
  images_[1] = CutBitmap(sheets.hover, rect);
  images_[2] = CutBitmap(sheets.pressed, rect);
  images_[3] = CutBitmap(sheets.disabled, rect);
  return !empty();
}

bool StateImages::FromBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled) {
  images_[0] = CopyBitmap(normal);
  images_[1] = CopyBitmap(hover);
  images_[2] = CopyBitmap(pressed);
  images_[3] = CopyBitmap(disabled);
  return !empty();
}

bool StateImages::FromImages(const StateImages& source, const RECT& rect) {
  for (int i = 0; i < 4; ++i) images_[i] = CutBitmap(source.images_[i].get(), rect);
  return !empty();
}

namespace {

// The bitmap's pixels as 0x00RRGGBB, row 0 at the top.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t>& pixels, int& width, int& height) {
  const SIZE size = BitmapSize(bitmap);
  width = size.cx;
  height = size.cy;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  pixels.assign(static_cast<size_t>(width) * height, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  bool ok = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
  if (!ok) {
    // The bitmap may be selected into some other DC, where GetDIBits refuses
    // it: copy it through a DIB section instead.
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(nullptr);
    if (dib && from) {
      SelectIn inDib(dc, dib);
      SelectIn inFrom(from, bitmap);
      ok = BitBlt(dc, 0, 0, width, height, from, 0, 0, SRCCOPY) != FALSE;
      GdiFlush();
      if (ok) std::copy_n(static_cast<const uint32_t*>(bits), pixels.size(), pixels.begin());
    }
    if (from) DeleteDC(from);
    if (dib) DeleteObject(dib);
  }
  DeleteDC(dc);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return ok;
}

HRGN RegionOfRects(const std::vector<RunRect>& rects) {
  std::vector<char> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bound{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (size_t i = 0; i < rects.size(); ++i) {
    out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    bound.left = std::min(bound.left, out[i].left);
    bound.top = std::min(bound.top, out[i].top);
    bound.right = std::max(bound.right, out[i].right);
    bound.bottom = std::max(bound.bottom, out[i].bottom);
  }
  data->rdh.rcBound = bound;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

}  // namespace

HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance) {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (!bitmap || !ReadPixels(bitmap, pixels, width, height)) return nullptr;
  const KeyRange range(Rgb{GetRValue(key), GetGValue(key), GetBValue(key)},
                       Rgb{GetRValue(tolerance), GetGValue(tolerance), GetBValue(tolerance)});
  HRGN result = nullptr;
  bool failed = false;
  CollectOpaqueRuns(pixels.data(), width, height, width, range, kRegionChunkRects,
                    [&](const std::vector<RunRect>& chunk) {
                      HRGN part = RegionOfRects(chunk);
                      if (!part) {
                        failed = true;
                        return;
                      }
                      if (!result) {
                        result = part;
                      } else {
                        CombineRgn(result, result, part, RGN_OR);
                        DeleteObject(part);
                      }
                    });
  if (failed) {
    if (result) DeleteObject(result);
    return nullptr;
  }
  return result ? result : CreateRectRgn(0, 0, 0, 0);  // every pixel keyed: nothing shows
}

HRGN CornerKeyRegion(HBITMAP bitmap) {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (!bitmap || !ReadPixels(bitmap, pixels, width, height)) return nullptr;
  HRGN region = CreateRectRgn(0, 0, width, height);
  HRGN dot = CreateRectRgn(0, 0, 1, 1);
  if (!region || !dot) {
    if (region) DeleteObject(region);
    if (dot) DeleteObject(dot);
    return nullptr;
  }
  const uint32_t key = pixels[0];
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (pixels[static_cast<size_t>(y) * width + x] != key) continue;
      SetRectRgn(dot, x, y, x + 1, y + 1);
      CombineRgn(region, region, dot, RGN_XOR);
    }
  }
  DeleteObject(dot);
  return region;
}

std::string ProgramFolderPath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string folder(path, n);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

void DebugTrace(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  OutputDebugStringA(text);
}

}  // namespace vextra
