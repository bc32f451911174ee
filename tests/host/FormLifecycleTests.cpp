#include "FormFixture.h"
#include "TestPictures.h"
#include "host/CaughtExceptions.h"
#include "host/Error.h"
#include "host/MessageBox.h"
#include "host/UserObjects.h"
#include "host/Dpi.h"
#include "host/Units.h"

using namespace hosttest;

TEST_F(HostForm, LoadReadsStoredControlsAndInitialisesNewOnes) {
  std::vector<std::string> atLoad;
  form = std::make_unique<host::Form>(host::ParseFormText(kThreeRecorders));
  form->On("Main", "Load", [&](host::EventArgs&) {
    for (const char* n : {"R1", "R2", "R3"})
      atLoad.push_back(n + std::string(":") + form->ControlAs<RecordingControl>(n).log.back());
  });
  form->Load();
  // R1, the marked default button, is told so once every control exists.
  EXPECT_EQ(Rec("R1").log, V({"ReadProperties", "Resize", "AmbientChanged DisplayAsDefault"}));
  EXPECT_EQ(Rec("R3").log, V({"InitProperties", "Resize"}));
  EXPECT_EQ(atLoad, V({"R1:AmbientChanged DisplayAsDefault", "R2:Resize", "R3:Resize"}));
  EXPECT_EQ(Rec("R1").caption, "One");
  EXPECT_EQ(Rec("R1").number, 11);
  EXPECT_EQ(Rec("R2").number, 7);
  EXPECT_EQ(Rec("R3").caption, "R3");  // a new instance takes its display name
  EXPECT_EQ(form->Site("R3").ChangedKeys(), V({"Caption"}));
  EXPECT_TRUE(form->Site("R1").ChangedKeys().empty());
  EXPECT_FALSE(IsWindowVisible(form->Hwnd()));
  form->Show();
  EXPECT_EQ(Rec("R1").Only({"Show"}), V({"Show"}));
  EXPECT_EQ(Rec("R3").Only({"Show"}), V({"Show"}));
  EXPECT_TRUE(form->Site("R1").Visible());
}

TEST_F(HostForm, SitesGiveWindowDcSizeAndPlace) {
  Open();
  host::ControlSite& s = form->Site("R1");
  EXPECT_EQ(GetParent(s.Hwnd()), form->GetContainer("Panel").Hwnd());
  EXPECT_EQ(s.ContainerHwnd(), form->GetContainer("Panel").Hwnd());
  EXPECT_EQ(form->Site("R3").ContainerHwnd(), form->GetContainer("Other").Hwnd());
  EXPECT_EQ(s.ScaleWidth(), 63);  // 1667 HIMETRIC at 96 dpi
  EXPECT_EQ(s.ScaleHeight(), 26);
  EXPECT_EQ(s.ExtentX(), 1667);
  EXPECT_EQ(s.ExtentY(), 688);
  // No DC of its own; the site gets a DC of the window when asked.
  EXPECT_EQ(GetClassLongA(s.Hwnd(), GCL_STYLE) & CS_OWNDC, 0u);
  EXPECT_EQ(WindowFromDC(s.Hdc()), s.Hwnd());
  RECT r;
  GetWindowRect(s.Hwnd(), &r);
  POINT p{r.left, r.top};
  ScreenToClient(s.ContainerHwnd(), &p);
  EXPECT_EQ(p.x, 10);  // 150 twips
  EXPECT_EQ(p.y, 10);
  EXPECT_EQ(s.AmbientBackColor(), 0x00302010u);
  EXPECT_EQ(s.DisplayName(), "R1");
  EXPECT_TRUE(s.UserMode());
  host::ParentFormInfo parent = s.ParentForm();
  EXPECT_FALSE(parent.isMdiForm);
  EXPECT_EQ(parent.font, form->Font());
  // Resizing reaches the control and the stored extent follows.
  s.Move(0, 0, 100, 40);
  EXPECT_EQ(Rec("R1").log.back(), "Resize");
  EXPECT_EQ(s.ExtentX(), host::PixelsToHimetric(100, host::ScreenDpi()));
}

