#include "button/ShiftColor.h"

#include <algorithm>
#include <cstdlib>

namespace {
int Channel(int value, bool invert) {
  value = std::clamp(value, 0, 255);
  return invert ? std::abs(255 - value) : value;
}
}  // namespace

int32_t ShiftColor(int32_t color, int16_t& amount, bool scaleBlue, bool avoidExtremes, bool invert) {
  const int r0 = color & 0xFF;
  const int g0 = (color >> 8) & 0xFF;
  const int b0 = (color >> 16) & 0xFF;
  // Flipping the sign can only help once: an amount so large that both
  // signs hit an extreme would otherwise loop for ever, so stop after the
  // flips have been tried (0 -> 64 -> -64 at most).
  for (int pass = 0;; ++pass) {
    const int a = amount;
    const int red = Channel(r0 + a, invert);
    const int green = Channel(g0 + a, invert);
    const int blue = Channel(scaleBlue ? b0 + (a * b0) / 192 : b0 + a, invert);
    const int32_t result = red + green * 256 + blue * 65536;
    if (!avoidExtremes || (result != 0 && result != 0xFFFFFF) || pass >= 2) return result;
    amount = (amount == 0) ? int16_t{64} : static_cast<int16_t>(-amount);
  }
}
