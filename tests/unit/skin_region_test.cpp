#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "option/skin/gallery/sample_images.h"
#include "option/skin/region_runs.h"

namespace vextra {

void PrintTo(const RunRect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

constexpr uint32_t W = 0xFFFFFF;     // key
constexpr uint32_t N = 0xF6F6F6;     // near white
constexpr uint32_t F = 0xF4F4F4;
constexpr uint32_t Y = 0xFFFF00;     // blue channel outside: not keyed
constexpr uint32_t D = 0x101010;

TEST(SkinRegion, RunsPerRowOutsideTheKeyRange) {
  // 7 x 3, stride 8 (one padding pixel that must never be read as part of a row).
  const std::vector<uint32_t> px = {
      W, D, D, W, N, D, W, D,  //
      F, W, Y, Y, W, W, D, D,  //
      W, W, W, N, W, W, W, D,  //
  };
  // Key 245 + 10: white and 246 are keyed, 244 is not.
  const std::vector<RunRect> runs = OpaqueRuns(px.data(), 7, 3, 8, KeyRange({245, 245, 245}, 10));
  const std::vector<RunRect> expected = {{1, 0, 3, 1}, {5, 0, 6, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}, {6, 1, 7, 2}};
  EXPECT_EQ(runs, expected);

  // Tolerance 0: the near-white pixels belong to the window too.
  const std::vector<RunRect> strict = OpaqueRuns(px.data(), 7, 3, 8, KeyRange({255, 255, 255}, 0));
  const std::vector<RunRect> expectedStrict = {{1, 0, 3, 1}, {4, 0, 6, 1}, {0, 1, 1, 2}, {2, 1, 4, 2},
                                               {6, 1, 7, 2}, {3, 2, 4, 3}};
  EXPECT_EQ(strict, expectedStrict);

  // The range stops at 255 per channel instead of wrapping: key 250 + 10.
  const uint32_t low = 0x050505;
  EXPECT_TRUE(KeyRange({250, 250, 250}, 10).Contains(W));
  EXPECT_FALSE(KeyRange({250, 250, 250}, 10).Contains(low));
  EXPECT_TRUE(KeyRange({0, 0, 0}, 5).Contains(low));
  // A tolerance per channel (the Win32 call passes it as a colour).
  EXPECT_TRUE(KeyRange({0, 0, 0}, Rgb{0, 10, 0}).Contains(0x000A00));
  EXPECT_FALSE(KeyRange({0, 0, 0}, Rgb{0, 10, 0}).Contains(0x010000));
}

TEST(SkinRegion, ChunksCoverEveryRunOnce) {
  const int w = 120, h = 90;
  const std::vector<uint32_t> px = sample::DarkSkinBackground(w, h);
  const KeyRange white({255, 255, 255}, 0);
  const std::vector<RunRect> all = OpaqueRuns(px.data(), w, h, w, white);
  ASSERT_GE(all.size(), 90u);  // at least one run per row

  std::vector<RunRect> joined;
  std::vector<size_t> sizes;
  CollectOpaqueRuns(px.data(), w, h, w, white, 7, [&](const std::vector<RunRect>& part) {
    sizes.push_back(part.size());
    joined.insert(joined.end(), part.begin(), part.end());
  });
  EXPECT_EQ(joined, all);
  for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 7u);
  EXPECT_GE(sizes.back(), 1u);
  EXPECT_LE(sizes.back(), 7u);

  // Every pixel is either keyed or inside exactly one rectangle of its row.
  std::vector<int> cover(px.size(), 0);
  for (const RunRect& r : all) {
    EXPECT_EQ(r.bottom, r.top + 1);
    for (int x = r.left; x < r.right; ++x) ++cover[static_cast<size_t>(r.top) * w + x];
  }
  for (size_t i = 0; i < px.size(); ++i) ASSERT_EQ(cover[i], white.Contains(px[i]) ? 0 : 1) << i;

  int flushes = 0;
  CollectOpaqueRuns(nullptr, 0, 0, 0, white, 7, [&](const std::vector<RunRect>&) { ++flushes; });
  const std::vector<uint32_t> allWhite(16, W);
  CollectOpaqueRuns(allWhite.data(), 4, 4, 4, white, 7, [&](const std::vector<RunRect>&) { ++flushes; });
  EXPECT_EQ(flushes, 0);
}

}  // namespace
}  // namespace vextra
