// Mouse and keyboard input of Butt through real window messages: the state
// flags and the order of the events the form's handlers see.
#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::ClientPoint;
using butt_test::StoredBag;
using Events = std::vector<std::string>;

class ButtBehaviourInput : public butt_test::ButtFormTest {
 protected:
  void SetUp() override {
    // Keep the real cursor away so no hover changes the faces.
    butt_test::MoveCursor(butt_test::Elsewhere());
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Cmd", "Box1", 10, 10, 0, StoredBag(butt::ModeCommand, false, "Cmd")));
    desc.controls.push_back(ButtAt("Check", "Box1", 10, 50, 1, StoredBag(butt::ModeCheckBox, false, "Check")));
    desc.controls.push_back(ButtAt("Opt", "Box1", 10, 90, 2, StoredBag(butt::ModeOptionButton, false, "Opt")));
    // A selected member, so focusing "Opt" does not select it by itself.
    desc.controls.push_back(ButtAt("Opt2", "Box1", 10, 120, 3, StoredBag(butt::ModeOptionButton, true, "Opt2")));
    desc.controls.front().isDefault = true;
    Open(desc);
    log_.clear();
  }

  // Space pressed and released on a focused control, as the keyboard sends
  // it (the message loop makes the character message).
  void Space(const char* name) {
    Form().SetFocusTo(name);
    host::DoEvents();
    log_.clear();
    HWND hwnd = Hwnd(name);
    PostKey(hwnd, WM_KEYDOWN, VK_SPACE);
    PostKey(hwnd, WM_KEYUP, VK_SPACE);
  }
};

TEST_F(ButtBehaviourInput, SpaceOnACommandButtonClicksBeforeKeyUp) {
  Space("Cmd");
  EXPECT_EQ(EventsOf("Cmd"), (Events{"KeyDown", "KeyPress", "Click", "KeyUp"}));
  EXPECT_EQ(Named("Cmd", "KeyDown").at(0).first, VK_SPACE);
}

TEST_F(ButtBehaviourInput, SpaceOnACheckBoxClicksAfterKeyUpAndToggles) {
  Space("Check");
  EXPECT_EQ(EventsOf("Check"), (Events{"KeyDown", "KeyPress", "KeyUp", "Click"}));
  EXPECT_TRUE(B("Check").Value());
  Space("Check");
  EXPECT_FALSE(B("Check").Value());
}

TEST_F(ButtBehaviourInput, SpaceOnAnOptionButtonSelectsItOnce) {
  Space("Opt");
  EXPECT_EQ(EventsOf("Opt"), (Events{"KeyDown", "KeyPress", "KeyUp", "Click"}));
  EXPECT_TRUE(B("Opt").Value());
  EXPECT_FALSE(B("Opt2").Value());
  Space("Opt");  // already selected: no Click
  EXPECT_EQ(EventsOf("Opt"), (Events{"KeyDown", "KeyPress", "KeyUp"}));
  EXPECT_TRUE(B("Opt").Value());
}

TEST_F(ButtBehaviourInput, HeldSpaceShowsThePressedFaceWithoutThePointer) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  PostKey(Hwnd("Cmd"), WM_KEYDOWN, VK_SPACE);
  const ButtState& s = B("Cmd").State();
  EXPECT_TRUE(s.Has(StatePressed));
  EXPECT_FALSE(s.Has(StateHot));  // only set for the pressed drawing pass
  EXPECT_TRUE(s.inputDown);
  PostKey(Hwnd("Cmd"), WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(s.Has(StatePressed));
  EXPECT_FALSE(s.inputDown);
  EXPECT_EQ(s.lastButton, 1);
}

