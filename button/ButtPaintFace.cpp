#include <cmath>

#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtGradient.h"
#include "button/ButtShape.h"
#include "button/ButtState.h"
#include "button/ShiftColor.h"

void PaintFace(ButtState& s, int32_t& face, int16_t& frameState, int16_t& drawResult, int32_t& gradientColor,
               int32_t& hoverFace) {
  drawResult = PrepareShapeClip(s);
  if (drawResult == 0) return;
  const bool heldDown = s.PressedAndHot();
  const bool command = s.Mode == butt::ModeCommand;
  const bool value = s.Value != 0;
  frameState = heldDown ? 2 : (s.Has(StateFocusShown) ? 1 : 0);
  if (hoverFace < 0) hoverFace = face;

  // A hovered command button shows the hover colour until it is held down;
  // a hovered check box or option button while it is unchecked.
  const bool keepFace = (heldDown || !command) && (value || command);
  const int32_t fill = (s.hoverTracking && !keepFace) ? hoverFace : face;

  HDC dc = s.buffer.dc();
  if (!dc) return;
  const int fw = s.clientWidth, fh = s.clientHeight;
  if (value || s.ButtonShape == 7 || s.ButtonShape == 8 || s.GradientMode == butt::GradientNone) {
    if (s.ButtonStyle == butt::StyleRoundedTheme && (s.hostEnabled != 0 || !command)) {
      // The shine: each row a little darker, 25 darker at the bottom row.
      for (int i = 0; i <= fh; ++i) {
        const int amount = fh > 0 ? static_cast<int>(std::nearbyint(-25.0 * i / fh)) : 0;
        DrawBox(s, dc, 0, i, fw, i + 1, ShiftColor(fill, amount, true));
      }
    } else {
      DrawBox(s, dc, 0, 0, fw, fh, fill);
    }
  } else if (!s.hoverTracking || heldDown || s.GradientColor == s.HoverBackColor) {
    if (gradientColor < 0) gradientColor = face;
    PaintGradient(s, s.GradientMode, face, gradientColor);
  } else {
    DrawBox(s, dc, 0, 0, fw, fh, hoverFace);
  }
}
