#include "host/WindowAccessible.h"

#include <atomic>

#include "host/CaughtExceptions.h"
#include "host/Oleacc.h"
#include "host/WideText.h"

namespace host {

namespace {

std::atomic<long>& LiveCounter() {
  static std::atomic<long> count{0};
  return count;
}

}  // namespace

WindowAccessible::WindowAccessible(HWND hwnd) : hwnd_(hwnd) {
  ++LiveCounter();
  void* standard = nullptr;
  if (SUCCEEDED(oleacc::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible), &standard)))
    standard_ = static_cast<IAccessible*>(standard);
}

WindowAccessible::~WindowAccessible() {
  if (standard_) standard_->Release();
  --LiveCounter();
}

long WindowAccessible::LiveObjects() { return LiveCounter().load(); }

LRESULT WindowAccessible::Answer(WPARAM wp) {
  if (!standard_) return 0;
  const LRESULT result = oleacc::LresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(this));
  return result > 0 ? result : 0;  // a failure comes back as a negative HRESULT
}

void WindowAccessible::Disconnect() {
  if (!standard_) return;
  AddRef();  // the stubs' references go inside CoDisconnectObject
  IAccessible* standard = standard_;
  standard_ = nullptr;
  standard->Release();
  CoDisconnectObject(static_cast<IAccessible*>(this), 0);
  Release();
}

HRESULT WindowAccessible::CheckSelf(const VARIANT& child) const {
  if (!standard_) return RPC_E_DISCONNECTED;
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT WindowAccessible::TextResult(std::string_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  const std::wstring wide = WideText(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT WindowAccessible::LongResult(LONG value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

// ------------------------------------------------------------ IUnknown

HRESULT WindowAccessible::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible))
    *out = static_cast<IAccessible*>(this);
  else if (riid == __uuidof(IOleWindow))
    *out = static_cast<IOleWindow*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG WindowAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG WindowAccessible::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// ------------------------------------------------------------ IDispatch

HRESULT WindowAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return standard_ ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT WindowAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return standard_ ? E_NOTIMPL : RPC_E_DISCONNECTED; }

HRESULT WindowAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return standard_ ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

HRESULT WindowAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return standard_ ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

// ------------------------------------------------------------ IOleWindow

HRESULT WindowAccessible::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = standard_ ? hwnd_ : nullptr;
  return standard_ ? S_OK : RPC_E_DISCONNECTED;
}

HRESULT WindowAccessible::ContextSensitiveHelp(BOOL) { return standard_ ? E_NOTIMPL : RPC_E_DISCONNECTED; }

// ------------------------------------------------------------ IAccessible

#define VORN_BOUNDARY(name, call) \
  return AtSystemBoundary("IAccessible::" name, HRESULT{E_UNEXPECTED}, [&] { return call; })

HRESULT WindowAccessible::get_accParent(IDispatch** parent) { VORN_BOUNDARY("get_accParent", AccParent(parent)); }
HRESULT WindowAccessible::get_accChildCount(LONG* count) { VORN_BOUNDARY("get_accChildCount", AccChildCount(count)); }
HRESULT WindowAccessible::get_accChild(VARIANT child, IDispatch** out) {
  VORN_BOUNDARY("get_accChild", AccChild(child, out));
}
HRESULT WindowAccessible::get_accName(VARIANT child, BSTR* name) { VORN_BOUNDARY("get_accName", AccName(child, name)); }
HRESULT WindowAccessible::get_accValue(VARIANT child, BSTR* value) {
  VORN_BOUNDARY("get_accValue", AccValue(child, value));
}
HRESULT WindowAccessible::get_accDescription(VARIANT child, BSTR* description) {
  VORN_BOUNDARY("get_accDescription", AccDescription(child, description));
}
HRESULT WindowAccessible::get_accRole(VARIANT child, VARIANT* role) { VORN_BOUNDARY("get_accRole", AccRole(child, role)); }
HRESULT WindowAccessible::get_accState(VARIANT child, VARIANT* state) {
  VORN_BOUNDARY("get_accState", AccState(child, state));
}
HRESULT WindowAccessible::get_accHelp(VARIANT child, BSTR* help) { VORN_BOUNDARY("get_accHelp", AccHelp(child, help)); }
HRESULT WindowAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  VORN_BOUNDARY("get_accHelpTopic", AccHelpTopic(file, child, topic));
}
HRESULT WindowAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  VORN_BOUNDARY("get_accKeyboardShortcut", AccKeyboardShortcut(child, shortcut));
}
HRESULT WindowAccessible::get_accFocus(VARIANT* focus) { VORN_BOUNDARY("get_accFocus", AccFocus(focus)); }
HRESULT WindowAccessible::get_accSelection(VARIANT* selection) {
  VORN_BOUNDARY("get_accSelection", AccSelection(selection));
}
HRESULT WindowAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  VORN_BOUNDARY("get_accDefaultAction", AccDefaultAction(child, action));
}
HRESULT WindowAccessible::accSelect(LONG flags, VARIANT child) { VORN_BOUNDARY("accSelect", AccSelect(flags, child)); }
HRESULT WindowAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  VORN_BOUNDARY("accLocation", AccLocation(left, top, width, height, child));
}
HRESULT WindowAccessible::accNavigate(LONG dir, VARIANT start, VARIANT* end) {
  VORN_BOUNDARY("accNavigate", AccNavigate(dir, start, end));
}
HRESULT WindowAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  VORN_BOUNDARY("accHitTest", AccHitTest(x, y, child));
}
HRESULT WindowAccessible::accDoDefaultAction(VARIANT child) {
  VORN_BOUNDARY("accDoDefaultAction", AccDoDefaultAction(child));
}
HRESULT WindowAccessible::put_accName(VARIANT child, BSTR name) { VORN_BOUNDARY("put_accName", AccPutName(child, name)); }
HRESULT WindowAccessible::put_accValue(VARIANT child, BSTR value) {
  VORN_BOUNDARY("put_accValue", AccPutValue(child, value));
}

