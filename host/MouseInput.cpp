#include "host/MouseInput.h"

namespace host {

int16_t ButtonsFromKeyState(WPARAM keys) {
  int16_t b = 0;
  if (keys & MK_LBUTTON) b |= 1;
  if (keys & MK_RBUTTON) b |= 2;
  if (keys & MK_MBUTTON) b |= 4;
  return b;
}

int16_t MouseButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return 2;
    default:
      return 4;
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
