#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtState.h"

void DrawBevel(ButtState& s, BevelPoints& p, BevelColors& colors, int16_t /*frameState*/, int outerStyle) {
  HDC dc = s.buffer.dc();
  if (!dc) return;
  const int shape = s.ButtonShape;
  const int ls = (shape == 1 || shape == 3) ? 1 : 0;  // left slant
  const int rs = (shape == 2 || shape == 3) ? 1 : 0;  // right slant
  const int l = s.look.slantLeft, r = s.look.slantRight;
  const int fw = s.clientWidth, fh = s.clientHeight;

  // Inner ring (0..3 and back to 4), middle ring (5..9), outer ring
  // (10..13 and the straight bottom 14..15).
  p[0] = {l + 2 - 4 * ls, fh - 3};
  p[1] = {2 + 2 * ls, 2};
  p[2] = {r - 3 + 3 * rs, 2};
  p[3] = {fw - 3 - 3 * rs, fh - 3};
  p[4] = {l + 1 - 4 * ls, fh - 3};
  p[5] = {l + 1 - 3 * ls, fh - 2};
  p[6] = {1 + ls, 1};
  p[7] = {r - 2 + 2 * rs, 1};
  p[8] = {fw - 2 - 2 * rs, fh - 2};
  p[9] = {l - 4 * ls, fh - 2};
  p[10] = {l - ls, fh - 1 + ls};
  p[11] = {0, 0};
  p[12] = {r - 1 + rs, 0};
  p[13] = {fw - 1, fh - 1 + rs};
  p[14] = {l - 1 - 2 * ls, fh - 1};
  p[15] = {fw - 1, fh - 1};

  bool havePen = false;
  int32_t penColor = 0;
  for (int j = 0; j <= 13; ++j) {
    if (j == 4 || j == 9) continue;
    const int entry = j <= 3 ? j + 1 : (j <= 8 ? j : j - 1);
    const int32_t color = colors[entry];
    if (color < 0) continue;
    if (!havePen || color != penColor) {
      const int style = (j >= 10 && outerStyle >= 0) ? outerStyle : PS_SOLID;
      SelectDrawingTool(s, true, dc, ToolPen, color, false, 1, style);
      havePen = true;
      penColor = color;
    }
    Polyline(dc, &p[j], 2);
  }
  // The outer bottom edge, straight, with the pen of the last line drawn.
  // A look without an outline (no outer-ring colour) gets no edge either:
  // the pen selected then is not one of the bevel's.
  const bool outline = colors[9] >= 0 || colors[10] >= 0 || colors[11] >= 0 || colors[12] >= 0;
  if (outline) Polyline(dc, &p[14], 2);
}
