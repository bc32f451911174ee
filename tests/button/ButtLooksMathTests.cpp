// Pure computations of the looks: colour shifts, gradient steps, picture
// fitting, caption and picture placement, slant geometry.
#include <gtest/gtest.h>

#include "button/ButtGradient.h"
#include "button/ButtLayoutMath.h"
#include "button/ButtShapeGeometry.h"
#include "button/ShiftColor.h"

TEST(ButtLooksShiftColor, WorkedValues) {
  EXPECT_EQ(ShiftColor(0xFFFFFF, -32), 0xDFDFDF);
  EXPECT_EQ(ShiftColor(0x808080, 12), 0x8C8C8C);
  EXPECT_EQ(ShiftColor(0xFFFFFF, -32, true), 0xD5DFDF);
  EXPECT_EQ(ShiftColor(0x8C8C8C, 31), 0xABABAB);
  EXPECT_EQ(ShiftColor(0x808080, -16), 0x707070);
  EXPECT_EQ(ShiftColor(0x808080, 16, true), 0x8A9090);
  EXPECT_EQ(ShiftColor(0x808080, -26), 0x666666);
  EXPECT_EQ(ShiftColor(0x123456, 0), 0x123456);
  EXPECT_EQ(ShiftColor(0x000000, -40), 0x000000);
}

TEST(ButtLooksShiftColor, ScaledBlueTruncatesTowardZero) {
  // blue 100: 100 + (-10 * 100) div 192 = 100 - 5 (5.2 truncated)
  EXPECT_EQ(ShiftColor(0x640000, -10, true), 0x5F0000);
  // blue 0 does not move at all when scaled; red and green do
  EXPECT_EQ(ShiftColor(0x000010, 20, true), 0x001424);
}

TEST(ButtLooksShiftColor, AvoidExtremesFlipsTheCallersAmount) {
  int16_t amount = 32;
  EXPECT_EQ(ShiftColor(0xFFFFFF, amount, false, true), 0xDFDFDF);
  EXPECT_EQ(amount, -32);
  amount = -40;
  EXPECT_EQ(ShiftColor(0x000000, amount, false, true), 0x282828);
  EXPECT_EQ(amount, 40);
  amount = 0;
  EXPECT_EQ(ShiftColor(0x000000, amount, false, true), 0x404040);
  EXPECT_EQ(amount, 64);
}

TEST(ButtLooksShiftColor, InvertAndHugeAmountsTerminate) {
  EXPECT_EQ(ShiftColor(0x102030, 0, false, false, true), 0xEFDFCF);
  // Both signs of this amount saturate: the result stays an extreme.
  int16_t amount = 1000;
  const int32_t r = ShiftColor(0x000000, amount, false, true);
  EXPECT_TRUE(r == 0 || r == 0xFFFFFF);
}

TEST(ButtLooksGradient, WhiteToGreyOverFiveSteps) {
  std::vector<int32_t> c(5);
  BuildGradient(c, 0xFFFFFF, 0x808080);
  EXPECT_EQ(c[0], 0xFFFFFF);
  EXPECT_EQ(c[1], 0xDFDFDF);  // 223.25
  EXPECT_EQ(c[2], 0xBFBFBF);  // 191.5
  EXPECT_EQ(c[3], 0x9F9F9F);  // 159.75
  EXPECT_EQ(c[4], 0x808080);
}

TEST(ButtLooksGradient, ChannelsRunIndependentlyAndClamp) {
  std::vector<int32_t> c(3);
  BuildGradient(c, 0x0000FF, 0xFF0000);  // red to blue
  EXPECT_EQ(c[0], 0x0000FF);
  EXPECT_EQ(c[1], 0x7F007F);
  EXPECT_EQ(c[2], 0xFF0000);
  std::vector<int32_t> one(1);
  BuildGradient(one, 0x123456, 0x654321);
  EXPECT_EQ(one[0], 0x123456);
}