TEST_F(ButtBehaviourInput, FocusLeavingWhileSpaceIsHeldReleasesWithoutAClick) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  log_.clear();
  // The middle ring's left column: face colour only while drawn pressed.
  auto ringPixel = [this] {
    HDC dc = GetDC(Hwnd("Cmd"));
    const COLORREF pixel = GetPixel(dc, 1, 12);
    ReleaseDC(Hwnd("Cmd"), dc);
    return pixel;
  };
  PostKey(Hwnd("Cmd"), WM_KEYDOWN, VK_SPACE);
  const COLORREF pressed = ringPixel();
  SetFocus(nullptr);  // no other button takes the default look and redraws
  host::DoEvents();
  const ButtState& s = B("Cmd").State();
  EXPECT_FALSE(s.Has(StatePressed));
  EXPECT_FALSE(s.inputDown);
  EXPECT_NE(ringPixel(), pressed);
  PostKey(Hwnd("Cmd"), WM_KEYUP, VK_SPACE);  // a late release clicks nothing either
  EXPECT_EQ(EventsOf("Cmd"), (Events{"KeyDown", "KeyPress", "KeyUp"}));
  EXPECT_FALSE(s.Has(StatePressed));
}

TEST_F(ButtBehaviourInput, LeftClickRaisesDownUpClickAndPressesMeanwhile) {
  Send("Cmd", WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 6));
  const ButtState& s = B("Cmd").State();
  EXPECT_TRUE(s.Has(StatePressed));
  EXPECT_TRUE(s.inputDown);
  EXPECT_EQ(GetCapture(), Hwnd("Cmd"));
  Send("Cmd", WM_LBUTTONUP, 0, ClientPoint(5, 6));
  EXPECT_FALSE(s.Has(StatePressed));
  EXPECT_FALSE(s.inputDown);
  EXPECT_NE(GetCapture(), Hwnd("Cmd"));
  EXPECT_EQ(EventsOf("Cmd"), (Events{"MouseDown", "MouseUp", "Click"}));
  EXPECT_EQ(Named("Cmd", "MouseDown").at(0).first, 1);
}

TEST_F(ButtBehaviourInput, RightClickRaisesNoClickAndKeepsTheValue) {
  Send("Check", WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(5, 5));
  Send("Check", WM_RBUTTONUP, 0, ClientPoint(5, 5));
  EXPECT_EQ(EventsOf("Check"), (Events{"MouseDown", "MouseUp"}));
  EXPECT_EQ(Named("Check", "MouseDown").at(0).first, 2);
  EXPECT_EQ(Named("Check", "MouseUp").at(0).first, 2);
  EXPECT_FALSE(B("Check").Value());
  EXPECT_FALSE(B("Check").State().Has(StatePressed));
}

TEST_F(ButtBehaviourInput, DoubleClickRaisesOneClickThenDoubleClickDownUp) {
  Send("Check", WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  Send("Check", WM_LBUTTONUP, 0, ClientPoint(5, 5));
  Send("Check", WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(5, 5));
  EXPECT_TRUE(B("Check").State().Has(StatePressed));
  EXPECT_EQ(B("Check").State().lastButton, -1);
  Send("Check", WM_LBUTTONUP, 0, ClientPoint(5, 5));
  EXPECT_EQ(EventsOf("Check"), (Events{"MouseDown", "MouseUp", "Click", "DoubleClick", "MouseDown", "MouseUp"}));
  EXPECT_EQ(Named("Check", "DoubleClick").at(0).first, 1);
  EXPECT_TRUE(B("Check").Value());  // toggled once only
}

TEST_F(ButtBehaviourInput, EnterClicksTheDefaultCommandButton) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  log_.clear();
  PostKey(Hwnd("Cmd"), WM_KEYDOWN, VK_RETURN);
  PostKey(Hwnd("Cmd"), WM_KEYUP, VK_RETURN);
  EXPECT_EQ(Named("Cmd", "Click").size(), 1u);
}

TEST_F(ButtBehaviourInput, EnterOnAFocusedCheckBoxDoesNothing) {
  Form().SetFocusTo("Check");
  host::DoEvents();
  log_.clear();
  PostKey(Hwnd("Check"), WM_KEYDOWN, VK_RETURN);
  PostKey(Hwnd("Check"), WM_KEYUP, VK_RETURN);
  EXPECT_TRUE(Named("Check", "Click").empty());
  EXPECT_TRUE(Named("Cmd", "Click").empty());
  EXPECT_FALSE(B("Check").Value());
}

