// Turns polled key states into single presses.
#pragma once

#include <cstdint>

namespace vorn {

// Fed the result of GetAsyncKeyState on every poll, reports a press once:
// when the key goes down, or when it was tapped and released between two
// polls. Holding the key reports nothing more until it has been released.
class KeyPressEdge {
 public:
  bool Update(int16_t asyncState) {
    const bool down = (static_cast<uint16_t>(asyncState) & 0x8000u) != 0;
    const bool pressed = !wasDown_ && asyncState != 0;
    wasDown_ = down;
    return pressed;
  }

 private:
  bool wasDown_ = false;
};

}  // namespace vorn
