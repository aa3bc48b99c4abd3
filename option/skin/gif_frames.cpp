#include "option/skin/gif_frames.h"

#include <cstring>

namespace vextra {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kScreenSize = 7;
constexpr size_t kDescriptorSize = 10;  // ',' + 9 bytes

unsigned Word(const uint8_t* p) { return p[0] | (p[1] << 8); }

size_t ColourTableBytes(uint8_t packed) { return (packed & 0x80) ? 3u << ((packed & 7) + 1) : 0; }

// Skips data sub-blocks from p; returns the offset after the terminator or 0
// when the data ends first.
size_t SkipSubBlocks(const uint8_t* data, size_t size, size_t p) {
  while (p < size) {
    const size_t len = data[p++];
    if (len == 0) return p;
    if (len > size - p) return 0;
    p += len;
  }
  return 0;
}

}  // namespace

bool StartsAsGif(const uint8_t* data, size_t size) {
  return data && size >= 3 && std::memcmp(data, "GIF", 3) == 0;
}

bool ReadGif(const uint8_t* data, size_t size, GifInfo& out) {
  out = GifInfo{};
  if (!StartsAsGif(data, size) || size < kHeaderSize + kScreenSize) return false;
  const uint8_t* screen = data + kHeaderSize;
  out.width = static_cast<int>(Word(screen));
  out.height = static_cast<int>(Word(screen + 2));
  const size_t tableBytes = ColourTableBytes(screen[4]);
  const size_t tableAt = kHeaderSize + kScreenSize;
  if (tableBytes > size - tableAt) return false;
  const uint8_t* table = data + tableAt;
  if (tableBytes && size_t{screen[5]} * 3 < tableBytes) {
    const uint8_t* c = table + screen[5] * 3;
    out.background = (uint32_t{c[0]} << 16) | (uint32_t{c[1]} << 8) | c[2];
  }

  size_t p = tableAt + tableBytes;
  size_t controlAt = 0, controlEnd = 0;  // the pending graphic control extension
  int delay = 0, disposal = 0;
  bool transparent = false;
  while (p < size && out.frames.size() < kMaxGifFrames) {
    const uint8_t introducer = data[p];
    if (introducer == ';') break;
    if (introducer == '!') {
      if (size - p < 2) break;
      const uint8_t label = data[p + 1];
      const size_t end = SkipSubBlocks(data, size, p + 2);
      if (!end) break;
      if (label == 0xF9 && end - p >= 8 && data[p + 2] >= 4) {
        controlAt = p;
        controlEnd = end;
        transparent = data[p + 3] & 1;
        disposal = (data[p + 3] >> 2) & 7;
        delay = static_cast<int>(Word(data + p + 4));
      }
      p = end;
      continue;
    }
    if (introducer != ',') break;  // not a GIF block: the data is damaged here
    if (size - p < kDescriptorSize) break;
    const uint8_t* d = data + p + 1;
    size_t q = p + kDescriptorSize + ColourTableBytes(d[8]);
    if (q >= size) break;
    ++q;  // LZW minimum code size
    const size_t end = SkipSubBlocks(data, size, q);
    if (!end) break;

    GifFrame f;
    f.left = static_cast<int>(Word(d));
    f.top = static_cast<int>(Word(d + 2));
    f.width = static_cast<int>(Word(d + 4));
    f.height = static_cast<int>(Word(d + 6));
    f.delay = controlEnd ? delay : 0;
    f.disposal = controlEnd ? disposal : 0;
    f.transparent = controlEnd && transparent;
    std::vector<uint8_t>& g = f.gif;
    g.reserve(kHeaderSize + kScreenSize + tableBytes + (controlEnd - controlAt) + (end - p) + 1);
    g.insert(g.end(), data, data + kHeaderSize);
    // The frame's own GIF has the frame's size; it is drawn at the offset.
    g.insert(g.end(), {d[4], d[5], d[6], d[7], screen[4], screen[5], screen[6]});
    g.insert(g.end(), table, table + tableBytes);
    g.insert(g.end(), data + controlAt, data + controlEnd);
    g.insert(g.end(), {uint8_t(','), 0, 0, 0, 0});
    g.insert(g.end(), data + p + 5, data + end);
    g.push_back(';');
    out.frames.push_back(std::move(f));
    controlAt = controlEnd = 0;
    p = end;
  }
  return !out.frames.empty();
}

int FrameDelayMs(int delayHundredths) { return delayHundredths < 5 ? 100 : delayHundredths * 10; }

}  // namespace vextra
