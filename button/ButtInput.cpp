// Mouse, keyboard, focus and ambient input of Butt: the state flags the
// faces are drawn from, the events raised to the form and their order, and
// the click processing shared by mouse, keys and access keys.
#include "button/Butt.h"
#include "button/ButtCore.h"
#include "button/TranslateColor.h"
#include "host/ControlSite.h"

namespace {

constexpr int16_t kKeyShift = 16;
constexpr int16_t kKeySpace = 32;
constexpr int16_t kKeyEnter = 13;
constexpr int16_t kKeyEscape = 27;

bool IsArrowKey(int16_t key) { return key >= VK_LEFT && key <= VK_DOWN; }

// The key-down message an arrow key becomes on the container: repeat count
// 1 and the key's scan code in bits 16..23.
LPARAM ArrowKeyData(int16_t key) {
  switch (key) {
    case VK_LEFT: return 0x004B0001;
    case VK_UP: return 0x00480001;
    case VK_RIGHT: return 0x004D0001;
    default: return 0x00500001;  // VK_DOWN
  }
}

}  // namespace

void Butt::PressDown(int16_t button, int16_t shift, float x, float y) {
  s_.lastButton = button;
  if (button == 1) {
    s_.Set(StatePressed);
    s_.inputDown = true;
    s_.drawingDelayed = false;
    Redraw();
    if (s_.hwnd) SetCapture(s_.hwnd);
  }
  if (site_) site_->RaiseEvent("MouseDown", button, shift, x, y);
}

void Butt::MouseDown(int16_t button, int16_t shift, float x, float y) { PressDown(button, shift, x, y); }

void Butt::MouseMove(int16_t button, int16_t shift, float x, float y) {
  if (!s_.hoverTracking && s_.hwnd) {
    POINT cursor{};
    if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == s_.hwnd) StartHoverTracking(button);
  }
  if (site_) site_->RaiseEvent("MouseMove", button, shift, x, y);
}

void Butt::MouseUp(int16_t button, int16_t shift, float x, float y) {
  s_.inputDown = false;
  if (button == 1) {
    if (s_.hwnd && GetCapture() == s_.hwnd) ReleaseCapture();
    s_.Clear(StatePressed);
    s_.drawingDelayed = false;
    // In the other modes the Value change of the click redraws.
    if (s_.Mode == butt::ModeCommand) Redraw();
  }
  if (site_) site_->RaiseEvent("MouseUp", button, shift, x, y);
  s_.lastButton = button;
}

void Butt::ClickProcessing() {
  if (s_.lastButton != 1) return;
  if (s_.Mode == butt::ModeCheckBox || s_.Mode == butt::ModeOptionButton) {
    if (s_.Mode == butt::ModeOptionButton && s_.Value) return;  // already selected: no Click
    Value(!s_.Value);
  }
  if (site_) site_->RaiseEvent("Click");
}

void Butt::Click() { ClickProcessing(); }

void Butt::DblClick() {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (s_.hwnd) ScreenToClient(s_.hwnd, &cursor);
  float x = static_cast<float>(cursor.x);
  float y = static_cast<float>(cursor.y);
  int16_t button = s_.lastButton;
  if (site_) site_->RaiseEvent("DoubleClick", button);
  if (s_.lastButton == 1) {
    // The second press draws pressed and captures like any press.
    PressDown(1, 0, x, y);
    s_.lastButton = -1;
  } else {
    int16_t left = 1;
    int16_t noShift = 0;
    if (site_) site_->RaiseEvent("MouseDown", left, noShift, x, y);
  }
}

void Butt::KeyDown(int16_t& keyCode, int16_t& shift) {
  if (IsArrowKey(keyCode)) {
    // Arrows move between controls of the container, not inside this one.
    if (HWND container = GroupContainer())
      PostMessageA(container, WM_KEYDOWN, static_cast<WPARAM>(keyCode), ArrowKeyData(keyCode));
    keyCode = 0;
  }
  if (keyCode == kKeySpace && !s_.Has(StatePressed)) {
    // The pressed face shows even when the pointer is elsewhere.
    s_.Set(StateHot);
    s_.Set(StatePressed);
    s_.inputDown = true;
    Redraw();
    if (!s_.hoverTracking) s_.Clear(StateHot);
  }
  if (keyCode != 0 && site_) site_->RaiseEvent("KeyDown", keyCode, shift);
}

void Butt::KeyPress(int16_t& keyAscii) {
  if (site_) site_->RaiseEvent("KeyPress", keyAscii);
}

