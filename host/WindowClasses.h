// The window classes of the host, registered once per process. Internal.
#pragma once

#include <windows.h>

#include <cstdint>

namespace host {

inline constexpr const char* kFormClass = "VornHostForm";
inline constexpr const char* kContainerClass = "VornHostContainer";
inline constexpr const char* kControlClass = "VornHostControl";

// Registers the three classes (idempotent); the procedures are the form's,
// the container's and the control site's.
void RegisterHostClasses(WNDPROC formProc, WNDPROC containerProc, WNDPROC controlProc);

// The module the host's classes belong to.
HINSTANCE HostInstance();

// Mouse helpers shared by the window procedures: the button held in a
// mouse message's key state (1 left, 2 right, 4 middle) and the shift
// state (1 Shift, 2 Ctrl, 4 Alt).
int16_t ButtonsFromKeyState(WPARAM wp);
// The button (1 left, 2 right, 4 middle) of a mouse button message: down,
// up or double click.
int16_t MouseButtonOf(UINT msg);
int16_t ShiftState();

}  // namespace host
