// The eight style painters on a 60 x 24 rectangular face of 0xC0C0C0:
// bevel rings, corner pixels, focus cues and captions at the pixels their
// looks fix, in a representative matrix of states.
#include <gtest/gtest.h>

#include "button/ButtCaption.h"
#include "button/ShiftColor.h"
#include "tests/button/LooksFixture.h"

namespace {
constexpr int W = 60, H = 24;
constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Colours on the left column and the right column of each ring, mid-height.
struct Rings {
  COLORREF outerLeft, middleLeft, innerLeft, innerRight, middleRight, outerRight;
};
Rings ReadRings(const LooksButton& b) {
  return {b.Px(0, 12), b.Px(1, 12), b.Px(2, 12), b.Px(W - 3, 12), b.Px(W - 2, 12), b.Px(W - 1, 12)};
}
void ExpectRings(const LooksButton& b, Rings want) {
  const Rings got = ReadRings(b);
  EXPECT_EQ(got.outerLeft, want.outerLeft);
  EXPECT_EQ(got.middleLeft, want.middleLeft);
  EXPECT_EQ(got.innerLeft, want.innerLeft);
  EXPECT_EQ(got.innerRight, want.innerRight);
  EXPECT_EQ(got.middleRight, want.middleRight);
  EXPECT_EQ(got.outerRight, want.outerRight);
}
void HoldDown(ButtState& s) {
  s.Set(StatePressed);
  s.Set(StateHot);
  s.hoverTracking = true;
}
}  // namespace

TEST(ButtLooksRender, Soft3DRingsNormalFocusedPressedChecked) {
  LooksButton b(W, H, 0);
  ASSERT_EQ(b.Render(), 1);
  ExpectRings(b, {kWhite, RGB(233, 233, 233), kFace, kFace, kGrey, kBlack});
  EXPECT_EQ(b.Px(30, 12), kFace);

  b.s.Set(StateFocusShown);
  b.Render();
  ExpectRings(b, {kBlack, kWhite, RGB(233, 233, 233), kGrey, kBlack, kBlack});

  b.s.stateFlags = 0;
  HoldDown(b.s);
  b.Render();
  ExpectRings(b, {kWhite, kFace, kFace, kFace, kGrey, kBlack});

  LooksButton check(W, H, 0);
  check.s.Mode = butt::ModeCheckBox;
  check.s.Value = kTrue;
  check.Render();
  ExpectRings(check, {kBlack, RGB(223, 223, 223), RGB(223, 223, 223), RGB(223, 223, 223), RGB(233, 233, 233), kWhite});
  EXPECT_EQ(check.Px(30, 12), RGB(223, 223, 223));  // the checked face
}

TEST(ButtLooksRender, Classic3DRaisedAndSunken) {
  LooksButton b(W, H, 1);
  b.Render();
  ExpectRings(b, {kBlack, kWhite, kWhite, kGrey, kGrey, kBlack});
  EXPECT_EQ(b.Px(30, 0), kBlack);
  EXPECT_EQ(b.Px(30, 1), kWhite);
  EXPECT_EQ(b.Px(30, H - 2), kGrey);
  EXPECT_EQ(b.Px(30, H - 1), kBlack);
  HoldDown(b.s);
  b.Render();
  ExpectRings(b, {kBlack, kGrey, kGrey, kWhite, kWhite, kBlack});
}

TEST(ButtLooksRender, Thin3DAndLight3D) {
  LooksButton thin(W, H, 4);
  thin.Render();
  ExpectRings(thin, {kWhite, kFace, kFace, kFace, kFace, kGrey});
  HoldDown(thin.s);
  thin.Render();
  ExpectRings(thin, {kGrey, kFace, kFace, kFace, kFace, kWhite});

  const COLORREF lt = RGB(231, 231, 231);
  LooksButton light(W, H, 6);
  light.Render();
  ExpectRings(light, {lt, lt, kFace, kFace, kGrey, kGrey});
  HoldDown(light.s);
  light.Render();
  ExpectRings(light, {kGrey, kGrey, kFace, kFace, lt, lt});
}

