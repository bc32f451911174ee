// The interface a custom control implements to live on a host form. The
// host creates the control's child window, owns its window procedure and
// turns what happens to the window into the notifications below. Every
// notification has an empty default, so a control overrides only what it
// handles.
//
// Life of an instance, in order:
//   SetSite                    the control's ControlSite (window exists, hidden)
//   InitProperties             a new instance (no stored block), or
//   ReadProperties(bag)        a stored one; may throw host::Error to fail loading
//   Resize, Show, Paint ...    while the form lives
//   WriteProperties(bag)       whenever the form is saved
//   Terminate                  before the window is destroyed
//
// Input notifications arrive only in run mode (ambient UserMode true) and
// only while the control is enabled. Mouse positions are client pixels;
// Button is 1 left, 2 right, 4 middle (for MouseMove the buttons held);
// Shift is 1 Shift, 2 Ctrl, 4 Alt. Click follows MouseUp after a left press
// and release over the control; DblClick replaces the MouseDown of the
// second left press of a double click (its release still sends MouseUp and
// no Click).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "host/DataObject.h"
#include "host/PropertyBag.h"

namespace host {

class ControlSite;

class Control {
 public:
  virtual ~Control() = default;

  // Called once, before any other notification; the site outlives the
  // control's use of it (until Terminate returns).
  virtual void SetSite(ControlSite* site) { site_ = site; }
  ControlSite* Site() const { return site_; }

  // What the control is, for the host's key routing.
  // TakesCharacters: the control consumes typed letters, so a bare letter
  // is not an access key while it has the focus.
  virtual bool TakesCharacters() const { return false; }
  // CanBeDefault: the control acts as a command button: while it has the
  // focus it is the form's default button (ambient DisplayAsDefault) and
  // receives Enter as AccessKeyPress(13).
  virtual bool CanBeDefault() const { return false; }
  // CanGetFocus: Tab and clicks may give the control the focus.
  virtual bool CanGetFocus() const { return true; }

  // Persistence.
  virtual void InitProperties() {}
  virtual void ReadProperties(PropertyBag& bag) { (void)bag; }
  virtual void WriteProperties(PropertyBag& bag) { (void)bag; }

  // Display and lifetime.
  virtual void Show() {}
  virtual void Hide() {}
  virtual void Paint() {}
  virtual void Resize() {}
  virtual void Terminate() {}
  virtual void AmbientChanged(std::string_view name) { (void)name; }

  // Focus. EnterFocus/ExitFocus come before GotFocus/after LostFocus.
  virtual void EnterFocus() {}
  virtual void GotFocus() {}
  virtual void LostFocus() {}
  virtual void ExitFocus() {}

  // An access key of the control (its AccessKeys, typed with Alt or bare),
  // or 13/27 when it is the form's default/cancel button and Enter/Escape
  // is pressed. keyAscii is the character as typed.
  virtual void AccessKeyPress(int16_t keyAscii) { (void)keyAscii; }

  // Mouse.
  virtual void MouseDown(int16_t button, int16_t shift, float x, float y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void MouseMove(int16_t button, int16_t shift, float x, float y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void MouseUp(int16_t button, int16_t shift, float x, float y) { (void)button, (void)shift, (void)x, (void)y; }
  virtual void Click() {}
  virtual void DblClick() {}

  // Keyboard (focused control). KeyDown/KeyUp carry virtual-key codes,
  // KeyPress the character.
  virtual void KeyDown(int16_t& keyCode, int16_t& shift) { (void)keyCode, (void)shift; }
  virtual void KeyPress(int16_t& keyAscii) { (void)keyAscii; }
  virtual void KeyUp(int16_t& keyCode, int16_t& shift) { (void)keyCode, (void)shift; }

  // OLE drag and drop. As a drop target (the host registers the form's
  // window with RegisterDragDrop once the form is shown and hands each drag
  // to the control under the cursor, see Form::StartDragAndDrop): OLEDragOver with State 0 enter, 1 leave,
  // 2 over; then OLEDragDrop. Effect is in/out (DROPEFFECT_*, default
  // none). As a drag source (ControlSite::OLEDrag): OLEStartDrag,
  // OLESetData when a format is asked for without data, OLEGiveFeedback
  // (set DefaultCursors to 0 after setting a cursor), OLECompleteDrag.
  virtual void OLEDragOver(DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y,
                           int16_t& state) {
    (void)data, (void)effect, (void)button, (void)shift, (void)x, (void)y, (void)state;
  }
  virtual void OLEDragDrop(DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y) {
    (void)data, (void)effect, (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void OLEStartDrag(DataObject& data, int32_t& allowedEffects) { (void)data, (void)allowedEffects; }
  virtual void OLESetData(DataObject& data, int16_t& dataFormat) { (void)data, (void)dataFormat; }
  virtual void OLEGiveFeedback(int32_t& effect, int16_t& defaultCursors) { (void)effect, (void)defaultCursors; }
  virtual void OLECompleteDrag(int32_t& effect) { (void)effect; }

  // A window message the host turns into no notification, such as
  // WM_GETOBJECT from assistive technology or a message the control posted
  // to its own window (in either mode, enabled or not). Return true with
  // `result` set to answer it; false leaves it to the default procedure.
  virtual bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    (void)msg, (void)wp, (void)lp, (void)result;
    return false;
  }

 protected:
  ControlSite* site_ = nullptr;
};

}  // namespace host
