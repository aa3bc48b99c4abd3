#include "option/skin/region_runs.h"

#include <algorithm>

namespace vextra {

KeyRange::KeyRange(Rgb key, Rgb tolerance) {
  const uint8_t channels[3] = {key.r, key.g, key.b};
  const uint8_t tol[3] = {tolerance.r, tolerance.g, tolerance.b};
  for (int i = 0; i < 3; ++i) {
    lo_[i] = channels[i];
    hi_[i] = static_cast<uint32_t>(std::min(channels[i] + tol[i], 255));
  }
}

void CollectOpaqueRuns(const uint32_t* pixels, int width, int height, ptrdiff_t stride,
                       const KeyRange& key, size_t chunk,
                       const std::function<void(const std::vector<RunRect>&)>& flush) {
  if (!pixels || width <= 0 || height <= 0) return;
  chunk = std::max<size_t>(chunk, 1);
  std::vector<RunRect> rects;
  rects.reserve(std::min<size_t>(100, chunk));
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + y * stride;
    int x = 0;
    while (x < width) {
      while (x < width && key.Contains(row[x])) ++x;
      if (x == width) break;
      const int x0 = x;
      while (x < width && !key.Contains(row[x])) ++x;
      // Room grows by 100 rectangles at a time, as the region data buffer does.
      if (rects.size() == rects.capacity()) rects.reserve(std::min(rects.capacity() + 100, chunk));
      rects.push_back({x0, y, x, y + 1});
      if (rects.size() >= chunk) {
        flush(rects);
        rects.clear();
      }
    }
  }
  if (!rects.empty()) flush(rects);
}

std::vector<RunRect> OpaqueRuns(const uint32_t* pixels, int width, int height, ptrdiff_t stride,
                                const KeyRange& key) {
  std::vector<RunRect> all;
  CollectOpaqueRuns(pixels, width, height, stride, key, kRegionChunkRects,
                    [&](const std::vector<RunRect>& part) { all.insert(all.end(), part.begin(), part.end()); });
  return all;
}

}  // namespace vextra
