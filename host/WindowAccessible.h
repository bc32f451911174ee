// An IAccessible for the client area of one window that answers through the
// system's standard object for that window (CreateStdAccessibleObject) in
// everything a derived class does not override: navigation, parent,
// children, focus, selection, help. A window hands it to assistive
// technology from WM_GETOBJECT(OBJID_CLIENT) with Answer().
//
// It holds the standard object and nothing of its window's owner, so it
// makes no reference cycle. Disconnect() cuts it off for good: every call
// then fails with RPC_E_DISCONNECTED, and clients in other processes see
// their proxies disconnected (CoDisconnectObject).
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string_view>

namespace host {

class WindowAccessible : public IAccessible, public IOleWindow {
 public:
  WindowAccessible(const WindowAccessible&) = delete;
  WindowAccessible& operator=(const WindowAccessible&) = delete;

  // The answer to WM_GETOBJECT (its wParam) for OBJID_CLIENT; 0 when the
  // object cannot be handed over (COM not initialised on this thread).
  LRESULT Answer(WPARAM wp);
  void Disconnect();
  bool Connected() const { return standard_ != nullptr; }

  // Objects of this kind alive in this process (for leak checks).
  static long LiveObjects();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; clients use the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
  // IAccessible, delegated to the standard object unless overridden.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 protected:
  // Makes the standard object; Connected() is false when that failed.
  explicit WindowAccessible(HWND hwnd);
  virtual ~WindowAccessible();

  HWND Hwnd() const { return hwnd_; }
  IAccessible* Standard() const { return standard_; }
  // S_OK for a connected object asked about itself (CHILDID_SELF);
  // RPC_E_DISCONNECTED or E_INVALIDARG otherwise.
  HRESULT CheckSelf(const VARIANT& child) const;
  // Hands out a text as a BSTR (ANSI text of the window's code page); an
  // empty text is no text: S_FALSE and a null BSTR.
  static HRESULT TextResult(std::string_view text, BSTR* out);
  static HRESULT LongResult(LONG value, VARIANT* out);

 private:
  LONG refs_ = 1;
  HWND hwnd_;
  IAccessible* standard_ = nullptr;
};

}  // namespace host
