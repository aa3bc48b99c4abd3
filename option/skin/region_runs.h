// The pixel side of window regions made from bitmaps: which pixels belong to
// the window (those outside a key colour range) as one rectangle per run of
// such pixels in a row, handed out in bounded chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace vextra {

struct Rgb {
  uint8_t r, g, b;
};

struct RunRect {
  int32_t left, top, right, bottom;
  bool operator==(const RunRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// key ... min(key + tolerance, 255) per channel (one tolerance or one per channel); a pixel is keyed only when
// all three channels are inside.
class KeyRange {
 public:
  KeyRange(Rgb key, int tolerance) : KeyRange(key, Rgb{Cap(tolerance), Cap(tolerance), Cap(tolerance)}) {}
  KeyRange(Rgb key, Rgb tolerance);
  // pixel as stored in a 32-bit DIB: 0x00RRGGBB
  bool Contains(uint32_t pixel) const {
    const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r >= lo_[0] && r <= hi_[0] && g >= lo_[1] && g <= hi_[1] && b >= lo_[2] && b <= hi_[2];
  }

 private:
  static uint8_t Cap(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }
  uint32_t lo_[3], hi_[3];
};

constexpr size_t kRegionChunkRects = 2000;

// Walks rows from the top (row y starts at pixels + y * stride); for every
// maximal run x0..x1-1 of pixels outside `key` adds (x0, y, x1, y + 1).
// Rectangles are handed to `flush` in chunks of at most `chunk` (the last
// chunk may be shorter; nothing is flushed when there are no runs).
void CollectOpaqueRuns(const uint32_t* pixels, int width, int height, ptrdiff_t stride,
                       const KeyRange& key, size_t chunk,
                       const std::function<void(const std::vector<RunRect>&)>& flush);

// All runs at once (tests, small bitmaps).
std::vector<RunRect> OpaqueRuns(const uint32_t* pixels, int width, int height, ptrdiff_t stride,
                                const KeyRange& key);

}  // namespace vextra
