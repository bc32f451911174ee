// The functions of the system's accessibility library (oleacc) that the
// host and its programs call, resolved at run time from the system folder
// (host/SystemLibrary.h): oleacc is no Known DLL, so a program that imported
// it would load an oleacc.dll lying beside it. The library is loaded at the
// first call, which is when a screen reader first asks.
#pragma once

#include <windows.h>
#include <oleacc.h>

namespace host::oleacc {

// As the functions of the same names; E_NOTIMPL, 0 or a null object where
// the library or the function is missing.
HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object);
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
HRESULT AccessibleObjectFromPoint(POINT screen, IAccessible** object, VARIANT* child);
UINT GetRoleTextA(DWORD role, char* text, UINT size);

}  // namespace host::oleacc