TEST_F(HostForm, UnloadAsksHandlersAndDestroysEverything) {
  Open();
  HWND formHwnd = form->Hwnd(), r1 = Hwnd("R1");
  int16_t cancelWith = 1;
  form->On("Main", "QueryUnload", [&](host::EventArgs& a) {
    EXPECT_EQ(a.Int16(1), 1);  // unloaded by code
    a.Int16(0) = cancelWith;
  });
  EXPECT_FALSE(form->Unload());
  EXPECT_TRUE(form->IsLoaded());
  cancelWith = 0;
  std::vector<std::string>* log = &Rec("R1").log;
  bool terminatedBeforeUnloadEvent = false;
  form->On("Main", "Unload", [&](host::EventArgs&) { terminatedBeforeUnloadEvent = log->back() == "Terminate"; });
  EXPECT_TRUE(form->Unload());
  EXPECT_FALSE(terminatedBeforeUnloadEvent);
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(IsWindow(formHwnd));
  EXPECT_FALSE(IsWindow(r1));
  std::vector<std::string> lifecycle;
  for (auto& e : events)
    if (e == "Main.Load" || e == "Main.QueryUnload" || e == "Main.Unload" || e == "Main.Deactivate")
      lifecycle.push_back(e);
  // Nothing is raised once Unload has run.
  EXPECT_EQ(lifecycle, V({"Main.Load", "Main.QueryUnload", "Main.QueryUnload", "Main.Unload"}));
}

TEST_F(HostForm, CloseBoxUnloadsWithModeZero) {
  Open();
  int16_t mode = -1;
  form->On("Main", "QueryUnload", [&](host::EventArgs& a) { mode = a.Int16(1); });
  SendMessageA(form->Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(mode, 0);
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(HostForm, UnloadInsideAControlsEventWaitsForTheEventToReturn) {
  Open();
  HWND r1 = Hwnd("R1");
  form->On("R1", "Click", [&](host::EventArgs&) {
    EXPECT_TRUE(form->Unload());
    EXPECT_FALSE(form->IsLoaded());
    // The control that raised the event still exists.
    EXPECT_TRUE(IsWindow(r1));
  });
  ClickAt(r1, 5, 5);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(r1); }));
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(HostForm, WindowsAndGdiObjectsAreAllReleased) {
  long gdiBefore = gdi::LiveCount(), userBefore = user::LiveCount();
  std::vector<HWND> windows;
  for (int i = 0; i < 20; ++i) {
    Open(kThreeRecorders, i % 2 == 0);
    form->SetTimer("Tick", 1000);
    windows = {form->Hwnd(), Hwnd("R1"), Hwnd("R2"), form->GetContainer("Panel").Hwnd()};
    EXPECT_GT(user::LiveCount(), userBefore);
    form.reset();
    for (HWND h : windows) EXPECT_FALSE(IsWindow(h));
  }
  Pump();
  EXPECT_EQ(gdi::LiveCount(), gdiBefore);
  EXPECT_EQ(user::LiveCount(), userBefore);
}

TEST_F(HostForm, AStoredValueOfTheWrongKindFailsLoadingWithTheHostError) {
  std::string text = kThreeRecorders;
  text.replace(text.find("Number = int32 11"), 17, "Number = text \"eleven\"");
  long userBefore = user::LiveCount(), gdiBefore = gdi::LiveCount();
  form = std::make_unique<host::Form>(host::ParseFormText(text));
  bool loaded = false;
  form->On("Main", "Load", [&](host::EventArgs&) { loaded = true; });
  try {
    form->Load();
    FAIL() << "loading must fail";
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kTypeMismatch);
    EXPECT_NE(e.Description().find("R1"), std::string::npos) << e.Description();
    EXPECT_NE(e.Description().find("Number"), std::string::npos) << e.Description();
  }
  EXPECT_FALSE(loaded);
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_EQ(user::LiveCount(), userBefore);
  EXPECT_EQ(gdi::LiveCount(), gdiBefore);
}