TEST(ButtLooksRender, RoundedThemeOutlineCornersShineAndHotRing) {
  LooksButton b(W, H, 2);
  b.Render();
  const COLORREF outline = 0x733C00;
  const int32_t face = ShiftColor(0xC0C0C0, 48, true);
  EXPECT_EQ(b.s.look.faceColor, face);
  EXPECT_EQ(b.Px(0, 12), outline);
  EXPECT_EQ(b.Px(1, 1), outline);
  EXPECT_EQ(b.Px(1, H - 2), outline);
  EXPECT_EQ(b.Px(W - 2, 1), outline);
  EXPECT_EQ(b.Px(W - 2, H - 2), outline);
  EXPECT_EQ(b.Px(1, 12), static_cast<COLORREF>(ShiftColor(face, -5, true)));
  // The shine darkens row by row: round(-25 * i / FH), ties to even.
  EXPECT_EQ(b.Px(30, 3), static_cast<COLORREF>(ShiftColor(face, -3, true)));
  EXPECT_EQ(b.Px(30, 12), static_cast<COLORREF>(ShiftColor(face, -12, true)));  // -12.5 -> -12
  EXPECT_EQ(b.Px(30, H - 4), static_cast<COLORREF>(ShiftColor(face, -21, true)));

  b.s.Set(StateHot);
  b.s.hoverTracking = true;
  b.s.Set(StateFocusShown);  // hot wins over focus
  b.Render();
  EXPECT_EQ(b.Px(1, 12), 0x31B2FFu);
  EXPECT_EQ(b.Px(2, 12), 0x6BCBFFu);
  EXPECT_EQ(b.Px(30, H - 2), 0x0096E7u);

  b.s.stateFlags = StateFocusShown;
  b.s.hoverTracking = false;
  b.Render();
  EXPECT_EQ(b.Px(30, H - 2), 0xEF826Bu);
  b.s.ShowFocusRect = kFalse;  // never the blue column then
  b.Render();
  EXPECT_EQ(b.Px(30, H - 2), static_cast<COLORREF>(ShiftColor(face, -48, true)));
}

TEST(ButtLooksRender, RoundedGreyCornersAndPressedFace) {
  LooksButton b(W, H, 7);
  b.Render();
  const int32_t f = ShiftColor(0xC0C0C0, 31);
  const int32_t lt = ShiftColor(f, 31, true), dk = ShiftColor(f, -64, true);
  EXPECT_EQ(b.Px(30, 12), static_cast<COLORREF>(f));
  EXPECT_EQ(b.Px(3, 3), kWhite);
  EXPECT_EQ(b.Px(1, H - 3), static_cast<COLORREF>(f));
  EXPECT_EQ(b.Px(2, 2), static_cast<COLORREF>(lt));
  EXPECT_EQ(b.Px(1, H - 2), kBlack);
  EXPECT_EQ(b.Px(1, 1), kBlack);
  EXPECT_EQ(b.Px(W - 4, H - 4), static_cast<COLORREF>(f));
  EXPECT_EQ(b.Px(W - 3, 1), static_cast<COLORREF>(f));
  EXPECT_EQ(b.Px(W - 3, H - 3), static_cast<COLORREF>(dk));
  EXPECT_EQ(b.Px(W - 2, H - 2), kBlack);
  EXPECT_EQ(b.Px(W - 2, 1), kBlack);
  EXPECT_EQ(b.Px(0, 12), kBlack);
  EXPECT_EQ(b.Px(2, 12), kWhite);

  HoldDown(b.s);
  b.Render();
  EXPECT_EQ(b.Px(30, 12), RGB(112, 112, 112));  // edgeColor 0x707070
}

TEST(ButtLooksRender, RoundedGreyCornersOnlyOnStraightSides) {
  LooksButton b(100, 20, 7, 1);  // left slant: right corners only
  b.Render();
  EXPECT_EQ(b.Px(98, 1), kBlack);
  EXPECT_EQ(b.Px(98, 18), kBlack);
  EXPECT_EQ(b.Px(1, 18), static_cast<COLORREF>(ShiftColor(0xC0C0C0, 31)));  // no corner here
}

TEST(ButtLooksRender, EtchedOutline) {
  LooksButton b(W, H, 3);
  b.Render();
  const COLORREF d = RGB(102, 102, 102);
  ExpectRings(b, {d, kWhite, kFace, kFace, d, kWhite});
  LooksButton check(W, H, 3);
  check.s.Mode = butt::ModeCheckBox;
  check.s.Value = kTrue;
  check.Render();
  EXPECT_EQ(check.Px(1, 12), RGB(171, 171, 171));  // middle ring in the checked face
}

TEST(ButtLooksRender, HotTrackOutlineOnlyWhileHot) {
  LooksButton b(W, H, 5);
  b.Render();
  EXPECT_EQ(b.Px(0, 12), kFace);
  EXPECT_EQ(b.Px(W - 1, 12), kFace);
  b.s.Set(StateHot);
  b.s.hoverTracking = true;
  b.Render();
  EXPECT_EQ(b.Px(0, 12), kWhite);
  EXPECT_EQ(b.Px(W - 1, 12), kGrey);
  HoldDown(b.s);
  b.Render();
  EXPECT_EQ(b.Px(0, 12), kGrey);
  EXPECT_EQ(b.Px(W - 1, 12), kWhite);

  LooksButton edit(W, H, 5);
  edit.s.userMode = false;  // dotted bounds while the form is edited
  edit.Render();
  int dots = 0;
  for (int y = 0; y < H; ++y) dots += edit.Px(0, y) == kGrey ? 1 : 0;
  EXPECT_GT(dots, 3);
  EXPECT_LT(dots, H);
}

