// VORN.exe: the process lives as long as its main window.
#include <windows.h>

#include "app/VORN.h"
#include "button/Butt.h"
#include "host/Error.h"
#include "host/MessageBox.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RegisterButtClass();
  try {
    vorn::VORN window(vorn::LoadVornFormDesc());
    return window.Run();
  } catch (const host::Error& e) {
    host::ShowMessageBox(nullptr, "VORN could not start: " + e.Description(), "VORN : Lumatrim",
                         MB_OK | MB_ICONSTOP);
    return 1;
  }
}
