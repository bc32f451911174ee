// The control's picture: its prepared copy (with the transparent colour
// made exact and, for the picture shapes, the transparent pixels carved out
// of the regions), drawing with transparency, and the greyed look.
#pragma once

#include <windows.h>

struct ButtState;

// Makes look.preparedPicture, a copy of a bitmap Picture stretched to
// width x height, with every pixel within 3 per channel of the top-left
// pixel's colour set to exactly that colour. With a region, carves the
// transparent pixels out of it and creates look.shapeOuterRegion and
// look.shapeInnerRegion as the client rectangle less the transparent pixels
// grown by 1 and by 2 pixels. Icons get no copy and no regions.
void PreparePicture(ButtState& s, int width, int height, HRGN region);

// Draws bitmap `source` into `dc` at the top-left of `dest`, width x height,
// stretched from the source rectangle, letting pixels of the source's
// top-left colour show the background. A source rectangle whose right
// (bottom) is 0 takes the prepared picture's width (height), written back.
// A destination smaller than width x height scales the picture down in
// proportion (width and height are updated).
void DrawTransparentBitmap(ButtState& s, HDC dc, RECT dest, HBITMAP source, RECT& sourceRect, int& width, int& height);

// Draws the picture into `rect` of the back buffer (for the picture shapes,
// into the whole client, one pixel smaller while held down), as a grey
// silhouette of its dark parts when the control is disabled.
void DrawPicture(ButtState& s, RECT& rect);
