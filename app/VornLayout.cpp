#include "app/VornLayout.h"

#include "host/GdiObjects.h"

namespace vorn {

int ScreenTwipsPerPixel() {
  gdi::WindowDC screen(nullptr);
  return TwipsPerPixel(screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0);
}

}  // namespace vorn
