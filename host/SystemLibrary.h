// DLLs from the system folder only. Windows looks for a DLL that is not one
// of the "Known DLLs" in the program's own folder first, so a file of the
// same name lying beside the program (a version.dll in Downloads) would run
// inside it. The program imports only Known DLLs; everything else is loaded
// at run time through LoadSystemLibrary, and a program calls
// UseSystemFolderForDlls first thing in WinMain, so that the DLLs that
// system DLLs load on its behalf (uxtheme under Common Controls 6) come from
// the system folder too.
#pragma once

#include <windows.h>

namespace host {

// Makes the system folder the only place a later LoadLibrary looks for a DLL
// named without a path: SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
// where the system has it (Windows 8, and 7 with KB2533623), otherwise
// SetDllDirectoryW(L""), which at least takes the current folder out of the
// search. True when the first one took effect.
bool UseSystemFolderForDlls();

// Loads a DLL such as L"oleacc.dll" from the system folder and never from
// anywhere else; stays loaded for the life of the process. Where the program's
// manifest redirects the name (comctl32 to Common Controls 6), the redirection
// still applies. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a module, as its real type (nullptr when it is missing).
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  // GetProcAddress hands back a generic function pointer; going through
  // void* converts it without a function-type cast warning.
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A function of a system DLL, the DLL loaded with LoadSystemLibrary.
template <typename Fn>
Fn SystemProc(const wchar_t* dll, const char* name) {
  return ProcAddress<Fn>(LoadSystemLibrary(dll), name);
}

}  // namespace host
