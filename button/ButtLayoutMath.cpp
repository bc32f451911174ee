#include "button/ButtLayoutMath.h"

#include <algorithm>
#include <cmath>

namespace {
struct Reservation {
  int left = 0, right = 0, top = 0, bottom = 0;
  bool beside = false;   // picture left or right of the caption
  bool stacked = false;  // picture above or below the caption
};

// Room kept free for a small picture beside, above or below the caption.
// Fill and fit pictures lie under the caption and reserve nothing.
Reservation Reserve(const LayoutInput& in) {
  Reservation r;
  if (!in.hasPicture() || in.pictureSizePx > 32) return r;
  const int s = in.pictureSizePx;
  switch (in.pictureAlign) {
    case 0:
    case 1:
      r.left = s;
      r.beside = true;
      break;
    case 2:
    case 3:
      r.right = s;
      r.beside = true;
      break;
    case 4:
      r.top = s;
      r.stacked = true;
      break;
    case 5:
      r.bottom = s;
      r.stacked = true;
      break;
    default: break;
  }
  return r;
}

void ClampToFace(RECT& rc, const TextArea& area, int fh) {
  rc.top = std::max<LONG>(rc.top, 4);
  rc.left = std::max<LONG>(rc.left, area.x0 + 4);
  rc.right = std::min<LONG>(rc.right, area.xr - 4);
  rc.bottom = std::min<LONG>(rc.bottom, fh - 5);
}
}  // namespace

TextArea LayoutTextArea(const LayoutInput& in) {
  const int l = in.slantLeft, r = in.slantRight, fw = in.fw;
  switch (in.shape) {
    case 1: {
      const int x0 = l - l / 3 + 3;
      return {x0, fw - x0, fw};
    }
    case 2: {
      const int w = r + (fw - r) / 3;
      return {0, w, w};
    }
    case 3: {
      const int x0 = l - l / 3 + 3;
      const int xr = r + (fw - r) / 3;
      return {x0, xr - x0, xr};
    }
    case 7:
    case 8: return {3, r - 3, r - 3};
    default: return {0, r, fw};
  }
}

SIZE LayoutMeasureBox(const LayoutInput& in) {
  const TextArea area = LayoutTextArea(in);
  const Reservation res = Reserve(in);
  const int s = in.pictureSizePx;
  SIZE box;
  box.cx = area.w - 8 - (res.beside ? s : 0);
  box.cy = in.fh - 8 - (res.stacked && (in.pictureAlign == 4 || in.pictureAlign == 5) ? s : 0);
  return box;
}

LayoutResult LayoutPlace(const LayoutInput& in, int tw, int th, bool redoPicture) {
  const TextArea area = LayoutTextArea(in);
  const Reservation res = Reserve(in);
  const int x0 = area.x0, w = area.w, xr = area.xr, fh = in.fh, s = in.pictureSizePx;
  const int pl = res.left, pr = res.right, pt = res.top, pb = res.bottom;

  if (!in.hasCaption) {
    tw = th = 0;
  } else if (in.captionStyle != 0) {
    tw += 2;  // room for the embossed or engraved copy
    th += 2;
  }

  RECT cap{0, 0, 0, 0};
  if (in.hasCaption) {
    int dx = 0;
    switch (in.captionAlign) {
      case 0: dx = x0 + pl + 4 + (pl > 0 ? 4 : 0); break;
      case 1: dx = xr - pr - 4 - tw - (pr > 0 ? 4 : 0); break;
      case 2:
        if (pl > 0 && in.pictureAlign == 1)
          dx = x0 + pl + 4 + (w - (tw + pl + 4)) / 2;
        else if (pr > 0 && in.pictureAlign == 3)
          dx = x0 + (w - (tw + pr + 4)) / 2;
        else
          dx = x0 + pl + (w - pl - pr - tw) / 2;
        break;
      default: break;
    }
    cap = {dx, 0, dx + tw, th};
  }

  RECT pic{0, 0, 0, 0};
  if (!in.hasPicture()) {
    OffsetRect(&cap, 0, (fh - th) / 2);
  } else {
    int px = 0, py = 0, down = (fh - th) / 2;
    const int align = in.pictureAlign;
    switch (align) {
      case 0: px = x0 + 4; break;
      case 1: px = in.hasCaption ? cap.left - pl - 4 : x0 + 4; break;
      case 2: px = xr - 4 - pr; break;
      case 3: px = in.hasCaption ? cap.right + 4 : xr - 4 - pr; break;
      case 4:
        py = (fh - (th + pt)) / 2;
        down = py + pt + 2;
        break;
      case 5: {
        const int d = (fh - (th + pb)) / 2;
        py = th + d + 4;
        down = d + 2;
        break;
      }
      default: break;
    }
    if (align >= 0 && align <= 3) py = (fh - s) / 2;
    if (align == 4 || align == 5) px = x0 + (w - s) / 2;
    OffsetRect(&cap, 0, down);
    pic = {px, py, px + s, py + s};
  }

  ClampToFace(cap, area, fh);

  if (s <= 32) {
    ClampToFace(pic, area, fh);
  } else if (s == 40) {
    pic = in.shape == 6 ? RECT{1, 1, in.fw - 1, fh - 1} : RECT{3, 3, in.fw - 3, fh - 3};
    redoPicture = true;
  } else if (s == 48 && (in.shape == 7 || in.shape == 8)) {
    pic = {0, 0, in.fw, fh};
  } else if (s == 48 && in.hasPicture()) {
    int fitW = 0, fitH = 0;
    FitPicture(in.pictureWidth, in.pictureHeight, w - 12, fh - 12, fitW, fitH);
    pic.left = x0 + (w - fitW) / 2;
    pic.top = (fh - fitH) / 2;
    pic.right = pic.left + fitW;
    pic.bottom = pic.top + fitH;
    redoPicture = true;
  }
  return {cap, pic, redoPicture};
}

void FitPicture(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight, int& width, int& height) {
  if (pictureWidth <= 0 || pictureHeight <= 0) {
    width = height = 0;
    return;
  }
  const double sx = static_cast<double>(boxWidth) / pictureWidth;
  const double sy = static_cast<double>(boxHeight) / pictureHeight;
  const double scale = sy < sx ? sy : sx;
  width = static_cast<int>(std::nearbyint(pictureWidth * scale));
  height = static_cast<int>(std::nearbyint(pictureHeight * scale));
}
