// The back buffer of a Butt: a memory DC with a bitmap of the client size
// and a black pen and brush selected for the buffer's whole life: the
// system's stock ones, which are the same one-pixel black pen and solid
// black brush and cost a button no objects of its own (a form of a thousand
// buttons would otherwise hold two thousand of them). It keeps what the DC
// held before and puts all of it back before anything it owns is deleted.
#pragma once

#include <windows.h>

#include "host/GdiObjects.h"

class ButtBackBuffer {
 public:
  ButtBackBuffer() = default;
  ~ButtBackBuffer() { Release(); }
  ButtBackBuffer(const ButtBackBuffer&) = delete;
  ButtBackBuffer& operator=(const ButtBackBuffer&) = delete;

  // Creates the DC, compatible with `compatibleWith`, with a transparent
  // text background and the black pen and brush (once; later calls keep it).
  // False when there is no DC.
  bool Create(HDC compatibleWith);
  // Selects a new bitmap of width x height (at least 1 x 1) in the display's
  // 32-bit format, unless one is selected already.
  void CreateBitmap(HDC compatibleWith, int width, int height);
  // Deselects and deletes the bitmap; a resize renews it.
  void DropBitmap();
  // Selects a caption font that the caller owns and keeps alive while it
  // is selected; the buffer gives its original font back at the end.
  void SelectFont(HFONT font);
  // Selects the buffer's black pen and brush again.
  void SelectOwnPenAndBrush();
  // Copies width x height pixels to `target`; false when nothing was copied.
  bool Present(HDC target, int width, int height) const;
  // Gives back everything the DC held before and deletes the DC and the
  // bitmap. Safe to call more than once.
  void Release() noexcept;

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  HPEN pen() const { return static_cast<HPEN>(GetStockObject(BLACK_PEN)); }
  HBRUSH brush() const { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }
  bool HasBitmap() const { return oldBitmap_ != nullptr; }
  explicit operator bool() const { return static_cast<bool>(dc_); }

 private:
  gdi::MemoryDC dc_;
  gdi::Bitmap bitmap_;
  // What the DC held before the buffer's own objects; oldBitmap_ is set
  // exactly while a bitmap of the buffer is selected.
  HGDIOBJ oldBitmap_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};
