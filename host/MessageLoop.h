// The message loop of host forms. Key routing (Tab, Shift+Tab, Enter,
// Escape, Alt+letter and bare-letter access keys) happens in
// PreTranslateMessage, as a dialog manager would, so every loop that pumps
// messages for host forms must call it (Run and DoEvents do).
#pragma once

#include <windows.h>

namespace host {

class Form;

// Handles a queued message for a host form's keyboard interface before it is
// translated and dispatched. Returns true when the message was consumed.
bool PreTranslateMessage(MSG& msg);

// Pumps messages until the form is unloaded (or WM_QUIT). Loads and shows
// the form first if needed. Returns the WM_QUIT code or 0.
int Run(Form& form);

// Processes every pending message, then returns (like DoEvents).
void DoEvents();

// Translates and dispatches every message waiting in this thread's queue,
// without the key routing of host forms: for threads that show none.
inline void DispatchPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// The one wait that keeps the thread's windows alive: pumps with `pump`
// (DoEvents unless given) until pred() is true or timeoutMs pass, sleeping
// up to sliceMs between rounds unless input arrives; returns pred().
template <typename Pred, typename Pump = void (*)()>
bool PumpUntil(Pred pred, DWORD timeoutMs, Pump pump = DoEvents, DWORD sliceMs = 5) {
  const DWORD start = GetTickCount();
  for (;;) {
    pump();
    if (pred()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, sliceMs, QS_ALLINPUT);
  }
}

}  // namespace host
