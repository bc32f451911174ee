#include "host/Units.h"

#include <windows.h>

namespace host {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return kDefaultDpi;
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace host
