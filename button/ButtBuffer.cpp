// The back buffer of a Butt: created on the first resize, its bitmap renewed
// by every resize, copied to the control in one block transfer.
#include <algorithm>

#include "button/ButtCore.h"
#include "button/ButtLooks.h"

namespace {

// Compatible objects follow the control's DC; without one (no window yet)
// the screen's.
class CompatibleDC {
 public:
  explicit CompatibleDC(HDC controlDC) : own_(controlDC ? nullptr : GetDC(nullptr)) {
    dc_ = controlDC ? controlDC : own_;
  }
  ~CompatibleDC() {
    if (own_) ReleaseDC(nullptr, own_);
  }
  CompatibleDC(const CompatibleDC&) = delete;
  CompatibleDC& operator=(const CompatibleDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC own_;
  HDC dc_;
};

}  // namespace

void PresentBuffer(ButtState& s, bool prepare) {
  if (!prepare) {
    if (s.bufferDC && s.hdc) {
      BitBlt(s.hdc, 0, 0, s.clientWidth, s.clientHeight, s.bufferDC.get(), 0, 0, SRCCOPY);
      ++s.presentCount;
    }
    return;
  }
  CompatibleDC compatible(s.hdc);
  if (!s.bufferDC) {
    s.bufferDC = gdi::MemoryDC(compatible.get());
    if (!s.bufferDC) return;
    SetBkMode(s.bufferDC.get(), TRANSPARENT);
    s.bufferBrush = gdi::Brush(CreateSolidBrush(RGB(0, 0, 0)));
    s.bufferPen = gdi::Pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    if (s.bufferBrush) s.bufferOldBrush = SelectObject(s.bufferDC.get(), s.bufferBrush.get());
    if (s.bufferPen) s.bufferOldPen = SelectObject(s.bufferDC.get(), s.bufferPen.get());
  }
  UpdateDerived(s, "Font");
  if (s.bufferOldBitmap) return;
  // A control of zero extent still gets a one-pixel bitmap of its own: a
  // zero-sized request would hand back the shared stock bitmap.
  const int width = std::max(1, s.clientWidth);
  const int height = std::max(1, s.clientHeight);
  s.bufferBitmap = gdi::Bitmap(CreateCompatibleBitmap(compatible.get(), width, height));
  if (s.bufferBitmap) s.bufferOldBitmap = SelectObject(s.bufferDC.get(), s.bufferBitmap.get());
}

void ResizeButton(ButtState& s) {
  if (s.bufferDC && s.bufferOldBitmap) {
    SelectObject(s.bufferDC.get(), s.bufferOldBitmap);
    s.bufferOldBitmap = nullptr;
  }
  s.bufferBitmap.reset();
  PresentBuffer(s, true);
  if (!s.drawingDelayed) {
    BuildShape(s);
    LayoutButton(s, false);
    RedrawButton(s);
  }
}

void ReleaseBuffer(ButtState& s) {
  s.RestoreBufferObjects();
  s.bufferBrush.reset();
  s.bufferPen.reset();
  s.bufferBitmap.reset();
  s.bufferDC.reset();
}

void RefreshButton(ButtState& s) {
  s.drawingDelayed = false;
  RedrawButton(s);
}

void DelayDrawing(ButtState& s, bool bDelay) {
  s.drawingDelayed = bDelay;
  if (!bDelay) RefreshButton(s);
}
