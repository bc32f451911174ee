// The control's outline: window region, inset clip regions and the clip
// step each face painter starts with.
#pragma once

#include <windows.h>

#include <cstdint>

struct ButtState;

// The clip step of every drawing pass: sets the back buffer's clip for the
// shape, paints the sunken or hot-track ring where the state asks for one
// and frames custom shapes. Returns 0 when the pass must draw nothing (the
// control has just been moved by CustomClick), 1 for a plain face, 3 or 4
// when a shape frame is wanted as well.
int16_t PrepareShapeClip(ButtState& s);

// A new region holding a copy of the control's current outline (the window
// region, or the one kept for a windowless control); the caller owns it.
// Null when there is none.
HRGN CopyWindowRegion(const ButtState& s);

// Sets the control's client size in pixels (through its window when it has
// one) and lets the resize processing renew the back buffer.
void ResizeControl(ButtState& s, int width, int height);
