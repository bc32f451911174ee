// Hover tracking: entering is seen on a mouse move over the control's own
// window; leaving is found by the hover timer (KtTimer) polling the window
// under the cursor.
#include "button/Butt.h"
#include "button/ButtCore.h"
#include "button/KtTimer.h"
#include "host/ControlSite.h"

namespace {

bool CursorOver(HWND hwnd) {
  POINT cursor{};
  return hwnd && GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd;
}

}  // namespace

bool Butt::StartHoverTracking(int16_t button) {
  s_.Set(StateHot);
  int16_t onButton = kTrue;
  if (site_) site_->RaiseEvent("MouseOnButton", onButton);
  if (terminated_ || !s_.hwnd) return false;

  // The properties stay after tracking ends; set them afresh each time.
  classIdProp_.reset();
  timerIdProp_.reset();
  classIdProp_ = user::WindowProp(s_.hwnd, kClassIdProp, static_cast<HANDLE>(this));
  timerIdProp_ = user::WindowProp(s_.hwnd, kTimerIdProp, reinterpret_cast<HANDLE>(HoverTimerId));
  if (!classIdProp_ || !timerIdProp_) return false;
  hoverTimer_.reset();
  hoverTimer_ = user::Timer(s_.hwnd, HoverTimerId, kHoverIntervalMs, HoverTimerProc);
  if (!hoverTimer_) return false;

  s_.hoverTracking = true;
  s_.drawingDelayed = false;
  if (button == 1) s_.inputDown = true;
  Redraw();
  return true;
}

void Butt::CheckHoverExit(UINT_PTR timerId) {
  if (CursorOver(s_.hwnd)) return;
  if (timerId == HoverTimerId) {
    hoverTimer_.reset();
  } else if (s_.hwnd) {
    KillTimer(s_.hwnd, timerId);
    hoverTimer_.reset();
  }
  s_.Clear(StateHot);
  s_.hoverTracking = false;
  s_.drawingDelayed = false;
  int16_t onButton = kFalse;
  if (site_) site_->RaiseEvent("MouseOnButton", onButton);
  s_.inputDown = false;
  Redraw();
}