TEST(ButtLooksRender, FocusRectanglesFourPixelsInside) {
  LooksButton dotted(W, H, 1);
  dotted.s.Set(StateFocusShown);
  dotted.Render();
  int inverted = 0;
  for (int x = 4; x < W - 4; ++x) inverted += dotted.Px(x, 4) != kFace ? 1 : 0;
  EXPECT_GT(inverted, 10);  // dotted: about every other pixel
  EXPECT_LT(inverted, W - 8);
  EXPECT_EQ(dotted.Px(30, 5), kFace);
  EXPECT_EQ(dotted.Px(30, 3), kFace);

  LooksButton solid(W, H, 1);
  solid.s.Mode = butt::ModeCheckBox;
  solid.s.Value = kTrue;
  solid.s.Set(StateFocusShown);
  solid.Render();
  const COLORREF checked = RGB(223, 223, 223);
  EXPECT_EQ(solid.Px(4, 12), kBlack);
  EXPECT_EQ(solid.Px(30, 4), kBlack);
  EXPECT_EQ(solid.Px(W - 4, 12), kBlack);
  EXPECT_EQ(solid.Px(30, H - 4), kBlack);
  EXPECT_EQ(solid.Px(5, 12), checked);
  EXPECT_EQ(solid.Px(3, 12), checked);
}

TEST(ButtLooksRender, SlantedFocusLinesInTheDarkenedFace) {
  LooksButton b(100, 20, 1, 2);
  b.s.Set(StateFocusShown);
  b.Render();
  const COLORREF dark = static_cast<COLORREF>(ShiftColor(0xC0C0C0, -48));
  EXPECT_EQ(b.Px(30, 4), dark);
  EXPECT_EQ(b.Px(30, 15), dark);

  LooksButton grey(100, 20, 7, 2);
  grey.s.Set(StateFocusShown);
  grey.Render();
  const int32_t f = ShiftColor(0xC0C0C0, 31);
  EXPECT_EQ(grey.Px(30, 4), static_cast<COLORREF>(ShiftColor(f, -64)));
}

namespace {
struct CaptionPixels {
  int white = 0, grey = 0, black = 0;
  bool whiteBelowGrey = true;
};
CaptionPixels Scan(const LooksButton& b) {
  CaptionPixels c;
  for (int y = 4; y < H - 4; ++y)
    for (int x = 4; x < W - 4; ++x) {
      const COLORREF p = b.Px(x, y);
      if (p == kWhite) {
        ++c.white;
        const COLORREF origin = b.Px(x - 1, y - 1);
        if (origin != kGrey && origin != kWhite) c.whiteBelowGrey = false;
      }
      c.grey += p == kGrey ? 1 : 0;
      c.black += p == kBlack ? 1 : 0;
    }
  return c;
}
}  // namespace

TEST(ButtLooksRender, DisabledCaptionsWhiteUnderGrey) {
  for (int style : {0, 1, 4, 6}) {
    SCOPED_TRACE(style);
    LooksButton b(W, H, style, 0, "HHH");
    b.s.hostEnabled = kFalse;
    b.Render();
    const CaptionPixels c = Scan(b);
    EXPECT_GT(c.grey, 10);
    EXPECT_GT(c.white, 3);
    EXPECT_EQ(c.black, 0);
    EXPECT_TRUE(c.whiteBelowGrey);
  }
  LooksButton check(W, H, 1, 0, "HHH");  // check box: one flat grey pass
  check.s.Mode = butt::ModeCheckBox;
  check.s.hostEnabled = kFalse;
  check.Render();
  const CaptionPixels c = Scan(check);
  EXPECT_GT(c.grey, 10);
  EXPECT_EQ(c.white, 0);
}

TEST(ButtLooksRender, CaptionTextLineBreaksAndAccessKeys) {
  EXPECT_EQ(CaptionDisplayText("One||Two"), "One\r\nTwo");
  EXPECT_EQ(CaptionDisplayText("a|b|||c"), "a|b\r\n|c");
  LooksButton one(W, 40, 1, 0, "Ab");
  LooksButton two(W, 40, 1, 0, "Ab||Cd");
  const int h1 = one.s.look.captionRect.bottom - one.s.look.captionRect.top;
  const int h2 = two.s.look.captionRect.bottom - two.s.look.captionRect.top;
  EXPECT_GE(h2, 2 * h1 - 1);

  // "&" underlines the next letter: more dark pixels below the glyphs.
  auto darkBelow = [](const std::string& caption) {
    LooksButton b(W, H, 4, 0, caption);
    b.Render();
    int n = 0;
    for (int y = 4; y < H - 4; ++y)
      for (int x = 4; x < W - 4; ++x) n += b.Px(x, y) == kBlack ? 1 : 0;
    return n;
  };
  EXPECT_GT(darkBelow("&H"), darkBelow("H"));
  EXPECT_GT(darkBelow("A&&B"), darkBelow("AB"));  // "&&" shows one ampersand
}