#undef VORN_BOUNDARY

// ------------------------------------------------------------ the standard object's answers

#define VORN_DELEGATE(call)                  \
  if (!standard_) return RPC_E_DISCONNECTED; \
  return standard_->call

HRESULT WindowAccessible::AccParent(IDispatch** parent) { VORN_DELEGATE(get_accParent(parent)); }
HRESULT WindowAccessible::AccChildCount(LONG* count) { VORN_DELEGATE(get_accChildCount(count)); }
HRESULT WindowAccessible::AccChild(VARIANT child, IDispatch** out) { VORN_DELEGATE(get_accChild(child, out)); }
HRESULT WindowAccessible::AccName(VARIANT child, BSTR* name) { VORN_DELEGATE(get_accName(child, name)); }
HRESULT WindowAccessible::AccValue(VARIANT child, BSTR* value) { VORN_DELEGATE(get_accValue(child, value)); }
HRESULT WindowAccessible::AccDescription(VARIANT child, BSTR* description) {
  VORN_DELEGATE(get_accDescription(child, description));
}
HRESULT WindowAccessible::AccRole(VARIANT child, VARIANT* role) { VORN_DELEGATE(get_accRole(child, role)); }
HRESULT WindowAccessible::AccState(VARIANT child, VARIANT* state) { VORN_DELEGATE(get_accState(child, state)); }
HRESULT WindowAccessible::AccHelp(VARIANT child, BSTR* help) { VORN_DELEGATE(get_accHelp(child, help)); }
HRESULT WindowAccessible::AccHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  VORN_DELEGATE(get_accHelpTopic(file, child, topic));
}
HRESULT WindowAccessible::AccKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  VORN_DELEGATE(get_accKeyboardShortcut(child, shortcut));
}
HRESULT WindowAccessible::AccFocus(VARIANT* focus) { VORN_DELEGATE(get_accFocus(focus)); }
HRESULT WindowAccessible::AccSelection(VARIANT* selection) { VORN_DELEGATE(get_accSelection(selection)); }
HRESULT WindowAccessible::AccDefaultAction(VARIANT child, BSTR* action) {
  VORN_DELEGATE(get_accDefaultAction(child, action));
}
HRESULT WindowAccessible::AccSelect(LONG flags, VARIANT child) { VORN_DELEGATE(accSelect(flags, child)); }
HRESULT WindowAccessible::AccLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  VORN_DELEGATE(accLocation(left, top, width, height, child));
}
HRESULT WindowAccessible::AccNavigate(LONG dir, VARIANT start, VARIANT* end) {
  VORN_DELEGATE(accNavigate(dir, start, end));
}
HRESULT WindowAccessible::AccHitTest(LONG x, LONG y, VARIANT* child) { VORN_DELEGATE(accHitTest(x, y, child)); }
HRESULT WindowAccessible::AccDoDefaultAction(VARIANT child) { VORN_DELEGATE(accDoDefaultAction(child)); }
HRESULT WindowAccessible::AccPutName(VARIANT child, BSTR name) { VORN_DELEGATE(put_accName(child, name)); }
HRESULT WindowAccessible::AccPutValue(VARIANT child, BSTR value) { VORN_DELEGATE(put_accValue(child, value)); }

#undef VORN_DELEGATE

}  // namespace host
