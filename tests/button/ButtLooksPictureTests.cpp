// Preparing and drawing pictures: the bulk preparation against the
// per-pixel reference, transparency, icons and the disabled look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "button/ButtPicture.h"
#include "host/GdiObjects.h"
#include "tests/button/LooksFixture.h"
#include "tests/button/PreparePictureReference.h"

namespace {
// Seeded noise: a magenta-ish background that wanders within 3 per channel,
// opaque blobs, and pixels just outside the tolerance.
HBITMAP NoisyPicture(int w, int h, uint32_t seed) {
  uint32_t state = seed;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  return MakeDib(w, h, [&](int x, int y) -> COLORREF {
    if (x == 0 && y == 0) return RGB(250, 10, 250);
    const uint32_t r = next();
    const int kind = static_cast<int>(r % 10);
    if (kind < 5) return RGB(250 - next() % 4, 10 + next() % 4, 250 - next() % 4);
    if (kind == 5) return RGB(246, 10, 250);  // one channel off by 4: opaque
    if ((x / 5 + y / 3) % 3 == 0) return RGB(250, 13, 247);
    return RGB(next() % 256, next() % 256, next() % 256);
  });
}

void ExpectSameAsReference(HBITMAP source, int w, int h, int clientW, int clientH) {
  ReferencePrepared ref;
  gdi::Region refRegion(CreateRectRgn(0, 0, clientW, clientH));
  ref = PreparePictureReference(source, w, h, refRegion.get(), clientW, clientH);

  ButtState s;
  s.clientWidth = clientW;
  s.clientHeight = clientH;
  UsePicture(s, source);
  gdi::Region region(CreateRectRgn(0, 0, clientW, clientH));
  PreparePicture(s, w, h, region.get());

  ASSERT_TRUE(s.look.preparedPicture);
  EXPECT_EQ(ReadPixels(s.look.preparedPicture.get()), ReadPixels(ref.picture.get()));
  EXPECT_TRUE(EqualRgn(region.get(), refRegion.get()));
  EXPECT_TRUE(EqualRgn(s.look.shapeOuterRegion.get(), ref.outer.get()));
  EXPECT_TRUE(EqualRgn(s.look.shapeInnerRegion.get(), ref.inner.get()));
}
}  // namespace

TEST(ButtLooksPicture, BulkPreparationMatchesThePerPixelReference) {
  struct Case {
    int srcW, srcH, w, h, seed;
  };
  for (const Case& c : {Case{1, 1, 1, 1, 1}, Case{7, 5, 7, 5, 2}, Case{64, 64, 64, 64, 3}, Case{33, 17, 40, 20, 4},
                        Case{50, 40, 25, 20, 5}, Case{3, 90, 3, 90, 6}}) {
    SCOPED_TRACE(testing::Message() << c.srcW << "x" << c.srcH << " -> " << c.w << "x" << c.h);
    gdi::Bitmap pic(NoisyPicture(c.srcW, c.srcH, static_cast<uint32_t>(c.seed)));
    ExpectSameAsReference(pic.get(), c.w, c.h, c.w, c.h);
  }
}

TEST(ButtLooksPicture, BulkPreparationMatchesOnRunsAtTheEdges) {
  // Transparent columns at both edges and a transparent last row.
  gdi::Bitmap pic(MakeDib(20, 12, [](int x, int y) -> COLORREF {
    return (x < 2 || x > 16 || y == 11 || (x == 9 && y % 2)) ? RGB(0, 255, 0) : RGB(200, 0, 0);
  }));
  ExpectSameAsReference(pic.get(), 20, 12, 20, 12);
}

TEST(ButtLooksPicture, SnapsOnlyWithinThreePerChannel) {
  gdi::Bitmap pic(MakeDib(3, 1, [](int x, int) -> COLORREF {
    return x == 0 ? RGB(255, 0, 255) : x == 1 ? RGB(252, 3, 253) : RGB(251, 0, 255);
  }));
  ButtState s;
  UsePicture(s, pic.get());
  PreparePicture(s, 3, 1, nullptr);
  const auto px = ReadPixels(s.look.preparedPicture.get());
  EXPECT_EQ(px[1], 0xFF00FFu);
  EXPECT_EQ(px[2], 0xFB00FFu);
  EXPECT_FALSE(s.look.shapeOuterRegion);  // no region asked for, none made
}

