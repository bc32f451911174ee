// Where the window's native selector sits, in twips relative to its
// container, and the conversion to the screen's pixels. The rest of the
// layout lives in the stored form VORN.frm.
#pragma once

#include <windows.h>

#include <cmath>

namespace vorn {

struct TwipRect {
  int left, top, width, height;
};

inline constexpr TwipRect kCombo1{1800, 2145, 1920, 315};  // in Picture3

// Twips per screen pixel the way the system reports it: 1440 / dots per
// inch, in whole twips (15 at 96 dpi, 12 at 120 dpi).
inline int TwipsPerPixel(int dotsPerInch) { return dotsPerInch > 0 ? 1440 / dotsPerInch : 15; }

// Nearest whole pixel, halves to even.
inline int TwipsToPixels(int twips, int twipsPerPixel) {
  return static_cast<int>(std::nearbyint(static_cast<double>(twips) / twipsPerPixel));
}

inline RECT ToPixels(const TwipRect& r, int twipsPerPixel) {
  const int left = TwipsToPixels(r.left, twipsPerPixel);
  const int top = TwipsToPixels(r.top, twipsPerPixel);
  return RECT{left, top, left + TwipsToPixels(r.width, twipsPerPixel), top + TwipsToPixels(r.height, twipsPerPixel)};
}

// Twips per pixel of the primary screen.
int ScreenTwipsPerPixel();

}  // namespace vorn
