// The style painters: one per ButtonStyle, each composing a complete face
// into the back buffer. kStyleRenderers (ButtRenderers.cpp) indexes them.
#pragma once

#include "button/ButtLooks.h"
#include "button/ButtState.h"

void PaintSoft3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintClassic3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintRoundedTheme(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintEtched(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintThin3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintHotTrack(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintLight3D(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);
void PaintRoundedGrey(ButtState& s, BevelPoints& p, BevelColors& c, int16_t& frameState, int16_t& drawResult);

// Shared by the painters.
inline bool IsCheckOrOption(const ButtState& s) { return s.Mode != butt::ModeCommand; }
// Checked, or a check box / option button being pressed.
inline bool ShowsChecked(const ButtState& s) { return (s.inputDown && IsCheckOrOption(s)) || s.Value != 0; }
inline void SetEntries(BevelColors& c, int first, int last, int32_t color) {
  for (int i = first; i <= last; ++i) c[i] = color;
}

// After the bevel: shapes 7 and 8, and 6 while hovered or held down, ask
// for a black shape frame; every other shape is finished (drawResult 1).
void FinishShape(ButtState& s, BevelColors& c, int16_t& drawResult);