TEST_F(HostForm, UnknownControlClassFailsLoading) {
  std::string text = kThreeRecorders;
  text.replace(text.find("R2 Recorder"), 11, "R2 Missing");
  form = std::make_unique<host::Form>(host::ParseFormText(text));
  try {
    form->Load();
    FAIL();
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kUnknownControlClass);
    EXPECT_NE(e.Description().find("Missing"), std::string::npos);
  }
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(HostForm, SaveWritesEveryControlBackAndLoadsTheSame) {
  Open();
  TempFile cur("host_save.cur", MakeIconFile(32, 32, true, 2, 3));
  host::ControlSite& s = form->Site("R2");
  s.SetFont(host::FontDesc{"Tahoma", 9.75f, 700, true, true, false, true, 0});
  s.SetForeColor(0x00112233);
  s.SetMouseIcon(host::Picture::LoadFile(cur.path()));
  s.SetMousePointer(99);
  Rec("R2").number = -4;
  s.PropertyChanged("Number");
  EXPECT_TRUE(form->IsDirty());
  std::string text = form->SaveText();
  EXPECT_FALSE(form->IsDirty());
  EXPECT_TRUE(s.ChangedKeys().empty());
  EXPECT_EQ(Rec("R2").log.back(), "WriteProperties");
  EXPECT_NE(text.find("  @ExtentX = 1667\n  @ExtentY = 688\n"), std::string::npos);
  EXPECT_NE(text.find("  Number = int32 -4\n"), std::string::npos);
  EXPECT_NE(text.find("  mPointer = int16 99\n"), std::string::npos);
  EXPECT_NE(text.find("Begin Label Caption1"), std::string::npos);

  form = std::make_unique<host::Form>(host::ParseFormText(text));
  form->Load();
  host::ControlSite& t = form->Site("R2");
  EXPECT_EQ(Rec("R2").number, -4);
  EXPECT_EQ(t.Font(), (host::FontDesc{"Tahoma", 9.75f, 700, true, true, false, true, 0}));
  EXPECT_EQ(t.ForeColor(), 0x00112233u);
  EXPECT_EQ(t.MousePointer(), 99);
  EXPECT_TRUE(t.MouseIcon().IsCursor());
  EXPECT_EQ(Rec("R3").log.front(), "ReadProperties");  // saved once, no longer new
  EXPECT_EQ(form->SaveText(), text);
}

TEST_F(HostForm, MessageBoxesGoThroughTheOneRedirectableFunction) {
  Open();
  struct Call {
    HWND owner;
    std::string text, title;
    UINT style;
  };
  std::vector<Call> calls;
  host::SetMessageBoxHandler([&](HWND owner, const std::string& text, const std::string& title, UINT style) {
    calls.push_back({owner, text, title, style});
    return IDOK;
  });
  host::SetAppTitle("VORN : Lumatrim");
  EXPECT_EQ(form->Site("R1").ShowMessage("Line one\r\nline two"), IDOK);
  form->Site("R1").ShowMessage("Bad icon", MB_OK | MB_ICONINFORMATION, "Select .ico Or .cur Files Only");
  host::SetMessageBoxHandler(nullptr);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].owner, form->Hwnd());
  EXPECT_EQ(calls[0].text, "Line one\r\nline two");
  EXPECT_EQ(calls[0].title, "VORN : Lumatrim");
  EXPECT_EQ(calls[0].style, 64u);
  EXPECT_EQ(calls[1].title, "Select .ico Or .cur Files Only");
}

namespace {
DWORD WINAPI CloseHostBox(LPVOID p) {
  auto* text = static_cast<std::string*>(p);
  for (int i = 0; i < 300; ++i) {
    HWND box = FindWindowA("#32770", "Host box");
    if (box) {
      char buf[256] = {};
      GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
      *text = buf;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}
}  // namespace

TEST_F(HostForm, RealMessageBoxShowsTheTextAndTitle) {
  Open();
  host::SetAppTitle("Host box");
  std::string seen;
  // Closes the modal box from another thread once it is up.
  HANDLE closer = CreateThread(nullptr, 0, CloseHostBox, &seen, 0, nullptr);
  int answer = form->Site("R1").ShowMessage("Hello from the host");
  WaitForSingleObject(closer, 5000);
  CloseHandle(closer);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen, "Hello from the host");
}

TEST_F(HostForm, MouseIconTakesIconsAndCursorsAndRefusesBitmaps) {
  Open();
  host::ControlSite& s = form->Site("R1");
  host::Picture bitmap = host::Picture::LoadBytes(MakeBmp(8, 8, RGB(0, 0, 0)));
  try {
    s.SetMouseIcon(bitmap);
    FAIL();
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kInvalidPropertyValue);
    EXPECT_NE(e.Description().find("icon"), std::string::npos);
    EXPECT_NE(e.Description().find("cursor"), std::string::npos);
  }
  EXPECT_FALSE(s.MouseIcon());
  host::Picture icon = host::Picture::LoadBytes(MakeIconFile(32, 32, false));
  s.SetMouseIcon(icon);
  EXPECT_TRUE(s.MouseIcon() == icon);
  s.SetMouseIcon(host::Picture());
  EXPECT_FALSE(s.MouseIcon());
}

