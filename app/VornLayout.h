// Where the window's native selector sits, in twips relative to its
// container, and its place in pixels at a DPI. The rest of the layout lives
// in the stored form VORN.frm.
#pragma once

#include <windows.h>

#include "host/Units.h"

namespace vorn {

struct TwipRect {
  int left, top, width, height;
};

inline constexpr TwipRect kCombo1{1800, 2145, 1920, 315};  // in Picture3

// The pixel rectangle at `dpi`, each value rounded as the form rounds its
// own twips (nearest pixel, halves to even).
inline RECT ToPixels(const TwipRect& r, int dpi) {
  const int left = host::TwipsToPixels(r.left, dpi);
  const int top = host::TwipsToPixels(r.top, dpi);
  return RECT{left, top, left + host::TwipsToPixels(r.width, dpi), top + host::TwipsToPixels(r.height, dpi)};
}

}  // namespace vorn
