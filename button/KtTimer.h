// The hover timer's callback module. While the pointer is over a Butt, a
// window timer on the control's window polls whether the window under the
// cursor is still the control's; the callback finds its control through two
// window properties on that window.
#pragma once

#include <windows.h>

// Identifier and interval of the hover timer on a control's window.
inline constexpr UINT_PTR HoverTimerId = 237;
inline constexpr UINT kHoverIntervalMs = 50;

// Window properties on the control's window: the control (a non-owning
// pointer) and the timer identifier.
inline constexpr const char* kClassIdProp = "kt_ClassID";
inline constexpr const char* kTimerIdProp = "kt_TimerID";

// The timer procedure; only the window handle is used.
void CALLBACK HoverTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);
