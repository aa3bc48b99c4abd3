// The skin's readers of outside data: GIF files from the program folder (split
// into frames, each frame read again as the picture loader would get it) and
// layout strings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "option/skin/gif_frames.h"
#include "option/skin/layout.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

void fuzz::WriteSeeds(Seeds& seeds) {
  // An animation of two 1x1 frames as the skin's GIFs are laid out: screen
  // descriptor with a two-colour table, then for each frame a graphic control
  // extension (disposal, delay), an image descriptor and its LZW data.
  std::string gif = std::string("GIF89a") + std::string("\x01\x00\x01\x00\x80\x00\x00", 7) +
                    std::string("\x00\x00\x00\xff\xff\xff", 6);
  for (const char delay : {'\x0a', '\x14'}) {
    gif += std::string("\x21\xf9\x04\x04", 4) + delay + std::string("\x00\x00\x00", 3);
    gif += std::string("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    gif += std::string("\x02\x02\x44\x01\x00", 5);
  }
  gif += '\x3b';
  GifInfo info;
  FUZZ_CHECK(ReadGif(reinterpret_cast<const uint8_t*>(gif.data()), gif.size(), info) && info.frames.size() == 2);
  seeds.Add("two-frames.gif", gif);
  // Layout strings in the forms the windows use.
  seeds.Add("layout", "Profile 3,322,485,155,25,Main settings for the selected device");
  seeds.Add("layout-short", "Check Interval, 164,204,65,15,");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GifInfo info;
  if (ReadGif(data, size, info)) {
    for (const GifFrame& frame : info.frames) {
      // A split frame is a GIF of its own with exactly one image.
      GifInfo again;
      if (!ReadGif(frame.gif.data(), frame.gif.size(), again) || again.frames.size() != 1) __builtin_trap();
      (void)FrameDelayMs(frame.delay);
    }
  }
  const std::string text(reinterpret_cast<const char*>(data), size);
  LayoutEntry entry;
  ParseLayout(text.c_str(), entry);
  return 0;
}
