// Mouse input shared by the host's window procedures: button numbers, the
// shift state, and the one place that decides when a release is a click.
#pragma once

#include <windows.h>

#include <cstdint>

namespace host {

// The buttons held in a mouse message's or a drag's key state (1 left,
// 2 right, 4 middle), and the shift keys of a drag's key state (1 Shift,
// 2 Ctrl, 4 Alt).
int16_t ButtonsFromKeyState(WPARAM keys);
int16_t ShiftFromKeyState(WPARAM keys);
// The button (1 left, 2 right, 4 middle) of a mouse button message: down,
// up or double click.
int16_t MouseButtonOf(UINT msg);
// The shift state now: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftState();

// Tracks the mouse buttons held over one window and decides the events a
// press or release raises. A left release that ends a left press makes a
// Click (when it lies inside the target), except the release after a left
// double click: the double click already stood for that click.
class ClickTracker {
 public:
  struct Down {
    int16_t button = 0;
    bool firstPress = false;   // no other button was held
    bool doubleClick = false;  // raise DblClick instead of MouseDown
  };
  struct Up {
    int16_t button = 0;
    bool lastRelease = false;  // no button is held any more
    bool click = false;        // raise Click if the release lies inside the target
  };

  // A WM_?BUTTONDOWN or WM_?BUTTONDBLCLK message.
  Down OnDown(UINT msg);
  // A WM_?BUTTONUP message.
  Up OnUp(UINT msg);
  // The press ended without releases (the capture went elsewhere).
  void Reset() { pressed_ = 0; }
  int16_t Pressed() const { return pressed_; }

 private:
  int16_t pressed_ = 0;
  bool suppressClick_ = false;  // the press was the second of a double click
};

}  // namespace host
