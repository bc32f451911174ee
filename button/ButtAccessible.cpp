#include "button/ButtAccessible.h"

#include "button/Butt.h"
#include "button/ButtAccessibility.h"
#include "button/ButtAccessibleText.h"
#include "host/ControlSite.h"
#include "host/GdiObjects.h"

HRESULT ButtAccessible::CheckButton(const VARIANT& child) const {
  HRESULT hr = CheckSelf(child);
  if (hr == S_OK && !butt_) hr = RPC_E_DISCONNECTED;
  return hr;
}

HRESULT ButtAccessible::AccName(VARIANT child, BSTR* name) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  return TextResult(AccessibleNameOfCaption(butt_->Caption()), name);
}

HRESULT ButtAccessible::AccDescription(VARIANT child, BSTR* description) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  const host::ControlSite* site = butt_->Site();
  return TextResult(site ? site->ToolTipText() : std::string(), description);
}

HRESULT ButtAccessible::AccRole(VARIANT child, VARIANT* role) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  return LongResult(AccessibleRoleOfMode(butt_->Mode()), role);
}

HRESULT ButtAccessible::AccState(VARIANT child, VARIANT* state) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  return LongResult(AccessibleStateOf(ButtAccessibility::FactsOf(*butt_)), state);
}

HRESULT ButtAccessible::AccKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  const host::ControlSite* site = butt_->Site();
  return TextResult(site ? ShortcutOfAccessKeys(site->AccessKeys()) : std::string(), shortcut);
}

HRESULT ButtAccessible::AccDefaultAction(VARIANT child, BSTR* action) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  return TextResult(DefaultActionOf(butt_->Mode(), butt_->Value()), action);
}

HRESULT ButtAccessible::AccLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  if (!left || !top || !width || !height) return E_POINTER;
  RECT r{};
  if (!GetWindowRect(Hwnd(), &r)) return E_FAIL;
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT ButtAccessible::AccHitTest(LONG x, LONG y, VARIANT* child) {
  if (!Connected() || !butt_) return RPC_E_DISCONNECTED;
  if (!child) return E_POINTER;
  VariantInit(child);
  RECT r{};
  const POINT at{x, y};
  if (!GetWindowRect(Hwnd(), &r) || !PtInRect(&r, at)) return S_FALSE;
  // A shaped button is only where its window region is.
  gdi::Region region(CreateRectRgn(0, 0, 0, 0));
  if (region && GetWindowRgn(Hwnd(), region.get()) != ERROR && !PtInRegion(region.get(), x - r.left, y - r.top))
    return S_FALSE;
  return LongResult(CHILDID_SELF, child);
}

HRESULT ButtAccessible::AccDoDefaultAction(VARIANT child) {
  if (HRESULT hr = CheckButton(child); hr != S_OK) return hr;
  // Only what a person could press: enabled, at run time.
  const host::ControlSite* site = butt_->Site();
  if (!butt_->Enabled() || !site || !site->UserMode()) return E_FAIL;
  // The press runs from the button's own message queue, so a Click
  // handler that opens a modal window does not hold the caller.
  return PostMessageA(Hwnd(), ButtAccessibility::DefaultActionMessage(), 0, 0) ? S_OK : E_FAIL;
}
