#include "host/Dpi.h"

#include "host/GdiObjects.h"
#include "host/SystemLibrary.h"
#include "host/Units.h"

namespace host {
namespace {

// DPI_AWARENESS_CONTEXT is an opaque handle; DPI_AWARENESS_PER_MONITOR_AWARE
// is the awareness value 2.
using DpiContext = HANDLE;
constexpr int kPerMonitorAware = 2;

struct DpiEntries {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetWindowDpiAwarenessContextFn = DpiContext(WINAPI*)(HWND);
  using GetAwarenessFromDpiAwarenessContextFn = int(WINAPI*)(DpiContext);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

  GetDpiForWindowFn getDpiForWindow = nullptr;
  GetWindowDpiAwarenessContextFn getWindowDpiAwarenessContext = nullptr;
  GetAwarenessFromDpiAwarenessContextFn getAwarenessFromDpiAwarenessContext = nullptr;
  AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;
};

const DpiEntries& User32Dpi() {
  // user32 is linked into every GUI program and stays loaded for its life.
  static const DpiEntries entries = [] {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    DpiEntries e;
    e.getDpiForWindow = ProcAddress<DpiEntries::GetDpiForWindowFn>(user32, "GetDpiForWindow");
    e.getWindowDpiAwarenessContext =
        ProcAddress<DpiEntries::GetWindowDpiAwarenessContextFn>(user32, "GetWindowDpiAwarenessContext");
    e.getAwarenessFromDpiAwarenessContext =
        ProcAddress<DpiEntries::GetAwarenessFromDpiAwarenessContextFn>(user32, "GetAwarenessFromDpiAwarenessContext");
    e.adjustWindowRectExForDpi = ProcAddress<DpiEntries::AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
    return e;
  }();
  return entries;
}

bool PerMonitorAware(HWND hwnd) {
  const DpiEntries& e = User32Dpi();
  if (!hwnd || !e.getWindowDpiAwarenessContext || !e.getAwarenessFromDpiAwarenessContext) return false;
  return e.getAwarenessFromDpiAwarenessContext(e.getWindowDpiAwarenessContext(hwnd)) == kPerMonitorAware;
}

}  // namespace

int ScreenDpi() {
  gdi::WindowDC screen(nullptr);
  const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND hwnd) {
  const DpiEntries& e = User32Dpi();
  if (e.getDpiForWindow && PerMonitorAware(hwnd)) {
    const int dpi = static_cast<int>(e.getDpiForWindow(hwnd));
    if (dpi > 0) return dpi;
  }
  return ScreenDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  const DpiEntries& e = User32Dpi();
  if (e.adjustWindowRectExForDpi && e.adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace host
