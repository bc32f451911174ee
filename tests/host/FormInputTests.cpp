#include "FormFixture.h"

using namespace hosttest;

namespace {
// Waits until the control's log has at least n entries matching the prefixes.
template <typename F>
bool WaitCount(F f, size_t n) {
  return WaitFor([&] { return f().size() >= n; });
}
}  // namespace

TEST_F(HostInput, ClickDeliversDownUpClickAtPixelPositions) {
  Open();
  RecordingControl& r = Rec("R2");
  ClickAt(Hwnd("R2"), 7, 9);
  auto mouse = [&] { return r.Only({"MouseDown", "MouseUp", "Click", "DblClick"}); };
  ASSERT_TRUE(WaitCount(mouse, 3));
  EXPECT_EQ(mouse(), V({"MouseDown 1 0 7 9", "MouseUp 1 0 7 9", "Click"}));
  std::vector<std::string> r2;
  for (auto& e : events)
    if (e.rfind("R2.", 0) == 0) r2.push_back(e);
  EXPECT_EQ(r2, V({"R2.Click"}));
  EXPECT_EQ(form->FocusedName(), "R2");  // a press gives the focus
}

TEST_F(HostInput, DoubleClickReplacesTheSecondPressAndRaisesNoSecondClick) {
  Open();
  RecordingControl& r = Rec("R1");
  HWND h = Hwnd("R1");
  MoveTo(h, 5, 5);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  auto mouse = [&] { return r.Only({"MouseDown", "MouseUp", "Click", "DblClick"}); };
  ASSERT_TRUE(WaitCount(mouse, 5));
  Pump();
  EXPECT_EQ(mouse(), V({"MouseDown 1 0 5 5", "MouseUp 1 0 5 5", "Click", "DblClick", "MouseUp 1 0 5 5"}));
}

TEST_F(HostInput, RightButtonGivesDownAndUpButNoClick) {
  Open();
  RecordingControl& r = Rec("R1");
  ClickAt(Hwnd("R1"), 3, 4, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  auto mouse = [&] { return r.Only({"MouseDown", "MouseUp", "Click"}); };
  ASSERT_TRUE(WaitCount(mouse, 2));
  Pump();
  EXPECT_EQ(mouse(), V({"MouseDown 2 0 3 4", "MouseUp 2 0 3 4"}));
}

TEST_F(HostInput, ReleaseOutsideTheControlIsNoClick) {
  Open();
  RecordingControl& r = Rec("R1");
  HWND h = Hwnd("R1");
  MoveTo(h, 5, 5);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitCount([&] { return r.Only({"MouseDown"}); }, 1));
  MoveTo(h, 200, 5);  // outside; the host holds the capture
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitCount([&] { return r.Only({"MouseUp"}); }, 1));
  EXPECT_EQ(r.Only({"MouseUp", "Click"}), V({"MouseUp 1 0 200 5"}));
  EXPECT_EQ(r.Only({"MouseMove"}).back().substr(0, 12), "MouseMove 1 ");
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HostInput, KeysReachTheFocusedControlAndHandlersChangeArguments) {
  Open();
  RecordingControl& r = Rec("R2");
  form->On("R2", "KeyPress", [](host::EventArgs& a) { a.Int16(0) = 0; });
  form->SetFocusTo("R2");
  TapKey('Q');
  auto keys = [&] { return r.Only({"KeyDown", "KeyPress", "KeyUp"}); };
  ASSERT_TRUE(WaitCount(keys, 4));
  EXPECT_EQ(keys(), V({"KeyDown 81 0", "KeyPress 113", "KeyPress after handler 0", "KeyUp 81 0"}));
  r.log.clear();
  Chord(VK_SHIFT, 'Q');
  ASSERT_TRUE(WaitCount(keys, 4));
  EXPECT_EQ(r.Only({"KeyDown 81", "KeyPress 81"}), V({"KeyDown 81 1", "KeyPress 81"}));
}