void Butt::KeyUp(int16_t& keyCode, int16_t& shift) {
  s_.inputDown = false;
  if (keyCode == kKeySpace && s_.Has(StatePressed)) {
    s_.Clear(StatePressed);
    s_.lastButton = 1;
    if (s_.Mode == butt::ModeCommand) {
      Redraw();
    } else {
      if (site_) site_->RaiseEvent("KeyUp", keyCode, shift);
      keyCode = 0;
    }
    ClickProcessing();
  }
  if (IsArrowKey(keyCode)) {
    keyCode = 0;
    // Arriving on an option button with the arrows selects it.
    if (s_.Mode == butt::ModeOptionButton && !s_.Value) {
      s_.lastButton = 1;
      ClickProcessing();
    }
  }
  if (keyCode == kKeyShift) keyCode = 0;
  if (keyCode != 0 && site_) site_->RaiseEvent("KeyUp", keyCode, shift);
}

void Butt::AccessKeyPress(int16_t keyAscii) {
  const bool enterOrEscape = keyAscii == kKeyEnter || keyAscii == kKeyEscape;
  if (enterOrEscape && s_.Mode != butt::ModeCommand) return;
  if (!enterOrEscape && !s_.Has(StateFocusShown)) Redraw();
  s_.lastButton = 1;
  ClickProcessing();
}

void Butt::GotFocus() {
  // Tabbing into a group without a selection selects the focused button.
  if (s_.Mode == butt::ModeOptionButton && !s_.Value && !OptionToggle(2)) {
    s_.lastButton = 1;
    ClickProcessing();
  }
}

void Butt::LostFocus() {
  // A press still held (the space key down) ends with the focus, as on a
  // native button: released and drawn up, without a Click.
  if (!s_.Has(StatePressed)) return;
  s_.Clear(StatePressed);
  s_.inputDown = false;
  Redraw();
}

void Butt::AmbientChanged(std::string_view name) {
  if (!site_) return;
  SyncHostMirrors();
  if (host::KeyEquals(name, "BackColor")) {
    s_.containerBackColor = TranslateColor(static_cast<ButtColor>(site_->AmbientBackColor()));
    // These faces show the container's colour around the shape.
    if (s_.ButtonShape > 3 || s_.ButtonStyle == butt::StyleHotTrack) Redraw();
  } else if (host::KeyEquals(name, "Dpi")) {
    // A new caption font, and with it the layout, shape and back buffer.
    RunResize();
  } else if (host::KeyEquals(name, "DisplayAsDefault")) {
    const bool edit = EditMode();
    if (site_->DisplayAsDefault() && (s_.ShowFocusRect || edit))
      s_.Set(StateFocusShown);
    else
      s_.Clear(StateFocusShown);
    // Custom shapes draw their frame only while hovered; in edit mode the
    // frame of a default button is drawn that way once.
    const bool customShapeInEdit = s_.ButtonShape > 6 && edit;
    if (customShapeInEdit) s_.hoverTracking = s_.Has(StateFocusShown);
    Redraw();
    if (customShapeInEdit) s_.hoverTracking = false;
  }
}

void Butt::Show() {
  if (!site_ || !EditMode()) return;
  if (s_.ShowFocusRect && site_->DisplayAsDefault()) {
    s_.Set(StateFocusShown);
    Redraw();
  }
}

void Butt::OLEDragOver(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y,
                       int16_t& state) {
  if (site_) site_->RaiseEvent("OLEDragOver", data, effect, button, shift, x, y, state);
}

void Butt::OLEDragDrop(host::DataObject& data, int32_t& effect, int16_t& button, int16_t& shift, float& x, float& y) {
  if (site_) site_->RaiseEvent("OLEDragDrop", data, effect, button, shift, x, y);
}

void Butt::OLEStartDrag(host::DataObject& data, int32_t& allowedEffects) {
  if (site_) site_->RaiseEvent("OLEStartDrag", data, allowedEffects);
}

void Butt::OLESetData(host::DataObject& data, int16_t& dataFormat) {
  if (site_) site_->RaiseEvent("OLESetData", data, dataFormat);
}

void Butt::OLEGiveFeedback(int32_t& effect, int16_t& defaultCursors) {
  if (site_) site_->RaiseEvent("OLEGiveFeedback", effect, defaultCursors);
}

void Butt::OLECompleteDrag(int32_t& effect) {
  if (site_) site_->RaiseEvent("OLECompleteDrag", effect);
}
