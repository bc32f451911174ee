// Butt and the host's labels as a screen reader sees them: every read goes
// through AccessibleObjectFromWindow in a second process
// (AccessibilityClient.exe), while this process runs the form.
#include <oleacc.h>

#include "host/GdiObjects.h"
#include "host/UserObjects.h"
#include "host/WindowAccessible.h"
#include "button/ButtBehaviourFixture.h"
#include "button/AccessibilityClientProcess.h"

namespace butt_test {
namespace {

// The fields of a client's "read" line.
struct Read {
  std::string name, role, state, action, shortcut, description, value, location;
};

Read ParseRead(const std::string& line) {
  std::vector<std::string> f;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '|')) f.push_back(field);
  f.resize(8);
  return Read{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

std::string Hex(LONG v) {
  char text[16];
  std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(v));
  return text;
}

void CALLBACK IgnoreEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}

std::string LocationOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
         std::to_string(r.bottom - r.top);
}

host::LabelDesc LabelAt(const std::string& name, const std::string& container, int topPx, int16_t tabIndex,
                        const std::string& caption) {
  host::LabelDesc l;
  l.name = name;
  l.container = container;
  l.left = Twips(2);
  l.top = Twips(topPx);
  l.tabIndex = tabIndex;
  l.caption = caption;
  return l;
}

class ButtScreenReader : public ButtFormTest {
 protected:
  static void SetUpTestSuite() {
    ButtFormTest::SetUpTestSuite();
    CoInitialize(nullptr);
  }

  // Runs the client to its end with `arguments`.
  static std::vector<std::string> RunClient(const std::string& arguments) {
    AccessibilityClientProcess client;
    EXPECT_TRUE(client.Start(arguments));
    return client.Finish();
  }
};

TEST_F(ButtScreenReader, EachModeReadsAsTheNativeButtonOfItsKind) {
  host::FormDesc desc = BaseForm();
  desc.containers.push_back(Box("Box", 10, 10, 400, 200));
  desc.controls.push_back(ButtAt("Cmd", "Box", 10, 10, 1, StoredBag(butt::ModeCommand, false, "Save && &Apply")));
  desc.controls.back().toolTip = "Writes the files";
  desc.controls.push_back(ButtAt("Chk", "Box", 80, 10, 2, StoredBag(butt::ModeCheckBox, true, "Line one||line two")));
  desc.controls.push_back(ButtAt("Opt", "Box", 150, 10, 3, StoredBag(butt::ModeOptionButton, false, "&Blue")));
  desc.controls.push_back(ButtAt("Off", "Box", 220, 10, 4, StoredBag(butt::ModeCommand, false, "Off")));
  host::PropertyBag round = StoredBag(butt::ModeCommand, false, "Round");
  round.Set("Shape", host::PropertyValue::Int32(4));
  desc.controls.push_back(ButtAt("Round", "Box", 290, 10, 5, round));
  // "&Effects:" names the selector after it in tab order (wrapping round);
  // "Far" lies outside its box, where nobody sees it, and names nothing.
  desc.labels.push_back(LabelAt("Effects", "Box", 60, 10, "&Effects:"));
  desc.labels.push_back(LabelAt("Far", "Box", 400, 11, "C:\\Games"));
  Open(desc);
  B("Off").Enabled(false);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN, 100, 60, 120, 120,
                               Form().GetContainer("Box").Hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  host::NativeOptions options;
  options.tabIndex = 0;
  Form().AddNative(combo, "Combo", options);
  SetWindowTextA(combo, "Full");
  Form().SetFocusTo("Cmd");
  MoveCursor(CenterOf(Hwnd("Opt")));  // hovered
  ASSERT_TRUE(PumpUntil([&] { return B("Opt").State().hoverTracking; }));
  PostKey(Hwnd("Cmd"), WM_KEYDOWN, VK_SPACE);  // held down

  RECT round_{};
  GetWindowRect(Hwnd("Round"), &round_);
  const POINT middle = CenterOf(Hwnd("Round"));
  std::string args;
  for (const char* name : {"Cmd", "Chk", "Opt", "Off"}) args += " read " + HandleText(Hwnd(name));
  args += " read " + HandleText(combo);
  args += " hit " + HandleText(Hwnd("Round")) + " " + std::to_string(round_.left + 1) + " " +
          std::to_string(round_.top + 1);
  args += " hit " + HandleText(Hwnd("Round")) + " " + std::to_string(middle.x) + " " + std::to_string(middle.y);
  const std::vector<std::string> lines = RunClient(args);
  MoveCursor(Elsewhere());
  PostKey(Hwnd("Cmd"), WM_KEYUP, VK_SPACE);
  ASSERT_EQ(lines.size(), 7u) << ::testing::PrintToString(lines);

  const Read cmd = ParseRead(lines[0]), chk = ParseRead(lines[1]), opt = ParseRead(lines[2]), off = ParseRead(lines[3]);
  EXPECT_EQ(cmd.name, "Save & Apply");
  EXPECT_EQ(cmd.role, std::to_string(ROLE_SYSTEM_PUSHBUTTON));
  EXPECT_EQ(cmd.state,
            Hex(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_DEFAULT));
  EXPECT_EQ(cmd.action, "Press");
  EXPECT_EQ(cmd.shortcut, "Alt+A");
  EXPECT_EQ(cmd.description, "Writes the files");
  EXPECT_EQ(cmd.location, LocationOf(Hwnd("Cmd")));

  EXPECT_EQ(chk.name, "Line one line two");
  EXPECT_EQ(chk.role, std::to_string(ROLE_SYSTEM_CHECKBUTTON));
  EXPECT_EQ(chk.state, Hex(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED));
  EXPECT_EQ(chk.action, "Uncheck");
  EXPECT_EQ(chk.shortcut, "(null)");
  EXPECT_EQ(chk.description, "(null)");

  EXPECT_EQ(opt.name, "Blue");
  EXPECT_EQ(opt.role, std::to_string(ROLE_SYSTEM_RADIOBUTTON));
  EXPECT_EQ(opt.state, Hex(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED));
  EXPECT_EQ(opt.action, "Select");
  EXPECT_EQ(opt.shortcut, "Alt+B");

  EXPECT_EQ(off.name, "Off");
  EXPECT_EQ(off.state, Hex(STATE_SYSTEM_UNAVAILABLE));

  // The native selector: named by its label, its own role and value.
  const Read sel = ParseRead(lines[4]);
  EXPECT_EQ(sel.name, "Effects:");
  EXPECT_EQ(sel.role, std::to_string(ROLE_SYSTEM_COMBOBOX));
  EXPECT_EQ(sel.value, "Full");

  // An ellipse is not hit in the corner of its window.
  EXPECT_EQ(lines[5], "hit none");
  EXPECT_EQ(lines[6], "hit self");
}

