#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtState.h"

void DrawFocusCue(ButtState& s, int32_t& color, bool solid, bool& aroundContent, BevelPoints& p) {
  const int shape = s.ButtonShape;
  if (!s.Has(StateFocusShown) || shape == 7 || shape == 8) return;
  if (shape >= 4 && shape <= 6) {
    if (s.ButtonStyle == butt::StyleRoundedTheme) return;
    aroundContent = true;
  }
  HDC dc = s.buffer.dc();
  if (!dc) return;
  const int fw = s.clientWidth, fh = s.clientHeight;
  const int l = s.look.slantLeft, r = s.look.slantRight;

  if (shape >= 1 && shape <= 3) {
    // Lines parallel to the slanted outline, always solid.
    const int ls = l != 0 ? 1 : 0, rs = fw > r ? 1 : 0;
    p[0] = {l + 4 - 6 * ls, fh - 5};
    p[1] = {4 + 4 * ls, 4};
    p[2] = {r - 5 + 4 * rs, 4};
    p[3] = {fw - 5 - 6 * rs, fh - 5};
    p[4] = {l + 3 - 4 * ls, fh - 5};
    SelectDrawingTool(s, true, dc, ToolPen, color < 0 ? 0 : color);
    Polyline(dc, p, 5);
    return;
  }

  if (color < 0) color = 0;
  SelectDrawingTool(s, true, dc, ToolPen, color);
  RECT rc;
  if (aroundContent) {
    const RECT& cap = s.look.captionRect;
    if (!s.Caption.empty()) {
      rc = cap;
    } else {
      rc = s.look.pictureRect;
      if (rc.bottom > fh - 4) rc.bottom = fh - 4;
      if (rc.right > fw - 4) rc.right = fw - 4;
    }
    const int e = (cap.right < r - 4 && l + 4 < cap.left) ? 2 : 1;
    const int f = ((s.Value != 0 || s.PressedAndHot()) && s.ButtonStyle != butt::StyleEtched) ? 1 : 0;
    const int g = shape <= 3 ? 1 : 0;
    OffsetRect(&rc, f * g - e, f - e);
    rc.right += f * g + 2 * e;
    rc.bottom += 2 * e + f;
    if (!solid) {
      DrawFocusRect(dc, &rc);
    } else {
      p[0] = {rc.left, rc.top};
      p[1] = {rc.right - 1, rc.top};
      p[2] = {rc.right - 1, rc.bottom - 1};
      p[3] = {rc.left, rc.bottom - 1};
      p[4] = {rc.left, rc.top};
      Polyline(dc, p, 5);
    }
  } else {
    rc = {l + 4, 4, r - 4, fh - 4};
    if (!solid) {
      DrawFocusRect(dc, &rc);
    } else {
      p[0] = {rc.left, rc.bottom};
      p[1] = {rc.left, rc.top};
      p[2] = {rc.right, rc.top};
      p[3] = {rc.right, rc.bottom};
      p[4] = {rc.left, rc.bottom};
      Polyline(dc, p, 5);
    }
  }
}