TEST_F(HostInput, TabFollowsTheTabIndexBothWays) {
  Open();
  // Tab order R2 (0), R3 (1), R1 (2); the label only passes access keys on.
  EXPECT_EQ(form->FocusedName(), "R2");
  TapKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R3"; }));
  TapKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R1"; }));
  TapKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R2"; }));
  Chord(VK_SHIFT, VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R1"; }));
  // The controls saw the focus come and go, and no Tab key.
  EXPECT_EQ(Rec("R3").Only({"EnterFocus", "GotFocus", "LostFocus", "ExitFocus", "KeyDown 9"}),
            V({"EnterFocus", "GotFocus", "LostFocus", "ExitFocus"}));
  // A disabled or hidden control is skipped.
  form->Site("R2").SetEnabled(false);
  form->Site("R3").SetVisible(false);
  TapKey(VK_TAB);
  Pump();
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R1"; }));
}

TEST_F(HostInput, NativeWindowsJoinTheTabOrder) {
  Open();
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, 100, 80, 20,
                              form->GetContainer("Panel").Hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  host::NativeOptions options;
  options.tabIndex = 1;  // ties with R3: created later, so after it
  form->AddNative(edit, "Text1", options);
  form->SetFocusTo("R3");
  ASSERT_EQ(form->FocusedName(), "R3");
  TapKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "Text1"; }));
  EXPECT_EQ(GetFocus(), edit);
  TapKey('X');  // the edit takes characters: no access key
  TapKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R1"; }));
  char text[16] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "x");
}

TEST_F(HostInput, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  Open();
  Rec("R2").canBeDefault = false;  // R2 is no command button
  form->SetFocusTo("R3");
  form->SetFocusTo("R2");
  TapKey(VK_RETURN);
  ASSERT_TRUE(WaitCount([&] { return Rec("R1").Only({"AccessKeyPress"}); }, 1));
  EXPECT_EQ(Rec("R1").Only({"AccessKeyPress"}), V({"AccessKeyPress 13"}));
  TapKey(VK_ESCAPE);
  ASSERT_TRUE(WaitCount([&] { return Rec("R3").Only({"AccessKeyPress"}); }, 1));
  EXPECT_EQ(Rec("R3").Only({"AccessKeyPress"}), V({"AccessKeyPress 27"}));
  // Neither key reached the focused control as a key.
  EXPECT_TRUE(Rec("R2").Only({"KeyDown 13", "KeyDown 27", "KeyPress"}).empty());
}

TEST_F(HostInput, AFocusedCommandButtonIsTheDefaultWhileItHasTheFocus) {
  Open();
  // R2 (focused, a command button) displays as default, not R1.
  EXPECT_EQ(form->CurrentDefault(), &form->Site("R2"));
  EXPECT_TRUE(form->Site("R2").DisplayAsDefault());
  EXPECT_FALSE(form->Site("R1").DisplayAsDefault());
  TapKey(VK_RETURN);
  ASSERT_TRUE(WaitCount([&] { return Rec("R2").Only({"AccessKeyPress"}); }, 1));
  EXPECT_TRUE(Rec("R1").Only({"AccessKeyPress"}).empty());

  // Focus moving to a control that is no command button gives the default
  // back to R1; both are told.
  Rec("R3").canBeDefault = false;
  Rec("R1").log.clear();
  Rec("R2").log.clear();
  form->SetFocusTo("R3");
  EXPECT_EQ(form->CurrentDefault(), &form->Site("R1"));
  EXPECT_EQ(Rec("R2").Only({"AmbientChanged", "LostFocus"}), V({"LostFocus", "AmbientChanged DisplayAsDefault"}));
  EXPECT_EQ(Rec("R1").Only({"AmbientChanged"}), V({"AmbientChanged DisplayAsDefault"}));
}

TEST_F(HostInput, AltLetterAndBareLetterAccessKeys) {
  Open();
  form->Site("R1").SetAccessKeys("k");
  form->SetFocusTo("R2");
  Chord(VK_MENU, 'K');
  ASSERT_TRUE(WaitCount([&] { return Rec("R1").Only({"AccessKeyPress"}); }, 1));
  EXPECT_EQ(form->FocusedName(), "R1");
  EXPECT_EQ(Rec("R1").Only({"AccessKeyPress"}), V({"AccessKeyPress 107"}));

  // The letter alone, while the focused control takes no characters.
  form->SetFocusTo("R2");
  Rec("R1").log.clear();
  TapKey('K');
  ASSERT_TRUE(WaitCount([&] { return Rec("R1").Only({"AccessKeyPress"}); }, 1));
  EXPECT_TRUE(Rec("R2").Only({"KeyPress"}).empty());

  // A control that takes characters gets the letter instead.
  form->SetFocusTo("R2");
  Rec("R2").takesCharacters = true;
  Rec("R1").log.clear();
  TapKey('K');
  ASSERT_TRUE(WaitCount([&] { return Rec("R2").Only({"KeyPress 107"}); }, 1));
  EXPECT_TRUE(Rec("R1").Only({"AccessKeyPress"}).empty());
  EXPECT_EQ(form->FocusedName(), "R2");
}

