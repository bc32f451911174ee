#include "button/KtTimer.h"

#include "button/Butt.h"
#include "host/CaughtExceptions.h"

void CALLBACK HoverTimerProc(HWND window, UINT, UINT_PTR timerId, DWORD) {
  Butt* control = Butt::FromHandle(GetPropA(window, kClassIdProp));
  if (!control) {
    // Nobody left to ask: a tick that cannot reach a control stops its timer.
    KillTimer(window, timerId);
    return;
  }
  const auto id = reinterpret_cast<UINT_PTR>(GetPropA(window, kTimerIdProp));
  // A timer procedure runs inside the window manager: nothing may leave it.
  host::AtSystemBoundary("the hover timer", [&] { control->CheckHoverExit(id); });
}
