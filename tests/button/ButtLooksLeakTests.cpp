// Resource hygiene: repeated drawing passes of every style leave the
// number of live GDI objects where it was, and everything a control made
// is gone once its state is released.
#include <gtest/gtest.h>

#include <vector>

#include "host/GdiObjects.h"
#include "tests/button/LooksFixture.h"

namespace {
void CycleStates(LooksButton& b, int i) {
  b.s.stateFlags = 0;
  b.s.hoverTracking = false;
  b.s.Value = kFalse;
  switch (i % 5) {
    case 1:
      b.s.Set(StateHot);
      b.s.hoverTracking = true;
      break;
    case 2:
      b.s.Set(StateHot);
      b.s.Set(StatePressed);
      b.s.hoverTracking = true;
      break;
    case 3: b.s.Set(StateFocusShown); break;
    case 4: b.s.Value = b.s.Mode != butt::ModeCommand ? kTrue : kFalse; break;
    default: break;
  }
}
}  // namespace

TEST(ButtLooksLeaks, RedrawsOfEveryStyleLeaveNothingBehind) {
  gdi::Bitmap pic(
      MakeDib(16, 16, [](int x, int y) -> COLORREF { return (x + y) % 5 ? RGB(20, 60, 160) : RGB(255, 0, 255); }));
  for (int style = 0; style < 8; ++style) {
    SCOPED_TRACE(style);
    LooksButton b(32, 12, style, style % 2 ? 0 : 1, "Go&!");  // small: the passes stay cheap
    b.s.Mode = style % 3;
    b.s.GradientColor = 0x4080C0;
    UsePicture(b.s, pic.get());
    LayoutButton(b.s, true);
    b.Render();  // first pass makes the pens and brushes the later ones replace
    const long before = gdi::LiveCount();
    for (int i = 0; i < 200; ++i) {  // a handle lost per pass shows as 200
      CycleStates(b, i);
      b.s.hostEnabled = (i % 7 == 6) ? kFalse : kTrue;
      b.s.GradientMode = (i % 50 == 0) ? 1 + (i / 50) % 4 : 0;  // gradients now and then
      b.Render();
    }
    EXPECT_EQ(gdi::LiveCount(), before);
  }
}

TEST(ButtLooksLeaks, ReleasingTheStateDeletesEverythingItMade) {
  gdi::Bitmap pic(
      MakeDib(30, 20, [](int x, int y) -> COLORREF { return (x < 2 || y < 2) ? RGB(255, 0, 255) : RGB(90, 90, 20); }));
  const long start = gdi::LiveCount();
  std::vector<HGDIOBJ> made;
  {
    LooksButton b(30, 20, 2, 0, "Shape");
    UsePicture(b.s, pic.get());
    b.s.ButtonShape = 8;
    b.Rebuild();
    b.s.Set(StateFocusShown);
    b.Render();
    for (HGDIOBJ h :
         {static_cast<HGDIOBJ>(b.s.look.shapeOuterRegion.get()), static_cast<HGDIOBJ>(b.s.look.shapeInnerRegion.get()),
          static_cast<HGDIOBJ>(b.s.look.windowRegion.get()), static_cast<HGDIOBJ>(b.s.look.preparedPicture.get()),
          static_cast<HGDIOBJ>(b.s.look.captionFont.get())}) {
      ASSERT_NE(h, nullptr);
      EXPECT_NE(GetObjectType(h), 0u);
      made.push_back(h);
    }
    // Shapes rebuilt over and over replace their regions.
    const long live = gdi::LiveCount();
    for (int i = 0; i < 200; ++i) b.Rebuild();
    EXPECT_EQ(gdi::LiveCount(), live);
  }
  EXPECT_EQ(gdi::LiveCount(), start);
  for (HGDIOBJ h : made) EXPECT_EQ(GetObjectType(h), 0u);
}
