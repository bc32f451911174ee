// The redraw pipeline: back buffer, delayed drawing, paint and resize,
// CustomClick's displacement, system colours, and release at termination.
#include "button/ButtCore.h"
#include "button/TranslateColor.h"
#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::StoredBag;

SIZE BufferBitmapSize(const ButtState& s) {
  BITMAP info{};
  HGDIOBJ bitmap = GetCurrentObject(s.buffer.dc(), OBJ_BITMAP);
  GetObjectA(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

TEST(ButtBehaviourTranslateColor, SystemColoursResolvePlainOnesStay) {
  EXPECT_EQ(TranslateColor(static_cast<ButtColor>(0x8000000F)), static_cast<ButtColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(TranslateColor(static_cast<ButtColor>(0x80000012)), static_cast<ButtColor>(GetSysColor(COLOR_BTNTEXT)));
  EXPECT_EQ(TranslateColor(0x00FF0000), 0x00FF0000);
  EXPECT_EQ(TranslateColor(0), 0);
}

class ButtBehaviourRedraw : public butt_test::ButtFormTest {
 protected:
  void SetUp() override {
    butt_test::MoveCursor(butt_test::Elsewhere());
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Butt1", "Box1", 20, 30, 0, StoredBag(butt::ModeCommand, false, "Redraw")));
    Open(desc);
  }
};

TEST_F(ButtBehaviourRedraw, TheBackBufferHasTheClientSize) {
  const ButtState& s = B("Butt1").State();
  ASSERT_TRUE(s.buffer);
  EXPECT_TRUE(s.buffer.HasBitmap());
  const SIZE size = BufferBitmapSize(s);
  EXPECT_EQ(size.cx, butt_test::kButtWidth);
  EXPECT_EQ(size.cy, butt_test::kButtHeight);
  EXPECT_EQ(GetBkMode(s.buffer.dc()), TRANSPARENT);
  EXPECT_EQ(GetCurrentObject(s.buffer.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(s.buffer.dc(), OBJ_BRUSH), GetStockObject(BLACK_BRUSH));
}

TEST_F(ButtBehaviourRedraw, DelayedChangesDrawOnceWhenTheDelayEnds) {
  Butt& b = B("Butt1");
  const uint32_t before = b.RedrawCount();
  b.DelayDrawing(true);
  b.Caption("One");
  b.BackColor(0x00102030);
  b.ButtonStyle(butt::StyleThin3D);
  b.PictureAlign(butt::PicAlignRightEdge);
  b.Mode(butt::ModeCheckBox);
  b.Value(true);
  EXPECT_EQ(b.RedrawCount(), before);
  b.DelayDrawing(false);
  EXPECT_EQ(b.RedrawCount(), before + 1);
  EXPECT_FALSE(b.State().drawingDelayed);
}

TEST_F(ButtBehaviourRedraw, AResizeWhileDelayedRenewsOnlyTheBuffer) {
  Butt& b = B("Butt1");
  b.DelayDrawing(true);
  const uint32_t before = b.RedrawCount();
  const HGDIOBJ oldBitmap = GetCurrentObject(b.State().buffer.dc(), OBJ_BITMAP);
  Site("Butt1").Move(20, 30, 80, 40);  // the resize arrives at once; no paint yet
  const SIZE size = BufferBitmapSize(b.State());
  EXPECT_EQ(size.cx, 80);
  EXPECT_EQ(size.cy, 40);
  EXPECT_EQ(GetObjectType(oldBitmap), 0u);  // the old back bitmap is gone
  EXPECT_EQ(b.RedrawCount(), before);
  EXPECT_TRUE(b.State().drawingDelayed);
}

TEST_F(ButtBehaviourRedraw, APaintEndsTheDelayAndDraws) {
  Butt& b = B("Butt1");
  b.DelayDrawing(true);
  const uint32_t before = b.RedrawCount();
  InvalidateRect(Hwnd("Butt1"), nullptr, FALSE);
  UpdateWindow(Hwnd("Butt1"));
  EXPECT_FALSE(b.State().drawingDelayed);
  EXPECT_EQ(b.RedrawCount(), before + 1);
}

TEST_F(ButtBehaviourRedraw, RefreshEndsTheDelayWithoutNewLayout) {
  Butt& b = B("Butt1");
  b.DelayDrawing(true);
  const uint32_t before = b.RedrawCount();
  b.Refresh();
  EXPECT_EQ(b.RedrawCount(), before + 1);
  EXPECT_FALSE(b.State().drawingDelayed);
}

TEST_F(ButtBehaviourRedraw, AFaceIsCopiedToTheControl) {
  Butt& b = B("Butt1");
  b.ButtonStyle(butt::StyleClassic3D);
  b.BackColor(0x000000FF);
  const uint32_t shown = b.PresentCount();
  b.Refresh();
  EXPECT_EQ(b.PresentCount(), shown + 1);
  // The control shows the buffer: a pixel in the middle of the face.
  HDC dc = GetDC(Hwnd("Butt1"));
  const COLORREF onScreen = GetPixel(dc, 30, 13);
  ReleaseDC(Hwnd("Butt1"), dc);
  EXPECT_EQ(onScreen, GetPixel(b.State().buffer.dc(), 30, 13));
}

TEST_F(ButtBehaviourRedraw, TerminationReleasesEveryDrawingObject) {
  Butt& b = B("Butt1");
  b.ButtonShape(4);  // an ellipse: both inset regions exist
  const ButtState& s = b.State();
  const HDC dc = s.buffer.dc();
  const HGDIOBJ bitmap = s.buffer.bitmap();
  const HGDIOBJ font = s.look.captionFont.get();
  const HGDIOBJ outer = s.look.shapeOuterRegion.get();
  const HGDIOBJ inner = s.look.shapeInnerRegion.get();
  ASSERT_NE(outer, nullptr);
  ASSERT_NE(font, nullptr);
  Form().RemoveControl("Butt1");
  for (HGDIOBJ h : {static_cast<HGDIOBJ>(dc), bitmap, font, outer, inner}) EXPECT_EQ(GetObjectType(h), 0u);
}

// CustomClick on real windows: a child of a container, moved by the table
// while pressed and hot, and back once it is not.
class ButtBehaviourCustomClick : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr, nullptr, nullptr);
    child_ =
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 40, 30, 63, 26, parent_, nullptr, nullptr, nullptr);
    s_.hwnd = child_;
    s_.containerHwnd = parent_;
  }
  void TearDown() override { DestroyWindow(parent_); }
  RECT Place() const {
    RECT r{};
    GetWindowRect(child_, &r);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  HWND parent_ = nullptr;
  HWND child_ = nullptr;
  ButtState s_;
};

TEST_F(ButtBehaviourCustomClick, EachDirectionMovesAndSizesByItsOffsetAndBack) {
  const int offsets[9][2] = {{0, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}};
  for (int32_t click = butt::MoveUp; click <= butt::MoveLeft; ++click) {
    SCOPED_TRACE(click);
    s_.CustomClick = click;
    s_.Set(StatePressed);
    s_.Set(StateHot);
    EXPECT_TRUE(CustomClickMove(s_));
    const int dx = offsets[click][0];
    const int dy = offsets[click][1];
    RECT moved = Place();
    EXPECT_EQ(moved.left, 40 + dx);
    EXPECT_EQ(moved.top, 30 + dy);
    EXPECT_EQ(moved.right - moved.left, 63 + dx);
    EXPECT_EQ(moved.bottom - moved.top, 26 + dy);
    EXPECT_TRUE(s_.Has(StateCustomMoved));
    // Further passes while still held leave it where it is.
    EXPECT_FALSE(CustomClickMove(s_));
    EXPECT_EQ(Place().left, 40 + dx);

    s_.Clear(StatePressed);
    EXPECT_FALSE(CustomClickMove(s_));
    RECT back = Place();
    EXPECT_EQ(back.left, 40);
    EXPECT_EQ(back.top, 30);
    EXPECT_EQ(back.right - back.left, 63);
    EXPECT_EQ(back.bottom - back.top, 26);
    EXPECT_FALSE(s_.Has(StateCustomMoved));
  }
}

TEST_F(ButtBehaviourCustomClick, OnlyCommandButtonsWithCustomClickMove) {
  s_.Set(StatePressed);
  s_.Set(StateHot);
  s_.CustomClick = butt::ClickStandard;
  EXPECT_FALSE(CustomClickMove(s_));
  s_.CustomClick = butt::MoveDown;
  s_.Mode = butt::ModeCheckBox;
  EXPECT_FALSE(CustomClickMove(s_));
  EXPECT_EQ(Place().top, 30);
  s_.Mode = butt::ModeCommand;
  s_.Clear(StateHot);  // pressed but not hot: stays
  EXPECT_FALSE(CustomClickMove(s_));
  EXPECT_EQ(Place().top, 30);
}

class ButtBehaviourCustomClickOnForm : public butt_test::ButtFormTest {};

TEST_F(ButtBehaviourCustomClickOnForm, PressingAShapedButtonMovesItAndReleasingMovesItBack) {
  butt_test::MoveCursor(butt_test::Elsewhere());
  host::FormDesc desc = butt_test::BaseForm();
  desc.containers.push_back(butt_test::Box("Box1", 10, 10));
  desc.controls.push_back(ButtAt("Butt1", "Box1", 20, 30, 0, StoredBag(butt::ModeCommand, false, "Move")));
  Open(desc);
  Butt& b = B("Butt1");
  // A picture whose black border is transparent around a white body.
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 20);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 40, 20, BLACKNESS);
  PatBlt(dc, 4, 3, 32, 14, WHITENESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  b.Picture(host::Picture::FromBitmap(bitmap, true));
  b.ButtonShape(7);
  b.CustomClick(butt::MoveRight);
  HWND hwnd = Hwnd("Butt1");
  auto place = [&] {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, Form().GetContainer("Box1").Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  const RECT start = place();
  butt_test::MoveCursor(butt_test::CenterOf(hwnd));
  ASSERT_TRUE(PumpUntil([&] { return b.State().hoverTracking; }));
  Send("Butt1", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  RECT pressed = place();
  EXPECT_EQ(pressed.left, start.left + 1);
  EXPECT_EQ(pressed.right - pressed.left, start.right - start.left + 1);
  EXPECT_TRUE(b.State().Has(StateCustomMoved));
  Send("Butt1", WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  RECT released = place();
  EXPECT_EQ(released.left, start.left);
  EXPECT_EQ(released.right, start.right);
  EXPECT_FALSE(b.State().Has(StateCustomMoved));
  butt_test::MoveCursor(butt_test::Elsewhere());
}

}  // namespace
