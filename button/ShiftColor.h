// Lighter and darker variants of a colour: the derived face, edge and ring
// colours of every style come from here.
#pragma once

#include <cstdint>

// Shifts each channel of an 0x00BBGGRR colour by `amount`, clamped to 0..255.
// scaleBlue: the blue channel moves by amount * blue / 192 instead, which
// keeps bluish faces from washing out. invert: each channel becomes
// |255 - value|. avoidExtremes: a result of pure black or white flips the
// sign of `amount` (0 becomes 64) and tries again; the caller sees the
// changed amount.
int32_t ShiftColor(int32_t color, int16_t& amount, bool scaleBlue = false, bool avoidExtremes = false,
                   bool invert = false);

// The same for a fixed amount the caller does not need back.
inline int32_t ShiftColor(int32_t color, int amount, bool scaleBlue = false, bool avoidExtremes = false,
                          bool invert = false) {
  int16_t a = static_cast<int16_t>(amount);
  return ShiftColor(color, a, scaleBlue, avoidExtremes, invert);
}
