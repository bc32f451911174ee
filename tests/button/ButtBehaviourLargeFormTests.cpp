// Large forms: building a form of twice as many buttons does twice the work
// (counted, not timed: messages the window system delivers and redraws the
// buttons run), and a form of a thousand buttons holds few objects per button
// and gives every one back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "button/Butt.h"
#include "host/Host.h"

namespace {

long g_messages = 0;

LRESULT CALLBACK CountSent(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0) ++g_messages;
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK CountPosted(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0 && wp == PM_REMOVE) ++g_messages;
  return CallNextHookEx(nullptr, code, wp, lp);
}

// n new (default) buttons of 24 x 18 pixels on a grid of 40 columns.
host::FormDesc GridForm(int n) {
  host::FormDesc desc;
  desc.form.name = "Grid";
  desc.form.left = 0;
  desc.form.top = 0;
  desc.form.borderStyle = 0;
  desc.form.clientWidth = host::PixelsToTwips(1004);
  desc.form.clientHeight = host::PixelsToTwips(4 + (n + 39) / 40 * 20);
  for (int i = 0; i < n; ++i) {
    host::ControlDesc c;
    c.className = Butt::kClassName;
    c.name = "Butt" + std::to_string(i + 1);
    c.left = host::PixelsToTwips(2 + i % 40 * 25);
    c.top = host::PixelsToTwips(2 + i / 40 * 20);
    c.extentX = host::PixelsToHimetric(24);
    c.extentY = host::PixelsToHimetric(18);
    c.tabIndex = static_cast<int16_t>(i);
    desc.controls.push_back(c);
  }
  return desc;
}

// Messages delivered while the form is loaded, shown and painted, plus the
// redraws its buttons ran. Loading leaves no window DC held: each one held
// makes every later window of the form slower to create.
long WorkToShow(int n) {
  host::Form form(GridForm(n));
  const long gdiBefore = gdi::LiveCount();
  g_messages = 0;
  HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, CountSent, nullptr, GetCurrentThreadId());
  HHOOK posted = SetWindowsHookExA(WH_GETMESSAGE, CountPosted, nullptr, GetCurrentThreadId());
  form.Load();
  EXPECT_LE(gdi::LiveCount() - gdiBefore, 3 * n + 2) << "objects held after loading " << n << " buttons";
  form.Show();
  host::DoEvents();
  UnhookWindowsHookEx(sent);
  UnhookWindowsHookEx(posted);
  long work = g_messages;
  for (host::ControlSite* site : form.Sites()) work += static_cast<Butt&>(site->GetControl()).RedrawCount();
  form.Unload();
  host::DoEvents();
  return work;
}

}  // namespace

TEST(ButtLargeForm, TwiceTheButtonsTakeTwiceTheWork) {
  RegisterButtClass();
  const long work250 = WorkToShow(250);
  const long work500 = WorkToShow(500);
  ASSERT_GT(work250, 250);
  EXPECT_LT(work500, work250 * 5 / 2) << work250 << " for 250 buttons, " << work500 << " for 500";
}

TEST(ButtLargeForm, AThousandButtonsHoldFewObjectsAndGiveAllBack) {
  RegisterButtClass();
  const int n = 1000;
  // No button under the cursor: a hovered one holds its hover timer and
  // window properties, and the DC of its hot look until it next paints.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  const long gdiBefore = gdi::LiveCount(), userBefore = user::LiveCount();
  {
    host::Form form(GridForm(n));
    form.Show();
    host::DoEvents();
    ASSERT_EQ(form.Sites().size(), static_cast<size_t>(n));
    // Idle: a memory DC, its bitmap and the caption font per button (the
    // window holds no DC), and the window; besides, the form's brush and
    // window and the DC the focused button drew its focus with.
    EXPECT_LE(gdi::LiveCount() - gdiBefore, 3 * n + 3);
    EXPECT_LE(user::LiveCount() - userBefore, n + 2);
    form.Unload();
    host::DoEvents();
    EXPECT_EQ(gdi::LiveCount(), gdiBefore);
    EXPECT_EQ(user::LiveCount(), userBefore);
  }
  EXPECT_EQ(gdi::LiveCount(), gdiBefore);
  EXPECT_EQ(user::LiveCount(), userBefore);
}
