#include "host/WindowClasses.h"

#include <cstdint>

namespace host {

HINSTANCE HostInstance() { return GetModuleHandleA(nullptr); }

void RegisterHostClasses(WNDPROC formProc, WNDPROC containerProc, WNDPROC controlProc) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = HostInstance();
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);

  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = formProc;
  wc.lpszClassName = kFormClass;
  RegisterClassExA(&wc);

  wc.lpfnWndProc = containerProc;
  wc.lpszClassName = kContainerClass;
  RegisterClassExA(&wc);

  // A control keeps one DC for its whole life.
  wc.style = CS_DBLCLKS | CS_OWNDC;
  wc.lpfnWndProc = controlProc;
  wc.lpszClassName = kControlClass;
  RegisterClassExA(&wc);
  registered = true;
}

int16_t ButtonsFromKeyState(WPARAM wp) {
  int16_t b = 0;
  if (wp & MK_LBUTTON) b |= 1;
  if (wp & MK_RBUTTON) b |= 2;
  if (wp & MK_MBUTTON) b |= 4;
  return b;
}

int16_t MouseButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return 2;
    default:
      return 4;
  }
}

int16_t ShiftState() {
  int16_t s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

}  // namespace host
