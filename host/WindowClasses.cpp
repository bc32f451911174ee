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

  // No DC of its own (CS_OWNDC): a form of many controls would hold as many
  // DCs, and every window change walks all the DCs windows hold. A control
  // draws through a window DC its site gets when asked (ControlSite::Hdc).
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = controlProc;
  wc.lpszClassName = kControlClass;
  RegisterClassExA(&wc);
  registered = true;
}

}  // namespace host
