#include <windows.h>

#include <gtest/gtest.h>

#include "effects/User32Entries.h"
#include "effects/WindowEffects.h"
#include "EffectsTestWindow.h"

namespace {

bool IsLayered(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

TEST(WindowEffectsQuery, WindowThatWasNeverLayeredHasModeZeroAndNoValue) {
  EffectsTestWindow window;
  ASSERT_NE(window.hwnd(), nullptr);
  EXPECT_EQ(GetLayeredMode(window.hwnd()), 0);
  EXPECT_EQ(GetLayeredValue(window.hwnd()), -1);
  EXPECT_FALSE(IsLayered(window.hwnd()));
}

TEST(WindowEffectsQuery, ColourKeyModeReportsTheKeyNotTheAlpha) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(10, 20, 30), 77, LWA_COLORKEY));
  EXPECT_EQ(GetLayeredMode(hwnd), 1);
  EXPECT_EQ(GetLayeredValue(hwnd), 0x001E140A);

  // Both flags together are neither mode.
  ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(10, 20, 30), 77, LWA_COLORKEY | LWA_ALPHA));
  EXPECT_EQ(GetLayeredMode(hwnd), 3);
  EXPECT_EQ(GetLayeredValue(hwnd), -1);
}

TEST(WindowEffectsQuery, InvalidHandleFailsEverywhere) {
  HWND gone;
  {
    EffectsTestWindow window;
    gone = window.hwnd();
  }
  ASSERT_FALSE(IsWindow(gone));
  for (HWND hwnd : {HWND{nullptr}, gone}) {
    EXPECT_EQ(GetLayeredMode(hwnd), -1);
    EXPECT_EQ(GetLayeredValue(hwnd), -1);
    EXPECT_FALSE(SetOpacity(hwnd, 128));
    EXPECT_FALSE(FadeIn(hwnd, 255, 15.0f));
    EXPECT_FALSE(FadeOut(hwnd, 0, 15.0f));
    DragForm(hwnd);  // errors are ignored
  }
}

TEST(WindowEffectsOpacity, SetOpacityMakesTheWindowLayeredWithConstantAlpha) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  for (int opacity : {128, 0, 255, 1}) {
    SCOPED_TRACE(opacity);
    EXPECT_TRUE(SetOpacity(hwnd, static_cast<uint8_t>(opacity)));
    EXPECT_TRUE(IsLayered(hwnd));
    EXPECT_EQ(GetLayeredMode(hwnd), 2);
    EXPECT_EQ(GetLayeredValue(hwnd), opacity);
  }
  // Other extended style bits are kept.
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  EXPECT_TRUE(SetOpacity(hwnd, 64));
  EXPECT_NE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetLayeredValue(hwnd), 64);
}

TEST(WindowEffectsOpacity, ColourKeyWindowSwitchesToConstantAlpha) {
  EffectsTestWindow window;
  const HWND hwnd = window.hwnd();
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  ASSERT_TRUE(SetLayeredWindowAttributes(hwnd, RGB(1, 2, 3), 0, LWA_COLORKEY));
  EXPECT_TRUE(SetOpacity(hwnd, 200));
  EXPECT_EQ(GetLayeredMode(hwnd), 2);
  EXPECT_EQ(GetLayeredValue(hwnd), 200);
}

TEST(WindowEffectsEntries, LookupFindsAllSixInUser32Only) {
  EXPECT_TRUE(ResolveUser32Entries(GetModuleHandleA("user32.dll")).complete());
  EXPECT_TRUE(User32().complete());
  const User32Entries elsewhere = ResolveUser32Entries(GetModuleHandleA("kernel32.dll"));
  EXPECT_FALSE(elsewhere.complete());
  EXPECT_EQ(elsewhere.getLayeredWindowAttributes, nullptr);
  EXPECT_FALSE(ResolveUser32Entries(nullptr).complete());
}

}  // namespace
