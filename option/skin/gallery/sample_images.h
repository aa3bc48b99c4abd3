// Sample pictures for the gallery, the tests and the region benchmark, made
// in code so that none of them depends on the product's skin files:
//  - a dark 32-bit window background with white (keyed) corners and border
//    notches, the way the real skins are shaped;
//  - small GIFs, still or animated, written with uncompressed LZW codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vextra {
namespace sample {

// Pixels 0x00RRGGBB, row 0 at the top. Dark, slightly noisy picture; pure
// white outside the rounded outline (radius 18), in a notch along the top
// edge left and right of a 40-pixel-high title tab, and in a ragged strip
// down the right edge.
inline std::vector<uint32_t> DarkSkinBackground(int width, int height) {
  std::vector<uint32_t> px(static_cast<size_t>(width) * height);
  uint32_t seed = 12345;
  const int radius = 18;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const uint32_t noise = (seed >> 16) & 15;
      uint32_t r = 18 + noise + (x * 24) / (width ? width : 1), g = 20 + noise, b = 26 + noise + (y * 30) / (height ? height : 1);
      if ((x / 40 + y / 40) % 7 == 0) r += 40;  // panels and edges of the skin art
      uint32_t pixel = (r << 16) | (g << 8) | b;
      // Rounded outline.
      const int cx = x < radius ? radius - x : (x >= width - radius ? x - (width - radius - 1) : 0);
      const int cy = y < radius ? radius - y : (y >= height - radius ? y - (height - radius - 1) : 0);
      if (cx * cx + cy * cy > radius * radius) pixel = 0xFFFFFF;
      // Title tab: the top 40 rows are window only between 20% and 80% of the width.
      if (y < 40 && (x < width / 5 || x >= width * 4 / 5)) pixel = 0xFFFFFF;
      // Ragged right border.
      if (x >= width - 6 - ((y * 7) % 5)) pixel = 0xFFFFFF;
      px[static_cast<size_t>(y) * width + x] = pixel;
    }
  }
  return px;
}

// A plain dialog panel: dark blue-grey with a light border, white outside
// its rounded corners (radius 10).
inline std::vector<uint32_t> DialogBackground(int width, int height) {
  std::vector<uint32_t> px(static_cast<size_t>(width) * height, 0x1C2232);
  const int radius = 10;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t& p = px[static_cast<size_t>(y) * width + x];
      if (x < 2 || y < 2 || x >= width - 2 || y >= height - 2) p = 0x5A6E96;
      const int cx = x < radius ? radius - x : (x >= width - radius ? x - (width - radius - 1) : 0);
      const int cy = y < radius ? radius - y : (y >= height - radius ? y - (height - radius - 1) : 0);
      if (cx * cx + cy * cy > radius * radius) p = 0xFFFFFF;
    }
  }
  return px;
}

struct GifImage {
  int left = 0, top = 0, width = 0, height = 0;
  int delay = 0;       // hundredths
  int disposal = 0;    // 0..7
  int transparent = -1;  // colour index, or -1
  bool control = true;   // write a graphic control extension
  std::vector<uint8_t> pixels;  // width * height colour indices
};

inline void PutWord(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

// Colour indices as 9-bit LZW codes with a clear code before every 250
// pixels, so that the code table never grows past 9 bits.
inline void PutImageData(std::vector<uint8_t>& out, const std::vector<uint8_t>& indices) {
  out.push_back(8);  // minimum code size
  std::vector<uint8_t> bytes;
  uint32_t acc = 0;
  int bits = 0;
  auto code = [&](uint32_t c) {
    acc |= c << bits;
    bits += 9;
    while (bits >= 8) {
      bytes.push_back(static_cast<uint8_t>(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 250 == 0) code(256);
    code(indices[i]);
  }
  code(257);
  if (bits > 0) bytes.push_back(static_cast<uint8_t>(acc & 0xFF));
  for (size_t i = 0; i < bytes.size(); i += 255) {
    const size_t n = bytes.size() - i < 255 ? bytes.size() - i : 255;
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  out.push_back(0);
}

// A GIF89a with a 256-entry global table (palette entries after the given
// ones are black), a comment and a looping application extension, the images
// in order and a trailer.
inline std::vector<uint8_t> MakeGif(int width, int height, const std::vector<uint32_t>& palette, int background,
                                    const std::vector<GifImage>& images) {
  std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
  PutWord(g, width);
  PutWord(g, height);
  g.push_back(0xF7);  // global table of 256 entries, 8 bits per colour
  g.push_back(static_cast<uint8_t>(background));
  g.push_back(0);
  for (int i = 0; i < 256; ++i) {
    const uint32_t c = i < static_cast<int>(palette.size()) ? palette[static_cast<size_t>(i)] : 0;
    g.insert(g.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
  }
  const char comment[] = "sample";
  g.insert(g.end(), {0x21, 0xFE, static_cast<uint8_t>(sizeof comment - 1)});
  g.insert(g.end(), comment, comment + sizeof comment - 1);
  g.push_back(0);
  if (images.size() > 1) {
    const char app[] = "NETSCAPE2.0";
    g.insert(g.end(), {0x21, 0xFF, 11});
    g.insert(g.end(), app, app + 11);
    g.insert(g.end(), {3, 1, 0, 0, 0});
  }
  for (const GifImage& im : images) {
    if (im.control) {
      const int packed = ((im.disposal & 7) << 2) | (im.transparent >= 0 ? 1 : 0);
      g.insert(g.end(), {0x21, 0xF9, 4, static_cast<uint8_t>(packed)});
      PutWord(g, im.delay);
      g.push_back(static_cast<uint8_t>(im.transparent >= 0 ? im.transparent : 0));
      g.push_back(0);
    }
    g.push_back(',');
    PutWord(g, im.left);
    PutWord(g, im.top);
    PutWord(g, im.width);
    PutWord(g, im.height);
    g.push_back(0);
    PutImageData(g, im.pixels);
  }
  g.push_back(';');
  return g;
}

// One image filled with one colour index.
inline GifImage SolidImage(int left, int top, int width, int height, uint8_t index, int delay, int disposal) {
  GifImage im;
  im.left = left;
  im.top = top;
  im.width = width;
  im.height = height;
  im.delay = delay;
  im.disposal = disposal;
  im.pixels.assign(static_cast<size_t>(width) * height, index);
  return im;
}

}  // namespace sample
}  // namespace vextra
