#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EffectsTestWindow.h"
#include "effects/WindowEffects.h"

namespace {

using Values = std::vector<int32_t>;

Values Ramp(int from, int to, int step) {
  Values values;
  if (step > 0) {
    for (int v = from; v < to; v += step) values.push_back(v);
  } else {
    for (int v = from; v > to; v += step) values.push_back(v);
  }
  values.push_back(to);
  return values;
}

bool IsLayered(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

TEST(WindowEffectsFadeIn, NeverLayeredWindowStartsAtZeroShowsAndEndsEnabled) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  window.Reset();
  ASSERT_FALSE(IsWindowVisible(hwnd));

  EXPECT_TRUE(FadeIn(hwnd, 255, 15.0f));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(GetLayeredMode(hwnd), 2);
  EXPECT_EQ(GetLayeredValue(hwnd), 255);

  window.Drain();
  // 0 before the first step, then 17 steps of 15.
  EXPECT_EQ(window.Values(), Ramp(0, 255, 15));
  ASSERT_EQ(window.looks.size(), 18u);
  for (size_t i = 0; i + 1 < window.looks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(window.looks[i].visible);
    EXPECT_FALSE(window.looks[i].enabled);  // no input reaches a fading window
  }
  EXPECT_TRUE(window.looks.back().enabled);
}

TEST(WindowEffectsFadeIn, StepThatDoesNotDivideTheDistanceEndsExactlyAtTarget) {
  EffectsTestWindow window;
  window.Reset();
  EXPECT_TRUE(FadeIn(window.hwnd(), 255, 20.0f));
  window.Drain();
  // 0, 20, 40, ..., 240, then 255.
  EXPECT_EQ(window.Values(), Ramp(0, 255, 20));
}

TEST(WindowEffectsFadeIn, PositionsRoundToNearestWithHalvesToEven) {
  EffectsTestWindow window;
  window.Reset();
  EXPECT_TRUE(FadeIn(window.hwnd(), 13, 2.5f));
  window.Drain();
  // 2.5 -> 2, 5, 7.5 -> 8, 10, 12.5 -> 12, 13.
  EXPECT_EQ(window.Values(), (Values{0, 2, 5, 8, 10, 12, 13}));
}

TEST(WindowEffectsFadeIn, AlreadyAtTargetRunsNoStepButShowsTheWindow) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 255));
  window.Reset();
  EXPECT_TRUE(FadeIn(hwnd, 255, 15.0f));
  window.Drain();
  EXPECT_EQ(window.styleWrites, 0);
  EXPECT_TRUE(window.looks.empty());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(GetLayeredValue(hwnd), 255);
}

TEST(WindowEffectsFadeIn, MoreOpaqueThanTargetChangesNothing) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 200));
  window.Reset();
  EXPECT_FALSE(FadeIn(hwnd, 100, 15.0f));
  window.Drain();
  EXPECT_EQ(window.styleWrites, 0);
  EXPECT_EQ(GetLayeredValue(hwnd), 200);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST(WindowEffectsFadeIn, ColourKeyWindowRestartsFromZeroInAlphaMode) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(200, 200, 200), 0, LWA_COLORKEY));
  window.Reset();
  EXPECT_TRUE(FadeIn(hwnd, 60, 30.0f));
  window.Drain();
  EXPECT_EQ(window.Values(), (Values{0, 30, 60}));
  EXPECT_EQ(GetLayeredMode(hwnd), 2);
}

TEST(WindowEffectsFadeIn, StepTooSmallToMoveStillArrives) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 254));
  window.Reset();
  // 254 + 1e-6 is 254 again in single precision.
  EXPECT_TRUE(FadeIn(hwnd, 255, 1e-6f));
  window.Drain();
  EXPECT_EQ(window.Values(), (Values{255}));
}

TEST(WindowEffectsFadeIn, StepThatIsNotPositiveIsRefusedWithoutChanges) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  for (float step : {0.0f, -15.0f, std::nanf("")}) {
    SCOPED_TRACE(step);
    EXPECT_FALSE(FadeIn(hwnd, 255, step));
    EXPECT_FALSE(FadeOut(hwnd, 0, step));
  }
  EXPECT_FALSE(IsLayered(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST(WindowEffectsFadeOut, ToZeroEndsHiddenAtZero) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 255));
  ShowWindow(hwnd, SW_SHOWNA);
  window.Reset();
  EXPECT_TRUE(FadeOut(hwnd, 0, 15.0f));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(GetLayeredValue(hwnd), 0);
  window.Drain();
  EXPECT_EQ(window.Values(), Ramp(240, 0, -15));
  // A later fade-in shows it again from 0.
  window.Reset();
  EXPECT_TRUE(FadeIn(hwnd, 255, 85.0f));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  window.Drain();
  EXPECT_EQ(window.Values(), (Values{85, 170, 255}));
}

