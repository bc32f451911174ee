// Conversions between the host's length units: twips (1440 per inch, used
// for positions on a form), HIMETRIC (0.01 mm, used for stored control
// extents and picture sizes), points (72 per inch, font sizes) and pixels
// at a given dots-per-inch value. Pure functions; results round to the
// nearest pixel, ties to even. The DPI itself comes from host/Dpi.h.
#pragma once

#include <cmath>
#include <cstdint>

namespace host {

inline constexpr int kDefaultDpi = 96;

inline int TwipsToPixels(int32_t twips, int dpi = kDefaultDpi) {
  return static_cast<int>(std::nearbyint(static_cast<double>(twips) * dpi / 1440.0));
}
inline int32_t PixelsToTwips(int pixels, int dpi = kDefaultDpi) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(pixels) * 1440.0 / dpi));
}
inline int HimetricToPixels(int32_t himetric, int dpi = kDefaultDpi) {
  return static_cast<int>(std::nearbyint(static_cast<double>(himetric) * dpi / 2540.0));
}
inline int32_t PixelsToHimetric(int pixels, int dpi = kDefaultDpi) {
  return static_cast<int32_t>(std::nearbyint(static_cast<double>(pixels) * 2540.0 / dpi));
}
// The pixel height of a font size in points (the magnitude of a LOGFONT
// height for the character height).
inline int PointsToPixels(double points, int dpi = kDefaultDpi) {
  return static_cast<int>(std::nearbyint(points * dpi / 72.0));
}

}  // namespace host
