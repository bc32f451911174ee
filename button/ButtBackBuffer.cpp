#include "button/ButtBackBuffer.h"

#include <algorithm>

bool ButtBackBuffer::Create(HDC compatibleWith) {
  if (dc_) return true;
  dc_ = gdi::MemoryDC(compatibleWith);
  if (!dc_) return false;
  SetBkMode(dc_.get(), TRANSPARENT);
  oldBrush_ = SelectObject(dc_.get(), brush());
  oldPen_ = SelectObject(dc_.get(), pen());
  return true;
}

void ButtBackBuffer::CreateBitmap(HDC compatibleWith, int width, int height) {
  if (!dc_ || oldBitmap_) return;
  // A DIB section of 32-bit pixels, the display's format: it blits to the
  // control as a bitmap made by CreateCompatibleBitmap does, and costs the
  // window system a small part of what a display bitmap costs to make and
  // select (which a form of many buttons pays once per button). At least
  // one pixel each way, as a zero-sized bitmap cannot be made.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = std::max(1, width);
  info.bmiHeader.biHeight = std::max(1, height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = gdi::Bitmap(CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_) oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
}

void ButtBackBuffer::DropBitmap() {
  if (dc_ && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
  oldBitmap_ = nullptr;
  bitmap_.reset();
}

void ButtBackBuffer::SelectFont(HFONT font) {
  if (!dc_ || !font) return;
  HGDIOBJ replaced = SelectObject(dc_.get(), font);
  if (!oldFont_) oldFont_ = replaced;
}

void ButtBackBuffer::SelectOwnPenAndBrush() {
  if (!dc_) return;
  SelectObject(dc_.get(), brush());
  SelectObject(dc_.get(), pen());
}

bool ButtBackBuffer::Present(HDC target, int width, int height) const {
  if (!dc_ || !target) return false;
  BitBlt(target, 0, 0, width, height, dc_.get(), 0, 0, SRCCOPY);
  return true;
}

void ButtBackBuffer::Release() noexcept {
  if (HDC dc = dc_.get()) {
    for (HGDIOBJ* old : {&oldBrush_, &oldPen_, &oldFont_, &oldBitmap_}) {
      if (*old) SelectObject(dc, *old);
      *old = nullptr;
    }
  }
  bitmap_.reset();
  dc_.reset();
}
