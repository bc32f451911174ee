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
  // IAccessible: oleacc and screen readers call these. Each one runs the
  // protected Acc... member of the same name inside AtSystemBoundary, so no
  // exception from a derived class leaves through oleacc or the COM proxies
  // (it is reported, and the call fails with E_UNEXPECTED).
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) final;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) final;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) final;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) final;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) final;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) final;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) final;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) final;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) final;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) final;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) final;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) final;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) final;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) final;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) final;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) final;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* end) final;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) final;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) final;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) final;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) final;

 protected:
  // Makes the standard object; Connected() is false when that failed.
  explicit WindowAccessible(HWND hwnd);
  virtual ~WindowAccessible();

  // What the IAccessible methods answer; the standard object's answer
  // unless overridden (RPC_E_DISCONNECTED once disconnected).
  virtual HRESULT AccParent(IDispatch** parent);
  virtual HRESULT AccChildCount(LONG* count);
  virtual HRESULT AccChild(VARIANT child, IDispatch** out);
  virtual HRESULT AccName(VARIANT child, BSTR* name);
  virtual HRESULT AccValue(VARIANT child, BSTR* value);
  virtual HRESULT AccDescription(VARIANT child, BSTR* description);
  virtual HRESULT AccRole(VARIANT child, VARIANT* role);
  virtual HRESULT AccState(VARIANT child, VARIANT* state);
  virtual HRESULT AccHelp(VARIANT child, BSTR* help);
  virtual HRESULT AccHelpTopic(BSTR* file, VARIANT child, LONG* topic);
  virtual HRESULT AccKeyboardShortcut(VARIANT child, BSTR* shortcut);
  virtual HRESULT AccFocus(VARIANT* focus);
  virtual HRESULT AccSelection(VARIANT* selection);
  virtual HRESULT AccDefaultAction(VARIANT child, BSTR* action);
  virtual HRESULT AccSelect(LONG flags, VARIANT child);
  virtual HRESULT AccLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child);
  virtual HRESULT AccNavigate(LONG dir, VARIANT start, VARIANT* end);
  virtual HRESULT AccHitTest(LONG x, LONG y, VARIANT* child);
  virtual HRESULT AccDoDefaultAction(VARIANT child);
  virtual HRESULT AccPutName(VARIANT child, BSTR name);
  virtual HRESULT AccPutValue(VARIANT child, BSTR value);

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