TEST(ButtLooksGradient, WideControlsUseTwoPixelStrips) {
  EXPECT_EQ(GradientStripsFor(100, 1024).count, 100);
  EXPECT_EQ(GradientStripsFor(100, 1024).width, 1);
  const GradientStrips wide = GradientStripsFor(300, 1024);  // 1024 / 300 = 3 < 4
  EXPECT_EQ(wide.count, 150);
  EXPECT_EQ(wide.width, 2);
  EXPECT_EQ(GradientStripsFor(0, 1024).count, 0);
}

TEST(ButtLooksFit, WorkedValuesAndTiesToEven) {
  int w = 0, h = 0;
  FitPicture(100, 50, 40, 40, w, h);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 20);
  FitPicture(100, 50, 300, 90, w, h);
  EXPECT_EQ(w, 180);
  EXPECT_EQ(h, 90);
  FitPicture(2, 3, 3, 100, w, h);  // scale 1.5: 3 x 4.5 -> 4
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 4);
  FitPicture(0, 0, 30, 30, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

namespace {
// A 100 x 30 rectangular face, caption 20 x 13, a 16-pixel picture.
LayoutInput Face(int align, int captionAlign = 2, bool caption = true) {
  LayoutInput in;
  in.fw = 100;
  in.fh = 30;
  in.slantRight = 100;
  in.pictureSizePx = 16;
  in.pictureAlign = align;
  in.captionAlign = captionAlign;
  in.hasCaption = caption;
  in.pictureWidth = in.pictureHeight = 32;
  return in;
}
void ExpectRect(const RECT& r, int l, int t, int rr, int b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rr);
  EXPECT_EQ(r.bottom, b);
}
}  // namespace

TEST(ButtLooksLayout, PictureBesideTheCaptionCentred) {
  LayoutResult r = LayoutPlace(Face(0), 20, 13, false);
  ExpectRect(r.captionRect, 48, 8, 68, 21);
  ExpectRect(r.pictureRect, 4, 7, 20, 23);
  EXPECT_FALSE(r.redoPicture);
  r = LayoutPlace(Face(1), 20, 13, false);
  ExpectRect(r.captionRect, 50, 8, 70, 21);
  ExpectRect(r.pictureRect, 30, 7, 46, 23);
  r = LayoutPlace(Face(2), 20, 13, false);
  ExpectRect(r.captionRect, 32, 8, 52, 21);
  ExpectRect(r.pictureRect, 80, 7, 96, 23);
  r = LayoutPlace(Face(3), 20, 13, false);
  ExpectRect(r.captionRect, 30, 8, 50, 21);
  ExpectRect(r.pictureRect, 54, 7, 70, 23);
}

TEST(ButtLooksLayout, PictureAboveAndBelowClampedToTheFace) {
  LayoutResult r = LayoutPlace(Face(4), 20, 13, false);
  ExpectRect(r.captionRect, 40, 18, 60, 25);
  ExpectRect(r.pictureRect, 42, 4, 58, 16);
  r = LayoutPlace(Face(5), 20, 13, false);
  ExpectRect(r.captionRect, 40, 4, 60, 15);
  ExpectRect(r.pictureRect, 42, 17, 58, 25);
  const SIZE box = LayoutMeasureBox(Face(4));
  EXPECT_EQ(box.cx, 92);
  EXPECT_EQ(box.cy, 6);
  EXPECT_EQ(LayoutMeasureBox(Face(0)).cx, 76);
}

TEST(ButtLooksLayout, LeftAndRightCaptionsKeepClearOfThePicture) {
  LayoutResult r = LayoutPlace(Face(0, 0), 20, 13, false);
  ExpectRect(r.captionRect, 24, 8, 44, 21);
  r = LayoutPlace(Face(2, 1), 20, 13, false);
  ExpectRect(r.captionRect, 56, 8, 76, 21);
}