// Key-down messages the container window received, and its own procedure.
std::vector<std::pair<WPARAM, LPARAM>> containerKeys;
WNDPROC containerProc = nullptr;

LRESULT CALLBACK RecordContainerKeys(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN) containerKeys.emplace_back(w, l);
  return CallWindowProcA(containerProc, h, m, w, l);
}

TEST_F(ButtBehaviourInput, ArrowKeysGoToTheContainerNotToTheForm) {
  auto& seen = containerKeys;
  seen.clear();
  HWND box = Form().GetContainer("Box1").Hwnd();
  containerProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordContainerKeys)));
  // The key messages go straight to the control's window procedure.
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  log_.clear();
  Send("Cmd", WM_KEYDOWN, VK_RIGHT, 1);
  Send("Cmd", WM_KEYUP, VK_RIGHT, 1);
  Send("Cmd", WM_KEYDOWN, VK_UP, 1);
  Send("Cmd", WM_KEYUP, VK_UP, 1);
  SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(containerProc));
  EXPECT_TRUE(Named("Cmd", "KeyDown").empty());
  EXPECT_TRUE(Named("Cmd", "KeyUp").empty());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].first, static_cast<WPARAM>(VK_RIGHT));
  EXPECT_EQ(seen[0].second, 0x004D0001);
  EXPECT_EQ(seen[1].first, static_cast<WPARAM>(VK_UP));
  EXPECT_EQ(seen[1].second, 0x00480001);
}

TEST_F(ButtBehaviourInput, ArrowKeyReleaseOnAnOptionButtonSelectsIt) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  Send("Opt", WM_KEYUP, VK_DOWN, 1);
  EXPECT_TRUE(B("Opt").Value());
  EXPECT_EQ(Named("Opt", "Click").size(), 1u);
}

TEST_F(ButtBehaviourInput, ShiftReleaseIsSwallowed) {
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  log_.clear();
  Send("Cmd", WM_KEYDOWN, VK_SHIFT, 1);
  Send("Cmd", WM_KEYUP, VK_SHIFT, 1);
  EXPECT_EQ(EventsOf("Cmd"), (Events{"KeyDown"}));
}

TEST_F(ButtBehaviourInput, ReleaseOutsideEndsThePressWithoutAClick) {
  Send("Check", WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  Send("Check", WM_LBUTTONUP, 0, ClientPoint(500, 300));
  EXPECT_FALSE(B("Check").State().Has(StatePressed));
  EXPECT_TRUE(Named("Check", "Click").empty());
  EXPECT_FALSE(B("Check").Value());
}

TEST_F(ButtBehaviourInput, EventParametersTravelByReference) {
  // The named handler runs first and zeroes the key; the recorder sees it.
  Form().On("Cmd", "KeyDown", [](host::EventArgs& args) { args.Int16(0) = 0; });
  Form().SetFocusTo("Cmd");
  host::DoEvents();
  log_.clear();
  Send("Cmd", WM_KEYDOWN, 'A', 1);
  ASSERT_EQ(Named("Cmd", "KeyDown").size(), 1u);
  EXPECT_EQ(Named("Cmd", "KeyDown")[0].first, 0);
}

TEST_F(ButtBehaviourInput, NoInputReachesADisabledButton) {
  B("Check").Enabled(false);
  log_.clear();
  // A real click with the real cursor: the system gives it to no disabled window.
  butt_test::MoveCursor(butt_test::CenterOf(Hwnd("Check")));
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof clicks[0]);
  PumpUntil([] { return false; }, 200);
  butt_test::MoveCursor(butt_test::Elsewhere());
  EXPECT_TRUE(EventsOf("Check", true).empty());
  EXPECT_FALSE(B("Check").Value());
}

}  // namespace