TEST(WindowEffectsFadeOut, NeverLayeredWindowStartsAtFullAndStaysVisibleAboveZero) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  window.Reset();
  EXPECT_TRUE(FadeOut(hwnd, 100, 15.0f));
  EXPECT_TRUE(IsWindowVisible(hwnd));  // shown by the fade, not hidden at 100
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(GetLayeredValue(hwnd), 100);
  window.Drain();
  Values expected = Ramp(255, 100, -15);  // 255 before the first step, then 240 .. 105, 100
  EXPECT_EQ(window.Values(), expected);
}

TEST(WindowEffectsFadeOut, LessOpaqueThanTargetChangesNothing) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 90));
  ShowWindow(hwnd, SW_SHOWNA);
  window.Reset();
  EXPECT_FALSE(FadeOut(hwnd, 120, 15.0f));
  window.Drain();
  EXPECT_EQ(window.styleWrites, 0);
  EXPECT_EQ(GetLayeredValue(hwnd), 90);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST(WindowEffectsFadeState, DisabledWindowStaysDisabled) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  EnableWindow(hwnd, FALSE);
  window.Reset();
  EXPECT_TRUE(FadeIn(hwnd, 255, 51.0f));
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  EXPECT_TRUE(FadeOut(hwnd, 0, 51.0f));
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  window.Drain();
  for (const WindowLook& look : window.looks) EXPECT_FALSE(look.enabled);
}

TEST(WindowEffectsFadeState, QuitRequestSeenDuringAFadeIsKeptForTheProgramLoop) {
  EffectsTestWindow window;
  window.Reset();
  PostQuitMessage(7);
  EXPECT_TRUE(FadeIn(window.hwnd(), 255, 15.0f));
  EXPECT_EQ(GetLayeredValue(window.hwnd()), 255);
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(msg.wParam, 7u);
    } else {
      DispatchMessageA(&msg);  // paints must be handled or they come back
    }
  }
  EXPECT_TRUE(quit);
}

TEST(WindowEffectsFadeState, FadeStartedByAHandlerInsideAFadeRuns) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  window.Reset();
  bool innerStarted = false;
  bool innerResult = false;
  window.onLook = [&](EffectsTestWindow& w, size_t index) {
    if (index == 3 && !innerStarted) {
      innerStarted = true;
      innerResult = FadeOut(w.hwnd(), 0, 15.0f);
    }
  };
  EXPECT_TRUE(FadeIn(hwnd, 255, 15.0f));
  EXPECT_TRUE(innerStarted);
  EXPECT_TRUE(innerResult);
  // The inner fade-out hid the window; the outer fade goes on to its target
  // and re-enables the window it disabled.
  EXPECT_EQ(GetLayeredValue(hwnd), 255);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

// A handler running inside a fade closes the window: the fade must stop and
// never touch the dead handle again.
TEST(WindowEffectsFadeClosed, PostedMessageHandlerDestroysTheWindowDuringFadeIn) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  window.Reset();
  window.onLook = [](EffectsTestWindow& w, size_t index) {
    if (index == 3) DestroyWindow(w.hwnd());
  };
  EXPECT_FALSE(FadeIn(hwnd, 255, 15.0f));
  EXPECT_FALSE(IsWindow(hwnd));
  window.Drain();
  EXPECT_EQ(window.Values(), (Values{0, 15, 30, 45}));
}

TEST(WindowEffectsFadeClosed, PostedMessageHandlerDestroysTheWindowDuringFadeOut) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetOpacity(hwnd, 255));
  window.Reset();
  window.onLook = [](EffectsTestWindow& w, size_t index) {
    if (index == 1) DestroyWindow(w.hwnd());
  };
  EXPECT_FALSE(FadeOut(hwnd, 0, 15.0f));
  EXPECT_FALSE(IsWindow(hwnd));
  window.Drain();
  EXPECT_EQ(window.Values(), (Values{240, 225}));
}

TEST(WindowEffectsFadeClosed, TimerHandlerDestroysTheWindowDuringALongFade) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  window.Reset();
  constexpr UINT_PTR kTimer = 7;
  int ticks = 0;
  window.onMessage = [&](HWND w, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_TIMER && wp == kTimer) {
      ++ticks;
      KillTimer(w, kTimer);
      DestroyWindow(w);
      return true;
    }
    return false;
  };
  ASSERT_NE(SetTimer(hwnd, kTimer, 1, nullptr), 0u);
  // 25500 steps: far longer than the timer's first tick.
  EXPECT_FALSE(FadeIn(hwnd, 255, 0.01f));
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(IsWindow(hwnd));
  window.Drain();
  EXPECT_LT(window.looks.size(), 25500u);
}

}  // namespace
