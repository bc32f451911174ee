// Hover tracking with the real cursor: entering raises MouseOnButton(true)
// once, the hover timer finds the cursor gone and raises
// MouseOnButton(false) once; the timer and its window properties.
#include "button/KtTimer.h"
#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::CenterOf;
using butt_test::MoveCursor;
using butt_test::StoredBag;

class ButtBehaviourHover : public butt_test::ButtFormTest {
 protected:
  void SetUp() override {
    MoveCursor(butt_test::Elsewhere());
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Butt1", "Box1", 10, 10, 0, StoredBag(butt::ModeCommand, false, "One")));
    desc.controls.push_back(ButtAt("Butt2", "Box1", 100, 10, 1, StoredBag(butt::ModeCommand, false, "Two")));
    Open(desc);
    PumpUntil([] { return false; }, 100);  // let the cursor move settle
    log_.clear();
  }
  void TearDown() override {
    MoveCursor(butt_test::Elsewhere());
    ButtFormTest::TearDown();
  }

  std::vector<int16_t> HoverEvents(const std::string& name) const {
    std::vector<int16_t> values;
    for (const auto& r : Named(name, "MouseOnButton")) values.push_back(r.first.value_or(99));
    return values;
  }
  bool Enter(const char* name) {
    MoveCursor(CenterOf(Hwnd(name)));
    return PumpUntil([&] { return B(name).State().hoverTracking; });
  }
  bool Leave(const char* name) {
    MoveCursor(butt_test::Elsewhere());
    return PumpUntil([&] { return !B(name).State().hoverTracking; });
  }
};

TEST_F(ButtBehaviourHover, EnteringAndLeavingRaiseOneEventEach) {
  ASSERT_TRUE(Enter("Butt1"));
  // More moves over the control raise nothing more.
  POINT c = CenterOf(Hwnd("Butt1"));
  for (int dx = 1; dx <= 5; ++dx) {
    MoveCursor(POINT{c.x + dx, c.y});
    host::DoEvents();
  }
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(HoverEvents("Butt1"), (std::vector<int16_t>{-1}));
  const ButtState& s = B("Butt1").State();
  EXPECT_TRUE(s.Has(StateHot));
  EXPECT_FALSE(s.inputDown);

  ASSERT_TRUE(Leave("Butt1"));
  EXPECT_EQ(HoverEvents("Butt1"), (std::vector<int16_t>{-1, 0}));
  EXPECT_FALSE(s.Has(StateHot));
  EXPECT_FALSE(s.drawingDelayed);
}

TEST_F(ButtBehaviourHover, TrackingMarksTheWindowForTheTimer) {
  ASSERT_TRUE(Enter("Butt1"));
  HWND hwnd = Hwnd("Butt1");
  EXPECT_EQ(GetPropA(hwnd, kClassIdProp), static_cast<HANDLE>(&B("Butt1")));
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, kTimerIdProp)), HoverTimerId);
  EXPECT_EQ(Butt::FromHandle(GetPropA(hwnd, kClassIdProp)), &B("Butt1"));
  ASSERT_TRUE(Leave("Butt1"));
  // The properties stay for the next time; the timer is gone.
  EXPECT_NE(GetPropA(hwnd, kClassIdProp), nullptr);
  EXPECT_FALSE(KillTimer(hwnd, HoverTimerId));
}

TEST_F(ButtBehaviourHover, MovingToAnotherButtonHandsTheHoverOver) {
  ASSERT_TRUE(Enter("Butt1"));
  ASSERT_TRUE(Enter("Butt2"));
  ASSERT_TRUE(PumpUntil([&] { return !B("Butt1").State().hoverTracking; }));
  EXPECT_EQ(HoverEvents("Butt1"), (std::vector<int16_t>{-1, 0}));
  EXPECT_EQ(HoverEvents("Butt2"), (std::vector<int16_t>{-1}));
}

TEST_F(ButtBehaviourHover, EnteringWithTheLeftButtonHeldSetsInputDown) {
  // The cursor over the control and a move with the left button held.
  const POINT over = CenterOf(Hwnd("Butt1"));
  SetCursorPos(over.x, over.y);
  SendMessageA(Hwnd("Butt1"), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
  ASSERT_TRUE(PumpUntil([&] { return B("Butt1").State().hoverTracking; }));
  EXPECT_TRUE(B("Butt1").State().inputDown);
  ASSERT_TRUE(Leave("Butt1"));
  EXPECT_FALSE(B("Butt1").State().inputDown);
}

TEST_F(ButtBehaviourHover, AWindowOpenedOverTheControlEndsHovering) {
  ASSERT_TRUE(Enter("Butt1"));
  RECT r{};
  GetWindowRect(Hwnd("Butt1"), &r);
  // A static control would let the hit test through; a button does not.
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "cover", WS_POPUP | WS_VISIBLE, r.left - 5, r.top - 5,
                               r.right - r.left + 10, r.bottom - r.top + 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(cover, nullptr);
  const bool ended = PumpUntil([&] { return !B("Butt1").State().hoverTracking; });
  DestroyWindow(cover);
  EXPECT_TRUE(ended);
  EXPECT_EQ(HoverEvents("Butt1"), (std::vector<int16_t>{-1, 0}));
}

TEST_F(ButtBehaviourHover, DraggingOutAndBackKeepsThePress) {
  ASSERT_TRUE(Enter("Butt1"));
  Send("Butt1", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  const ButtState& s = B("Butt1").State();
  ASSERT_TRUE(s.PressedAndHot());
  ASSERT_TRUE(Leave("Butt1"));
  EXPECT_TRUE(s.Has(StatePressed));
  EXPECT_FALSE(s.Has(StateHot));
  EXPECT_FALSE(s.inputDown);
  // The captured mouse still reports the move back in.
  MoveCursor(CenterOf(Hwnd("Butt1")));
  Send("Butt1", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
  ASSERT_TRUE(PumpUntil([&] { return s.hoverTracking; }));
  EXPECT_TRUE(s.PressedAndHot());
  EXPECT_TRUE(s.inputDown);
  EXPECT_EQ(HoverEvents("Butt1"), (std::vector<int16_t>{-1, 0, -1}));
  Send("Butt1", WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(Named("Butt1", "Click").size(), 1u);
}

TEST_F(ButtBehaviourHover, DestroyingAHoveredControlStopsItsTimerFirst) {
  ASSERT_TRUE(Enter("Butt1"));
  HWND hwnd = Hwnd("Butt1");
  const long users = user::LiveCount();
  Form().RemoveControl("Butt1");
  EXPECT_FALSE(IsWindow(hwnd));
  // Timer and both properties went with the control (the window too).
  EXPECT_LE(user::LiveCount(), users - 3);
  // Nothing ticks into the destroyed control afterwards.
  PumpUntil([] { return false; }, 200);
  EXPECT_TRUE(HoverEvents("Butt1").size() == 1u);
}

TEST_F(ButtBehaviourHover, ATickForAWindowWithoutAControlStopsItsTimer) {
  HWND orphan = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(orphan, nullptr);
  SetPropA(orphan, kClassIdProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234)));
  ASSERT_NE(SetTimer(orphan, HoverTimerId, 10, HoverTimerProc), 0u);
  HoverTimerProc(orphan, WM_TIMER, HoverTimerId, 0);
  EXPECT_FALSE(KillTimer(orphan, HoverTimerId));
  RemovePropA(orphan, kClassIdProp);
  DestroyWindow(orphan);
}

}  // namespace