TEST_F(HostInput, ALabelsAccessKeyFocusesTheNextControl) {
  Open();
  // Caption1 "&Name" has tab index 5, after R1 (2): the next one is R2 (0)
  // around the end.
  form->SetFocusTo("R1");
  Chord(VK_MENU, 'N');
  ASSERT_TRUE(WaitFor([&] { return form->FocusedName() == "R2"; }));
}

TEST_F(HostInput, EditModeDeliversNoInputAndRaisesNoEvents) {
  Open();
  form->SetUserMode(false);
  EXPECT_EQ(Rec("R1").Only({"AmbientChanged UserMode"}).size(), 1u);
  EXPECT_FALSE(form->Site("R1").UserMode());
  Rec("R1").log.clear();
  events.clear();
  ClickAt(Hwnd("R1"), 5, 5);
  TapKey('A');
  MoveTo(Hwnd("R1"), 8, 8);
  Pump();
  EXPECT_TRUE(Rec("R1").Only({"Mouse", "Click", "Key"}).empty());
  form->Site("R1").RaiseEvent("Click");
  EXPECT_TRUE(events.empty());
  // In edit mode only the marked default displays as default.
  EXPECT_EQ(form->CurrentDefault(), &form->Site("R1"));
  form->SetUserMode(true);
  EXPECT_EQ(Rec("R1").Only({"AmbientChanged UserMode"}).size(), 1u);
}

