// GIF block walk for CAnimatedPicture: the logical screen, the background
// colour and, per image, a self-contained one-image GIF with its offset,
// delay and disposal method, so that each frame can go through the
// platform's picture loader on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vextra {

struct GifFrame {
  std::vector<uint8_t> gif;  // header, screen of the frame's size, global table, control extension, image, trailer
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int delay = 0;     // hundredths of a second, as stored
  int disposal = 0;  // 0..7, as stored; 2 = restore background, 3 = restore previous
  bool transparent = false;
};

struct GifInfo {
  int width = 0;  // logical screen
  int height = 0;
  uint32_t background = 0xFFFFFF;  // 0x00RRGGBB; white without a global colour table
  std::vector<GifFrame> frames;    // one per complete image, in order
};

// More frames than this are not split off (a hostile file could otherwise
// make thousands of copies of its colour table).
constexpr size_t kMaxGifFrames = 2000;

bool StartsAsGif(const uint8_t* data, size_t size);

// Walks header, global colour table and blocks (extensions 0xF9, 0xFE, 0xFF,
// 0x01 and any other label by their sub-blocks, image descriptors, trailer).
// A damaged or truncated block ends the walk; the images complete before it
// are kept. False when the data is not a GIF or holds no complete image.
bool ReadGif(const uint8_t* data, size_t size, GifInfo& out);

// How long a frame stays: delay x 10 ms, 100 ms for delays below 5 hundredths.
int FrameDelayMs(int delayHundredths);

}  // namespace vextra
