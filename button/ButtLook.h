// Working state of a button's looks: layout rectangles, working colours,
// caption font, regions and the prepared picture copy. Held by ButtState as
// its `look` member and released with it (after ButtState has put the
// buffer's original objects back, so nothing here is still selected).
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/GdiObjects.h"

struct ButtLook {
  // Where the caption text and the picture are drawn (LayoutButton).
  RECT captionRect{0, 0, 0, 0};
  RECT pictureRect{0, 0, 0, 0};

  // Plain RGB working colours of the current style (UpdateDerived "BackColor").
  int32_t faceColor = 0;
  int32_t edgeColor = 0;
  int32_t hoverFaceColor = 0;
  int32_t checkedFaceColor = 0;

  // The caption font selected into the back buffer (UpdateDerived "Font").
  gdi::Font captionFont;

  // Shape (BuildShape): x where the left slant meets the bottom edge (0
  // without one) and where the top edge meets the right slant (the client
  // width without one).
  int32_t slantLeft = 0;
  int32_t slantRight = 0;
  // The outline 1 and 2 pixels inside its edge; clip regions for shapes 4..8.
  gdi::Region shapeOuterRegion;
  gdi::Region shapeInnerRegion;
  // The outline itself while the control has no window to hand it to (a
  // control drawn off screen); with a window the window owns it.
  gdi::Region windowRegion;
  // The window holds an outline of this button's (an untrimmed rectangle
  // leaves the window without a region).
  bool windowShaped = false;

  // The control's copy of a bitmap picture at the size it is drawn, with
  // colours near the transparent one snapped onto it (PreparePicture).
  gdi::Bitmap preparedPicture;
  int32_t preparedWidth = 0;
  int32_t preparedHeight = 0;
};
