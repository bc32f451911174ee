// Resource hygiene: repeated redraws, resizes, property changes and hover
// cycles leave the live GDI objects, USER objects (timers, window
// properties, icons) and window properties where they started, and every
// released handle is really gone.
#include "button/KtTimer.h"
#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::StoredBag;

// A handle lost per cycle shows as a count that grew by the number of cycles.
constexpr int kCycles = 200;
constexpr int kCheckEvery = 50;

class ButtBehaviourHygiene : public butt_test::ButtFormTest {
 protected:
  void SetUp() override {
    butt_test::MoveCursor(butt_test::Elsewhere());
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Butt1", "Box1", 20, 20, 0, StoredBag(butt::ModeOptionButton, false, "Clean")));
    Open(desc);
    // One round of everything first, so what is made once and kept (the
    // timer's window properties) is already there.
    HoverCycle();
    baseGdi_ = gdi::LiveCount();
    baseUser_ = user::LiveCount();
    baseControlProps_ = butt_test::WindowPropNames(Hwnd("Butt1")).size();
    baseBoxProps_ = butt_test::WindowPropNames(Form().GetContainer("Box1").Hwnd()).size();
  }

  // One enter and leave, as the pointer and the timer drive them.
  void HoverCycle() {
    Butt& b = B("Butt1");
    const POINT over = butt_test::CenterOf(Hwnd("Butt1"));
    SetCursorPos(over.x, over.y);
    b.MouseMove(0, 0, 10, 10);
    SetCursorPos(butt_test::Elsewhere().x, butt_test::Elsewhere().y);
    b.CheckHoverExit(HoverTimerId);
  }

  void ExpectNothingLeft() {
    EXPECT_EQ(gdi::LiveCount(), baseGdi_);
    EXPECT_EQ(user::LiveCount(), baseUser_);
    EXPECT_EQ(butt_test::WindowPropNames(Hwnd("Butt1")).size(), baseControlProps_);
    EXPECT_EQ(butt_test::WindowPropNames(Form().GetContainer("Box1").Hwnd()).size(), baseBoxProps_);
    EXPECT_FALSE(KillTimer(Hwnd("Butt1"), HoverTimerId));
  }

  long baseGdi_ = 0;
  long baseUser_ = 0;
  size_t baseControlProps_ = 0;
  size_t baseBoxProps_ = 0;
};

TEST_F(ButtBehaviourHygiene, RedrawsLeaveNothingBehind) {
  Butt& b = B("Butt1");
  const uint32_t before = b.RedrawCount();
  for (int i = 0; i < kCycles; ++i) b.Refresh();
  EXPECT_EQ(b.RedrawCount(), before + kCycles);
  ExpectNothingLeft();
}

TEST_F(ButtBehaviourHygiene, ResizesLeaveNothingBehindAndFreeEachBuffer) {
  Butt& b = B("Butt1");
  for (int i = 0; i < kCycles; ++i) {
    const HGDIOBJ oldBitmap = b.State().buffer.bitmap();
    const bool big = i % 2 == 0;  // the control starts small: every move resizes
    Site("Butt1").Move(20, 20, big ? 70 : 63, big ? 30 : 26);
    if (i % kCheckEvery == 0) {
      ASSERT_NE(oldBitmap, static_cast<HGDIOBJ>(b.State().buffer.bitmap()));
      ASSERT_EQ(GetObjectType(oldBitmap), 0u);
      host::DoEvents();
    }
  }
  ExpectNothingLeft();
}

TEST_F(ButtBehaviourHygiene, PropertyChangesLeaveNothingBehind) {
  Butt& b = B("Butt1");
  host::FontDesc font = b.Font();
  // One property change per step, taking turns among the setters that
  // rebuild fonts, shapes, layout and working colours.
  for (int i = 0; i < kCycles; ++i) {
    switch (i % 8) {
      case 0: b.ButtonStyle((i / 8) % 8); break;
      case 1: b.ButtonShape((i / 8) % 7); break;
      case 2: b.BackColor(static_cast<ButtColor>(0x00010203 * (i % 50))); break;
      case 3: b.GradientMode((i / 8) % 5); break;
      case 4: b.Caption(i % 16 ? "Cl&ean" : "Tidy"); break;
      case 5: b.Value(i % 3 == 0); break;
      case 6:
        font.size = i % 16 ? 9.0f : 8.25f;
        b.Font(font);
        break;
      default: b.HoverColorLocks((i / 8) % 4); break;
    }
    if (i % kCheckEvery == 0) {
      const HGDIOBJ region = b.State().look.shapeOuterRegion.get();
      const HGDIOBJ captionFont = b.State().look.captionFont.get();
      b.ButtonShape(4);
      b.ButtonShape(5);
      font.size += 1.0f;
      b.Font(font);
      if (region) {
        ASSERT_EQ(GetObjectType(region), 0u);
      }
      ASSERT_EQ(GetObjectType(captionFont), 0u);
      host::DoEvents();
    }
  }
  b.ButtonShape(0);
  ExpectNothingLeft();
}

TEST_F(ButtBehaviourHygiene, HoverCyclesLeaveNothingBehind) {
  Butt& b = B("Butt1");
  for (int i = 0; i < kCycles; ++i) {
    HoverCycle();
    if (i % kCheckEvery == 0) host::DoEvents();
  }
  EXPECT_FALSE(b.State().hoverTracking);
  ExpectNothingLeft();
}

TEST_F(ButtBehaviourHygiene, RemovingTheControlReturnsToTheStart) {
  HWND box = Form().GetContainer("Box1").Hwnd();
  const long gdiWithButton = gdi::LiveCount();
  Form().RemoveControl("Butt1");
  EXPECT_LT(gdi::LiveCount(), gdiWithButton);
  EXPECT_TRUE(butt_test::WindowPropNames(box).empty());  // left its option group
}

}  // namespace
