// Placement of the caption and the picture on the face: plain arithmetic
// on the client size, the shape's slants and the alignment properties.
// LayoutButton measures the caption and stores the result.
#pragma once

#include <windows.h>

struct LayoutInput {
  int fw = 0, fh = 0;      // client size in pixels
  int shape = 0;           // ButtonShape
  int slantLeft = 0;       // x where the left slant meets the bottom (0: none)
  int slantRight = 0;      // x where the top meets the right slant (fw: none)
  int pictureSizePx = 16;  // 16, 24, 32 (square), 40 (fill), 48 (fit)
  int pictureAlign = 0;    // 0..5
  int captionAlign = 2;    // 0 left, 1 right, 2 centre
  int captionStyle = 0;    // 0 flat, 1 embossed, 2 engraved
  bool hasCaption = false;
  int pictureWidth = 0, pictureHeight = 0;  // both 0: no picture
  bool hasPicture() const { return pictureWidth + pictureHeight > 0; }
};

// Horizontal extent of the area the caption and picture may use.
struct TextArea {
  int x0;  // left bound
  int w;   // width
  int xr;  // right bound
};
TextArea LayoutTextArea(const LayoutInput& in);

// Size of the rectangle the caption is measured in (word-wrapped text).
SIZE LayoutMeasureBox(const LayoutInput& in);

struct LayoutResult {
  RECT captionRect;
  RECT pictureRect;
  bool redoPicture;  // the picture copy must be made for pictureRect's size
};
// Places caption and picture given the caption's measured size (tw, th as
// the text measuring returned them; 0 for an empty caption).
LayoutResult LayoutPlace(const LayoutInput& in, int tw, int th, bool redoPicture);

// Scales a picture into a box keeping its proportions; sizes rounded to
// nearest, ties to even. A picture without size gives 0 x 0.
void FitPicture(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight, int& width, int& height);
