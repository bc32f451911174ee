#include "app/WindowArt.h"

#include <algorithm>
#include <cmath>

#include "host/GdiObjects.h"
#include "host/Units.h"

namespace vorn {
namespace {

constexpr int kArtPercents[] = {100, 150, 200};

// One pass of area averaging along one axis of a picture of 3-channel
// pixels: `n` pixels become `m`, in each of `lines` lines. Pixel i of a line
// starts at line * lineStride + i * pixelStride (in channels).
void AverageAxis(const std::vector<double>& in, std::vector<double>& out, int lines, int n, int m, size_t lineStrideIn,
                 size_t lineStrideOut, size_t pixelStrideIn, size_t pixelStrideOut) {
  const double step = static_cast<double>(n) / m;  // source pixels per target pixel
  for (int line = 0; line < lines; ++line) {
    for (int j = 0; j < m; ++j) {
      const double from = j * step, to = from + step;
      double sum[3] = {0, 0, 0};
      for (int i = static_cast<int>(from); i < n && i < to; ++i) {
        const double weight = std::min<double>(i + 1, to) - std::max<double>(i, from);
        const double* p = &in[line * lineStrideIn + i * pixelStrideIn];
        for (int c = 0; c < 3; ++c) sum[c] += p[c] * weight;
      }
      double* q = &out[line * lineStrideOut + j * pixelStrideOut];
      for (int c = 0; c < 3; ++c) q[c] = sum[c] / step;
    }
  }
}

}  // namespace

int ArtPercent(int dpi) {
  for (int percent : kArtPercents) {
    if (dpi * 100 <= 96 * percent) return percent;
  }
  return kArtPercents[std::size(kArtPercents) - 1];
}

SIZE ArtSizeAt(int dpi, int width, int height) {
  // 1440 twips per inch, 15 twips per pixel at 96 dpi.
  return SIZE{host::TwipsToPixels(width * 15, dpi), host::TwipsToPixels(height * 15, dpi)};
}

std::vector<uint8_t> ScaleRgb(const std::vector<uint8_t>& pixels, int width, int height, int newWidth, int newHeight) {
  if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0) return {};
  const size_t w = width, h = height, nw = newWidth, nh = newHeight;
  if (pixels.size() < w * h * 3) return {};
  // Across each row, then down each column; the picture in between keeps
  // its fractions.
  const std::vector<double> source(pixels.begin(), pixels.begin() + w * h * 3);
  std::vector<double> across(nw * h * 3), down(nw * nh * 3);
  AverageAxis(source, across, height, width, newWidth, w * 3, nw * 3, 3, 3);
  AverageAxis(across, down, newWidth, height, newHeight, 3, 3, nw * 3, nw * 3);
  std::vector<uint8_t> out(down.size());
  for (size_t i = 0; i < down.size(); ++i)
    out[i] = static_cast<uint8_t>(std::clamp(std::nearbyint(down[i]), 0.0, 255.0));
  return out;
}

host::Picture LoadArt(HMODULE module, int id100, int dpi, bool fitSize) {
  const int percent = ArtPercent(dpi);
  const int id = id100 + (percent == 150 ? 10 : percent == 200 ? 20 : 0);
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
  const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
  if (!header || SizeofResource(module, info) < sizeof *header || header->biBitCount != 24 ||
      header->biCompression != BI_RGB || header->biWidth <= 0 || header->biHeight == 0)
    return host::Picture();
  const int width = header->biWidth, height = std::abs(header->biHeight);
  // The drawing's own size at 100 % is its size divided by its scale.
  const SIZE target = ArtSizeAt(dpi, width * 100 / percent, height * 100 / percent);
  if (!fitSize || (target.cx == width && target.cy == height))
    return host::Picture::LoadBitmapResource(module, MAKEINTRESOURCEA(id));

  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (SizeofResource(module, info) < header->biSize + stride * height) return host::Picture();
  const auto* bits = reinterpret_cast<const uint8_t*>(header) + header->biSize;
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);  // top-down, unpadded
  for (int y = 0; y < height; ++y) {
    const int stored = header->biHeight > 0 ? height - 1 - y : y;
    std::copy_n(bits + stride * stored, static_cast<size_t>(width) * 3, &rows[static_cast<size_t>(y) * width * 3]);
  }
  const std::vector<uint8_t> scaled = ScaleRgb(rows, width, height, target.cx, target.cy);
  if (scaled.empty()) return host::Picture();

  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = target.cx;
  bmi.bmiHeader.biHeight = -target.cy;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* dibBits = nullptr;
  gdi::Bitmap dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &dibBits, nullptr, 0));
  if (!dib || !dibBits) return host::Picture();
  const size_t dibStride = (static_cast<size_t>(target.cx) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < target.cy; ++y)
    std::copy_n(&scaled[static_cast<size_t>(y) * target.cx * 3], static_cast<size_t>(target.cx) * 3,
                static_cast<uint8_t*>(dibBits) + dibStride * y);
  GdiFlush();
  return host::Picture::FromBitmap(dib.release(), true);
}

}  // namespace vorn
