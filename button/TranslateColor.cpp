#include "button/TranslateColor.h"

ButtColor TranslateColor(ButtColor color) {
  if (color < 0) return static_cast<ButtColor>(GetSysColor(color & 0xFF));
  return color;
}