TEST(ButtLooksLayout, EmptyCaptionIsDegenerateAndPictureGoesToTheEdge) {
  LayoutResult r = LayoutPlace(Face(1, 2, false), 0, 0, false);
  ExpectRect(r.pictureRect, 4, 7, 20, 23);
  EXPECT_LT(r.captionRect.right, r.captionRect.left);
  r = LayoutPlace(Face(3, 2, false), 0, 0, false);
  ExpectRect(r.pictureRect, 80, 7, 96, 23);
}

TEST(ButtLooksLayout, FillAndFitPicturesLieUnderTheCaption) {
  LayoutInput in = Face(0);
  in.pictureSizePx = 40;
  LayoutResult r = LayoutPlace(in, 20, 13, false);
  ExpectRect(r.pictureRect, 3, 3, 97, 27);
  ExpectRect(r.captionRect, 40, 8, 60, 21);  // no room reserved
  EXPECT_TRUE(r.redoPicture);
  in.shape = 6;
  ExpectRect(LayoutPlace(in, 20, 13, false).pictureRect, 1, 1, 99, 29);

  in = Face(0);
  in.pictureSizePx = 48;
  in.pictureWidth = 100;
  in.pictureHeight = 50;  // fitted into 88 x 18: 36 x 18
  r = LayoutPlace(in, 20, 13, false);
  ExpectRect(r.pictureRect, 32, 6, 68, 24);
  EXPECT_TRUE(r.redoPicture);
  in.shape = 7;
  r = LayoutPlace(in, 20, 13, false);
  ExpectRect(r.pictureRect, 0, 0, 100, 30);
  EXPECT_FALSE(r.redoPicture);
}

TEST(ButtLooksLayout, CaptionStylesGrowTheCaptionAndSlantsMoveTheArea) {
  LayoutInput in = Face(0);
  in.pictureWidth = in.pictureHeight = 0;
  in.captionStyle = 1;
  ExpectRect(LayoutPlace(in, 20, 13, false).captionRect, 39, 7, 61, 22);
  in.shape = 1;
  in.slantLeft = 21;
  const TextArea a = LayoutTextArea(in);
  EXPECT_EQ(a.x0, 17);
  EXPECT_EQ(a.w, 83);
  EXPECT_EQ(a.xr, 100);
  in.shape = 3;
  in.slantRight = 79;
  const TextArea b = LayoutTextArea(in);
  EXPECT_EQ(b.xr, 79 + 21 / 3);
  EXPECT_EQ(b.w, b.xr - 17);
}

TEST(ButtLooksSlant, OneHundredByTwentyKeepsItsWidth) {
  const SlantOutline o = ComputeSlantOutline(1, 100, 20);
  EXPECT_EQ(o.width, 100);
  EXPECT_EQ(o.run, 21);
  EXPECT_EQ(o.slantLeft, 21);
  EXPECT_EQ(o.slantRight, 100);
  EXPECT_EQ(o.points[1].x, 21);
  EXPECT_EQ(o.points[1].y, 21);
}

TEST(ButtLooksSlant, NarrowParallelogramWidens) {
  const SlantOutline o = ComputeSlantOutline(3, 30, 28);
  EXPECT_EQ(o.run, 29);
  EXPECT_EQ(o.width, 35);
  EXPECT_EQ(o.points[1].x, 29);
  EXPECT_EQ(o.points[3].x, 7);
  EXPECT_EQ(o.slantLeft, 29);
  EXPECT_EQ(o.slantRight, 6);
}

TEST(ButtLooksSlant, CornerCutsPerStyle) {
  EXPECT_EQ(CornerCuts(1, 0, true, 40, 20).size(), 4u);  // four corner pixels
  EXPECT_EQ(CornerCuts(3, 0, true, 40, 20).size(), 2u);  // bottom-left, top-right
  EXPECT_EQ(CornerCuts(3, 0, false, 40, 20).size(), 0u);
  EXPECT_EQ(CornerCuts(2, 1, true, 40, 20).size(), 2u);  // right triangles only
  EXPECT_EQ(CornerCuts(7, 3, true, 40, 20).size(), 0u);
  EXPECT_EQ(CornerCuts(0, 0, true, 40, 20).size(), 0u);
}
