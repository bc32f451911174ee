#include "host/MouseInput.h"

#include <oleidl.h>

namespace host {

namespace {

// The flags 1, 2 and 4 for three bits of a key-state mask.
int16_t FlagsOf(WPARAM keys, WPARAM bit1, WPARAM bit2, WPARAM bit4) {
  return static_cast<int16_t>(((keys & bit1) ? 1 : 0) | ((keys & bit2) ? 2 : 0) | ((keys & bit4) ? 4 : 0));
}

}  // namespace

int16_t ButtonsFromKeyState(WPARAM keys) { return FlagsOf(keys, MK_LBUTTON, MK_RBUTTON, MK_MBUTTON); }

int16_t ShiftFromKeyState(WPARAM keys) { return FlagsOf(keys, MK_SHIFT, MK_CONTROL, MK_ALT); }

int16_t MouseButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return 2;
    default: return 4;
  }
}

int16_t ShiftState() {
  int16_t s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

ClickTracker::Down ClickTracker::OnDown(UINT msg) {
  Down down;
  down.button = MouseButtonOf(msg);
  down.firstPress = pressed_ == 0;
  pressed_ |= down.button;
  if (msg == WM_LBUTTONDBLCLK) {
    suppressClick_ = true;
    down.doubleClick = true;
  }
  return down;
}

ClickTracker::Up ClickTracker::OnUp(UINT msg) {
  Up up;
  up.button = MouseButtonOf(msg);
  bool wasPressed = (pressed_ & up.button) != 0;
  pressed_ &= static_cast<int16_t>(~up.button);
  up.lastRelease = pressed_ == 0;
  if (up.button == 1) {
    up.click = wasPressed && !suppressClick_;
    suppressClick_ = false;
  }
  return up;
}

}  // namespace host
