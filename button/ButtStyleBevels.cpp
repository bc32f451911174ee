// The styles built only from bevel rings: Soft3D, Classic3D, Thin3D and
// Light3D, sharing one sequence (face, caption, rings, focus cue).
#include "button/ButtCaption.h"
#include "button/ButtDrawTools.h"
#include "button/ButtFace.h"
#include "button/ButtStyles.h"
#include "button/ShiftColor.h"
#include "button/TranslateColor.h"

namespace {
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kGrey = 0x808080;
constexpr int32_t kBlack = 0x000000;

// Fills the ring colours of one style; may change frameState and the
// caption (focus) colour first.
using RingColours = void (*)(ButtState& s, int32_t face, BevelColors& c, int16_t& frameState, int32_t& captionColor);

void Soft3DRings(ButtState& s, int32_t face, BevelColors& c, int16_t& fs, int32_t& caption) {
  int32_t highlight = s.PressedAndHot() ? face : 0xE9E9E9;
  if (ShowsChecked(s)) {
    fs = 3;
    highlight = 0xE9E9E9;
    caption = 0;
  } else if (s.ButtonShape >= 1 && s.ButtonShape <= 3) {
    caption = ShiftColor(face, -48);
  }
  struct Column {
    int32_t inner12, inner34, middle56, middle78;
  };
  const Column table[4] = {
      {-1, -1, highlight, kGrey},          // 0 normal
      {highlight, kGrey, kWhite, kBlack},  // 1 focus frame shown
      {-1, -1, -1, kGrey},                 // 2 held down
      {-1, -1, -1, highlight},             // 3 checked
  };
  const Column& col = table[fs >= 0 && fs <= 3 ? fs : 0];
  SetEntries(c, 1, 2, col.inner12);
  SetEntries(c, 3, 4, col.inner34);
  SetEntries(c, 5, 6, col.middle56);
  SetEntries(c, 7, 8, col.middle78);
  if (ShowsChecked(s)) {
    SetEntries(c, 9, 10, kBlack);
    SetEntries(c, 11, 12, kWhite);
  } else {
    SetEntries(c, 9, 10, s.Has(StateFocusShown) ? kBlack : kWhite);
    SetEntries(c, 11, 12, kBlack);
  }
}

// Frame state shared by Classic3D and Thin3D: 2 sunken, 1 raised.
void RaisedOrSunken(ButtState& s, int32_t face, int16_t& fs, int32_t& caption) {
  if (ShowsChecked(s)) {
    caption = 0;
    fs = 2;
  } else {
    if (s.ButtonShape >= 1 && s.ButtonShape <= 3) caption = ShiftColor(face, -48);
    if (fs == 0) fs = 1;
  }
}

void Classic3DRings(ButtState& s, int32_t face, BevelColors& c, int16_t& fs, int32_t& caption) {
  RaisedOrSunken(s, face, fs, caption);
  const bool sunken = fs == 2;
  for (int i : {1, 2, 5, 6}) c[i] = sunken ? kGrey : kWhite;
  for (int i : {3, 4, 7, 8}) c[i] = sunken ? kWhite : kGrey;
  SetEntries(c, 9, 12, kBlack);
}

void Thin3DRings(ButtState& s, int32_t face, BevelColors& c, int16_t& fs, int32_t& caption) {
  SetEntries(c, 1, 8, -1);
  RaisedOrSunken(s, face, fs, caption);
  const bool sunken = fs == 2;
  SetEntries(c, 9, 10, sunken ? kGrey : kWhite);
  SetEntries(c, 11, 12, sunken ? kWhite : kGrey);
}

void Light3DRings(ButtState& s, int32_t face, BevelColors& c, int16_t& fs, int32_t& caption) {
  SetEntries(c, 1, 4, -1);
  const int32_t light = ShiftColor(0xDFDFDF, 8);
  if (ShowsChecked(s)) {
    caption = 0;
    fs = 1;
  } else {
    fs = s.PressedAndHot() ? 1 : 0;
    if (s.ButtonShape >= 1 && s.ButtonShape <= 3) caption = ShiftColor(face, -48);
  }
  const bool sunken = fs == 1;
  for (int i : {5, 6, 9, 10}) c[i] = sunken ? kGrey : light;
  for (int i : {7, 8, 11, 12}) c[i] = sunken ? light : kGrey;
}

void PaintWithRings(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& result, RingColours rings) {
  DrawingScope scope(s);
  const bool checkOrOption = IsCheckOrOption(s);
  int32_t face = (checkOrOption && s.Value != 0) ? s.look.checkedFaceColor : s.look.faceColor;
  int32_t gradient = TranslateColor(s.GradientColor);
  PaintFace(s, face, fs, result, gradient, s.look.hoverFaceColor);
  if (result == 0) return;
  int32_t caption = (s.hostEnabled != 0 || !checkOrOption) ? -1 : 0x808080;
  bool flatDisabled = checkOrOption;
  DrawCaption(s, face, caption, s.Value != 0, flatDisabled);
  if (s.ButtonShape <= 3) {
    rings(s, face, c, fs, caption);
    DrawBevel(s, p, c, fs, -1);
  }
  FinishShape(s, c, result);
  bool aroundContent = false;
  DrawFocusCue(s, caption, s.Value != 0, aroundContent, p);
}
}  // namespace

void FinishShape(ButtState& s, BevelColors& c, int16_t& drawResult) {
  const int shape = s.ButtonShape;
  if (shape == 7 || shape == 8 || (shape == 6 && (s.hoverTracking || s.PressedAndHot())))
    c[12] = 0;
  else
    drawResult = 1;
}

void PaintSoft3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& r) {
  PaintWithRings(s, p, c, fs, r, Soft3DRings);
}
void PaintClassic3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& r) {
  PaintWithRings(s, p, c, fs, r, Classic3DRings);
}
void PaintThin3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& r) {
  PaintWithRings(s, p, c, fs, r, Thin3DRings);
}
void PaintLight3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& fs, int16_t& r) {
  PaintWithRings(s, p, c, fs, r, Light3DRings);
}
