#include "button/ButtBackBuffer.h"

#include <algorithm>

bool ButtBackBuffer::Create(HDC compatibleWith) {
  if (dc_) return true;
  dc_ = gdi::MemoryDC(compatibleWith);
  if (!dc_) return false;
  SetBkMode(dc_.get(), TRANSPARENT);
  brush_ = gdi::Brush(CreateSolidBrush(RGB(0, 0, 0)));
  pen_ = gdi::Pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  if (brush_) oldBrush_ = SelectObject(dc_.get(), brush_.get());
  if (pen_) oldPen_ = SelectObject(dc_.get(), pen_.get());
  return true;
}

void ButtBackBuffer::CreateBitmap(HDC compatibleWith, int width, int height) {
  if (!dc_ || oldBitmap_) return;
  // A zero-sized request would hand back the shared stock bitmap.
  bitmap_ = gdi::Bitmap(CreateCompatibleBitmap(compatibleWith, std::max(1, width), std::max(1, height)));
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
  if (brush_) SelectObject(dc_.get(), brush_.get());
  if (pen_) SelectObject(dc_.get(), pen_.get());
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
  brush_.reset();
  pen_.reset();
  bitmap_.reset();
  dc_.reset();
}
