// Real input for the tests: the cursor and SendInput, with message pumping
// through the host's loop so its key routing runs.
#pragma once

#include <windows.h>

#include "host/MessageLoop.h"

namespace hosttest {

inline void Pump() { host::DoEvents(); }

// Pumps until pred() holds (generous bound; no fixed sleeps).
template <typename Pred>
bool WaitFor(Pred pred, DWORD ms = 3000) {
  return host::PumpUntil(pred, ms);
}

inline void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

// Moves the cursor to a client point of a window (and waits for the move
// to reach the window's queue).
inline void MoveTo(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  SetCursorPos(p.x, p.y);
  Pump();
}

inline void ClickAt(HWND hwnd, int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  MoveTo(hwnd, x, y);
  SendMouse(down);
  SendMouse(up);
}

inline void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

inline void TapKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

// A key with modifiers held (e.g. VK_MENU for Alt, VK_SHIFT).
inline void Chord(WORD modifier, WORD vk) {
  SendKey(modifier, false);
  TapKey(vk);
  SendKey(modifier, true);
}

}  // namespace hosttest
