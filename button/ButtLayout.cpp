// LayoutButton: measures the caption in the back buffer's font and stores
// where caption and picture go.
#include "button/ButtCaption.h"
#include "button/ButtLayoutMath.h"
#include "button/ButtLooks.h"
#include "button/ButtPicture.h"
#include "button/ButtState.h"

namespace {
// Width and height the word-wrapped caption needs within `box`.
SIZE MeasureCaption(ButtState& s, SIZE box) {
  const std::string text = CaptionDisplayText(s.Caption);
  RECT rc{0, 0, box.cx, box.cy};
  HDC dc = s.buffer.dc();
  if (dc) {
    DrawTextA(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK);
  } else {
    // No back buffer yet: measure with the caption font in a scratch DC.
    gdi::MemoryDC scratch(nullptr);
    gdi::SelectGuard font(scratch.get(), s.look.captionFont.get());
    DrawTextA(scratch.get(), text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK);
  }
  return {rc.right, rc.bottom};
}
}  // namespace

void LayoutButton(ButtState& s, bool preparePicture) {
  LayoutInput in;
  in.fw = s.clientWidth;
  in.fh = s.clientHeight;
  in.shape = s.ButtonShape;
  in.slantLeft = s.look.slantLeft;
  in.slantRight = s.look.slantRight;
  in.pictureSizePx = s.pictureSizePx;
  in.pictureAlign = s.PictureAlign;
  in.captionAlign = s.CaptionAlign;
  in.captionStyle = s.CaptionStyle;
  in.hasCaption = !s.Caption.empty();
  in.pictureWidth = s.pictureWidth;
  in.pictureHeight = s.pictureHeight;

  SIZE text{0, 0};
  if (in.hasCaption) text = MeasureCaption(s, LayoutMeasureBox(in));
  const LayoutResult result = LayoutPlace(in, text.cx, text.cy, preparePicture);
  s.look.captionRect = result.captionRect;
  s.look.pictureRect = result.pictureRect;
  if (result.redoPicture) {
    const RECT& p = s.look.pictureRect;
    PreparePicture(s, p.right - p.left, p.bottom - p.top, nullptr);
  }
}
