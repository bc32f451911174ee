// Pictures the gallery draws for itself: no files needed.
#pragma once

#include <windows.h>

// A round badge (size x size) on a magenta background, which the control
// treats as transparent.
HBITMAP MakeBadge(int size, COLORREF colour);

// A wide pill with a notch, on magenta: the outline of the picture shapes.
HBITMAP MakePill(int width, int height, COLORREF colour);

// Black glyph on white: shows the greyed look of disabled pictures.
HBITMAP MakeInk(int size);
