#include "host/WindowClasses.h"

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

}  // namespace host