TEST_F(HostForm, MousePointerShowsOverTheControl) {
  Open();
  host::ControlSite& s = form->Site("R1");
  host::Picture cursor = host::Picture::LoadBytes(MakeIconFile(32, 32, true, 1, 1));
  s.SetMouseIcon(cursor);
  s.SetMousePointer(99);
  MoveTo(s.Hwnd(), 10, 10);
  EXPECT_TRUE(WaitFor([&] { return GetCursor() == reinterpret_cast<HCURSOR>(cursor.Icon()); }));
  s.SetMousePointer(11);
  MoveTo(s.Hwnd(), 12, 10);
  EXPECT_TRUE(WaitFor([&] { return GetCursor() == LoadCursorA(nullptr, IDC_WAIT); }));
  EXPECT_EQ(host::SystemCursorFor(3), LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(host::SystemCursorFor(15), LoadCursorA(nullptr, IDC_SIZEALL));
  EXPECT_EQ(host::SystemCursorFor(0), nullptr);
  EXPECT_EQ(host::SystemCursorFor(99), nullptr);
}

TEST_F(HostForm, FontsThatCannotBeMadeAreRefused) {
  Open();
  host::ControlSite& s = form->Site("R1");
  host::FontDesc good{"Tahoma", 8.25f, 400, false, false, false, false, 0};
  s.SetFont(good);
  host::FontDesc bad = good;
  bad.size = 0;
  EXPECT_THROW(s.SetFont(bad), host::Error);
  bad = good;
  bad.name.clear();
  EXPECT_THROW(s.SetFont(bad), host::Error);
  EXPECT_EQ(s.Font(), good);
  host::FontDesc bold = good;
  bold.bold = true;
  s.SetFont(bold);
  EXPECT_EQ(s.Font().weight, 700);
}

TEST_F(HostForm, TimersRaiseTheirEvent) {
  Open();
  int ticks = 0;
  form->On("Timer1", "Timer", [&](host::EventArgs&) { ++ticks; });
  form->SetTimer("Timer1", 1);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }));
  form->SetTimer("Timer1", 0);
  int now = ticks;
  MSG m;
  // No further tick once stopped (only messages already queued may run).
  Pump();
  EXPECT_FALSE(PeekMessageA(&m, form->Hwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE));
  EXPECT_LE(ticks, now + 1);
}