TEST_F(HostInput, ContainersLabelsAndNativesRaiseMouseEventsByName) {
  Open();
  HWND panel = form->GetContainer("Panel").Hwnd();
  std::vector<std::string> moves;
  form->On("Caption1", "MouseMove",
           [&](host::EventArgs& a) { moves.push_back("Caption1 " + std::to_string(static_cast<int>(a.Single(2)))); });
  form->On("Panel", "MouseMove", [&](host::EventArgs&) { moves.push_back("Panel"); });
  MoveTo(panel, 15, 165);  // on the label (150, 2400 twips)
  ASSERT_TRUE(WaitFor([&] { return !moves.empty(); }));
  EXPECT_EQ(moves.back(), "Caption1 15");
  MoveTo(panel, 200, 100);
  ASSERT_TRUE(WaitFor([&] { return moves.back() == "Panel"; }));
  events.clear();
  ClickAt(panel, 20, 170);
  ASSERT_TRUE(WaitFor([&] { return std::find(events.begin(), events.end(), "Caption1.Click") != events.end(); }));
  EXPECT_EQ(std::count(events.begin(), events.end(), "Caption1.MouseDown"), 1);

  HWND stat = CreateWindowExA(0, "STATIC", "native", WS_CHILD | WS_VISIBLE, 150, 100, 60, 20, panel, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  host::NativeOptions o;
  o.tabStop = false;
  o.useForeColor = true;
  o.foreColor = 0x00FFFFFF;
  form->AddNative(stat, "Label1", o);
  events.clear();
  ClickAt(stat, 5, 5);
  ASSERT_TRUE(WaitFor([&] { return std::find(events.begin(), events.end(), "Label1.Click") != events.end(); }));
  EXPECT_EQ(form->NativeHwnd("label1"), stat);
  HDC dc = GetDC(stat);
  SendMessageA(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(stat));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
  ReleaseDC(stat, dc);
}

TEST_F(HostInput, AmbientBackColorFollowsTheContainer) {
  Open();
  for (const char* n : {"R1", "R2", "R3"}) Rec(n).log.clear();
  form->GetContainer("Panel").SetBackColor(0x000000FF);
  EXPECT_EQ(Rec("R1").Only({"AmbientChanged"}), V({"AmbientChanged BackColor"}));
  EXPECT_EQ(Rec("R2").Only({"AmbientChanged"}), V({"AmbientChanged BackColor"}));
  EXPECT_TRUE(Rec("R3").Only({"AmbientChanged"}).empty());  // R3 is in Other
  EXPECT_EQ(form->Site("R1").AmbientBackColor(), 0x000000FFu);
}

TEST_F(HostInput, DropTargetDeliversDragOverAndDrop) {
  Open();
  host::ControlSite& s = form->Site("R1");
  IDropTarget* target = s.DropTarget();
  ASSERT_NE(target, nullptr);
  host::DataObject data = host::DataObject::CreateEmpty();
  data.SetText("dropped words");
  POINT p{4, 6};
  ClientToScreen(s.Hwnd(), &p);
  POINTL pt{p.x, p.y};
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON | MK_SHIFT, pt, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  effect = DROPEFFECT_MOVE;  // the source allows only a move: a copy is not offered
  target->DragOver(MK_LBUTTON, pt, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  target->Drop(data.Get(), MK_CONTROL, pt, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(Rec("R1").Only({"OLE"}),
            V({"OLEDragOver 0 4 6 1 1 text", "OLEDragOver 2 4 6 1 0 text", "OLEDragDrop 4 6 0 2"}));
  EXPECT_EQ(Rec("R1").droppedText, "dropped words");
  target->DragEnter(data.Get(), 0, pt, &effect);
  target->DragLeave();
  EXPECT_EQ(Rec("R1").Only({"OLEDragOver 1"}).size(), 1u);
  // The form's window is registered with OLE for all its controls: a second
  // registration is refused there, and the control's own window is free.
  EXPECT_EQ(RegisterDragDrop(form->Hwnd(), target), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(RegisterDragDrop(s.Hwnd(), target), S_OK);
  EXPECT_EQ(RevokeDragDrop(s.Hwnd()), S_OK);
}

namespace {
struct DragPath {
  POINT from, to;
  volatile LONG done = 0;
};
void MouseAbsolute(POINT p, DWORD extra) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | extra;
  SendInput(1, &in, sizeof in);
}
// Drives the mouse of a drag from another thread while the UI thread sits
// in the modal DoDragDrop: moves over the target in steps, then releases.
// Escape ends a drag that does not see the release.
DWORD WINAPI DriveDrag(LPVOID arg) {
  auto* path = static_cast<DragPath*>(arg);
  Sleep(200);
  for (int i = 1; i <= 10; ++i) {
    POINT p{path->from.x + (path->to.x - path->from.x) * i / 10, path->from.y + (path->to.y - path->from.y) * i / 10};
    MouseAbsolute(p, 0);
    Sleep(30);
  }
  MouseAbsolute(path->to, 0);
  Sleep(100);
  MouseAbsolute(path->to, MOUSEEVENTF_LEFTUP);
  for (int i = 0; i < 100 && !path->done; ++i) Sleep(20);
  if (path->done) return 0;
  SendKey(VK_ESCAPE, false);
  SendKey(VK_ESCAPE, true);
  return 0;
}
}  // namespace

TEST_F(HostInput, RealOleDragFromOneControlToAnother) {
  Open();
  host::ControlSite& source = form->Site("R2");
  host::ControlSite& target = form->Site("R1");
  DragPath path{{5, 5}, {20, 12}};
  ClientToScreen(source.Hwnd(), &path.from);
  ClientToScreen(target.Hwnd(), &path.to);
  MouseAbsolute(path.from, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitCount([&] { return Rec("R2").Only({"MouseDown"}); }, 1));
  HANDLE driver = CreateThread(nullptr, 0, DriveDrag, &path, 0, nullptr);
  int32_t effect = source.OLEDrag();
  InterlockedExchange(&path.done, 1);
  WaitForSingleObject(driver, 10000);
  CloseHandle(driver);
  Pump();
  EXPECT_EQ(effect, DROPEFFECT_COPY);
  std::vector<std::string> src = Rec("R2").Only({"OLEStartDrag", "OLESetData", "OLECompleteDrag"});
  EXPECT_EQ(src, V({"OLEStartDrag 3", "OLESetData 1", "OLECompleteDrag 1"}));
  EXPECT_FALSE(Rec("R2").Only({"OLEGiveFeedback"}).empty());
  std::vector<std::string> dst = Rec("R1").Only({"OLEDragOver 0", "OLEDragDrop"});
  ASSERT_EQ(dst.size(), 2u);
  EXPECT_EQ(dst[1], "OLEDragDrop 20 12 0 0");
  EXPECT_EQ(Rec("R1").droppedText, "from R2");
}
