#include "host/Oleacc.h"

#include "host/SystemLibrary.h"

namespace host::oleacc {

namespace {

template <typename Fn>
Fn Entry(const char* name) {
  return SystemProc<Fn>(L"oleacc.dll", name);
}

}  // namespace

HRESULT CreateStdAccessibleObject(HWND hwnd, LONG objectId, REFIID riid, void** object) {
  using Fn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  static const Fn fn = Entry<Fn>("CreateStdAccessibleObject");
  if (object) *object = nullptr;
  return fn ? fn(hwnd, objectId, riid, object) : E_NOTIMPL;
}

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object) {
  using Fn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const Fn fn = Entry<Fn>("LresultFromObject");
  return fn ? fn(riid, wParam, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT AccessibleObjectFromPoint(POINT screen, IAccessible** object, VARIANT* child) {
  using Fn = HRESULT(WINAPI*)(POINT, IAccessible**, VARIANT*);
  static const Fn fn = Entry<Fn>("AccessibleObjectFromPoint");
  if (object) *object = nullptr;
  return fn ? fn(screen, object, child) : E_NOTIMPL;
}

UINT GetRoleTextA(DWORD role, char* text, UINT size) {
  using Fn = UINT(WINAPI*)(DWORD, LPSTR, UINT);
  static const Fn fn = Entry<Fn>("GetRoleTextA");
  if (fn) return fn(role, text, size);
  if (text && size) text[0] = '\0';
  return 0;
}

}  // namespace host::oleacc
