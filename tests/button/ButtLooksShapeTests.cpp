// Window regions, corner trims and inset regions of the nine shapes, built
// on a windowless control (the outline then stays in look.windowRegion).
#include <gtest/gtest.h>

#include "host/GdiObjects.h"
#include "tests/button/LooksFixture.h"

namespace {
bool In(const gdi::Region& r, int x, int y) { return PtInRegion(r.get(), x, y) != 0; }
RECT Box(HRGN r) {
  RECT rc{};
  GetRgnBox(r, &rc);
  return rc;
}
}  // namespace

TEST(ButtLooksShape, LeftSlantOfAHundredByTwenty) {
  LooksButton b(100, 20, 0, 1);
  EXPECT_EQ(b.s.clientWidth, 100);
  EXPECT_EQ(b.s.look.slantLeft, 21);
  EXPECT_EQ(b.s.look.slantRight, 100);
  const gdi::Region& r = b.s.look.windowRegion;
  ASSERT_TRUE(r);
  EXPECT_FALSE(In(r, 0, 10));  // left of the slant
  EXPECT_FALSE(In(r, 5, 19));
  EXPECT_TRUE(In(r, 12, 10));  // right of it
  EXPECT_TRUE(In(r, 3, 1));
  EXPECT_TRUE(In(r, 99, 19));  // the right edge is straight
  EXPECT_TRUE(In(r, 99, 0));
  EXPECT_FALSE(b.s.look.shapeOuterRegion);  // straight-edged shapes clip nothing
}

TEST(ButtLooksShape, NarrowParallelogramWidensItself) {
  LooksButton b(30, 28, 0, 3);
  EXPECT_EQ(b.s.clientWidth, 35);
  EXPECT_EQ(b.s.look.slantLeft, 29);
  EXPECT_EQ(b.s.look.slantRight, 6);
  EXPECT_FALSE(b.s.drawingDelayed);
  const gdi::Region& r = b.s.look.windowRegion;
  EXPECT_TRUE(In(r, 4, 1));
  EXPECT_FALSE(In(r, 10, 1));  // right of the right slant (x = 7 + y)
  EXPECT_TRUE(In(r, 25, 20));
  EXPECT_FALSE(In(r, 15, 20));  // left of the left slant (x = y)
  EXPECT_FALSE(In(r, 30, 20));
  // The back buffer follows the new width.
  BITMAP bm{};
  GetObjectA(GetCurrentObject(b.dc(), OBJ_BITMAP), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 35);
}

TEST(ButtLooksShape, RoundedStylesTrimTrianglesFromTheCorners) {
  for (int style : {2, 7}) {
    LooksButton b(40, 20, style, 0);
    const gdi::Region& r = b.s.look.windowRegion;
    SCOPED_TRACE(style);
    EXPECT_FALSE(In(r, 0, 0));
    EXPECT_FALSE(In(r, 1, 0));
    EXPECT_FALSE(In(r, 0, 1));
    EXPECT_TRUE(In(r, 2, 2));
    EXPECT_FALSE(In(r, 39, 0));
    EXPECT_FALSE(In(r, 0, 19));
    EXPECT_FALSE(In(r, 1, 19));
    EXPECT_FALSE(In(r, 0, 18));
    EXPECT_FALSE(In(r, 39, 19));
    EXPECT_FALSE(In(r, 38, 19));
    EXPECT_FALSE(In(r, 39, 18));
    EXPECT_TRUE(In(r, 3, 16));
    EXPECT_TRUE(In(r, 20, 0));
    EXPECT_TRUE(In(r, 20, 19));
  }
}

TEST(ButtLooksShape, SingleCornerPixelsForClassicAndEtched) {
  LooksButton classic(40, 20, 1, 0);
  const gdi::Region& c = classic.s.look.windowRegion;
  EXPECT_FALSE(In(c, 0, 0));
  EXPECT_FALSE(In(c, 0, 19));
  EXPECT_FALSE(In(c, 39, 0));
  EXPECT_FALSE(In(c, 39, 19));
  EXPECT_TRUE(In(c, 1, 0));
  EXPECT_TRUE(In(c, 0, 1));

  LooksButton etched(40, 20, 3, 0);
  const gdi::Region& e = etched.s.look.windowRegion;
  EXPECT_TRUE(In(e, 0, 0));
  EXPECT_FALSE(In(e, 0, 19));
  EXPECT_FALSE(In(e, 39, 0));
  EXPECT_TRUE(In(e, 39, 19));
  etched.s.hostEnabled = kFalse;  // disabled etched buttons keep their corners
  etched.Rebuild();
  EXPECT_TRUE(In(etched.s.look.windowRegion, 0, 19));
  EXPECT_TRUE(In(etched.s.look.windowRegion, 39, 0));

  LooksButton slanted(100, 20, 2, 1);  // left slant: only the right corners
  EXPECT_FALSE(In(slanted.s.look.windowRegion, 99, 0));
  EXPECT_TRUE(In(slanted.s.look.windowRegion, 20, 19));
}

