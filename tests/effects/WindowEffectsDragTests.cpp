#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "EffectsTestWindow.h"
#include "effects/WindowEffects.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

void SendLeftButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
}

// Moves the real cursor to a screen point, as a mouse would.
void SendMoveTo(POINT to) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = MulDiv(to.x, 65535, width - 1);
  input.mi.dy = MulDiv(to.y, 65535, height - 1);
  SendInput(1, &input, sizeof(input));
}

bool InMoveLoop(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

// Runs the thread's messages until `done` or about ten seconds have passed.
void PumpUntil(const std::atomic<bool>& done) {
  host::PumpUntil([&] { return done.load(); }, 10000, host::DispatchPending, 20);
}

TEST(WindowEffectsDrag, RealMouseDragFromAButtonDownMovesTheWindow) {
  EffectsTestWindow window(WS_POPUP, RECT{100, 100, 300, 250});
  const HWND hwnd = window.hwnd();
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  UpdateWindow(hwnd);
  window.Drain();
  RECT before;
  GetWindowRect(hwnd, &before);

  std::atomic<bool> dragReturned{false};
  HWND captureAfterDrag = hwnd;
  // Like a control that captures the mouse when pressed, and then hands the
  // press to the window's drag.
  window.onMessage = [&](HWND w, UINT msg, WPARAM, LPARAM) {
    if (msg != WM_LBUTTONDOWN) return false;
    SetCapture(w);
    DragForm(w);
    captureAfterDrag = GetCapture();
    dragReturned = true;
    return true;
  };

  const POINT start = {150, 150};
  ASSERT_TRUE(SetCursorPos(start.x, start.y));
  window.Drain();
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<bool> loopSeen{false};
  POINT end = {};
  // The mouse hand: waits for the system's move loop, drags, lets go.
  std::thread mouse([&] {
    const auto limit = Clock::now() + 5s;
    while (!InMoveLoop(uiThread) && Clock::now() < limit) Sleep(5);
    loopSeen = InMoveLoop(uiThread);
    for (int i = 1; i <= 4; ++i) {
      SendMoveTo({start.x + 15 * i, start.y + 10 * i});
      Sleep(20);
    }
    GetCursorPos(&end);
    SendLeftButton(false);
  });
  SendLeftButton(true);
  PumpUntil(dragReturned);
  mouse.join();
  window.Drain();

  EXPECT_TRUE(dragReturned);
  EXPECT_TRUE(loopSeen) << "the system's move loop did not start";
  ASSERT_EQ(window.ncLeftDowns.size(), 1u);
  EXPECT_EQ(window.ncLeftDowns[0], static_cast<WPARAM>(HTCAPTION));
  EXPECT_NE(captureAfterDrag, hwnd);
  EXPECT_NE(end.x, start.x);
  RECT after;
  GetWindowRect(hwnd, &after);
  EXPECT_EQ(after.left - before.left, end.x - start.x);
  EXPECT_EQ(after.top - before.top, end.y - start.y);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
}

}  // namespace