TEST_F(ButtScreenReader, DefaultActionRaisesWhatTheSpaceKeyRaisesAndIsRefusedWhileDisabled) {
  host::FormDesc desc = BaseForm();
  desc.containers.push_back(Box("Box", 10, 10, 400, 100));
  desc.controls.push_back(ButtAt("Cmd", "Box", 10, 10, 0, StoredBag(butt::ModeCommand)));
  desc.controls.push_back(ButtAt("Chk", "Box", 80, 10, 1, StoredBag(butt::ModeCheckBox)));
  desc.controls.push_back(ButtAt("O1", "Box", 150, 10, 2, StoredBag(butt::ModeOptionButton, true)));
  desc.controls.push_back(ButtAt("O2", "Box", 220, 10, 3, StoredBag(butt::ModeOptionButton)));
  desc.controls.push_back(ButtAt("Off", "Box", 290, 10, 4, StoredBag(butt::ModeCommand)));
  Open(desc);
  B("Off").Enabled(false);
  log_.clear();

  std::string args;
  for (const char* name : {"Cmd", "Chk", "O2", "Off"}) args += " do " + HandleText(Hwnd(name));
  const std::vector<std::string> lines = RunClient(args);
  ASSERT_EQ(lines.size(), 4u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "do 00000000");
  EXPECT_EQ(lines[1], "do 00000000");
  EXPECT_EQ(lines[2], "do 00000000");
  EXPECT_NE(lines[3].rfind("do 8", 0), std::string::npos) << "a disabled button must refuse: " << lines[3];
  ASSERT_TRUE(PumpUntil([&] { return B("O2").Value(); }));

  using Events = std::vector<std::string>;
  EXPECT_EQ(EventsOf("Cmd"), (Events{"KeyDown", "KeyPress", "Click", "KeyUp"}));
  EXPECT_EQ(EventsOf("Chk"), (Events{"KeyDown", "KeyPress", "KeyUp", "Click"}));
  EXPECT_EQ(EventsOf("O2"), (Events{"KeyDown", "KeyPress", "KeyUp", "Click"}));
  ASSERT_FALSE(Named("Cmd", "KeyDown").empty());
  EXPECT_EQ(Named("Cmd", "KeyDown")[0].first, VK_SPACE);
  EXPECT_TRUE(B("Chk").Value());
  EXPECT_FALSE(B("O1").Value());  // the others of the group clear
  EXPECT_TRUE(EventsOf("Off").empty());
}