TEST_F(HostForm, RunPumpsUntilTheFormUnloads) {
  form = std::make_unique<host::Form>(host::ParseFormText(kThreeRecorders));
  int ticks = 0;
  bool loaded = false;
  form->On("Main", "Load", [&](host::EventArgs&) { loaded = true; });
  form->On("Timer1", "Timer", [&](host::EventArgs&) {
    if (++ticks == 3) form->Unload();
  });
  form->SetTimer("Timer1", 5);  // starts with the form
  EXPECT_EQ(host::Run(*form), 0);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(HostForm, ControlsAddedAndRemovedWhileTheFormRuns) {
  Open();
  host::ControlDesc d;
  d.className = "Recorder";
  d.name = "R4";
  d.container = "Panel";
  d.left = 3000;
  d.tabIndex = 9;
  host::ControlSite& s = form->AddControl(d);
  EXPECT_EQ(Rec("R4").log, V({"InitProperties", "Resize", "Show"}));
  EXPECT_EQ(Rec("R4").caption, "R4");
  EXPECT_THROW(form->AddControl(d), host::Error);  // the name is taken
  HWND h = s.Hwnd();
  s.SetVisible(false);
  EXPECT_EQ(Rec("R4").log.back(), "Hide");
  s.SetVisible(true);
  EXPECT_EQ(Rec("R4").log.back(), "Show");
  // Removing the default button leaves the form without one.
  form->SetDefaultButton("R4");
  form->SetFocusTo("R4");
  EXPECT_EQ(form->CurrentDefault(), &s);
  form->RemoveControl("R4");
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(form->FindSite("R4"), nullptr);
  EXPECT_EQ(form->CurrentDefault(), nullptr);
  EXPECT_THROW(form->Site("R4"), host::Error);
}

TEST_F(HostForm, AControlMadeByTheProgramJoinsTheForm) {
  Open();
  auto own = std::make_unique<RecordingControl>();
  RecordingControl* raw = own.get();
  host::ControlDesc d;
  d.className = "Custom";
  d.name = "Mine";
  d.properties = host::PropertyBag();
  d.properties->WriteInt32("Number", 42, 7);
  form->AddControl(std::move(own), d);
  EXPECT_EQ(raw->number, 42);
  EXPECT_EQ(raw->log.front(), "ReadProperties");
  EXPECT_EQ(form->Site("Mine").ContainerHwnd(), form->Hwnd());  // on the form itself
  EXPECT_EQ(form->Site("Mine").AmbientBackColor(), form->BackColor());
  raw->log.clear();
  form->SetBackColor(0x00123456);
  EXPECT_EQ(raw->Only({"AmbientChanged"}), V({"AmbientChanged BackColor"}));
  EXPECT_EQ(form->Site("Mine").AmbientBackColor(), 0x00123456u);
  EXPECT_TRUE(Rec("R1").Only({"AmbientChanged BackColor"}).empty());  // R1 sits in a container
}

namespace {
// A control whose own window timer raises an event (as a hover timer does).
struct TickingControl : RecordingControl {
  static TickingControl* current;
  bool windowAliveAfterEvent = false;
  bool ticked = false;
  void Show() override { current = this; }
  // Armed by the test once its handler is in place: the form's own start-up
  // work after showing may take longer than the timer.
  void Start() { SetTimer(site_->Hwnd(), 237, 10, &TickingControl::Proc); }
  void Terminate() override { KillTimer(site_->Hwnd(), 237); }
  static void CALLBACK Proc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    TickingControl* self = current;
    self->site_->RaiseEvent("Tick");
    self->windowAliveAfterEvent = IsWindow(hwnd) != 0;
    self->ticked = true;
  }
};
TickingControl* TickingControl::current = nullptr;
bool g_alive = false;
}  // namespace

TEST_F(HostForm, UnloadFromAControlsTimerCallbackWaitsForTheCallback) {
  host::RegisterControlClass("Ticking", [] { return std::make_unique<TickingControl>(); });
  std::string text = kThreeRecorders;
  text.replace(text.find("R2 Recorder"), 11, "R2 Ticking");
  Open(text);
  HWND r2 = Hwnd("R2");
  form->On("R2", "Tick", [&](host::EventArgs&) {
    form->Unload();
    g_alive = IsWindow(r2) != 0;
  });
  ASSERT_NE(TickingControl::current, nullptr);
  TickingControl::current->Start();
  EXPECT_TRUE(WaitFor([&] { return !form->IsLoaded(); }));
  EXPECT_TRUE(g_alive);
  EXPECT_FALSE(IsWindow(r2));
}

TEST_F(HostForm, AnExceptionFromAHandlerStopsAtTheWindowAndIsReported) {
  Open();
  std::vector<std::string> reports;
  host::CaughtExceptionHook failing = host::SetCaughtExceptionHook([&](const std::string& r) { reports.push_back(r); });
  form->On("R1", "KeyPress", [](host::EventArgs&) { throw std::runtime_error("handler fault"); });
  SendMessageA(Hwnd("R1"), WM_CHAR, 'a', 1);
  host::SetCaughtExceptionHook(failing);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("window message 0x0102: handler fault"), std::string::npos) << reports[0];
  // The control's notification ended at the throw; the form goes on.
  EXPECT_EQ(Rec("R1").Only({"KeyPress"}), V({"KeyPress 97"}));
  EXPECT_TRUE(form->IsLoaded());
}
