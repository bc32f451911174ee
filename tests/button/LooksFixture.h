// A Butt state drawn off screen: back buffer, shape, colours and layout
// prepared as the control does, without a window or a host. Renderers run
// straight from the style table and the tests read the buffer's pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "button/ButtState.h"

struct LooksButton {
  ButtState s;
  BevelColors colors{};
  int16_t frameState = 0;

  LooksButton(int width, int height, int style = 0, int shape = 0, std::string caption = "") {
    s.clientWidth = width;
    s.clientHeight = height;
    s.ButtonStyle = style;
    s.ButtonShape = shape;
    s.Caption = std::move(caption);
    s.BackColor = 0xC0C0C0;
    s.HoverBackColor = 0xC0C0C0;
    s.hostForeColor = 0;
    s.HoverForeColor = 0;
    s.containerBackColor = 0xC0C0C0;
    s.hostFont.name = "Tahoma";
    s.hostFont.size = 8;
    PresentBuffer(s, true);
    Rebuild();
  }

  // Shape, working colours and layout after property changes.
  void Rebuild() {
    BuildShape(s);
    UpdateDerived(s, "BackColor");
    LayoutButton(s, false);
  }

  int16_t Render() {
    BevelPoints points{};
    for (auto& c : colors) c = 0;
    frameState = 0;
    int16_t result = 0;
    kStyleRenderers[s.ButtonStyle](s, points, colors, frameState, result);
    return result;
  }

  HDC dc() const { return s.buffer.dc(); }

  // The buffer's pixel whatever clip the last pass left selected.
  COLORREF Px(int x, int y) const {
    SelectClipRgn(dc(), nullptr);
    return GetPixel(dc(), x, y);
  }
};

// A 32-bit DIB section whose pixels come from `colour(x, y)` (0x00BBGGRR).
inline HBITMAP MakeDib(int width, int height, const std::function<COLORREF(int, int)>& colour) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      px[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  GdiFlush();
  return bmp;
}

// All pixels of a bitmap as 0x00RRGGBB, top row first.
inline std::vector<uint32_t> ReadPixels(HBITMAP bmp) {
  BITMAP bm{};
  GetObjectA(bmp, sizeof bm, &bm);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> px(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bmp, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (auto& p : px) p &= 0xFFFFFF;
  return px;
}

// Gives the state a bitmap picture (the caller keeps the bitmap alive).
inline void UsePicture(ButtState& s, HBITMAP bmp) {
  s.pictureHandle = bmp;
  s.pictureType = kPictureBitmap;
  UpdateDerived(s, "Picture");
}
