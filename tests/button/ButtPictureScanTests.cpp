// The pixel work behind picture preparation, without a window: which
// colours count as transparent, the runs and bands they make, and growing
// a region by a pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "button/ButtPictureScan.h"
#include "host/GdiObjects.h"

namespace {
bool WithinThree(int a, int b) { return a - b <= 3 && b - a <= 3; }

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!EqualRect(&a[i], &b[i])) return false;
  return true;
}
}  // namespace

TEST(ButtPictureScan, EveryChannelValueIsJudgedWithinThreeOfTheKey) {
  // Keys at the ends of the range, where the window is cut off, and inside.
  for (const int key : {0, 1, 3, 4, 128, 251, 252, 254, 255}) {
    for (int channel = 0; channel < 3; ++channel) {
      SCOPED_TRACE(testing::Message() << "key " << key << " channel " << channel);
      const uint32_t others = 0x00808080u & ~(0xFFu << (8 * channel));
      const uint32_t keyPixel = others | (static_cast<uint32_t>(key) << (8 * channel));
      std::vector<uint32_t> row(256);
      for (int v = 0; v < 256; ++v)
        row[static_cast<size_t>(v)] = 0xA5000000u | others | (static_cast<uint32_t>(v) << (8 * channel));
      std::vector<RECT> runs;
      SnapTransparentRuns(row.data(), 256, 1, keyPixel, runs);
      for (int v = 0; v < 256; ++v) {
        const uint32_t expected =
            0xA5000000u | (WithinThree(v, key) ? keyPixel : others | (static_cast<uint32_t>(v) << (8 * channel)));
        ASSERT_EQ(row[static_cast<size_t>(v)], expected) << "value " << v;
      }
      // One run: the values around the key, clipped to the range.
      ASSERT_EQ(runs.size(), 1u);
      EXPECT_EQ(runs[0].left, std::max(key - 3, 0));
      EXPECT_EQ(runs[0].right, std::min(key + 3, 255) + 1);
    }
  }
}

TEST(ButtPictureScan, TheTopByteNeitherCountsNorChanges) {
  std::vector<uint32_t> px{0x00102030u, 0xFF102030u, 0x7F112233u, 0x00102035u};
  std::vector<RECT> runs;
  SnapTransparentRuns(px.data(), 4, 1, 0xEE102030u, runs);
  EXPECT_EQ(px, (std::vector<uint32_t>{0x00102030u, 0xFF102030u, 0x7F102030u, 0x00102035u}));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].left, 0);
  EXPECT_EQ(runs[0].right, 3);
}

TEST(ButtPictureScan, RunsEndAtTheRowsEdgesAndRowsWithTheSameRunsShareABand) {
  // Rows 0 and 1 alike, row 2 different, row 3 without transparent pixels,
  // row 4 like row 0 again (a new band: row 3 lies between).
  const char* rows[] = {"##..#", "##..#", ".#...", ".....", "##..#"};
  std::vector<uint32_t> px;
  for (const char* r : rows)
    for (int x = 0; x < 5; ++x) px.push_back(r[x] == '#' ? 0x00FF00FFu : 0x00000000u);
  std::vector<RECT> runs;
  SnapTransparentRuns(px.data(), 5, 5, 0x00FF00FFu, runs);
  EXPECT_TRUE(SameRects(
      runs, {{0, 0, 2, 1}, {4, 0, 5, 1}, {0, 1, 2, 2}, {4, 1, 5, 2}, {1, 2, 2, 3}, {0, 4, 2, 5}, {4, 4, 5, 5}}));
  EXPECT_TRUE(SameRects(RowBands(runs), {{0, 0, 2, 2}, {4, 0, 5, 2}, {1, 2, 2, 3}, {0, 4, 2, 5}, {4, 4, 5, 5}}));
  EXPECT_TRUE(RowBands({}).empty());
}

TEST(ButtPictureScan, RegionsFromManyRectanglesHoldExactlyThoseRectangles) {
  // A checkerboard of 1 x 1 pixels: hundreds of bands, none merging.
  std::vector<RECT> rects;
  for (int y = 0; y < 40; ++y)
    for (int x = y % 2; x < 40; x += 2) rects.push_back({x, y, x + 1, y + 1});
  gdi::Region built(RegionFromRects(rects));
  ASSERT_TRUE(built);
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x)
      ASSERT_EQ(PtInRegion(built.get(), x, y) != 0, x < 40 && y < 40 && (x + y) % 2 == 0) << x << "," << y;
  gdi::Region empty(RegionFromRects({}));
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);
}

TEST(ButtPictureScan, GrowingARegionAddsEveryPixelWithinOneStep) {
  // Two single pixels and an L: growth reaches diagonals too.
  gdi::Region source(CreateRectRgn(0, 0, 0, 0));
  for (const RECT& r : {RECT{5, 5, 6, 6}, RECT{9, 5, 10, 6}, RECT{2, 12, 3, 16}, RECT{2, 15, 6, 16}}) {
    gdi::Region part(CreateRectRgnIndirect(&r));
    CombineRgn(source.get(), source.get(), part.get(), RGN_OR);
  }
  gdi::Region grown(GrownRegion(source.get()));
  ASSERT_TRUE(grown);
  for (int y = -2; y < 20; ++y)
    for (int x = -2; x < 14; ++x) {
      bool within = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) within = within || PtInRegion(source.get(), x + dx, y + dy);
      ASSERT_EQ(PtInRegion(grown.get(), x, y) != 0, within) << x << "," << y;
    }
  gdi::Region nothing(CreateRectRgn(0, 0, 0, 0));
  gdi::Region stillNothing(GrownRegion(nothing.get()));
  RECT box{};
  EXPECT_EQ(GetRgnBox(stillNothing.get(), &box), NULLREGION);
}
