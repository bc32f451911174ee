#include "button/KtTimer.h"

#include "button/Butt.h"

void CALLBACK HoverTimerProc(HWND window, UINT, UINT_PTR timerId, DWORD) {
  Butt* control = Butt::FromHandle(GetPropA(window, kClassIdProp));
  if (!control) {
    // Nobody left to ask: a tick that cannot reach a control stops its timer.
    KillTimer(window, timerId);
    return;
  }
  const auto id = reinterpret_cast<UINT_PTR>(GetPropA(window, kTimerIdProp));
  control->CheckHoverExit(id);
}
