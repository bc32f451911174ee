// VORN.exe: without arguments the process lives as long as its main window;
// with arguments it carries out its command line and ends.
#include <windows.h>

#include "app/ApplyCommand.h"
#include "app/CommandLine.h"
#include "app/VORN.h"
#include "button/Butt.h"
#include "host/Error.h"
#include "host/MessageBox.h"
#include "host/SystemLibrary.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a DLL: none from the program's folder.
  host::UseSystemFolderForDlls();
  // The arguments as UTF-16: names outside the ANSI code page survive.
  const vorn::CommandLine line = vorn::ParseCommandLine(vorn::ArgumentsOf(GetCommandLineW()));
  if (line.command != vorn::Command::Window) return vorn::RunCommandLine(line);

  RegisterButtClass();
  try {
    vorn::VORN window(vorn::LoadVornFormDesc());
    return window.Run();
  } catch (const host::Error& e) {
    host::ShowMessageBox(nullptr, "VORN could not start: " + e.Description(), "VORN : Lumatrim", MB_OK | MB_ICONSTOP);
    return 1;
  }
}
