// The three primitives every style renderer is built from: the face fill,
// the bevel rings and the focus cue.
#pragma once

#include <cstdint>

#include "button/ButtLooks.h"

struct ButtState;

// Runs the shape clip step and paints the face: flat (or, for
// StyleRoundedTheme, a shine darkening towards the bottom), a gradient from
// `face` to `gradientColor`, or the hover colour. frameState becomes 2 when
// held down, 1 when the focus frame is shown, else 0; drawResult is the clip
// step's answer (0: paint nothing). A negative hoverFace is replaced by
// `face` (the caller's variable sees it).
void PaintFace(ButtState& s, int32_t& face, int16_t& frameState, int16_t& drawResult, int32_t& gradientColor,
               int32_t& hoverFace);

// Fills bevelPoints for the client and the shape's slants and draws the
// three rings (inner 1..4, middle 5..8, outer 9..12: left, top, right,
// bottom) in bevelColors; -1 skips a line. outerStyle >= 0 is the pen style
// of the outer ring.
void DrawBevel(ButtState& s, BevelPoints& bevelPoints, BevelColors& bevelColors, int16_t frameState, int outerStyle);

// Draws the focus cue while the focus frame is shown: slanted lines for the
// slanted shapes, otherwise a dotted (or, with `solid`, a solid) rectangle
// 4 pixels inside the edge or, with aroundContent, round the caption (or the
// picture). Elliptic shapes always get it round the content.
void DrawFocusCue(ButtState& s, int32_t& color, bool solid, bool& aroundContent, BevelPoints& bevelPoints);
