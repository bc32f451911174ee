// CustomClick: a pressed command button moves its whole window by one pixel
// instead of drawing a pressed face, and moves back when released.
#include "button/ButtCore.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

// Indexed by CustomClick 1..8.
constexpr Offset kCustomClickOffsets[9] = {
    {0, 0},    // 0 ClickStandard (unused)
    {0, -1},   // 1 MoveUp
    {1, -1},   // 2 MoveUpRight
    {-1, -1},  // 3 MoveUpLeft
    {1, 1},    // 4 MoveDownRight
    {-1, 1},   // 5 MoveDownLeft
    {1, 0},    // 6 MoveRight
    {0, 1},    // 7 MoveDown
    {-1, 0},   // 8 MoveLeft
};

// Moves the window by (dx, dy) and changes its extent by the same amounts.
// The size change this causes is no resize of the control: the buffer and
// shape stay as they are (customMoving tells the resize handling).
void Displace(ButtState& s, int dx, int dy) {
  RECT r{};
  if (!GetWindowRect(s.hwnd, &r)) return;
  POINT topLeft{r.left, r.top};
  HWND container = s.containerHwnd ? s.containerHwnd : GetParent(s.hwnd);
  if (container) ScreenToClient(container, &topLeft);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  s.customMoving = true;
  MoveWindow(s.hwnd, topLeft.x + dx, topLeft.y + dy, width + dx, height + dy, TRUE);
  s.customMoving = false;
}

}  // namespace

bool CustomClickMove(ButtState& s) {
  if (s.CustomClick < 1 || s.CustomClick > 8 || s.Mode != butt::ModeCommand || !s.hwnd) return false;
  const Offset offset = kCustomClickOffsets[s.CustomClick];
  if (s.PressedAndHot()) {
    if (s.Has(StateCustomMoved)) return false;  // stays displaced while held
    s.Set(StateCustomMoved);
    Displace(s, offset.dx, offset.dy);
    PresentBuffer(s, false);
    if (s.refreshHost) s.refreshHost();
    return true;
  }
  if (s.Has(StateCustomMoved)) {
    s.Clear(StateCustomMoved);
    Displace(s, -offset.dx, -offset.dy);
  }
  return false;
}
