// The IAccessible of one Butt: name, role, state, default action, keyboard
// shortcut, description and location from the button; everything else
// (parent, navigation, focus, selection) from the window's standard object.
#pragma once

#include "host/WindowAccessible.h"

class Butt;

class ButtAccessible final : public host::WindowAccessible {
 public:
  // Reference count 1, owned by the caller.
  ButtAccessible(Butt& butt, HWND hwnd) : WindowAccessible(hwnd), butt_(&butt) {}

  // The button is going: no call reaches it again.
  void Detach() {
    butt_ = nullptr;
    Disconnect();
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;

 private:
  ~ButtAccessible() override = default;
  HRESULT CheckButton(const VARIANT& child) const;

  Butt* butt_;
};
