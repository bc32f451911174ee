#include "button/ButtPicture.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "button/ButtPictureScan.h"
#include "button/ButtState.h"
#include "button/TranslateColor.h"

namespace {
constexpr DWORD kDestAndNotSource = 0x220326;
constexpr DWORD kGreyOut = 0xB8074A;  // source bit ? destination : brush

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // rows top to bottom
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// The picture's pixels at width x height (0 keeps the picture's own size),
// as 32-bit rows top to bottom, in `pixels`. Other sizes are scaled by whole
// pixels, each taken from one pixel of the picture and never blended: a
// blend of the transparent colour with its neighbours would be neither
// transparent nor the picture's own colour, a fringe round the picture and
// its shape. The buffer is the caller's, so its memory is reused from one
// preparation to the next. `dc` is a memory DC on the screen.
bool ReadPixels(HDC dc, HANDLE picture, int& width, int& height, std::vector<uint32_t>& pixels) {
  BITMAP src{};
  if (!GetObjectA(picture, sizeof src, &src)) return false;
  if (width <= 0) width = src.bmWidth;
  if (height <= 0) height = src.bmHeight;
  if (width <= 0 || height <= 0) return false;
  pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  BITMAPINFO bi = TopDown32(width, height);
  if (width == src.bmWidth && height == src.bmHeight) {
    return GetDIBits(dc, static_cast<HBITMAP>(picture), 0, static_cast<UINT>(height), pixels.data(), &bi,
                     DIB_RGB_COLORS) == height;
  }
  void* bits = nullptr;
  gdi::Bitmap scaled(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  gdi::MemoryDC sourceDC(dc);
  if (!scaled || !bits || !sourceDC) return false;
  {
    gdi::SelectGuard sourceSel(sourceDC.get(), picture);
    gdi::SelectGuard scaledSel(dc, scaled.get());
    // The caller's DC keeps its own stretch mode.
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL stretched =
        StretchBlt(dc, 0, 0, width, height, sourceDC.get(), 0, 0, src.bmWidth, src.bmHeight, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    if (!stretched) return false;
  }
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
  return true;
}

// A bitmap holding `pixels`: `reuse` when it has the same size, else a new
// one. On a 32-bit screen the new bitmap is a device bitmap of the screen's
// own format, created with its pixels in one call; on a 24-bit screen it is
// screen-compatible and filled by SetDIBits; on a screen with fewer colours
// it is a 32-bit DIB section, so the snapped transparent colour stays exact.
// `dc` is a memory DC on the screen.
HBITMAP WritePixels(HDC dc, const std::vector<uint32_t>& pixels, int width, int height, gdi::Bitmap& reuse) {
  BITMAP old{};
  BITMAPINFO bi = TopDown32(width, height);
  const int screenBits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  HBITMAP bmp = nullptr;
  if (reuse && GetObjectA(reuse.get(), sizeof old, &old) && old.bmWidth == width && old.bmHeight == height) {
    bmp = reuse.release();
  } else if (screenBits == 32) {
    return CreateBitmap(width, height, 1, 32, pixels.data());
  } else if (screenBits >= 24) {
    gdi::WindowDC screen(nullptr);
    bmp = CreateCompatibleBitmap(screen.get(), width, height);
  } else {
    void* bits = nullptr;
    bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (!bmp) return nullptr;
  SetDIBits(dc, bmp, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
  return bmp;
}

// Subtracts `cut` from `target`.
void Carve(HRGN target, const gdi::Region& cut) {
  if (target && cut) CombineRgn(target, target, cut.get(), RGN_DIFF);
}
}  // namespace

void PreparePicture(ButtState& s, int width, int height, HRGN region) {
  if (!s.pictureHandle || s.pictureType == kPictureNone) return;
  gdi::Bitmap previous = std::move(s.look.preparedPicture);
  if (s.pictureIsIcon) return;

  // One scratch buffer per thread: a fresh bitmap-sized block of memory per
  // preparation costs more than the whole scan.
  thread_local std::vector<uint32_t> pixels;
  int w = width, h = height;
  std::vector<RECT> runs;
  // A memory DC costs far less to make than a DC on the screen.
  gdi::MemoryDC dc(nullptr);
  if (!dc || !ReadPixels(dc.get(), s.pictureHandle, w, h, pixels)) return;
  SnapTransparentRuns(pixels.data(), w, h, pixels[0], runs);
  gdi::Bitmap copy(WritePixels(dc.get(), pixels, w, h, previous));
  previous.reset();
  if (!copy) return;

  if (region) {
    s.look.shapeOuterRegion.reset(CreateRectRgn(0, 0, s.clientWidth, s.clientHeight));
    s.look.shapeInnerRegion.reset(CreateRectRgn(0, 0, s.clientWidth, s.clientHeight));
    // The transparent pixels, and those within one and two pixels of them.
    gdi::Region clear(RegionFromRects(RowBands(runs)));
    gdi::Region nearClear(clear ? GrownRegion(clear.get()) : nullptr);
    gdi::Region nearerClear(nearClear ? GrownRegion(nearClear.get()) : nullptr);
    Carve(region, clear);
    Carve(s.look.shapeOuterRegion.get(), nearClear);
    Carve(s.look.shapeInnerRegion.get(), nearerClear);
  }
  s.look.preparedPicture = std::move(copy);
  s.look.preparedWidth = w;
  s.look.preparedHeight = h;
}

void DrawTransparentBitmap(ButtState& s, HDC dc, RECT dest, HBITMAP source, RECT& sourceRect, int& width, int& height) {
  if (!dc || !source) return;
  // Every scratch DC and bitmap is made compatible with the target: the
  // same format, without asking for a DC on the screen each time.
  gdi::MemoryDC sourceDC(dc);
  gdi::SelectGuard sourceSel(sourceDC.get(), source);

  if (sourceRect.right == 0) sourceRect.right = s.look.preparedWidth;
  if (sourceRect.bottom == 0) sourceRect.bottom = s.look.preparedHeight;
  const int sw = sourceRect.right - sourceRect.left;
  const int sh = sourceRect.bottom - sourceRect.top;
  const int dw = dest.right != 0 ? dest.right - dest.left : width;
  const int dh = dest.bottom != 0 ? dest.bottom - dest.top : height;
  if (dw < width || dh < height) {
    const float fx = static_cast<float>(dw) / static_cast<float>(width);
    const float fy = static_cast<float>(dh) / static_cast<float>(height);
    const float f = fy < fx ? fy : fx;
    width = static_cast<int>(std::lrintf(f * static_cast<float>(width)));
    height = static_cast<int>(std::lrintf(f * static_cast<float>(height)));
  }
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;

  const COLORREF transparent =
      static_cast<COLORREF>(TranslateColor(static_cast<int32_t>(GetPixel(sourceDC.get(), 0, 0))));

  gdi::MemoryDC maskDC(dc), backDC(dc), copyDC(dc);
  gdi::Bitmap copyBmp(CreateCompatibleBitmap(dc, sw, sh));
  gdi::Bitmap backBmp(CreateCompatibleBitmap(dc, dw, dh));
  gdi::Bitmap maskBmp(CreateBitmap(sw, sh, 1, 1, nullptr));
  if (!maskDC || !backDC || !copyDC || !copyBmp || !backBmp || !maskBmp) return;
  gdi::SelectGuard copySel(copyDC.get(), copyBmp.get());
  gdi::SelectGuard backSel(backDC.get(), backBmp.get());
  gdi::SelectGuard maskSel(maskDC.get(), maskBmp.get());

  // What lies under the picture now.
  SetMapMode(backDC.get(), GetMapMode(dc));
  BitBlt(backDC.get(), 0, 0, dw, dh, dc, dest.left, dest.top, SRCCOPY);

  SetBkColor(copyDC.get(), GetBkColor(sourceDC.get()));
  SetTextColor(copyDC.get(), GetTextColor(sourceDC.get()));
  BitBlt(copyDC.get(), 0, 0, sw, sh, sourceDC.get(), sourceRect.left, sourceRect.top, SRCCOPY);

  // Mask: white where the source has the transparent colour.
  SetBkColor(copyDC.get(), transparent);
  SetTextColor(copyDC.get(), RGB(255, 255, 255));
  BitBlt(maskDC.get(), 0, 0, sw, sh, copyDC.get(), 0, 0, SRCCOPY);

  // Blacken the transparent pixels of the copy.
  SetTextColor(copyDC.get(), RGB(0, 0, 0));
  SetBkColor(copyDC.get(), RGB(255, 255, 255));
  BitBlt(copyDC.get(), 0, 0, sw, sh, maskDC.get(), 0, 0, kDestAndNotSource);

  // Punch the opaque shape into the background, then paint the picture in.
  // Scaled by whole pixels, so mask and picture take the same source pixels
  // and no pixel combines opaque with transparent neighbours.
  SetStretchBltMode(backDC.get(), COLORONCOLOR);
  StretchBlt(backDC.get(), 0, 0, width, height, maskDC.get(), 0, 0, sw, sh, SRCAND);
  StretchBlt(backDC.get(), 0, 0, width, height, copyDC.get(), 0, 0, sw, sh, SRCPAINT);

  BitBlt(dc, dest.left, dest.top, dw, dh, backDC.get(), 0, 0, SRCCOPY);
}

void DrawPicture(ButtState& s, RECT& rect) {
  if (s.pictureWidth + s.pictureHeight == 0) return;
  if (!s.look.preparedPicture && !s.pictureIsIcon)
    PreparePicture(s, rect.right - rect.left, rect.bottom - rect.top, nullptr);
  if (s.ButtonShape > 6) {
    rect = {0, 0, s.clientWidth, s.clientHeight};
    if (s.PressedAndHot()) InflateRect(&rect, -1, -1);
  }
  HDC buffer = s.buffer.dc();
  if (!buffer) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const bool enabled = s.hostEnabled != 0;

  // A disabled picture is drawn on a white canvas first and then greyed
  // onto the face.
  gdi::MemoryDC canvas;
  gdi::Bitmap canvasBmp;
  std::optional<gdi::SelectGuard> canvasSel;
  HDC target = buffer;
  RECT at = rect;
  if (!enabled) {
    canvas = gdi::MemoryDC(buffer);
    canvasBmp.reset(CreateCompatibleBitmap(buffer, w, h));
    if (!canvas || !canvasBmp) return;
    canvasSel.emplace(canvas.get(), canvasBmp.get());
    PatBlt(canvas.get(), 0, 0, w, h, WHITENESS);
    target = canvas.get();
    OffsetRect(&at, -at.left, -at.top);
  }

  if (s.pictureIsIcon) {
    DrawIconEx(target, at.left, at.top, static_cast<HICON>(s.pictureHandle), w, h, 0, nullptr, DI_NORMAL);
  } else if (s.look.preparedPicture) {
    RECT sourceRect{0, 0, 0, 0};
    int dw = w, dh = h;
    DrawTransparentBitmap(s, target, at, s.look.preparedPicture.get(), sourceRect, dw, dh);
  }

  if (!enabled) {
    gdi::Brush grey(CreateSolidBrush(RGB(128, 128, 128)));
    gdi::SavedDC keep(buffer);
    SetBkColor(buffer, RGB(255, 255, 255));
    SelectObject(buffer, grey.get());
    BitBlt(buffer, rect.left, rect.top, w, h, canvas.get(), 0, 0, kGreyOut);
  }
}
