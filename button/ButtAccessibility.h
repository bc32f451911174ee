// What a Butt gives screen readers and other assistive technology: its
// IAccessible (answered to WM_GETOBJECT for OBJID_CLIENT), the WinEvents
// that tell them what changed, and the default action they may invoke.
// EVENT_OBJECT_FOCUS is the window manager's: it raises it for the client
// object of every window that gains the focus, so a second one here would
// make readers announce the button twice.
// The IAccessible lives while clients hold it but is cut off when the
// button's window goes (Disconnect): its calls then fail with
// RPC_E_DISCONNECTED.
#pragma once

#include <windows.h>

#include <string>

#include "button/ButtAccessibleText.h"

class Butt;
class ButtAccessible;

class ButtAccessibility {
 public:
  ButtAccessibility() = default;
  ~ButtAccessibility();
  ButtAccessibility(const ButtAccessibility&) = delete;
  ButtAccessibility& operator=(const ButtAccessibility&) = delete;

  // WM_GETOBJECT and the default action posted by the IAccessible; false
  // for any other message.
  bool HandleMessage(Butt& butt, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // Raises EVENT_OBJECT_NAMECHANGE and EVENT_OBJECT_STATECHANGE for what
  // changed since the last call (nothing while the window is hidden).
  void Announce(const Butt& butt);
  // Cuts the IAccessible off from its clients and from the button.
  void Disconnect();

  // The message the IAccessible posts to the window for accDoDefaultAction.
  static UINT DefaultActionMessage();
  // What the button shows now.
  static ButtAccessibleFacts FactsOf(const Butt& butt);
  // Only what the announced state bits (kAnnouncedStateBits) depend on:
  // Announce runs after every redraw, and asking the window system for the
  // focus and the visibility there would cost a form of many buttons a
  // round trip per button and redraw.
  static ButtAccessibleFacts AnnouncedFactsOf(const Butt& butt);

 private:
  ButtAccessible* object_ = nullptr;
  std::string announcedName_;
  LONG announcedState_ = 0;
};
