#include "examples/gallery/GalleryPictures.h"

#include <functional>

#include "host/GdiObjects.h"

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);

HBITMAP Paint(int w, int h, const std::function<COLORREF(int, int)>& colour) {
  gdi::WindowDC screen(nullptr);
  gdi::Bitmap bmp(CreateCompatibleBitmap(screen.get(), w, h));
  gdi::MemoryDC dc(screen.get());
  {
    gdi::SelectGuard sel(dc.get(), bmp.get());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) SetPixel(dc.get(), x, y, colour(x, y));
  }
  return bmp.release();  // the caller's picture object takes it
}

COLORREF Shade(COLORREF c, int amount) {
  auto ch = [amount](int v) { return v + amount < 0 ? 0 : (v + amount > 255 ? 255 : v + amount); };
  return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}
}  // namespace

HBITMAP MakeBadge(int size, COLORREF colour) {
  return Paint(size, size, [=](int x, int y) {
    const int c = size / 2, dx = x - c, dy = y - c, r = size / 2 - 1;
    const int d2 = dx * dx + dy * dy;
    if (d2 > r * r) return kKey;
    if (d2 > (r - 2) * (r - 2)) return Shade(colour, -70);
    if (dx > -r / 3 && dx < r / 3 && dy > -r / 2 && dy < r / 2) return RGB(255, 255, 255);
    return Shade(colour, -dy * 3);
  });
}

HBITMAP MakePill(int width, int height, COLORREF colour) {
  return Paint(width, height, [=](int x, int y) {
    const int r = height / 2;
    const int cx = x < r ? r : (x >= width - r ? width - r - 1 : x);
    const int dx = x - cx, dy = y - r;
    const bool inside = dx * dx + dy * dy < (r - 1) * (r - 1);
    const bool notch = x > width / 2 - 4 && x < width / 2 + 4 && y < 5;
    if (!inside || notch) return kKey;
    return Shade(colour, 40 - y * 80 / height);
  });
}

HBITMAP MakeInk(int size) {
  return Paint(size, size, [=](int x, int y) {
    const bool bar = (x > size / 4 && x < size * 3 / 4 && y > size / 2 - 3 && y < size / 2 + 3) ||
                     (y > size / 4 && y < size * 3 / 4 && x > size / 2 - 3 && x < size / 2 + 3);
    return bar ? RGB(0, 0, 0) : RGB(255, 255, 255);
  });
}
