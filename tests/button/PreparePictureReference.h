// The straightforward per-pixel preparation of a picture (one GetPixel per
// pixel, a SetPixel per snapped pixel, three region operations per
// transparent run). The control's bulk version must give identical
// results; tests compare both and the benchmark times both.
#pragma once

#include <windows.h>

#include "host/GdiObjects.h"

struct ReferencePrepared {
  gdi::Bitmap picture;
  gdi::Region outer;
  gdi::Region inner;
};

inline bool ReferenceNear(COLORREF a, COLORREF b) {
  for (int k = 0; k < 3; ++k) {
    const int ca = static_cast<int>((a >> (8 * k)) % 256), cb = static_cast<int>((b >> (8 * k)) % 256);
    if (ca - cb > 3 || cb - ca > 3) return false;
  }
  return true;
}

inline void ReferenceCarve(HRGN target, RECT rc) {
  HRGN piece = CreateRectRgnIndirect(&rc);
  CombineRgn(target, target, piece, RGN_DIFF);
  DeleteObject(piece);
}

// Copies `source` scaled to w x h, snaps near-transparent pixels and, with
// a region, carves the transparent runs out of it and out of the client
// rectangle grown by 1 (outer) and 2 (inner) pixels.
inline ReferencePrepared PreparePictureReference(HBITMAP source, int w, int h, HRGN region, int clientWidth,
                                                 int clientHeight) {
  ReferencePrepared out;
  BITMAP bm{};
  GetObjectA(source, sizeof bm, &bm);
  gdi::WindowDC screen(nullptr);
  out.picture.reset(CreateCompatibleBitmap(screen.get(), w, h));
  if (!out.picture) return out;
  gdi::MemoryDC dc(nullptr);
  HGDIOBJ old = SelectObject(dc.get(), out.picture.get());
  {
    // Scaled by whole pixels: each pixel taken from one pixel of the source.
    gdi::MemoryDC from(nullptr);
    gdi::SelectGuard fromSel(from.get(), source);
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    StretchBlt(dc.get(), 0, 0, w, h, from.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
  const COLORREF transparent = GetPixel(dc.get(), 0, 0);
  if (region) {
    out.outer.reset(CreateRectRgn(0, 0, clientWidth, clientHeight));
    out.inner.reset(CreateRectRgn(0, 0, clientWidth, clientHeight));
  }
  auto carve = [&](int x0, int x1, int y) {
    if (!region) return;
    RECT rc{x0, y, x1, y + 1};
    ReferenceCarve(region, rc);
    InflateRect(&rc, 1, 1);
    ReferenceCarve(out.outer.get(), rc);
    InflateRect(&rc, 1, 1);
    ReferenceCarve(out.inner.get(), rc);
  };
  for (int y = 0; y < h; ++y) {
    int start = -1;
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc.get(), x, y);
      if (ReferenceNear(c, transparent)) {
        if (c != transparent) SetPixel(dc.get(), x, y, transparent);
        if (start < 0) start = x;
      } else if (start >= 0) {
        carve(start, x, y);
        start = -1;
      }
    }
    if (start >= 0) carve(start, w, y);
  }
  SelectObject(dc.get(), old);
  return out;
}
