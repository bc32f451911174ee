#include <windows.h>
#include <gtest/gtest.h>
TEST(Smoke, WindowCreates) {
  HWND h = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(DestroyWindow(h));
}
