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

 private:
  // What the IAccessible methods answer (host::WindowAccessible calls them).
  HRESULT AccName(VARIANT child, BSTR* name) override;
  HRESULT AccDescription(VARIANT child, BSTR* description) override;
  HRESULT AccRole(VARIANT child, VARIANT* role) override;
  HRESULT AccState(VARIANT child, VARIANT* state) override;
  HRESULT AccKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT AccDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT AccLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  HRESULT AccHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT AccDoDefaultAction(VARIANT child) override;

  ~ButtAccessible() override = default;
  HRESULT CheckButton(const VARIANT& child) const;

  Butt* butt_;
};
