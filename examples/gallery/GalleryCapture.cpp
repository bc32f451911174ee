#include "examples/gallery/GalleryCapture.h"

#include <cstdio>
#include <vector>

#include "host/GdiObjects.h"

bool SaveWindowBmp(HWND hwnd, const std::string& path) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  gdi::WindowDC screen(nullptr);
  gdi::MemoryDC mem(screen.get());
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  gdi::Bitmap dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool ok = false;
  if (dib && mem) {
    {
      gdi::SelectGuard sel(mem.get(), dib.get());
      BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
      GdiFlush();
    }
    const DWORD stride = ((w * 3) + 3) & ~3u;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + stride * h;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
      ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
           std::fwrite(bits, stride * h, 1, f) == 1;
      std::fclose(f);
    }
  }
  return ok;
}
