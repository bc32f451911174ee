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

// Pumps messages until pred() is true or timeoutMs pass; returns pred().
// For tests and for code that waits on the user interface.
template <typename Pred>
bool PumpUntil(Pred pred, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    DoEvents();
    if (pred()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

}  // namespace host
