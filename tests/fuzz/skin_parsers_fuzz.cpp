// The skin's readers of outside data: GIF files from the program folder (split
// into frames, each frame read again as the picture loader would get it) and
// layout strings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "option/skin/gif_frames.h"
#include "option/skin/layout.h"

using namespace vextra;

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
