#include "button/ButtAccessibility.h"

#include "button/ButtAccessible.h"
#include "button/Butt.h"
#include "host/ControlSite.h"

namespace {

constexpr int16_t kKeySpace = VK_SPACE;

void RaiseEvent(HWND hwnd, DWORD event) { NotifyWinEvent(event, hwnd, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace

ButtAccessibility::~ButtAccessibility() { Disconnect(); }

UINT ButtAccessibility::DefaultActionMessage() {
  static const UINT message = RegisterWindowMessageA("VornButtDefaultAction");
  return message;
}

ButtAccessibleFacts ButtAccessibility::AnnouncedFactsOf(const Butt& butt) {
  const ButtState& s = butt.State();
  const host::ControlSite* site = butt.Site();
  ButtAccessibleFacts facts;
  facts.mode = butt.Mode();
  facts.value = butt.Value();
  facts.pressed = s.Has(StatePressed);
  // Hovering, not the hot look a space press borrows; edit mode never hovers.
  facts.hot = s.hoverTracking && site && site->UserMode();
  facts.enabled = butt.Enabled();
  return facts;
}

ButtAccessibleFacts ButtAccessibility::FactsOf(const Butt& butt) {
  ButtAccessibleFacts facts = AnnouncedFactsOf(butt);
  const host::ControlSite* site = butt.Site();
  const HWND hwnd = butt.hWnd();
  facts.visible = hwnd && IsWindowVisible(hwnd);
  facts.focused = hwnd && GetFocus() == hwnd;
  facts.shownAsDefault = site && site->DisplayAsDefault();
  return facts;
}

bool ButtAccessibility::HandleMessage(Butt& butt, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_GETOBJECT) {
    if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT || !butt.hWnd()) return false;
    if (!object_) {
      object_ = new ButtAccessible(butt, butt.hWnd());
      if (!object_->Connected()) Disconnect();
    }
    result = object_ ? object_->Answer(wp) : 0;
    return result != 0;
  }
  if (msg == DefaultActionMessage()) {
    // The space key's press and release, with its events in its order;
    // the state may have changed since the action was asked for.
    const host::ControlSite* site = butt.Site();
    if (butt.Enabled() && site && site->UserMode()) {
      int16_t key = kKeySpace, shift = 0;
      butt.KeyDown(key, shift);
      key = kKeySpace;
      butt.KeyPress(key);
      key = kKeySpace;
      shift = 0;
      butt.KeyUp(key, shift);
    }
    result = 0;
    return true;
  }
  return false;
}

void ButtAccessibility::Announce(const Butt& butt) {
  const std::string name = AccessibleNameOfCaption(butt.Caption());
  const LONG state = AccessibleStateOf(AnnouncedFactsOf(butt)) & kAnnouncedStateBits;
  const bool nameChanged = name != announcedName_;
  const bool stateChanged = state != announcedState_;
  announcedName_ = name;
  announcedState_ = state;
  if (!butt.hWnd() || !IsWindowVisible(butt.hWnd())) return;
  if (nameChanged) RaiseEvent(butt.hWnd(), EVENT_OBJECT_NAMECHANGE);
  if (stateChanged) RaiseEvent(butt.hWnd(), EVENT_OBJECT_STATECHANGE);
}

void ButtAccessibility::Disconnect() {
  if (!object_) return;
  ButtAccessible* object = object_;
  object_ = nullptr;
  object->Detach();
  object->Release();
}