TEST(ButtLooksPicture, StretchingTakesWholePixelsSoTheKeyStaysExact) {
  // 10 x 8: a two-pixel key border round a dark blue block with a white dot.
  gdi::Bitmap pic(MakeDib(10, 8, [](int x, int y) -> COLORREF {
    if (x < 2 || y < 2 || x >= 8 || y >= 6) return RGB(255, 0, 255);
    return (x == 4 && y == 3) ? RGB(255, 255, 255) : RGB(0, 0, 160);
  }));
  const std::vector<uint32_t> own{0xFF00FF, 0xFFFFFF, 0x0000A0};  // 0x00RRGGBB
  for (const SIZE size : {SIZE{20, 16}, SIZE{32, 32}, SIZE{16, 16}, SIZE{7, 5}}) {
    SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
    ButtState s;
    s.clientWidth = size.cx;
    s.clientHeight = size.cy;
    UsePicture(s, pic.get());
    gdi::Region region(CreateRectRgn(0, 0, size.cx, size.cy));
    PreparePicture(s, size.cx, size.cy, region.get());
    ASSERT_TRUE(s.look.preparedPicture);
    for (const uint32_t p : ReadPixels(s.look.preparedPicture.get())) {
      if (std::find(own.begin(), own.end(), p) == own.end()) {
        ADD_FAILURE() << "blended colour " << std::hex << p;
        break;
      }
    }
    if (size.cx == 20) {  // twice the size: the outline doubles exactly
      gdi::Region opaque(CreateRectRgn(4, 4, 16, 12));
      EXPECT_TRUE(EqualRgn(region.get(), opaque.get()));
    }
  }
}

TEST(ButtLooksPicture, TransparentPixelsShowTheFace) {
  gdi::Bitmap pic(MakeDib(16, 16, [](int x, int y) -> COLORREF {
    return (x >= 4 && x < 12 && y >= 4 && y < 12) ? RGB(0, 0, 128) : RGB(255, 0, 255);
  }));
  LooksButton b(60, 24, 1, 0);
  UsePicture(b.s, pic.get());
  LayoutButton(b.s, true);
  ASSERT_EQ(b.Render(), 1);
  const RECT& r = b.s.look.pictureRect;  // 16 x 16 at the left edge
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, 4);
  EXPECT_EQ(b.Px(r.left + 1, r.top + 1), RGB(192, 192, 192));
  EXPECT_EQ(b.Px(r.left + 8, r.top + 8), RGB(0, 0, 128));
}

TEST(ButtLooksPicture, DisabledPictureIsAGreySilhouette) {
  // Black on white: black becomes grey on the face, white leaves the face.
  gdi::Bitmap pic(MakeDib(16, 16, [](int x, int) -> COLORREF { return x < 8 ? RGB(255, 255, 255) : RGB(0, 0, 0); }));
  LooksButton b(60, 24, 4, 0);
  UsePicture(b.s, pic.get());
  b.s.hostEnabled = kFalse;
  LayoutButton(b.s, true);
  ASSERT_EQ(b.Render(), 1);
  const RECT& r = b.s.look.pictureRect;
  EXPECT_EQ(b.Px(r.left + 2, r.top + 8), RGB(192, 192, 192));
  EXPECT_EQ(b.Px(r.left + 12, r.top + 8), RGB(128, 128, 128));
}

TEST(ButtLooksPicture, PressedPictureShapeDrawsOnePixelSmaller) {
  gdi::Bitmap pic(MakeDib(20, 20, [](int, int) -> COLORREF { return RGB(10, 20, 30); }));
  ButtState s;
  s.clientWidth = 20;
  s.clientHeight = 20;
  s.ButtonShape = 7;
  UsePicture(s, pic.get());
  PresentBuffer(s, true);
  RECT r{5, 5, 10, 10};
  DrawPicture(s, r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 20);
  s.Set(StatePressed);
  s.Set(StateHot);
  DrawPicture(s, r);
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.bottom, 19);
}

