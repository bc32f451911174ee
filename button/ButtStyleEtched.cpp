// StyleEtched: dark grey and white etched outline, a solid lavender focus
// outline round the caption, no pressed movement.
#include "button/ButtCaption.h"
#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtStyles.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

void PaintEtched(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& result) {
  DrawingScope scope(s);
  const bool enabled = s.hostEnabled != 0;
  const bool checkOrOption = IsCheckOrOption(s);
  int32_t face = s.look.faceColor;
  if (checkOrOption && s.Value != 0)
    face = s.look.checkedFaceColor;
  else if (!checkOrOption && s.PressedAndHot())
    face = s.look.edgeColor;
  int32_t gradient = TranslateColor(s.GradientColor);
  PaintFace(s, face, fs, result, gradient, s.look.hoverFaceColor);
  if (result == 0) return;
  const int32_t caption = enabled ? 0x808080 : ShiftColor(0x808080, -16);
  bool flatDisabled = true;
  DrawCaption(s, face, caption, false, flatDisabled);

  if (s.ButtonShape <= 3) {
    const int32_t dark = ShiftColor(0x808080, -26);  // 0x666666
    int32_t white = 0xFFFFFF;
    if (enabled || checkOrOption) {
      SetEntries(c, 1, 4, -1);
      if (checkOrOption) fs = (s.Value != 0 || s.inputDown) ? 2 : 3;
      if (fs < 2) fs = 1;
      SetEntries(c, 5, 6, fs == 2 ? face : white);
      SetEntries(c, 7, 8, dark);
    } else {
      SetEntries(c, 1, 8, face);
      white = dark;
    }
    SetEntries(c, 9, 10, dark);
    SetEntries(c, 11, 12, white);
    DrawBevel(s, p, c, fs, -1);
  }
  FinishShape(s, c, result);
  int32_t lavender = 0xCC9999;
  bool aroundContent = true;
  DrawFocusCue(s, lavender, true, aroundContent, p);
}
