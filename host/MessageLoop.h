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

}  // namespace host