TEST_F(ButtScreenReader, AnOutOfContextHookSeesNameStateAndFocusEvents) {
  host::FormDesc desc = BaseForm();
  desc.containers.push_back(Box("Box", 10, 10, 300, 100));
  desc.controls.push_back(ButtAt("Cmd", "Box", 10, 10, 0, StoredBag(butt::ModeCommand)));
  desc.controls.push_back(ButtAt("Chk", "Box", 80, 10, 1, StoredBag(butt::ModeCheckBox)));
  Open(desc);
  Form().SetFocusTo("Cmd");
  host::DoEvents();

  AccessibilityClientProcess client;
  ASSERT_TRUE(client.Start("hook " + std::to_string(GetCurrentProcessId())));
  ASSERT_TRUE(client.WaitForLine("ready"));
  // Wine's user32 keeps a per-thread note of which hooks exist and renews
  // it only when the thread sets or removes a hook itself: a hook of our
  // own, set and removed, makes this thread raise events for the client's.
  UnhookWinEvent(SetWinEventHook(EVENT_MIN, EVENT_MIN, nullptr, IgnoreEvent, GetCurrentProcessId(),
                                 GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT));
  Butt& chk = B("Chk");
  chk.Caption("Renamed");
  chk.Value(true);
  chk.Enabled(false);
  chk.Enabled(true);
  Form().SetFocusTo("Chk");
  Send("Chk", WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));  // pressed
  host::DoEvents();
  client.Post(WM_QUIT);
  const std::vector<std::string> lines = client.Finish();

  // The button's own events, in order.
  const std::string tail = " " + HandleText(Hwnd("Chk")) + " " + std::to_string(OBJID_CLIENT) + " 0";
  std::vector<std::string> seen;
  for (const std::string& line : lines)
    if (line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
      seen.push_back(line.substr(0, line.size() - tail.size()));
  // Name; Value, Enabled off and on; the window manager's one focus event
  // (the button adds no second one); pressed.
  const std::vector<std::string> expected{"event 800c", "event 800a", "event 800a",
                                          "event 800a", "event 8005", "event 800a"};
  EXPECT_EQ(seen, expected) << ::testing::PrintToString(lines);
  Send("Chk", WM_LBUTTONUP, 0, ClientPoint(5, 5));
}

TEST_F(ButtScreenReader, AButtonDestroyedUnderAClientFailsItsCallsAndLeavesNothing) {
  host::FormDesc desc = BaseForm();
  desc.containers.push_back(Box("Box", 10, 10, 300, 100));
  Open(desc);
  const long before = host::WindowAccessible::LiveObjects();
  long gdiObjects = 0, userObjects = 0;
  for (int round = 0; round < 3; ++round) {
    Form().AddControl(ButtAt("Gone", "Box", 10, 10, 0, StoredBag(butt::ModeCheckBox, false, "&Gone")));
    host::DoEvents();
    AccessibilityClientProcess client;
    ASSERT_TRUE(client.Start("hold " + HandleText(Hwnd("Gone"))));
    ASSERT_TRUE(client.WaitForLine("ready"));
    // This process holds the object too, as an in-process reader would.
    void* object = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        AccessibleObjectFromWindow(Hwnd("Gone"), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object));
    auto* local = static_cast<IAccessible*>(object);
    EXPECT_EQ(host::WindowAccessible::LiveObjects(), before + 1);
    Form().RemoveControl("Gone");
    host::DoEvents();
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(local->get_accName(self, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(local->accDoDefaultAction(self), RPC_E_DISCONNECTED);
    local->Release();
    // Gone with the window, though the client still holds its proxy.
    EXPECT_EQ(host::WindowAccessible::LiveObjects(), before);
    client.Post(WM_USER);
    const std::vector<std::string> lines = client.Finish();
    ASSERT_EQ(lines.size(), 10u) << ::testing::PrintToString(lines);
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
      const std::string hr = lines[i].substr(lines[i].rfind(' ') + 1);
      // RPC_E_DISCONNECTED or CO_E_OBJNOTCONNECTED; Wine's proxies report a
      // stub cut off by CoDisconnectObject as an unknown interface instead.
      EXPECT_TRUE(hr == "80010108" || hr == "800401fd" || hr == "800706b5") << lines[i];
    }
    EXPECT_EQ(lines.back(), "released");
    if (round == 0) {
      gdiObjects = gdi::LiveCount();
      userObjects = user::LiveCount();
    }
  }
  EXPECT_EQ(gdi::LiveCount(), gdiObjects);
  EXPECT_EQ(user::LiveCount(), userObjects);
}

}  // namespace
}  // namespace butt_test
