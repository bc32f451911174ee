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

}  // namespace host