TEST(ButtLooksShape, EllipseInsetsAndTheirRingsAtBuildTime) {
  LooksButton b(60, 30, 0, 4);
  ASSERT_TRUE(b.s.look.shapeOuterRegion);
  ASSERT_TRUE(b.s.look.shapeInnerRegion);
  const RECT outer = Box(b.s.look.shapeOuterRegion.get());
  const RECT inner = Box(b.s.look.shapeInnerRegion.get());
  EXPECT_EQ(outer.left, 1);
  EXPECT_EQ(outer.top, 1);
  EXPECT_EQ(inner.left, 2);
  EXPECT_EQ(inner.top, 2);
  EXPECT_LE(outer.right, 59);
  EXPECT_LE(inner.right, 58);
  EXPECT_TRUE(In(b.s.look.windowRegion, 30, 0));
  EXPECT_FALSE(In(b.s.look.shapeOuterRegion, 30, 0));
  EXPECT_FALSE(In(b.s.look.shapeInnerRegion, 30, 1));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      if (In(b.s.look.shapeInnerRegion, x, y)) {
        ASSERT_TRUE(In(b.s.look.shapeOuterRegion, x, y));
      }
      if (In(b.s.look.shapeOuterRegion, x, y)) {
        ASSERT_TRUE(In(b.s.look.windowRegion, x, y));
      }
    }
  // The ring: white at the top strip, grey at the bottom strip.
  EXPECT_EQ(b.Px(30, 0), RGB(255, 255, 255));
  const COLORREF bottom = b.Px(30, 29);
  EXPECT_NEAR(GetRValue(bottom), 128, 1);
  EXPECT_NEAR(GetBValue(bottom), 128, 1);

  LooksButton framed(60, 30, 0, 6);  // a black frame instead of the ring
  EXPECT_EQ(framed.Px(30, 0), RGB(0, 0, 0));
  LooksButton hot(60, 30, 5, 4);  // HotTrack gets neither at build time
  EXPECT_NE(hot.Px(30, 0), RGB(255, 255, 255));
}

TEST(ButtLooksShape, PictureShapeFollowsTheOpaquePart) {
  // 40 x 30 picture: a 3-pixel magenta border, a few near-magenta pixels in
  // it, and an off-by-four pixel inside the subject.
  gdi::Bitmap pic(MakeDib(40, 30, [](int x, int y) -> COLORREF {
    const bool border = x < 3 || y < 3 || x >= 37 || y >= 27;
    if (border) return (x + y) % 7 == 3 ? RGB(252, 3, 253) : RGB(255, 0, 255);
    return (x == 20 && y == 15) ? RGB(251, 0, 255) : RGB(30, 90, 200);
  }));
  LooksButton b(80, 30, 0, 0);
  UsePicture(b.s, pic.get());
  b.s.ButtonShape = 7;
  b.Rebuild();
  EXPECT_EQ(b.s.clientWidth, 40);  // fitted into 80 x 30: 40 x 30
  EXPECT_EQ(b.s.clientHeight, 30);
  gdi::Region opaque(CreateRectRgn(3, 3, 37, 27));
  gdi::Region outer(CreateRectRgn(4, 4, 36, 26));
  gdi::Region inner(CreateRectRgn(5, 5, 35, 25));
  EXPECT_TRUE(EqualRgn(b.s.look.windowRegion.get(), opaque.get()));
  EXPECT_TRUE(EqualRgn(b.s.look.shapeOuterRegion.get(), outer.get()));
  EXPECT_TRUE(EqualRgn(b.s.look.shapeInnerRegion.get(), inner.get()));

  const std::vector<uint32_t> px = ReadPixels(b.s.look.preparedPicture.get());
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool border = x < 3 || y < 3 || x >= 37 || y >= 27;
      if (border) {
        ASSERT_EQ(px[y * 40 + x], 0xFF00FFu) << x << "," << y;
      }
    }
  EXPECT_EQ(px[15 * 40 + 20], 0xFB00FFu);  // one channel off by 4 stays
}

TEST(ButtLooksShape, PictureShapeWithoutPictureKeepsTheOldRegion) {
  LooksButton b(40, 20, 1, 0);
  HRGN before = b.s.look.windowRegion.get();
  b.s.ButtonShape = 8;
  BuildShape(b.s);
  EXPECT_EQ(b.s.look.windowRegion.get(), before);
  EXPECT_EQ(b.s.clientWidth, 40);
}