TEST(ButtLooksRender, PressedCaptionMovesExceptEtched) {
  auto firstDarkColumn = [](int style, bool pressed) {
    LooksButton b(W, H, style, 0, "I");
    if (pressed) HoldDown(b.s);
    b.Render();
    for (int x = 4; x < W - 4; ++x)
      for (int y = 4; y < H - 4; ++y)
        if (b.Px(x, y) == kBlack || b.Px(x, y) == kGrey) return x;
    return -1;
  };
  EXPECT_EQ(firstDarkColumn(1, true), firstDarkColumn(1, false) + 1);
  EXPECT_EQ(firstDarkColumn(3, true), firstDarkColumn(3, false));
}

TEST(ButtLooksRender, ShapedButtonsAskForAFrame) {
  LooksButton ellipse(W, H, 1, 4);
  EXPECT_EQ(ellipse.Render(), 1);  // 4 and 5 never ask
  LooksButton framed(W, H, 1, 6);
  framed.s.hoverTracking = true;
  EXPECT_GT(framed.Render(), 1);
  EXPECT_EQ(framed.colors[12], 0);
  LooksButton theme(W, H, 2, 4);
  theme.s.hoverTracking = true;
  EXPECT_GT(theme.Render(), 1);
  EXPECT_EQ(theme.colors[12], 0x0096E7);
}

TEST(ButtLooksRender, GradientFacesEndInTheirColours) {
  struct Case {
    int mode;
    COLORREF first, last;
    bool vertical;
  };
  for (const Case& c : {Case{1, kWhite, RGB(0, 0, 160), false}, Case{2, RGB(0, 0, 160), kWhite, false},
                        Case{3, kWhite, RGB(0, 0, 160), true}, Case{4, RGB(0, 0, 160), kWhite, true}}) {
    SCOPED_TRACE(c.mode);
    LooksButton b(W, H, 5);  // HotTrack at rest: a face without rings
    b.s.BackColor = 0xFFFFFF;
    b.s.GradientColor = 0xA00000;
    b.s.GradientMode = c.mode;
    b.Rebuild();
    b.Render();
    const COLORREF first = c.vertical ? b.Px(30, 0) : b.Px(0, 12);
    const COLORREF last = c.vertical ? b.Px(30, H - 1) : b.Px(W - 1, 12);
    EXPECT_EQ(first, c.first);
    EXPECT_NEAR(GetRValue(last), GetRValue(c.last), 1);
    EXPECT_NEAR(GetBValue(last), GetBValue(c.last), 1);
    // No outline at rest: across the strips the bottom row is face, as the row above it.
    for (int x = 0; x < W && !c.vertical; x += 6) EXPECT_EQ(b.Px(x, H - 1), b.Px(x, H - 2)) << "x " << x;
  }
}

TEST(ButtLooksRender, WorkingColoursPerStyle) {
  LooksButton b(W, H, 0);
  auto colours = [&b](int style) {
    b.s.ButtonStyle = style;
    UpdateDerived(b.s, "backcolor");  // the aspect ignores letter case
    return std::vector<int32_t>{b.s.look.faceColor, b.s.look.edgeColor, b.s.look.hoverFaceColor,
                                b.s.look.checkedFaceColor};
  };
  b.s.HoverBackColor = 0x102030;
  EXPECT_EQ(colours(2),
            (std::vector<int32_t>{ShiftColor(0xC0C0C0, 48, true), ShiftColor(ShiftColor(0xC0C0C0, 48, true), -32, true),
                                  ShiftColor(0x102030, 48, true), 0xD5DFDF}));
  EXPECT_EQ(colours(3), (std::vector<int32_t>{0xC0C0C0, 0x8C8C8C, 0x102030, 0xABABAB}));
  EXPECT_EQ(colours(7), (std::vector<int32_t>{0xDFDFDF, 0x707070, ShiftColor(0x102030, 31), 0x8A9090}));
  EXPECT_EQ(colours(4), (std::vector<int32_t>{0xC0C0C0, 0xC0C0C0, 0x102030, 0xDFDFDF}));
  UpdateDerived(b.s, "Colour");  // unknown aspects change nothing
  EXPECT_EQ(b.s.look.faceColor, 0xC0C0C0);
}
