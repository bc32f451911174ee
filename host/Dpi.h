// The dots per inch a window is laid out at, and the per-monitor DPI
// functions of newer Windows versions. Those are looked up at run time, so
// the program still starts on Windows 7, where every window simply takes
// the system's DPI.
#pragma once

#include <windows.h>

namespace host {

// Window messages of per-monitor DPI awareness (Windows 8.1 and 10).
// WM_DPICHANGED: wParam holds the new DPI in both words, lParam points to
// the suggested window rectangle. WM_GETDPISCALEDSIZE: wParam is the new
// DPI, lParam points to a SIZE the window may set to the window size it
// will take there (return TRUE when set).
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// The system's dots per inch, as a screen device context reports them (96
// when they cannot be read). Windows has square pixels: one value serves
// both axes.
int ScreenDpi();

// The dots per inch of the monitor a window is on, where the window is
// per-monitor DPI aware and the system can say (GetDpiForWindow);
// otherwise ScreenDpi(), the value every window of a system-aware or
// unaware program is laid out at.
int WindowDpi(HWND hwnd);

// The window rectangle for a client rectangle at a DPI: the frame drawn at
// that DPI where the system offers AdjustWindowRectExForDpi, else the
// system's frame (AdjustWindowRectEx).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace host
