// StyleRoundedGrey: brightened face, white and grey inner rings, black
// outline with rounded corners, inverted colours when pressed.
#include "button/ButtCaption.h"
#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtStyles.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

void PaintRoundedGrey(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& result) {
  DrawingScope scope(s);
  const bool enabled = s.hostEnabled != 0;
  const bool checkOrOption = IsCheckOrOption(s);
  const bool value = s.Value != 0;
  const bool heldCommand = !checkOrOption && s.PressedAndHot();
  int32_t face = s.look.faceColor;
  if (heldCommand)
    face = s.look.edgeColor;
  else if (checkOrOption && value)
    face = s.look.checkedFaceColor;

  int32_t gradient = face;
  if (!value && s.GradientMode != butt::GradientNone) {
    gradient = ShiftColor(TranslateColor(s.GradientColor), 31);
    if (heldCommand) face = s.look.faceColor;  // a gradient keeps its start colour
  }
  PaintFace(s, face, fs, result, gradient, s.look.hoverFaceColor);
  if (result == 0) return;

  int32_t caption;
  if (heldCommand || value)
    caption = (!enabled && value) ? ShiftColor(face, -32, true) : s.look.faceColor;
  else if (enabled)
    caption = TranslateColor(s.hostForeColor);
  else
    caption = checkOrOption ? 0x808080 : -1;

  // A pressed or checked caption keeps its colour while hovered.
  int32_t remembered = -1;
  const bool swap = s.HoverForeColor == s.hostForeColor || value;
  if (swap) {
    remembered = s.HoverForeColor;
    s.HoverForeColor = caption;
  }
  bool flatDisabled = checkOrOption;
  DrawCaption(s, face, caption, value, flatDisabled);
  if (swap) s.HoverForeColor = remembered;

  if (s.ButtonShape <= 3) {
    if (ShowsChecked(s)) fs = value ? 2 : 0;
    int32_t f = face;
    int32_t light = ShiftColor(f, 31, true), dark = ShiftColor(f, -64, true), white = 0xFFFFFF;
    if (fs == 2) {
      const int32_t b2 = s.GradientMode != butt::GradientNone ? s.look.faceColor : 0x808080;
      f = b2;
      white = ShiftColor(b2, -32);
      light = ShiftColor(b2, -64);
      dark = ShiftColor(b2, -16);
    }
    SetEntries(c, 1, 2, white);
    SetEntries(c, 3, 4, f);
    SetEntries(c, 5, 6, light);
    SetEntries(c, 7, 8, dark);
    SetEntries(c, 9, 12, 0);
    DrawBevel(s, p, c, fs, -1);

    // Rounded corners on the sides without a slant.
    HDC dc = s.buffer.dc();
    const int fw = s.clientWidth, fh = s.clientHeight;
    auto px = [dc](int x, int y, int32_t colour) { SetPixel(dc, x, y, static_cast<COLORREF>(colour)); };
    if (s.look.slantLeft == 0) {
      px(3, 3, white);
      px(1, fh - 3, f);
      px(2, 2, light);
      px(1, fh - 2, 0);
      px(1, 1, 0);
    }
    if (fw == s.look.slantRight) {
      px(fw - 4, fh - 4, f);
      px(fw - 3, 1, f);
      px(fw - 3, fh - 3, dark);
      px(fw - 2, fh - 2, 0);
      px(fw - 2, 1, 0);
    }
  }
  FinishShape(s, c, result);
  // Slanted shapes draw their focus lines in the darkened face, like the
  // other styles; elsewhere the cue takes the remembered hover colour (or
  // black).
  int32_t cueColor = (s.ButtonShape >= 1 && s.ButtonShape <= 3) ? ShiftColor(face, -64) : remembered;
  bool aroundContent = true;
  DrawFocusCue(s, cueColor, value, aroundContent, p);
}
