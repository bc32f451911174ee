// StyleRoundedTheme: shine-shaded face, dark blue outline with rounded
// corners, orange ring while hot, blue ring while focused.
#include "button/ButtCaption.h"
#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtStyles.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

namespace {
constexpr int32_t kOutline = 0x733C00;    // dark blue (0, 60, 115)
constexpr int32_t kFocusBlue = 0xEF826B;  // (107, 130, 239)
constexpr int32_t kHotOrange = 0x0096E7;  // (231, 150, 0)

// Inner and middle ring colours (entries 1..8) for frame state 0 normal,
// 1 focus, 2 pressed, 3 hot; the normal and pressed columns shade the base.
void ThemeRings(int16_t fs, int32_t b, BevelColors& c) {
  auto sc = [b](int amount) { return ShiftColor(b, amount, true); };
  switch (fs) {
    case 1: {
      const int32_t col[8] = {0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C, 0xE7AE8C, 0xFFDFBF, 0xE7AE8C, kFocusBlue};
      for (int i = 0; i < 8; ++i) c[i + 1] = col[i];
      break;
    }
    case 2: {
      const int32_t col[8] = {sc(-22), sc(-24), b, sc(10), sc(-32), sc(-32), sc(5), sc(16)};
      for (int i = 0; i < 8; ++i) c[i + 1] = col[i];
      break;
    }
    case 3: {
      const int32_t col[8] = {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF, 0x31B2FF, 0xA6E9FF, 0x31B2FF, kHotOrange};
      for (int i = 0; i < 8; ++i) c[i + 1] = col[i];
      break;
    }
    default: {
      const int32_t col[8] = {sc(-10), sc(10), sc(-24), sc(-32), sc(-5), sc(16), sc(-36), sc(-48)};
      for (int i = 0; i < 8; ++i) c[i + 1] = col[i];
      break;
    }
  }
}
}  // namespace

void PaintRoundedTheme(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& result) {
  DrawingScope scope(s);
  const bool enabled = s.hostEnabled != 0;
  const bool command = !IsCheckOrOption(s);
  int32_t base, face;
  if (command) {
    base = s.look.faceColor;
    if (s.PressedAndHot() && s.GradientMode == butt::GradientNone)
      face = s.look.edgeColor;
    else
      face = enabled ? base : ShiftColor(base, -24, true);
  } else if (s.Value != 0) {
    base = face = s.look.checkedFaceColor;
  } else {
    base = face = s.look.faceColor;
  }
  const int32_t caption = enabled ? 0 : ShiftColor(face, -104, true);
  int32_t gradient = 0;
  if (s.ButtonShape <= 6)
    gradient = s.GradientMode != butt::GradientNone ? ShiftColor(TranslateColor(s.GradientColor), 48, true) : face;
  PaintFace(s, face, fs, result, gradient, s.look.hoverFaceColor);
  if (result == 0) return;
  bool flatDisabled = true;
  DrawCaption(s, face, caption, s.Value != 0, flatDisabled);

  if (s.ButtonShape >= 4) {
    // Focus and hover show only as the colour of the shape frame.
    if (s.Has(StateFocusShown) && !s.hoverTracking)
      c[12] = kFocusBlue;
    else if (s.hoverTracking)
      c[12] = kHotOrange;
    else
      result = 1;
    return;
  }

  int32_t outline = kOutline;
  if (enabled) {
    if (ShowsChecked(s)) fs = s.Has(StateFocusShown) ? 1 : 2;
    if (s.Has(StateHot) && !s.Has(StatePressed))
      fs = 3;
    else if (fs == 1 && s.ShowFocusRect == kFalse)
      fs = 0;
    ThemeRings(fs, base, c);
  } else {
    SetEntries(c, 1, 8, -1);
    outline = ShiftColor(base, -84, true);
  }
  SetEntries(c, 9, 12, outline);
  DrawBevel(s, p, c, fs, -1);

  // Rounded corners on the sides without a slant.
  HDC dc = s.buffer.dc();
  const int fw = s.clientWidth, fh = s.clientHeight;
  if (s.look.slantLeft == 0) {
    SetPixel(dc, 1, fh - 2, static_cast<COLORREF>(outline));
    SetPixel(dc, 1, 1, static_cast<COLORREF>(outline));
  }
  if (fw == s.look.slantRight) {
    SetPixel(dc, fw - 2, fh - 2, static_cast<COLORREF>(outline));
    SetPixel(dc, fw - 2, 1, static_cast<COLORREF>(outline));
  }
}
