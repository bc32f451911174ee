// StyleHotTrack: a flat face without outline until the pointer is over the
// button or it is checked; a dotted outline in the host's edit mode.
#include "button/ButtCaption.h"
#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtStyles.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

void PaintHotTrack(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& result) {
  DrawingScope scope(s);
  const bool checkOrOption = IsCheckOrOption(s);
  int32_t face, focus = 0;
  if (checkOrOption && s.Value != 0) {
    face = s.look.checkedFaceColor;
  } else {
    face = s.look.faceColor;
    if (s.ButtonShape >= 1) focus = ShiftColor(s.containerBackColor, -32);
  }
  int32_t gradient = TranslateColor(s.GradientColor);
  PaintFace(s, face, fs, result, gradient, s.look.hoverFaceColor);
  if (result == 0) return;
  const int32_t caption = (s.hostEnabled != 0 || !checkOrOption) ? -1 : 0x808080;
  bool flatDisabled = checkOrOption;
  DrawCaption(s, face, caption, s.Value != 0, flatDisabled);

  HDC dc = s.buffer.dc();
  const bool editMode = !s.userMode;
  const int fw = s.clientWidth, fh = s.clientHeight;
  if (s.ButtonShape >= butt::ShapeEllipse && s.ButtonShape <= butt::ShapeEllipseFramed && editMode) {
    // Marks the bounds of an idle elliptic button while the form is edited:
    // a dotted ellipse over the whole client area, outside the clip.
    gdi::Pen dotted(CreatePen(PS_DOT, 1, static_cast<COLORREF>(ShiftColor(s.containerBackColor, -32))));
    {
      gdi::SavedDC unclipped(dc);
      SelectClipRgn(dc, nullptr);
      SelectObject(dc, dotted.get());
      Arc(dc, 0, 0, fw - 1, fh - 1, 0, 0, 0, 0);
    }
    // What follows stays inside the outline.
    SelectClipRgn(dc, s.look.shapeOuterRegion.get());
  }
  if (s.ButtonShape <= 3) {
    SetEntries(c, 1, 8, -1);
    if (s.Has(StateHot) || s.Value != 0) {
      if (ShowsChecked(s)) fs = 2;
      if (fs < 2) fs = 1;
      SetEntries(c, 9, 10, fs == 1 ? 0xFFFFFF : 0x808080);
      SetEntries(c, 11, 12, fs == 1 ? 0x808080 : 0xFFFFFF);
    } else {
      int32_t idle = -1;
      if (editMode) {
        idle = ShiftColor(s.containerBackColor, -64);
        if (idle == 0) idle = 0xFFFFFF;
      }
      SetEntries(c, 9, 12, idle);
    }
    DrawBevel(s, p, c, fs, editMode ? PS_DOT : PS_SOLID);
  }
  FinishShape(s, c, result);
  bool aroundContent = false;
  DrawFocusCue(s, focus, s.Value != 0, aroundContent, p);
}