TEST(ButtLooksPicture, SmallDestinationScalesDownInProportion) {
  gdi::Bitmap pic(MakeDib(20, 10, [](int, int) -> COLORREF { return RGB(1, 2, 3); }));
  ButtState s;
  UsePicture(s, pic.get());
  PreparePicture(s, 20, 10, nullptr);
  gdi::WindowDC screen(nullptr);
  gdi::MemoryDC dc(screen.get());
  gdi::Bitmap canvas(CreateCompatibleBitmap(screen.get(), 40, 40));
  gdi::SelectGuard sel(dc.get(), canvas.get());
  PatBlt(dc.get(), 0, 0, 40, 40, WHITENESS);
  RECT source{0, 0, 0, 0};
  int w = 20, h = 10;
  DrawTransparentBitmap(s, dc.get(), RECT{0, 0, 10, 10}, s.look.preparedPicture.get(), source, w, h);
  EXPECT_EQ(source.right, 20);
  EXPECT_EQ(source.bottom, 10);
  EXPECT_EQ(w, 10);
  EXPECT_EQ(h, 5);
}

TEST(ButtLooksPicture, DrawingSmallerTakesWholePixelsToo) {
  // Key columns and rows between opaque ones: a shrink that combines
  // neighbours would darken or widen the opaque parts.
  gdi::Bitmap pic(MakeDib(
      20, 20, [](int x, int y) -> COLORREF { return (x % 4 < 2 || y % 4 < 2) ? RGB(255, 0, 255) : RGB(0, 160, 0); }));
  ButtState s;
  UsePicture(s, pic.get());
  PreparePicture(s, 20, 20, nullptr);
  gdi::WindowDC screen(nullptr);
  gdi::MemoryDC dc(screen.get());
  gdi::Bitmap canvas(CreateCompatibleBitmap(screen.get(), 20, 20));
  gdi::SelectGuard sel(dc.get(), canvas.get());
  PatBlt(dc.get(), 0, 0, 20, 20, WHITENESS);
  RECT source{0, 0, 0, 0};
  int w = 20, h = 20;
  DrawTransparentBitmap(s, dc.get(), RECT{0, 0, 15, 15}, s.look.preparedPicture.get(), source, w, h);
  int green = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const COLORREF c = GetPixel(dc.get(), x, y);
      ASSERT_TRUE(c == RGB(255, 255, 255) || c == RGB(0, 160, 0)) << x << "," << y << " " << std::hex << c;
      green += c == RGB(0, 160, 0) ? 1 : 0;
    }
  EXPECT_GT(green, 0);
  EXPECT_LT(green, 15 * 15 / 2);
}

TEST(ButtLooksPicture, IconsAreMeasuredAndNeverCarved) {
  HICON icon = static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 0, 0,
                                             LR_SHARED | LR_DEFAULTSIZE));  // IDI_INFORMATION
  ASSERT_NE(icon, nullptr);
  ButtState s;
  s.clientWidth = 40;
  s.clientHeight = 40;
  s.pictureHandle = icon;
  s.pictureType = kPictureIcon;
  UpdateDerived(s, "Picture");
  EXPECT_EQ(s.pictureIsIcon, 1);
  EXPECT_GT(s.pictureWidth, 0);
  gdi::Region region(CreateRectRgn(0, 0, 40, 40));
  PreparePicture(s, 40, 40, region.get());
  EXPECT_FALSE(s.look.preparedPicture);
  EXPECT_FALSE(s.look.shapeOuterRegion);
  gdi::Region whole(CreateRectRgn(0, 0, 40, 40));
  EXPECT_TRUE(EqualRgn(region.get(), whole.get()));

  s.pictureHandle = nullptr;
  s.pictureType = kPictureNone;
  UpdateDerived(s, "Picture");
  EXPECT_EQ(s.pictureWidth, 0);
  EXPECT_EQ(s.pictureHeight, 0);
}
