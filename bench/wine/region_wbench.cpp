// BitmapToRegion of an 800 x 600 main-window background (dark picture with
// white corners, title notches and a ragged border), the shape every skinned
// top-level window takes when it is created. Prints the median of many runs
// for a DIB section and for a display-compatible bitmap (what a bitmap
// resource loads as).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "option/skin/gallery/sample_bitmaps_win.h"
#include "option/skin/region_runs.h"
#include "option/skin/win32/skin_gdi_win.h"

using namespace vextra;

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

struct Figures {
  double median, best, worst;
  DWORD rects;
};

Figures Measure(HBITMAP bitmap, int runs) {
  std::vector<double> times;
  DWORD rects = 0;
  for (int i = 0; i < runs; ++i) {
    const double t = Now();
    HRGN region = BitmapToRegion(bitmap, RGB(255, 255, 255), 0);
    times.push_back(Now() - t);
    if (region) {
      rects = GetRegionData(region, 0, nullptr);
      DeleteObject(region);
    }
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back(),
          rects > sizeof(RGNDATAHEADER) ? static_cast<DWORD>((rects - sizeof(RGNDATAHEADER)) / sizeof(RECT)) : 0};
}

}  // namespace

int main() {
  const int w = 800, h = 600, runs = 60;
  const std::vector<uint32_t> pixels = sample::DarkSkinBackground(w, h);
  const size_t runRects = OpaqueRuns(pixels.data(), w, h, w, KeyRange({255, 255, 255}, 0)).size();
  OwnedBitmap dib = sample::BitmapFromPixels(pixels, w, h);
  OwnedBitmap ddb = CopyBitmap(dib.get());
  Measure(dib.get(), 3);  // warm up GDI
  const Figures a = Measure(dib.get(), runs);
  const Figures b = Measure(ddb.get(), runs);
  std::printf("BitmapToRegion %dx%d, %zu runs\n", w, h, runRects);
  std::printf("  DIB section:  median %.2f ms (best %.2f, worst %.2f), region of %lu rectangles\n", a.median, a.best,
              a.worst, static_cast<unsigned long>(a.rects));
  std::printf("  display DDB:  median %.2f ms (best %.2f, worst %.2f), region of %lu rectangles\n", b.median, b.best,
              b.worst, static_cast<unsigned long>(b.rects));
  std::printf("  target: under 10 ms -> %s\n", std::max(a.median, b.median) < 10.0 ? "met" : "NOT met");

  // A harsher skin: a dithered see-through band 40 pixels wide along every
  // edge (every fourth pixel keyed), several thousand runs in many chunks.
  std::vector<uint32_t> dithered = pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((x < 40 || y < 40 || x >= w - 40 || y >= h - 40) && (x + y) % 4 == 0) dithered[static_cast<size_t>(y) * w + x] = 0xFFFFFF;
  const size_t ditherRuns = OpaqueRuns(dithered.data(), w, h, w, KeyRange({255, 255, 255}, 0)).size();
  OwnedBitmap hard = sample::BitmapFromPixels(dithered, w, h);
  const Figures c = Measure(hard.get(), runs);
  std::printf("  dithered border (%zu runs): median %.2f ms (best %.2f, worst %.2f)\n", ditherRuns, c.median, c.best,
              c.worst);
  return 0;
}
