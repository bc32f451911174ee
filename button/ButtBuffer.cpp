// The back buffer of a Butt: created on the first resize, its bitmap renewed
// by every resize, copied to the control in one block transfer.
#include <optional>

#include "button/ButtCore.h"
#include "button/ButtLooks.h"

namespace {

// Compatible objects follow the control's DC; without one (no window yet)
// the screen's.
class CompatibleDC {
 public:
  explicit CompatibleDC(HDC controlDC) {
    if (!controlDC) screen_.emplace(nullptr);
    dc_ = controlDC ? controlDC : screen_->get();
  }
  HDC get() const { return dc_; }

 private:
  std::optional<gdi::WindowDC> screen_;
  HDC dc_ = nullptr;
};

}  // namespace

void PresentBuffer(ButtState& s, bool prepare) {
  if (!prepare) {
    if (s.buffer.Present(s.hdc, s.clientWidth, s.clientHeight)) ++s.presentCount;
    return;
  }
  CompatibleDC compatible(s.hdc);
  if (!s.buffer.Create(compatible.get())) return;
  UpdateDerived(s, "Font");
  s.buffer.CreateBitmap(compatible.get(), s.clientWidth, s.clientHeight);
}

void ResizeButton(ButtState& s) {
  s.buffer.DropBitmap();
  PresentBuffer(s, true);
  if (!s.drawingDelayed) {
    BuildShape(s);
    LayoutButton(s, false);
    RedrawButton(s);
  }
}

void ReleaseBuffer(ButtState& s) { s.buffer.Release(); }

void RefreshButton(ButtState& s) {
  s.drawingDelayed = false;
  RedrawButton(s);
}

void DelayDrawing(ButtState& s, bool bDelay) {
  s.drawingDelayed = bDelay;
  if (!bDelay) RefreshButton(s);
}
