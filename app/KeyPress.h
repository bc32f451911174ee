// Turns polled key states into single presses meant for this program.
#pragma once

#include <cstdint>

namespace vorn {

// Fed the result of GetAsyncKeyState on every poll, together with whether
// a window of this process is in front, reports a press once: on the first
// poll that sees the key down, when that poll finds this program in front.
// A key first seen down while another program was in front belongs to that
// program until it is released, even when this program comes to the front
// in between (the Escape that closes another process's message box must not
// close this window once that box is gone). Holding the key reports nothing
// more until it has been released. Only the key's present state counts: the
// "pressed since the last query" bit is shared with every other caller of
// GetAsyncKeyState and tells nothing about who the press was meant for.
class KeyPressEdge {
 public:
  bool Update(int16_t asyncState, bool inFront) {
    const bool down = (static_cast<uint16_t>(asyncState) & 0x8000u) != 0;
    const bool pressed = down && !wasDown_ && inFront;
    wasDown_ = down;
    return pressed;
  }

 private:
  bool wasDown_ = false;
};

}  // namespace vorn
