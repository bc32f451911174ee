// The looks of a Butt: the entry points the redraw pipeline and the property
// setters call. The pipeline (RedrawButton, resize processing, setters) lives
// with the control; everything that decides what a button looks like lives
// behind these declarations.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "button/ButtValues.h"

struct ButtState;

// Tables RedrawButton creates zero-filled for every redraw and hands to the
// renderer of the current ButtonStyle. bevelColors uses indices 1..12
// (entry 12 is the shape frame colour); index 0 is unused.
using BevelPoints = POINT[16];
using BevelColors = int32_t[13];

// One renderer per ButtonStyle 0..7. drawResult: 0 nothing to show, 1 the
// buffer holds a finished face, 3 or 4 a shape frame is wanted as well.
using StyleRenderer = void (*)(ButtState& s, BevelPoints& bevelPoints, BevelColors& bevelColors, int16_t& frameState,
                               int16_t& drawResult);
extern const StyleRenderer kStyleRenderers[butt::kStyleCount];

// Caption and picture rectangles from the alignment properties; with
// preparePicture the picture copy (and its transparency) is made again.
void LayoutButton(ButtState& s, bool preparePicture);

// Recomputes derived state for one aspect: "Font" (caption font into the
// back buffer), "Picture" (picture metrics) or "BackColor" (working colours).
void UpdateDerived(ButtState& s, std::string_view aspect);

// Builds the window region and the two inset regions for ButtonShape.
void BuildShape(ButtState& s);
