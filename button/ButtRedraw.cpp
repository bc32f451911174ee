// RedrawButton: the one entry every property change, input event and timer
// tick ends in. Composes the face off screen through the renderer of the
// current style, copies it to the control and frames shaped buttons.
#include <iterator>

#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "button/ButtShape.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

namespace {

// Picks the outline to frame for the ellipses and the picture shapes, and
// the colour to frame it in; returns no region when the state wants no
// frame. `copy` receives the outline's copy when that is framed, so its
// owner deletes it.
HRGN ChooseFrameRegion(ButtState& s, ButtColor& frameColor, gdi::Region& copy) {
  const bool heldDown = s.PressedAndHot();
  const bool themed = s.ButtonStyle == butt::StyleRoundedTheme;
  switch (s.ButtonShape) {
    case butt::ShapeEllipse:
    case butt::ShapeEllipseValueCaption: return themed && !heldDown ? s.look.shapeOuterRegion.get() : nullptr;
    case butt::ShapeEllipseFramed:
      if (themed && !heldDown) return s.look.shapeOuterRegion.get();
      copy = gdi::Region(CopyWindowRegion(s));
      return copy.get();
    case butt::ShapePicture:
    case butt::ShapePictureRinged:
      if (!s.hoverTracking || heldDown) {
        if (!s.Has(StateFocusShown)) return nullptr;
        if (s.Value && !themed) frameColor = ShiftColor(s.look.edgeColor, -32);
        return s.ButtonShape == butt::ShapePictureRinged ? s.look.shapeInnerRegion.get()
                                                         : s.look.shapeOuterRegion.get();
      }
      if (!themed) frameColor = s.look.hoverFaceColor;
      if (frameColor != TranslateColor(s.BackColor) || themed) {
        copy = gdi::Region(CopyWindowRegion(s));
        return copy.get();
      }
      return nullptr;
    default: return nullptr;
  }
}

void DrawShapeFrame(ButtState& s, ButtColor frameColor) {
  gdi::Region copy;
  HRGN region = ChooseFrameRegion(s, frameColor, copy);
  if (!region || !s.hdc) return;
  gdi::Brush brush(CreateSolidBrush(static_cast<COLORREF>(frameColor)));
  if (brush) FrameRgn(s.hdc, region, brush.get(), 1, 1);
}

}  // namespace

void RedrawButton(ButtState& s) {
  if (s.drawingDelayed) return;
  ++s.redrawCount;

  BevelPoints bevelPoints{};
  BevelColors bevelColors{};
  int16_t frameState = 0;
  int16_t drawResult = 0;
  // A stored style outside the table (possible from loaded data) draws nothing.
  if (s.buffer && s.ButtonStyle >= 0 && s.ButtonStyle < static_cast<int32_t>(std::size(kStyleRenderers)))
    kStyleRenderers[s.ButtonStyle](s, bevelPoints, bevelColors, frameState, drawResult);
  const ButtColor frameColor = bevelColors[12];

  if (drawResult == 0) return;
  PresentBuffer(s, false);
  if (drawResult > 1 && s.ButtonShape >= butt::ShapeEllipse && s.ButtonShape <= butt::ShapePictureRinged)
    DrawShapeFrame(s, frameColor);
  if (s.refreshHost) s.refreshHost();
}
