#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "option/skin/gallery/sample_images.h"
#include "option/skin/gif_frames.h"

namespace vextra {
namespace {

const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x203040, 0x00FF00};

std::vector<uint8_t> ThreeFrames() {
  sample::GifImage a = sample::SolidImage(0, 0, 40, 30, 1, 3, 1);
  sample::GifImage b = sample::SolidImage(5, 6, 10, 8, 3, 20, 3);
  b.transparent = 0;
  sample::GifImage c = sample::SolidImage(20, 10, 15, 12, 0, 0, 2);
  c.control = false;  // no control extension: no delay, no disposal
  return sample::MakeGif(40, 30, kPalette, 2, {a, b, c});
}

TEST(SkinGif, SplitsFramesWithOffsetsDelaysAndDisposal) {
  const std::vector<uint8_t> gif = ThreeFrames();
  GifInfo info;
  ASSERT_TRUE(ReadGif(gif.data(), gif.size(), info));
  EXPECT_EQ(info.width, 40);
  EXPECT_EQ(info.height, 30);
  EXPECT_EQ(info.background, 0x203040u);  // global table entry of the background index
  ASSERT_EQ(info.frames.size(), 3u);

  struct Want {
    int left, top, width, height, delay, delayMs, disposal;
    bool transparent;
  };
  const Want want[] = {{0, 0, 40, 30, 3, 100, 1, false}, {5, 6, 10, 8, 20, 200, 3, true},
                       {20, 10, 15, 12, 0, 100, 0, false}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const GifFrame& f = info.frames[static_cast<size_t>(i)];
    EXPECT_EQ(f.left, want[i].left);
    EXPECT_EQ(f.top, want[i].top);
    EXPECT_EQ(f.width, want[i].width);
    EXPECT_EQ(f.height, want[i].height);
    EXPECT_EQ(f.delay, want[i].delay);
    EXPECT_EQ(FrameDelayMs(f.delay), want[i].delayMs);
    EXPECT_EQ(f.disposal, want[i].disposal);
    EXPECT_EQ(f.transparent, want[i].transparent);

    // Each frame is a GIF of its own: header and global table of the source,
    // the frame's size as screen, the image at (0,0), a trailer.
    ASSERT_GT(f.gif.size(), 13u + 768u);
    EXPECT_EQ(std::memcmp(f.gif.data(), "GIF89a", 6), 0);
    EXPECT_EQ(std::memcmp(f.gif.data() + 13, gif.data() + 13, 768), 0);
    EXPECT_EQ(f.gif.back(), ';');
    GifInfo single;
    ASSERT_TRUE(ReadGif(f.gif.data(), f.gif.size(), single));
    EXPECT_EQ(single.width, f.width);
    EXPECT_EQ(single.height, f.height);
    ASSERT_EQ(single.frames.size(), 1u);
    EXPECT_EQ(single.frames[0].left, 0);
    EXPECT_EQ(single.frames[0].top, 0);
    EXPECT_EQ(single.frames[0].delay, f.delay);
    EXPECT_EQ(single.frames[0].disposal, f.disposal);
    EXPECT_EQ(single.frames[0].gif, f.gif);  // splitting a one-image GIF gives it back
  }
  EXPECT_EQ(FrameDelayMs(4), 100);
  EXPECT_EQ(FrameDelayMs(5), 50);
}

TEST(SkinGif, SingleImageAndOtherData) {
  const std::vector<uint8_t> still = sample::MakeGif(8, 8, kPalette, 0, {sample::SolidImage(0, 0, 8, 8, 1, 0, 0)});
  GifInfo info;
  ASSERT_TRUE(ReadGif(still.data(), still.size(), info));
  EXPECT_EQ(info.frames.size(), 1u);
  EXPECT_EQ(info.background, 0x000000u);

  // No global colour table: white background.
  std::vector<uint8_t> bare = {'G', 'I', 'F', '8', '7', 'a', 2, 0, 2, 0, 0x00, 0, 0,
                               ',', 0, 0, 0, 0, 2, 0, 2, 0, 0x80};
  for (int i = 0; i < 6; ++i) bare.push_back(static_cast<uint8_t>(i * 40));  // local table of 2
  bare.insert(bare.end(), {2, 2, 0x44, 0x01, 0, ';'});
  ASSERT_TRUE(ReadGif(bare.data(), bare.size(), info));
  EXPECT_EQ(info.background, 0xFFFFFFu);
  ASSERT_EQ(info.frames.size(), 1u);

  const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'};
  EXPECT_FALSE(StartsAsGif(jpeg, sizeof jpeg));
  EXPECT_FALSE(ReadGif(jpeg, sizeof jpeg, info));
  const uint8_t noImage[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'};
  EXPECT_TRUE(StartsAsGif(noImage, sizeof noImage));
  EXPECT_FALSE(ReadGif(noImage, sizeof noImage, info));
}

TEST(SkinGif, DamagedDataKeepsTheCompleteFrames) {
  const std::vector<uint8_t> gif = ThreeFrames();
  GifInfo info;
  size_t previous = 0;
  // Every truncation: never a read past the end (ASan), frames only grow.
  for (size_t n = 0; n <= gif.size(); ++n) {
    const bool ok = ReadGif(gif.data(), n, info);
    EXPECT_EQ(ok, !info.frames.empty());
    EXPECT_GE(info.frames.size(), previous);
    previous = info.frames.size();
  }
  EXPECT_EQ(previous, 3u);
  ASSERT_TRUE(ReadGif(gif.data(), gif.size() - 3, info));  // inside the last image's data
  EXPECT_EQ(info.frames.size(), 2u);

  // A sub-block length running past the end, and a stray byte between blocks.
  std::vector<uint8_t> bad = gif;
  const size_t table = 13 + 768;
  bad[table + 2] = 255;  // the comment's length
  bad.resize(table + 200);
  EXPECT_FALSE(ReadGif(bad.data(), bad.size(), info));
  bad = gif;
  bad[table] = 0x99;
  EXPECT_FALSE(ReadGif(bad.data(), bad.size(), info));

  // Thousands of tiny frames: the split stops at its bound.
  std::vector<sample::GifImage> many(kMaxGifFrames + 50, sample::SolidImage(0, 0, 1, 1, 1, 1, 0));
  const std::vector<uint8_t> big = sample::MakeGif(1, 1, kPalette, 0, many);
  ASSERT_TRUE(ReadGif(big.data(), big.size(), info));
  EXPECT_EQ(info.frames.size(), kMaxGifFrames);
}

}  // namespace
}  // namespace vextra
